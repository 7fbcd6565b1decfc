#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The program in a Wayland session, on a headless Weston with XWayland. Qt on its own would take
# Wayland, where no ordinary window can stay above the others; the program chooses XWayland by
# itself, shows its window there and raises the alert maximized.
#   wayland.sh PROGRAM   with SORVANTO_FAST_CLOCK naming the preload library that shortens countdowns
set -uo pipefail
program=$1
here=$(cd "$(dirname "$0")" && pwd)
source "$here/desktop.sh"
desktop_prepare
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Without Qt's Wayland plugin Qt falls back to X by itself, and this test would prove nothing.
dpkg-query -W -f '${db:Status-Status}' qt6-wayland 2>/dev/null | grep -qx installed ||
  { echo "qt6-wayland is not installed (scripts/install-deps.sh --tests)"; exit 1; }
[ -f "${SORVANTO_FAST_CLOCK:-}" ] || { echo "SORVANTO_FAST_CLOCK names no library"; exit 1; }

unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
export XDG_RUNTIME_DIR=$desktop_dir/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
# --debug lets weston-screenshooter take the picture of the alert.
weston --backend=headless-backend.so --use-pixman --xwayland --debug --socket=wayland-sorvanto \
  --width=1024 --height=768 --idle-time=0 >"$desktop_dir/weston.log" 2>&1 &
desktop_pids+=($!)
desktop_wait 15 grep -q "xserver listening on display" "$desktop_dir/weston.log" ||
  { echo "no Weston with XWayland"; cat "$desktop_dir/weston.log"; exit 1; }
DISPLAY=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$desktop_dir/weston.log" | head -1)
export DISPLAY WAYLAND_DISPLAY=wayland-sorvanto XDG_SESSION_TYPE=wayland
eval "$(dbus-launch --sh-syntax)"
desktop_pids+=("$DBUS_SESSION_BUS_PID")
export PULSE_SERVER=unix:$desktop_dir/no-sound-server
LD_PRELOAD=$SORVANTO_FAST_CLOCK start_program "$program"

echo "== the window, on XWayland"
if desktop_wait 20 shown; then
  window=$(main_window)
  xprop -id "$window" _NET_WM_PID | grep -q "= $app\$" || fail "the window belongs to another process"
else
  fail "no window on XWayland"
  cat "$desktop_dir/app.log"
  exit 1
fi

echo "== arming"
# A headless Weston has no input devices, and XWayland crashes on XTEST input: the radio item takes
# the focus through the accessibility bus, and a key press is sent to the window itself.
ui focus Ativado || fail "could not focus Ativado"
xdotool key --window "$window" space 2>/dev/null
# The session has no tray, and Weston's X11 window manager does not minimize: the armed window stays
# where the user can reach it.
sleep 0.5
shown || fail "without a tray the armed window is out of reach"

echo "== the alert"
alert_maximized() { maximized "$(main_window)"; }
if desktop_wait 15 alert_maximized; then
  window_place "$(main_window)"
  echo "alert ${WIDTH}x$HEIGHT on the 1024x768 output"
  # The shell's panel and the window's frame take their share of the output.
  [ "$WIDTH" -ge $((1024 * 9 / 10)) ] && [ "$HEIGHT" -ge $((768 * 8 / 10)) ] || fail "the alert does not fill the output"
else
  fail "no maximized alert"
fi
if [ -n "${SORVANTO_ARTIFACTS:-}" ]; then
  mkdir -p "$SORVANTO_ARTIFACTS"
  (cd "$desktop_dir" && weston-screenshooter >/dev/null 2>&1 && mv wayland-screenshot-*.png "$SORVANTO_ARTIFACTS/wayland-alert.png")
fi
kill -0 "$app" 2>/dev/null || { fail "the program ended"; cat "$desktop_dir/app.log"; }

[ "$failures" -eq 0 ] && echo "Wayland session OK"
exit "$((failures > 0))"
