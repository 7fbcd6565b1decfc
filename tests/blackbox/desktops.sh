#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The desktop matrix: the program under the X11 window managers and the tray hosts that users meet,
# for what differs between them. It prints a table with a row for each window manager or host and
# a column for each of:
#   no tray     without a tray, arming leaves the window where the user reaches it: minimized, from
#               where the task list brings back the configuration view, or, where the window
#               manager does not minimize, in that view at once; the countdown runs until "Desativado"
#   late panel  a host started after the program shows its icon within two seconds; the host's own
#               menu (or, for an XEmbed tray, the program's) opens the configuration view
#   menu place  the host's ContextMenu(x, y) opens the program's menu at x, y wherever the pointer is;
#               natively on Wayland no menu window at all
#   over a window, fullscreen
#               the alert comes as the user types on in another program's focused window, ordinary
#               or fullscreen: in front and focused, covering at least 90 % of the screen (maximized,
#               or fullscreen where the window manager tiles), drawn whole, with "OK" inside it; the
#               keys change nothing in the reminder, and a real click on "OK" ends the program
#   whole       five alerts in a row, each drawn whole on screen
# Countdowns are shortened to a second with the preload library. What is not installed is skipped,
# and the table says so. Screenshots go to SORVANTO_ARTIFACTS.
#   desktops.sh PROGRAM FASTCLOCK          (make test-desktops; DESKTOPS_ONLY=REGEX for some rows)
set -uo pipefail
# Re-entered as nobody for the checks under sway: desktops.sh --as-nobody PROGRAM FASTCLOCK CHECK MODE VERDICT
as_nobody=0
[ "${1:-}" = --as-nobody ] && { as_nobody=1; shift; }
bin=$(realpath "$1")
fast=$(realpath "$2")
here=$(cd "$(dirname "$0")" && pwd)
export SORVANTO_ARTIFACTS=${SORVANTO_ARTIFACTS:-$(dirname "$bin")/artifacts/desktops}
source "$here/desktop.sh"
icon_shown() { registered || tray_icon; }
alert_up() { on_top "$(main_window)"; }
# The countdown is a second long.
start_fast() { LD_PRELOAD=$fast start_shown "$bin"; }
installed() { local c; for c in "$@"; do command -v "$c" >/dev/null || return 1; done; }
active_is() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }

# Each check runs on a desktop of its own and leaves its verdict in result, or fails with the reason.

no_tray() {  # no_tray WINDOW_MANAGER
  DESKTOP_SOUND=0 DESKTOP_WM=$1 DESKTOP_TRAY=none desktop_start 1024x768 || fail "no desktop"
  start_shown "$bin"
  local window
  window=$(main_window)
  ui settext Intervalo 30
  ui press Ativado
  sleep 1.5
  countdown_running || fail "no countdown"
  # Some window managers keep a minimized window mapped, for its thumbnail.
  if tray_icon >/dev/null || registered 2>/dev/null; then
    result="n/a: a tray of its own"
  elif ! xprop -id "$window" WM_STATE | grep -q Iconic; then
    viewable "$window" || fail "hidden instead of minimized"
    ui showing Intervalo || fail "left on screen in the armed view"
    result="holds: kept on screen, in the configuration view"
  else
    shot "matrix-no-tray-$1"
    activate_as_user "$window"
    desktop_wait 5 shown || fail "the task list does not bring it back"
    ui showing Intervalo || fail "brought back, not in the configuration view"
    countdown_running || fail "the countdown stopped"
    result="holds: minimized, brought back"
  fi
  ui press Desativado
  desktop_wait 5 countdown_stopped || fail "Desativado does not stop the countdown"
}

# Window managers that tile give the alert the screen as a fullscreen window; the others maximize it.
declare -A alert_state=([i3]=fullscreen [sway]=fullscreen)
reminder="está na hora de levantar dessa cadeira!!!"
# covers WIDTH HEIGHT: that much of the 1024 x 768 screen is at least 90 % of it.
covers() { [ $(($1 * $2 * 10)) -ge $((1024 * 768 * 9)) ]; }
alert_covers() { window_place "$(main_window)" && covers "$WIDTH" "$HEIGHT"; }
# read_and_end: the reminder is as it was, whatever the user typed, and a click on "OK" ends the program.
# Under sway too the click goes through the X server: the headless compositor has no pointer of its own.
read_and_end() {
  local text x y w h
  text=$(ui text "texto do sorvanto")
  [ "$text" = "$reminder" ] || fail "typing elsewhere changed the reminder to '$text'"
  ok_inside "$(main_window)"
  read -r x y w h < <(ui extents OK)
  xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 1
  ends "a click on OK"
}

# The alert over another program's focused window, with an XEmbed tray to hide into.
alert_over() {  # alert_over WINDOW_MANAGER ordinary|fullscreen
  DESKTOP_SOUND=0 DESKTOP_WM=$1 desktop_start 1024x768 || fail "no desktop"
  start_fast
  desktop_wait 20 tray_icon || fail "no tray icon"
  if [ "$2" = fullscreen ]; then
    start_fullscreen_window
  else
    xev -name sorvanto-other >/dev/null 2>&1 &
    desktop_pids+=($!)
    desktop_wait 10 xdotool search --name '^sorvanto-other$' || fail "no other window"
    activate_as_user "$(xdotool search --name '^sorvanto-other$' | head -1)"
  fi
  ui press Ativado
  type_along 15 || fail "no alert"
  local alert state=maximized
  alert=$(main_window)
  desktop_wait 5 active_is "$alert" || fail "the alert is not focused"
  desktop_wait 5 alert_up || fail "the alert does not stay on top"
  desktop_wait 5 alert_covers || fail "the alert takes ${WIDTH}x$HEIGHT of the screen"
  sleep 1
  shot "matrix-$2-$1"
  wm_state "$alert" | grep -q _NET_WM_STATE_FULLSCREEN && state=fullscreen
  [ "$state" = "${alert_state[$1]:-maximized}" ] || fail "the alert is $state"
  [ $state = fullscreen ] || maximized "$alert" || fail "the alert is not maximized"
  drawn_whole "$alert" || fail "the alert is covered or not drawn"
  window_place "$alert"
  result="holds: $state ${WIDTH}x$HEIGHT"
  read_and_end
}
fullscreen() { alert_over "$1" fullscreen; }
over_window() { alert_over "$1" ordinary; }

whole() {  # whole WINDOW_MANAGER
  DESKTOP_SOUND=0 DESKTOP_WM=$1 desktop_start 1024x768 || fail "no desktop"
  local run broken=0
  for run in 1 2 3 4 5; do
    start_fast
    desktop_wait 20 tray_icon || fail "no tray icon"
    ui press Ativado
    desktop_wait 10 hidden || fail "arming leaves the window"
    desktop_wait 10 shown || fail "no alert"
    sleep 1.5
    drawn_whole "$(main_window)" || { broken=$((broken + 1)); shot "matrix-broken-$1-$run"; }
    ui press OK
    ends "OK"
  done
  [ $broken = 0 ] || fail "$broken of 5 alerts not drawn whole"
  result="holds: 5 of 5"
}

# The host comes up after the program, on X11; the time counts from when the host is ready.
late_panel() {  # late_panel HOST WINDOW_MANAGER
  local tray=$1 wm=$2 started item
  [ "$tray" = appindicator ] && wm=none
  DESKTOP_SOUND=0 DESKTOP_WM=$wm DESKTOP_TRAY=none desktop_start 1024x768 || fail "no desktop"
  start_shown "$bin"
  if [ "$tray" = appindicator ]; then
    DESKTOP_TRAY=appindicator desktop_start_wm gnome-shell || fail "no GNOME Shell"
  fi
  desktop_start_tray "$tray" || fail "no $tray"
  started=$(date +%s%N)
  desktop_wait 15 icon_shown || fail "no icon after $(seconds_since "$started")s"
  local late
  late=$(seconds_since "$started")
  awk -v s="$late" 'BEGIN{exit !(s <= 2.0)}' || fail "the icon came after ${late}s"
  arm_for 30
  shot "matrix-late-$tray"
  if item=$(host items | head -1) && [ -n "$item" ]; then
    host click "$item" "Configurações" || fail "the host's menu has no Configurações"
  else
    open_menu
    choose 2
  fi
  desktop_wait 5 shown || fail "the menu does not bring back the window"
  ui showing Intervalo || fail "not the configuration view"
  result="holds: icon after ${late}s, menu works"
}

menu_place() {  # menu_place HOST WINDOW_MANAGER
  local tray=$1 wm=$2 item
  [ "$tray" = appindicator ] && wm=gnome-shell
  DESKTOP_SOUND=0 DESKTOP_WM=$wm DESKTOP_TRAY=$tray desktop_start 1024x768 || fail "no desktop"
  start_shown "$bin"
  desktop_wait 15 registered || fail "no icon with the host"
  item=$(host items | head -1)
  arm_for 30
  xdotool mousemove 100 100
  host call "$item" ContextMenu 600 400
  menu_at 600 400
  shot "matrix-menu-$tray"
  choose 2
  desktop_wait 5 shown || fail "Configurações from the menu"
  result="holds: at 600,400"
}

# sway, headless, with XWayland; DISPLAY, WAYLAND_DISPLAY and SWAYSOCK then reach it. It runs for no root.
sway_start() {
  desktop_prepare
  unset DISPLAY WAYLAND_DISPLAY
  export XDG_RUNTIME_DIR=$desktop_dir/runtime
  mkdir -p "$HOME/.config/waybar" && mkdir -m 700 "$XDG_RUNTIME_DIR"
  printf 'xwayland enable\noutput HEADLESS-1 resolution 1024x768\nexec sh -c "echo $DISPLAY > %s"\n' \
    "$desktop_dir/xdisplay" >"$desktop_dir/sway.config"
  eval "$(dbus-launch --sh-syntax)"
  desktop_pids+=("$DBUS_SESSION_BUS_PID")
  WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman sway -c "$desktop_dir/sway.config" \
    >"$desktop_dir/sway.log" 2>&1 &
  desktop_pids+=($!)
  desktop_wait 20 test -s "$desktop_dir/xdisplay" || fail "no sway"
  DISPLAY=$(cat "$desktop_dir/xdisplay") WAYLAND_DISPLAY=$(cd "$XDG_RUNTIME_DIR" && compgen -G 'wayland-[0-9]' | head -1)
  SWAYSOCK=$(compgen -G "$XDG_RUNTIME_DIR/sway-ipc.*.sock" | head -1)
  export DISPLAY WAYLAND_DISPLAY SWAYSOCK
}
# waybar's tray under sway.
bar() {
  echo '{"layer": "top", "position": "top", "height": 26, "modules-right": ["tray"]}' >"$HOME/.config/waybar/config"
  waybar >"$desktop_dir/waybar.log" 2>&1 &
  desktop_pids+=($!)
  desktop_wait 15 host_running
}
# sway_view TITLE: what sway says of the view with that title: visible, focused, fullscreen_mode, width, height.
sway_view() {
  swaymsg -t get_tree | /usr/bin/python3 -c '
import json, sys
def views(node):
    yield node
    for child in node.get("nodes", []) + node.get("floating_nodes", []):
        yield from views(child)
for v in views(json.load(sys.stdin)):
    if v.get("name") == sys.argv[1] and v.get("type") in ("con", "floating_con"):
        print(v["visible"], v["focused"], v["fullscreen_mode"], v["rect"]["width"], v["rect"]["height"])
        break
else:
    sys.exit(1)' "$1"
}
# The view of the alert as sway shows it: visible, focused and covering the screen.
sway_alert_shown() {
  local visible focused mode width height
  read -r visible focused mode width height < <(sway_view "Velmora-SORVANTO Vrs. 1.0") &&
    [ "$visible" = True ] && [ "$focused" = True ] && covers "$width" "$height"
}

# The alert over a native Wayland terminal that has the focus, ordinary or fullscreen, the program under XWayland.
sway_over() {  # sway_over ordinary|fullscreen
  sway_start
  bar || fail "no waybar"
  foot --title sorvanto-other >"$desktop_dir/foot.log" 2>&1 &
  desktop_pids+=($!)
  desktop_wait 15 sway_view sorvanto-other || fail "no terminal"
  [ "$1" = ordinary ] || swaymsg -q '[title="^sorvanto-other$"] fullscreen enable'
  start_fast
  desktop_wait 15 registered || fail "no icon"
  swaymsg -q '[title="^sorvanto-other$"] focus'
  ui press Ativado
  type_along 15 wayland || fail "no alert"
  desktop_wait 5 sway_alert_shown || fail "sway shows the alert as: $(sway_view "Velmora-SORVANTO Vrs. 1.0")"
  sleep 1
  grim "$desktop_dir/screen.png" && cp "$desktop_dir/screen.png" "$artifacts/matrix-$1-sway.png"
  drawn_whole "$(main_window)" "$desktop_dir/screen.png" || fail "the screen does not show the alert whole"
  local mode width height
  read -r _ _ mode width height < <(sway_view "Velmora-SORVANTO Vrs. 1.0")
  [ "$mode" != 0 ] || fail "the alert covers the screen, but is not fullscreen"
  result="holds: fullscreen ${width}x$height"
  read_and_end
}

# waybar's tray under sway; the program under XWayland or on Wayland itself.
sway_session() {  # sway_session MODE LATE: MODE xwayland or wayland; LATE 1 starts waybar after the program
  local mode=$1 late=$2 started
  sway_start
  [ "$late" = 1 ] || bar || fail "no waybar"
  if [ "$mode" = wayland ]; then QT_QPA_PLATFORM=wayland start_program "$bin"; else start_program "$bin"; fi
  desktop_wait 30 sh -c "swaymsg -t get_tree | grep -q Velmora" || fail "no window"
  if [ "$late" = 1 ]; then
    bar || fail "no waybar"
    started=$(date +%s%N)
    desktop_wait 10 registered || fail "no icon after $(seconds_since "$started")s"
    icon_after=$(seconds_since "$started")
  fi
}
views() { swaymsg -t get_tree | grep -c '"pid": '"$app"; }
waybar_late() {  # waybar_late MODE
  sway_session "$1" 1
  awk -v s="$icon_after" 'BEGIN{exit !(s <= 2.0)}' || fail "the icon came after ${icon_after}s"
  host click "$(host items | head -1)" "Sair" || fail "the host's menu has no Sair"
  ends "Sair from waybar's menu"
  result="holds: icon after ${icon_after}s, menu works"
}
waybar_menu() {  # waybar_menu MODE
  sway_session "$1" 0
  desktop_wait 15 registered || fail "no icon"
  local item before
  item=$(host items | head -1)
  if [ "$1" = wayland ]; then
    before=$(views)
    host call "$item" ContextMenu 600 400
    sleep 2
    [ "$(views)" = "$before" ] || fail "a menu window of its own"
    result="holds: no menu window (waybar draws the menu)"
  else
    host call "$item" ContextMenu 600 400
    menu_at 600 400
    result="holds: at 600,400"
  fi
}

# A cell of the table: its check on a desktop of its own, in the background.
cells=$(mktemp -d /tmp/sorvanto-matrix.XXXXXX)
chmod 755 "$cells"
trap 'rm -rf "$cells"' EXIT
jobs_running() { jobs -pr | wc -l; }
# DESKTOPS_ONLY, a regular expression, keeps the rows that it matches.
wanted() { [[ $1 =~ ${DESKTOPS_ONLY:-.} ]]; }
cell() {  # cell ROW COLUMN CHECK ARGS...
  wanted "$1" || return 0
  local file="$cells/$1.$2"
  shift 2
  mkdir -p "$(dirname "$file")"
  while [ "$(jobs_running)" -ge "${DESKTOPS_JOBS:-2}" ]; do wait -n; done
  (
    fail() { echo "FAILS: $*" >"$file"; exit 1; }
    result=holds
    "$@" >"$file.log" 2>&1 && echo "$result" >"$file"
  ) &
}
# sway will not run for root: the checks under it run as nobody, who leaves the verdict in a file
# that root made for it.
sway_cell() {  # sway_cell ROW COLUMN CHECK MODE
  wanted "$1" || return 0
  if [ "$(id -u)" != 0 ]; then
    cell "$1" "$2" "$3" "$4"
    return
  fi
  local file="$cells/$1.$2"
  mkdir -p "$(dirname "$file")" "$SORVANTO_ARTIFACTS" && chmod 777 "$SORVANTO_ARTIFACTS"
  : >"$file" && chmod 666 "$file"
  while [ "$(jobs_running)" -ge "${DESKTOPS_JOBS:-2}" ]; do wait -n; done
  setpriv --reuid=nobody --regid=nogroup --clear-groups env HOME=/tmp \
    bash "$0" --as-nobody "$bin" "$fast" "$3" "$4" "$file" >"$file.log" 2>&1 &
}
skip() { mkdir -p "$(dirname "$cells/$1")"; echo "skipped: $2 not installed" >"$cells/$1"; }

if [ $as_nobody = 1 ]; then
  verdict=$5
  fail() { echo "FAILS: $*" >"$verdict"; exit 1; }
  result=holds
  "$3" "$4" && echo "$result" >"$verdict"
  exit
fi

window_managers=(openbox xfwm4 mutter kwin_x11 marco metacity icewm fluxbox i3)
for wm in "${window_managers[@]}"; do
  if installed "$wm" trayer; then
    cell "$wm" "no tray" no_tray "$wm"
    cell "$wm" "over a window" over_window "$wm"
    cell "$wm" fullscreen fullscreen "$wm"
    cell "$wm" whole whole "$wm"
  else
    for column in "no tray" "over a window" fullscreen whole; do skip "$wm.$column" "$wm"; done
  fi
done
installed gnome-shell && cell "gnome-shell" "no tray" no_tray gnome-shell || skip "gnome-shell.no tray" gnome-shell

declare -A host_wm=([xfce4-panel]=xfwm4 [lxqt-panel]=openbox [lxqt-panel+tray]=openbox [plasma]=kwin_x11
                    [appindicator]=gnome-shell)
declare -A host_command=([xfce4-panel]=xfce4-panel [lxqt-panel]=lxqt-panel [lxqt-panel+tray]=lxqt-panel
                         [plasma]=plasmashell [appindicator]=gnome-shell)
hosts=(xfce4-panel lxqt-panel lxqt-panel+tray plasma appindicator)
for tray in "${hosts[@]}"; do
  if installed "${host_command[$tray]}" "${host_wm[$tray]}"; then
    cell "$tray" "late panel" late_panel "$tray" "${host_wm[$tray]}"
    cell "$tray" "menu place" menu_place "$tray" "${host_wm[$tray]}"
  else
    for column in "late panel" "menu place"; do skip "$tray.$column" "${host_command[$tray]}"; done
  fi
done
if installed sway waybar swaymsg foot wtype grim; then
  sway_cell sway "over a window" sway_over ordinary
  sway_cell sway fullscreen sway_over fullscreen
else
  for column in "over a window" fullscreen; do skip "sway.$column" "sway, foot or wtype"; done
fi
for mode in xwayland wayland; do
  if installed sway waybar swaymsg; then
    sway_cell "waybar/$mode" "late panel" waybar_late "$mode"
    sway_cell "waybar/$mode" "menu place" waybar_menu "$mode"
  else
    for column in "late panel" "menu place"; do skip "waybar/$mode.$column" sway; done
  fi
done
wait

# The table, and what the failed checks said.
columns=("no tray" "late panel" "menu place" "over a window" "fullscreen" "whole")
rows=("${window_managers[@]}" sway gnome-shell "${hosts[@]}" waybar/xwayland waybar/wayland)
printf '| %-16s |' ""
for column in "${columns[@]}"; do printf ' %s |' "$column"; done
echo
printf '|%s|' "------------------"
for column in "${columns[@]}"; do printf '%s|' "$(printf -- '-%.0s' $(seq $((${#column} + 2))))"; done
echo
failed=0
for row in "${rows[@]}"; do
  printf '| %-16s |' "$row"
  for column in "${columns[@]}"; do
    verdict="—"
    [ -f "$cells/$row.$column" ] && verdict=$(cat "$cells/$row.$column")
    [ -f "$cells/$row.$column.log" ] && [ ! -f "$cells/$row.$column" ] && verdict="FAILS: no verdict"
    [[ $verdict == FAILS* ]] && failed=1
    printf ' %s |' "$verdict"
  done
  echo
done
find "$cells" -name '*.log' | sort | while read -r log; do
  [ -f "${log%.log}" ] && grep -q '^FAILS' "${log%.log}" || continue
  echo "--- $(basename "${log%.log}"): $(cat "${log%.log}")"
  tail -15 "$log"
done
exit $failed
