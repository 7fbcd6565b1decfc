#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The tray icon over StatusNotifierItem, as KDE, GNOME's indicator extension, Xfce or waybar see
# it: the host's context-menu request opens the menu at the place the host gives, wherever the
# pointer is, its secondary activation hides the window, and the menu it may draw itself is the
# program's, with the same actions.
set -euo pipefail
bin=$1
here=$(dirname "$0")
source "$here/desktop.sh"
DESKTOP_SOUND=0 DESKTOP_TRAY=none desktop_start 1024x768

start_watcher "$desktop_dir/items"

start_shown "$bin"
desktop_wait 10 test -s "$desktop_dir/items" || fail "the item never registered"
item=$(head -1 "$desktop_dir/items")

[ "$(host menu "$item" | grep -v '^-$' | tr '\n' '|')" = "Velmora - SORVANTO|Configurações|Sair|" ] ||
  fail "exported menu: $(host menu "$item" | tr '\n' '|')"

arm_for 30

# A primary activation does nothing: the window, asked after its call has returned, is still hidden.
host call "$item" Activate 500 300
ui hidden "texto do sorvanto" || fail "a primary activation showed the window"
popup_menu >/dev/null && fail "a primary activation opened a menu"

# Under XWayland the pointer's place is unknown while it is over another program's Wayland window.
xdotool mousemove 100 100
host call "$item" ContextMenu 500 300
menu_at 500 300
shot sni-menu
choose 2
desktop_wait 5 shown || fail "Configurações from the menu"
ui showing Intervalo || fail "not the configuration view"

host call "$item" SecondaryActivate 500 300
desktop_wait 5 hidden || fail "secondary activation does not hide the window"

host click "$item" "Configurações"
desktop_wait 5 shown || fail "Configurações from the host's own menu"

host click "$item" "Sair"
ends "Sair from the host's menu"
echo "sni: exported menu, context menu where the host asks, secondary activation and the host's menu all answer"
