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

export WINEPREFIX=$desktop_dir/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineboot -i >"$desktop_dir/wine.log" 2>&1 || fail "no Wine prefix"
# Wine has none of Windows' faces; the window's names get those the Linux build maps them to.
for face in "Arial=Liberation Sans" "MS Sans Serif=DejaVu Sans" "Script=Dancing Script"; do
  wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "${face%%=*}" /d "${face#*=}" /f >>"$desktop_dir/wine.log" 2>&1
done
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
# Wine's explorer docks the icon into the tray in a window of its own.
docked() { xwininfo -tree -id "$(xdotool search --classname trayer | head -1)" | grep -q explorer.exe; }
desktop_wait 20 docked || fail "no icon in the tray"
shot windows-configuration
shot_tray() { import -window root -crop 200x30+824+0 "$artifacts/windows-tray.png"; }
shot_tray

# The click lands on "Ativado", the first of the two choices at the window's top right.
eval "$(xdotool getwindowgeometry --shell "$(main_window)")"
xdotool mousemove $((X + 400)) $((Y + 24)) click 1
desktop_wait 5 hidden || fail "Ativado leaves the window"
armed=$SECONDS

desktop_wait 70 shown || fail "no alert after $((SECONDS - armed)) s"
window=$(main_window)
desktop_wait 5 sh -c "xprop -id $window _NET_WM_STATE | grep -q MAXIMIZED_VERT.*MAXIMIZED_HORZ\|MAXIMIZED_HORZ.*MAXIMIZED_VERT" ||
  fail "the alert is not maximized: $(wm_state "$window")"
wm_state "$window" | grep -q ABOVE || fail "the alert is not on top: $(wm_state "$window")"
echo "the alert after $((SECONDS - armed)) s: $(wm_state "$window"); active: $(xdotool getactivewindow), alert: $window"
shot windows-alert
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove $((X + 509)) $((Y + HEIGHT - 25)) click 1
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
