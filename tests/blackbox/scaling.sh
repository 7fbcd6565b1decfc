#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The real program on screens of several sizes: the window has the size worked out below, lies
# entirely on the screen, and its controls are neither cut off nor on top of each other. A
# screenshot of each screen is kept in $SORVANTO_ARTIFACTS/shots-scaling (else /tmp/shots-scaling).
#
# Worked out by hand for this desktop: the window's font ("MS Sans Serif", 11 px, which is DejaVu
# Sans here) measures 13 px a line, as the layout was made for, so the client area starts at its laid-out
# 536 × 341. Openbox frames a window with 1 pixel left, right and bottom and 20 on top: outer 538 × 362.
# Then for the screen:
#   640 × 480:   480 × 362 ÷ 600 = 289 and 640 × 538 ÷ 800 = 430, less the frame 268 and 428, × 0.8:
#                342 × 214, smaller than the controls scaled once (536 × 0.8 = 429, 341 × 0.8 = 273):
#                429 × 273.
#   1024 × 768:  768 × 362 ÷ 600 = 463 and 1024 × 538 ÷ 800 = 688, less the frame 442 and 686, × 1.28:
#                878.08 × 565.76, that is 878 × 566.
#   1920 × 1080: 1080 × 362 ÷ 600 = 651 and 1920 × 538 ÷ 800 = 1291, less the frame 630 and 1289,
#                × 2.4: 3094 × 1512, larger than the screen less the frame: 1918 × 1059.
# With Qt's device pixel ratio 2 on a 1600 × 1200 screen, the window lays out on 800 × 600 logical
# pixels: nothing is scaled to the screen, and the 536 × 341 client takes 1072 × 682 device pixels.
set -uo pipefail
program=$1
here=$(cd "$(dirname "$0")" && pwd)
shots=${SORVANTO_ARTIFACTS:-/tmp}/shots-scaling
mkdir -p "$shots"
failures=0

# on_screen SIZE CLIENT_WIDTHxCLIENT_HEIGHT [LAYOUT_CHECK] [ENVIRONMENT...]
on_screen() (
  local size=$1 expected=$2 layout=${3:-check}
  shift 3
  source "$here/desktop.sh"
  DESKTOP_SOUND=0 desktop_start "$size" || exit 1
  /usr/libexec/at-spi-bus-launcher --launch-immediately >"$desktop_dir/atspi.log" 2>&1 &
  desktop_pids+=($!)
  start_program env "$@" "$program"
  desktop_wait 15 shown || { echo "$size: no window"; exit 1; }
  local window
  window=$(main_window)
  # The window manager frames and places the window after it is mapped.
  desktop_wait 20 sh -c "xprop -id $window _NET_FRAME_EXTENTS | grep -q =" ||
    { echo "FAULT: $size: the window manager did not frame the window"; cat "$desktop_dir"/*.log; exit 1; }
  sleep 1

  local left right top bottom screen_w=${size%x*} screen_h=${size#*x} ok=1
  window_place "$window"
  local x=$X y=$Y w=$WIDTH h=$HEIGHT
  IFS=', ' read -r left right top bottom < <(xprop -id "$window" _NET_FRAME_EXTENTS | sed 's/.*= //')
  echo "$size: client ${w}x${h} at $x,$y; frame $left,$right,$top,$bottom"
  import -window root "$shots/$size${SHOT_SUFFIX:-}.png"

  if [ "${w}x${h}" != "$expected" ]; then
    echo "FAULT: $size: the client area is ${w}x${h}, expected $expected"; ok=0
  fi
  if [ $((x - left)) -lt 0 ] || [ $((y - top)) -lt 0 ] || [ $((x + w + right)) -gt "$screen_w" ] ||
     [ $((y + h + bottom)) -gt "$screen_h" ]; then
    echo "FAULT: $size: the framed window does not lie on the screen"; ok=0
  fi
  if [ "$layout" = check ]; then
    /usr/bin/python3 "$here/layoutcheck.py" "$x" "$y" "$w" "$h" || ok=0
  fi
  # Leaving the subshell ends the program with the rest of its desktop.
  [ $ok = 1 ]
)

on_screen 640x480 429x273 check || failures=$((failures + 1))
on_screen 1024x768 878x566 check || failures=$((failures + 1))
on_screen 1920x1080 1918x1059 check || failures=$((failures + 1))
SHOT_SUFFIX=-ratio2 on_screen 1600x1200 1072x682 skip QT_SCALE_FACTOR=2 || failures=$((failures + 1))

[ $failures = 0 ] && echo "PASS" || echo "$failures screen(s) failed"
[ $failures = 0 ]
