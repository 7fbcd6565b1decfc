#!/usr/bin/env bash
# Every way out of the configuration view ends the program with status 0: "sair", the close box,
# Alt+F4 and the window manager's close.
set -euo pipefail
bin=$1
source "$(dirname "$0")/desktop.sh"
DESKTOP_SOUND=0 desktop_start 1024x768

start() {
  start_program "$bin"
  desktop_wait 20 shown || fail "no window"
  desktop_wait 10 tray_icon || fail "no tray icon"
  win=$(main_window)
}

ends() {  # ends HOW: the program ends with status 0 and takes its tray icon along
  local status=0
  timeout 10 tail --pid="$app" -f /dev/null || fail "$1: still running"
  wait "$app" || status=$?
  [ $status = 0 ] || fail "$1: exit status $status"
  desktop_wait 5 sh -c '! xwininfo -root -tree | grep -q "(\"sorvanto\" \"sorvanto\")"' || fail "$1: window or icon left"
  echo "$1: ends with status 0"
}

start
ui press sair
ends "sair"

start
xdotool windowactivate --sync "$win" key --clearmodifiers alt+F4
ends "Alt+F4"

start
# openbox puts the close box at the right end of the title bar, just above the client area.
read -r x y w < <(xwininfo -id "$win" | awk '/Absolute upper-left X/{x=$4} /Absolute upper-left Y/{y=$4} /Width:/{w=$2} END{print x, y, w}')
xdotool mousemove $((x + w - 8)) $((y - 10)) click 1
ends "the close box"

start
# What a taskbar's or pager's close asks the window manager for.
/usr/bin/python3 - "$win" <<'PY'
import sys
from Xlib import X, display, protocol
d = display.Display()
root = d.screen().root
close = protocol.event.ClientMessage(window=d.create_resource_object("window", int(sys.argv[1])),
                                     client_type=d.intern_atom("_NET_CLOSE_WINDOW"), data=(32, [0, 2, 0, 0, 0]))
root.send_event(close, event_mask=X.SubstructureRedirectMask | X.SubstructureNotifyMask)
d.flush()
PY
ends "the window manager's close"
