#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows installer under Wine: /S installs the program, its shortcut and its entry in the list of
# programs into a fresh prefix; the program shows its window and docks its icon in the X tray;
# "Ativado" hides the window; a minute later the alert comes maximized and on top, and a click on its
# "OK" ends the program with status 0; the uninstaller then leaves no file and no key behind.
#   windows.sh SETUP.EXE
set -euo pipefail
setup=$(realpath "$1")
source "$(dirname "$0")/desktop.sh"
DESKTOP_SOUND=0 desktop_start 1024x768

wine_prefix "$desktop_dir/wine" >"$desktop_dir/wine.log" 2>&1 || fail "no Wine prefix"
key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Sorvanto'
folder="$WINEPREFIX/drive_c/Program Files/Sorvanto"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Sorvanto.lnk"
leftovers() { find "$folder" "$shortcut" 2>/dev/null | grep . || wine reg query "$key" 2>/dev/null | grep .; }

wine "$setup" /S >>"$desktop_dir/wine.log" 2>&1 || fail "the installer failed"
[ -f "$folder/sorvanto.exe" ] && [ -f "$folder/uninstall.exe" ] && [ -f "$shortcut" ] || fail "installed: $(leftovers)"
entry=$(wine reg query "$key")
for value in "DisplayName.*Sorvanto" "DisplayVersion.*1\.0" "Publisher.*Velmora" "DisplayIcon.*sorvanto\.exe" \
  "EstimatedSize.*0x[1-9a-f]" "UninstallString.*uninstall\.exe"; do
  grep -q "$value" <<<"$entry" || fail "the programs' list lacks $value: $entry"
done

wine "$folder/sorvanto.exe" >>"$desktop_dir/app.log" 2>&1 &
app=$!
desktop_pids+=("$app")
desktop_wait 60 shown || fail "no window"
# Wine's explorer docks the icon into the tray's panel in a window of its own.
panel() { xdotool search --classname '^panel$' | head -1; }
docked() { xwininfo -children -id "$(panel)" | grep '^ *0x' | grep -vq ' 1x1+'; }
desktop_wait 20 docked || fail "no icon in the tray"
# Then Wine draws the icon there, usually a second later; in some runs not within ten.
tray() { window_place "$(panel)"; import -window root -crop "${WIDTH}x$HEIGHT+$X+$Y" "$@"; }
drawn() { [ "$(tray -format '%k' info:)" -gt 1 ]; }
desktop_wait 10 drawn || echo "the tray icon is not drawn yet, 10 s after it docked"
shot windows-configuration
tray "$artifacts/windows-tray.png"

# The click lands on "Ativado", the first of the two choices at the window's top right.
window_place "$(main_window)"
xdotool mousemove $((X + WIDTH * 565 / 1000)) $((Y + 30)) click 1
desktop_wait 5 hidden || fail "Ativado leaves the window at $X,$Y ${WIDTH}x$HEIGHT"
armed=$SECONDS

desktop_wait 70 shown || fail "no alert after $((SECONDS - armed)) s"
window=$(main_window)
desktop_wait 5 maximized "$window" || fail "the alert is not maximized: $(wm_state "$window")"
on_top "$window" || fail "the alert is not on top: $(wm_state "$window")"
echo "the alert after $((SECONDS - armed)) s: $(wm_state "$window"); active: $(xdotool getactivewindow), alert: $window"
shot windows-alert
# "OK" is all there is on the white strip at the bottom.
window_place "$window"
read -r w h x y < <(import -window root -crop $((WIDTH - 20))x40+$((X + 10))+$((Y + HEIGHT - 48)) +repage png:- |
  convert - -fuzz 20% -trim -format '%w %h %X %Y\n' info:)
xdotool mousemove $((X + 10 + x + w / 2)) $((Y + HEIGHT - 48 + y + h / 2)) click 1
timeout 30 tail --pid="$app" -f /dev/null || fail "OK does not end the program"
status=0
wait "$app" || status=$?
[ "$status" = 0 ] || fail "exit status $status"

wine "$folder/uninstall.exe" /S >>"$desktop_dir/wine.log" 2>&1
# The uninstaller goes on from a copy of itself, so that it can delete its own file.
desktop_wait 30 sh -c "! { find '$folder' '$shortcut' 2>/dev/null | grep -q .; }" || fail "left behind: $(leftovers)"
wineserver -w
leftovers && fail "the uninstaller left these behind"
echo "windows: installed, window, tray icon, armed, alert maximized on top, OK ends with 0, uninstalled"
