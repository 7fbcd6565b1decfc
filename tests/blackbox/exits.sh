#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The command line ends the program before its window, without a display: help, version and
# wrong options, and a display that cannot be reached. Then every way out of the configuration
# view removes the tray icon before the program quits and ends it with status 0: "sair", the close
# box, Alt+F4 and the window manager's close.
#   exits.sh SORVANTO VERSION
set -euo pipefail
bin=$1 version=$2
source "$(dirname "$0")/desktop.sh"

DESKTOP_SOUND=0 desktop_start 1024x768

# run_alone EXPECTED_STATUS [NAME=VALUE...] ARGS...: the program without a display (unless one is
# named); what it says in out and err.
run_alone() {
  local expected=$1 status=0 settings=()
  shift
  while [[ ${1:-} =~ ^[A-Z_]+= ]]; do settings+=("$1"); shift; done
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_SESSION_TYPE "${settings[@]}" "$bin" "$@" \
    2>"$desktop_dir/err") || status=$?
  err=$(cat "$desktop_dir/err")
  [ "$status" = "$expected" ] || fail "sorvanto $*: exit status $status, not $expected; it said: $out $err"
}
usage='Usage: sorvanto [OPTION]'

for help in --help -h; do
  run_alone 0 "$help"
  [ "${out%%$'\n'*}" = "$usage" ] && [ -z "$err" ] || fail "sorvanto $help: $out / $err"
  grep -q -- '--version' <<<"$out" || fail "sorvanto $help does not name --version"
done
run_alone 0 --version
[ "$out" = "sorvanto $version" ] && [ -z "$err" ] || fail "sorvanto --version: $out / $err"
echo "--help, -h and --version answer on stdout without a display"

# Qt's own options are not the program's.
for wrong in --bogus "-platform offscreen" "-style fusion" reminder --version=2; do
  # shellcheck disable=SC2086
  run_alone 2 $wrong
  [ -z "$out" ] && [[ $err == "sorvanto: "*$'\n'"$usage"* ]] || fail "sorvanto $wrong: $out / $err"
done
echo "a wrong option or argument: status 2, an error and the usage on stderr"

run_alone 1
[ "$err" = "sorvanto: no display to connect to: neither DISPLAY nor WAYLAND_DISPLAY is set" ] || fail "no display: $err"
run_alone 1 DISPLAY=:99999
[ "$err" = 'sorvanto: cannot connect to the X display ":99999"' ] || fail "an X display that is not there: $err"
echo "no display to reach: status 1 and one line that says so"

start() {
  start_shown "$bin"
  desktop_wait 10 tray_icon || fail "no tray icon"
  win=$(main_window)
}

start
ui press sair
ends "sair" icon-removed

start
xdotool windowactivate --sync "$win" key --clearmodifiers alt+F4
ends "Alt+F4" icon-removed

start
# openbox puts the close box at the right end of the title bar, just above the client area.
window_place "$win"
xdotool mousemove $((X + WIDTH - 8)) $((Y - 10)) click 1
ends "the close box" icon-removed

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
ends "the window manager's close" icon-removed
echo "sair, Alt+F4, the close box and the window manager's close: the tray icon removed, then status 0"
