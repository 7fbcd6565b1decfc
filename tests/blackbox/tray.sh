#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The tray icon in an XEmbed tray answers the mouse: the right button opens the menu at the pointer,
# "Configurações" toggles the window, the middle button hides it, minimizing hides it, and "Sair"
# ends the program; a pending countdown keeps running throughout.
set -euo pipefail
bin=$1
source "$(dirname "$0")/desktop.sh"
DESKTOP_SOUND=0 desktop_start 1024x768

start_shown "$bin"
desktop_wait 10 tray_icon || fail "no tray icon"

arm_for 30
armed=$SECONDS
left=$(countdown_left) || fail "arming starts no countdown"

# A left click does nothing. The right click after it, a little lower, is handled after it: its
# menu finds the window still hidden, and opens where the right click was. A menu opened by the
# left click would have taken the right click, and stayed higher or closed.
click_tray_icon 1 -6
click_tray_icon 3
desktop_wait 5 popup_menu || fail "no menu after a left and a right click"
ui hidden "texto do sorvanto" || fail "a left click showed the window"
eval "$(xdotool getmouselocation --shell)"
px=$X py=$Y
window_place "$(popup_menu)"
# At the pointer, moved left only as far as the screen's edge requires.
[ "$Y" -ge "$py" ] && [ "$Y" -le $((py + 2)) ] || fail "menu top $Y, pointer $py"
[ $((X + WIDTH)) -le 1024 ] && [ "$X" -le "$px" ] || fail "menu left $X width $WIDTH, pointer $px"
shot tray-menu
choose 2
desktop_wait 5 shown || fail "Configurações does not show the window"
active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$(main_window)" ]; }
desktop_wait 5 active || fail "the window shown from the tray is not the active one"
ui showing Intervalo || fail "not the configuration view"
ui hidden OK || fail "OK in the configuration view"
wm_state "$(main_window)" | grep -q ABOVE && fail "the configuration view is on top"
shot configuration-from-tray

click_tray_icon 2
desktop_wait 5 hidden || fail "the middle button does not hide the window"

open_menu
choose 2
desktop_wait 5 shown || fail "Configurações after the middle button"
xdotool windowminimize "$(main_window)"
desktop_wait 5 hidden || fail "minimizing leaves the window"
open_menu
choose 2
desktop_wait 5 shown || fail "Configurações after minimizing shows nothing"
ui showing Intervalo || fail "not the configuration view after minimizing"

open_menu
choose 2
desktop_wait 5 hidden || fail "Configurações does not hide a shown window"

# The countdown armed at the start has gone on all along, neither stopped nor started anew.
now=$(countdown_left) || fail "no countdown left"
drift=$((left - (SECONDS - armed) - now))
[ "$now" -gt 0 ] && [ "${drift#-}" -le 2 ] || fail "$now s left of the countdown, $((SECONDS - armed)) s after $left s"

open_menu
choose 3
ends "Sair"
echo "tray: menu at the pointer, toggles, middle button, minimize and Sair all answer; the countdown ran on"
