#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The tray comes and goes and the program stays reachable: no tray at all, no tray at start, a tray
# or a panel that starts later, an XEmbed tray restarted while the reminder is armed, and a
# StatusNotifierItem watcher that restarts, whose item "sair" then takes off the bus.
set -euo pipefail
bin=$1
here=$(dirname "$0")
source "$here/desktop.sh"

# Seconds, to a tenth, until COMMAND succeeds.
time_until() {
  local start
  start=$(date +%s%N)
  desktop_wait 10 "$@" || return 1
  seconds_since "$start"
}

xembed() {
  DESKTOP_SOUND=0 DESKTOP_TRAY=none desktop_start 1024x768
  start_shown "$bin"
  # Answered after all that the start left waiting: an error box would be up by then.
  ui settext Intervalo 30
  ui showing Ativado || fail "the window does not work without a tray"
  popup_menu >/dev/null && fail "a second window (an error box?) without a tray"

  desktop_start_tray trayer || fail "no tray"
  late=$(time_until tray_icon) || fail "the icon never came to a tray that started late"
  ui press Ativado
  desktop_wait 5 hidden || fail "arming leaves the window"

  kill "$desktop_tray"
  desktop_wait 5 sh -c '! xwininfo -root -tree | grep -q "\"trayer\""' || fail "the tray did not go"
  desktop_start_tray trayer || fail "no new tray"
  back=$(time_until tray_icon) || fail "the icon never came back to the new tray"
  open_menu
  choose 2
  desktop_wait 5 shown || fail "the menu does not work in the new tray"
  echo "xembed: icon in a late tray after ${late}s, back in a restarted tray after ${back}s, menu works"
}

statusnotifier() {
  DESKTOP_SOUND=0 DESKTOP_TRAY=none desktop_start 1024x768
  start_watcher "$desktop_dir/items"
  start_shown "$bin"
  desktop_wait 10 test -s "$desktop_dir/items" || fail "the item never registered"
  arm_for 30

  kill "$watcher_pid"
  : >"$desktop_dir/items"
  start_watcher "$desktop_dir/items"
  back=$(time_until test -s "$desktop_dir/items") || fail "the item never registered with the new watcher"
  item=$(head -1 "$desktop_dir/items")
  xdotool mousemove 400 300
  host call "$item" ContextMenu 400 300
  desktop_wait 5 popup_menu || fail "no menu through the new watcher"
  choose 2
  desktop_wait 5 shown || fail "Configurações through the new watcher"
  ui press sair
  ends "sair" icon-removed
  echo "statusnotifier: registered again ${back}s after the watcher restarted, menu works, sair removes the item"
}


# A desktop with a task list and no tray: arming minimizes the window there instead of hiding it,
# and the user's click on its button brings back the configuration view, the countdown still
# running until "Desativado".
no_tray() {
  DESKTOP_SOUND=0 DESKTOP_WM=xfwm4 DESKTOP_TRAY=tasklist desktop_start 1024x768
  start_shown "$bin"
  window=$(main_window)
  ui settext Intervalo 30
  ui press Ativado
  desktop_wait 5 sh -c "xprop -id $window WM_STATE | grep -q Iconic" ||
    fail "without a tray arming does not minimize: $(xprop -id "$window" WM_STATE)"
  countdown_running || fail "no countdown"
  sleep 0.5
  shot no-tray-armed
  # The task list's one button, at the left end of the panel at the top.
  xdotool mousemove 40 13 click 1
  desktop_wait 5 shown || fail "the task list does not bring the window back"
  ui showing Intervalo || fail "brought back, the window is not in the configuration view"
  countdown_running || fail "the countdown stopped"
  ui press Desativado
  desktop_wait 5 countdown_stopped || fail "Desativado does not stop the countdown"
  echo "no tray: arming minimized the window, the task list brought it back, Desativado stopped the countdown"
}

# A panel that starts after the program: the icon reaches xfce4-panel's StatusNotifierItem host at
# once, and the host's ContextMenu(x, y) opens the menu where the host says, not at the pointer.
late_panel() {
  DESKTOP_SOUND=0 DESKTOP_WM=xfwm4 DESKTOP_TRAY=none desktop_start 1024x768
  start_shown "$bin"
  started=$(date +%s%N)
  desktop_start_tray xfce4-panel
  desktop_wait 10 registered || fail "the icon never reached the panel's host"
  late=$(seconds_since "$started")
  item=$(host items | head -1)
  arm_for 30
  xdotool mousemove 100 100
  host call "$item" ContextMenu 600 400
  menu_at 600 400
  choose 2
  desktop_wait 5 shown || fail "Configurações from the menu"
  ui showing Intervalo || fail "not the configuration view"
  echo "late panel: the icon reached the panel's host ${late}s after the panel started, the menu opened where the host asked"
}

x_server_gone() {
  DESKTOP_SOUND=0 desktop_start 1024x768
  start_shown "$bin"
  arm_for 30
  kill "${desktop_pids[0]}"
  ended || fail "the program outlives its X server"
  [ "$status" -lt 128 ] || fail "the program died of signal $((status - 128)) with its X server"
  pgrep -P "$app" >/dev/null && fail "the program left processes behind"
  echo "x server gone: the program ended with status $status"
}

scenarios=(xembed statusnotifier no_tray late_panel x_server_gone)
[ -n "${RESTARTS_SCENARIOS:-}" ] && read -r -a scenarios <<<"$RESTARTS_SCENARIOS"
run_scenarios "${scenarios[@]}"
