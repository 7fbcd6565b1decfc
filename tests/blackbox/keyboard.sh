#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The window from the keyboard alone, with real key presses through the X server and the focus read
# over the accessibility bus: Tab and Shift+Tab visit the controls in their laid-out order and type
# nothing into the reminder text, the message line is entered with nothing selected, the order
# comes back whole when "Configurações" brings the configuration view back, an arrow key in the
# radio group arms, the alert comes while the user types on in another window and what they type
# changes and ends nothing, its armed view keeps the message line and the text in the order, and a
# real click on "OK" removes the tray icon and ends the program. A preloaded library shortens the
# countdown to a second.
#   keyboard.sh SORVANTO FASTCLOCK
set -euo pipefail
bin=$1
fastclock=$2
source "$(dirname "$0")/desktop.sh"
DESKTOP_SOUND=0 desktop_start 800x600

text="texto do sorvanto"
message="mensagem do sorvanto"
reminder="está na hora de levantar dessa cadeira!!!"
# The colour list goes by the colour it shows.
configuration=("$text" "$message" Desativado Intervalo White Som
  "marque aqui se deseja ouvir um som no momento do sorvanto")

focus_on() { [ "$(ui focused | head -n 1)" = "$1" ]; }
expect_focus() {  # expect_focus NAME AFTER: the focus reaches the control called NAME
  desktop_wait 5 focus_on "$1" || fail "$2: the focus is on '$(ui focused | head -n 1)', not on '$1'"
  [ "$1" != "$message" ] || [ "$(ui focused | tail -n 1)" = "caret 0, nothing selected" ] ||
    fail "$2: the message line shows '$(ui focused | tail -n 1)'"
}
# cycle KEY NAME...: from the first control named, each KEY goes on to the next and the last back to the first.
cycle() {
  local key=$1 first=$2 name
  shift 2
  expect_focus "$first" "before $key"
  for name in "$@" "$first"; do
    xdotool key --clearmodifiers "$key"
    expect_focus "$name" "$key"
  done
}
backwards() { local i; for ((i = $#; i > 0; i--)); do printf '%s\n' "${!i}"; done; }
# both_ways NAME...: the cycle with Tab, then backwards with Shift+Tab, from the first control named.
both_ways() {
  local back
  mapfile -t back < <(backwards "${@:2}")
  cycle Tab "$@"
  [ "$(ui text "$text")" = "$reminder" ] || fail "Tab changed the reminder text to '$(ui text "$text")'"
  cycle shift+Tab "$1" "${back[@]}"
}
reach() {  # reach NAME: Tab until the control called NAME has the focus
  local i
  for i in 1 2 3 4 5 6 7 8; do
    desktop_wait 2 focus_on "$1" && return 0
    xdotool key --clearmodifiers Tab
  done
  fail "Tab never reaches '$1'"
}

LD_PRELOAD=$fastclock start_shown "$bin"
desktop_wait 10 tray_icon || fail "no tray icon"
xdotool windowactivate --sync "$(main_window)"
expect_focus "$text" "at start"
both_ways "${configuration[@]}"
echo "ok   the configuration view, both ways"

# The first "Configurações" hides the window in the armed view, the second brings the configuration view back.
open_menu
choose 2
desktop_wait 10 hidden || fail "\"Configurações\" does not hide the window"
open_menu
choose 2
desktop_wait 10 shown || fail "\"Configurações\" does not show the window"
xdotool windowactivate --sync "$(main_window)"
reach "$text"
both_ways "${configuration[@]}"
echo "ok   the configuration view again, both ways"

start_fullscreen_window
xdotool windowactivate --sync "$(main_window)"
reach Desativado
xdotool key --clearmodifiers Left
# The hidden window hands the focus back to the other one, where the user types on.
type_along 20 || fail "Left in the radio group does not arm: no alert"
ui showing OK || fail "the typing ended the alert"
[ "$(ui text "$text")" = "$reminder" ] || fail "typing elsewhere changed the alert's text to '$(ui text "$text")'"
expect_focus "$message" "in the alert"
both_ways "$message" "$text"
echo "ok   the alert keeps what the user types elsewhere out, and its armed view, both ways"

read -r x y w h < <(ui extents OK)
xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 1
ends OK icon-removed
echo "ok   a click on OK removes the tray icon and ends the program"
