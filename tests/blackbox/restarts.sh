#!/usr/bin/env bash
# The tray comes and goes and the program stays reachable: no tray at start, a tray that starts
# later, an XEmbed tray restarted while the reminder is armed, and a StatusNotifierItem watcher
# that restarts, whose item "sair" then takes off the bus.
set -euo pipefail
bin=$1
here=$(dirname "$0")
source "$here/desktop.sh"

start_tray() {
  trayer --edge top --align right --widthtype request --height 24 --SetDockType true >>"$desktop_dir/trayer.log" 2>&1 &
  tray=$!
  desktop_pids+=("$tray")
}

# Seconds, to a tenth, until COMMAND succeeds.
time_until() {
  local start=$(date +%s%N)
  desktop_wait 10 "$@" || return 1
  local tenths=$(( ($(date +%s%N) - start) / 100000000 ))
  echo "$((tenths / 10)).$((tenths % 10))"
}

xembed() {
  DESKTOP_SOUND=0 DESKTOP_TRAY=0 desktop_start 1024x768
  start_program "$bin"
  desktop_wait 20 shown || fail "no window without a tray"
  # Answered after all that the start left waiting: an error box would be up by then.
  ui settext Intervalo 30
  ui showing Ativado || fail "the window does not work without a tray"
  popup_menu >/dev/null && fail "a second window (an error box?) without a tray"

  start_tray
  late=$(time_until tray_icon) || fail "the icon never came to a tray that started late"
  ui press Ativado
  desktop_wait 5 hidden || fail "arming leaves the window"

  kill "$tray"
  desktop_wait 5 sh -c '! xwininfo -root -tree | grep -q "\"trayer\""' || fail "the tray did not go"
  start_tray
  back=$(time_until tray_icon) || fail "the icon never came back to the new tray"
  open_menu
  choose 2
  desktop_wait 5 shown || fail "the menu does not work in the new tray"
  echo "xembed: icon in a late tray after ${late}s, back in a restarted tray after ${back}s, menu works"
}

statusnotifier() {
  DESKTOP_SOUND=0 DESKTOP_TRAY=0 desktop_start 1024x768
  host() { /usr/bin/python3 "$here/sni_host.py" "$@"; }
  start_watcher "$desktop_dir/items"
  start_program "$bin"
  desktop_wait 20 shown || fail "no window"
  desktop_wait 10 test -s "$desktop_dir/items" || fail "the item never registered"
  ui settext Intervalo 30
  ui press Ativado
  desktop_wait 5 hidden || fail "arming leaves the window"

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

x_server_gone() {
  DESKTOP_SOUND=0 desktop_start 1024x768
  start_program "$bin"
  desktop_wait 20 shown || fail "no window"
  ui settext Intervalo 30
  ui press Ativado
  desktop_wait 5 hidden || fail "arming leaves the window"
  kill "${desktop_pids[0]}"
  ended || fail "the program outlives its X server"
  [ "$status" -lt 128 ] || fail "the program died of signal $((status - 128)) with its X server"
  pgrep -P "$app" >/dev/null && fail "the program left processes behind"
  echo "x server gone: the program ended with status $status"
}

scenarios=(xembed statusnotifier x_server_gone)
run_scenarios "${scenarios[@]}"
