#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows installer under Wine: /S installs the program, its shortcut and its entry in the list of
# programs into a fresh prefix; the program shows its window and docks its icon in the X tray;
# "Ativado" hides the window; a minute later the alert comes maximized and on top, while the user types
# in another window, which changes its text not at all, and a click on its "OK" ends the program with
# status 0. Installed again over the program waiting in the tray, the setup
# ends it and replaces its file; uninstalled while it runs, it leaves no file and no key behind. For the
# current user likewise, where a program that does not end fails the upgrade, and a file in use the
# uninstall.
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
# Wine's explorer docks the icon into the tray's panel in a window of its own.
panel() { xdotool search --classname '^panel$' | head -1; }
docked() { xwininfo -children -id "$(panel)" | grep '^ *0x' | grep -vq ' 1x1+'; }
# The installed program started anew, its window shown and its icon docked; its PID in app.
run_installed() {
  wine "$folder/sorvanto.exe" >>"$desktop_dir/app.log" 2>&1 &
  app=$!
  desktop_pids+=("$app")
  desktop_wait 60 shown || fail "no window"
  desktop_wait 20 docked || fail "no icon in the tray"
}
# The click lands on "Ativado", the first of the two choices at the window's top right.
arm_by_click() {
  window_place "$(main_window)"
  xdotool mousemove $((X + WIDTH * 565 / 1000)) $((Y + 30)) click 1
  desktop_wait 5 hidden || fail "Ativado leaves the window at $X,$Y ${WIDTH}x$HEIGHT"
}
ends_well() { ended || fail "$1: the program still runs"; [ "$status" = 0 ] || fail "$1: exit status $status"; }
# The uninstaller goes on from a copy of itself; run from a copy, its status is the uninstall's own.
uninstall_copy() {
  cp "$folder/uninstall.exe" "$desktop_dir/uninstall.exe"
  wine cmd /c "$(winepath -w "$desktop_dir/uninstall.exe") /S _?=$(winepath -w "$folder")" >>"$desktop_dir/wine.log" 2>&1
}

wine "$setup" /S >>"$desktop_dir/wine.log" 2>&1 || fail "the installer failed"
[ -f "$folder/sorvanto.exe" ] && [ -f "$folder/uninstall.exe" ] && [ -f "$shortcut" ] || fail "installed: $(leftovers)"
entry=$(wine reg query "$key")
for value in "DisplayName.*Sorvanto" "DisplayVersion.*1\.0" "Publisher.*Velmora" "DisplayIcon.*sorvanto\.exe" \
  "EstimatedSize.*0x[1-9a-f]" "UninstallString.*uninstall\.exe"; do
  grep -q "$value" <<<"$entry" || fail "the programs' list lacks $value: $entry"
done

run_installed
# Then Wine draws the icon there, usually a second later; in some runs not within ten.
tray() { window_place "$(panel)"; import -window root -crop "${WIDTH}x$HEIGHT+$X+$Y" "$@"; }
drawn() { [ "$(tray -format '%k' info:)" -gt 1 ]; }
desktop_wait 10 drawn || echo "the tray icon is not drawn yet, 10 s after it docked"
shot windows-configuration
tray "$artifacts/windows-tray.png"

# The user goes back to another program and types on there, as the alert comes after the real minute.
start_fullscreen_window
xdotool windowactivate --sync "$(main_window)"
arm_by_click
armed=$SECONDS
type_along 80 || fail "no alert after $((SECONDS - armed)) s"
window=$(main_window)
desktop_wait 5 maximized "$window" || fail "the alert is not maximized: $(wm_state "$window")"
on_top "$window" || fail "the alert is not on top: $(wm_state "$window")"
echo "the alert after $((SECONDS - armed)) s: $(wm_state "$window"); active: $(xdotool getactivewindow), alert: $window"
shot windows-alert
# What the typing left of the reminder: a deliberate click into it, and a copy, give it to the clipboard.
window_place "$window"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 1 key ctrl+a ctrl+c
copied() { xclip -o -selection clipboard 2>/dev/null; }
intact() { [ "$(copied)" = "está na hora de levantar dessa cadeira!!!" ]; }
desktop_wait 5 intact || fail "typing elsewhere changed the alert's text to '$(copied)'"
# "OK" is all there is on the white strip at the bottom.
read -r w h x y < <(import -window root -crop $((WIDTH - 20))x40+$((X + 10))+$((Y + HEIGHT - 48)) +repage png:- |
  convert - -fuzz 20% -trim -format '%w %h %X %Y\n' info:)
xdotool mousemove $((X + 10 + x + w / 2)) $((Y + HEIGHT - 48 + y + h / 2)) click 1
ends_well OK

# The upgrade ends the program armed in the tray and replaces the file it runs from, marked here.
cp "$folder/sorvanto.exe" "$desktop_dir/sorvanto.exe"
echo old >>"$folder/sorvanto.exe"
run_installed
arm_by_click
wine "$setup" /S >>"$desktop_dir/wine.log" 2>&1 || fail "the upgrade over the running program failed"
ends_well "the upgrade"
cmp -s "$folder/sorvanto.exe" "$desktop_dir/sorvanto.exe" || fail "the upgrade kept the old program"

run_installed
uninstall_copy || fail "the uninstall while the program runs failed"
ends_well "the uninstall"
leftovers && fail "the uninstall while the program runs left these behind"
allusers=$key

key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Sorvanto'
folder="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local/Programs/Sorvanto"
shortcut="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Sorvanto.lnk"
wine "$setup" /S /CurrentUser >>"$desktop_dir/wine.log" 2>&1 || fail "the install for the current user failed"
[ -f "$folder/sorvanto.exe" ] && [ -f "$shortcut" ] || fail "installed for the current user: $(leftovers)"
wine reg query "$key" | grep -q 'UninstallString.*/CurrentUser' || fail "no entry for the current user"
wine reg query "$allusers" >/dev/null 2>&1 && fail "the install for the current user made an entry for all users"
# A program that never ends keeps its file, and the upgrade fails.
echo old >>"$folder/sorvanto.exe"
cp "$folder/sorvanto.exe" "$desktop_dir/sorvanto.exe"
run_installed
kill -STOP "$app"
wine "$setup" /S >>"$desktop_dir/wine.log" 2>&1 && fail "the upgrade over a program that does not end succeeded"
cmp -s "$folder/sorvanto.exe" "$desktop_dir/sorvanto.exe" || fail "the failed upgrade changed the program"
kill -CONT "$app"
ends_well "the failed upgrade"
# Another program holds the file open: the uninstall fails, and keeps the entry.
wine cmd /c "echo >$(winepath -w "$desktop_dir/held") & ping -n 10 127.0.0.1 <$(winepath -w "$folder/sorvanto.exe") >nul" &
holder=$!
desktop_wait 10 test -s "$desktop_dir/held" || fail "nothing holds the program's file"
uninstall_copy && fail "the uninstall of a file in use succeeded"
[ -f "$folder/sorvanto.exe" ] && wine reg query "$key" >/dev/null || fail "the failed uninstall left only: $(leftovers)"
wait "$holder"
# As the list of programs does it: its command line has the uninstaller's path in quotes.
eval "wine $(wine reg query "$key" /v QuietUninstallString | tr -d '\r' | sed -n 's/.*REG_SZ *//p')" >>"$desktop_dir/wine.log" 2>&1
desktop_wait 30 sh -c "! { find '$folder' '$shortcut' 2>/dev/null | grep -q .; }" || fail "left behind: $(leftovers)"
wineserver -w
leftovers && fail "the uninstaller left these behind"
echo "windows: installed, window, tray icon, armed, alert maximized on top, OK ends with 0, upgraded and uninstalled" \
  "while running; for the current user, failing over a program that does not end and a file in use"
