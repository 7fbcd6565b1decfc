#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows installer under Wine: /S installs the program, its shortcut and its entry in the list of
# programs into a fresh prefix; the program shows its window and docks its icon in the X tray;
# "Ativado" hides the window; a minute later the alert comes maximized and on top, while the user types
# in another window, which changes its text not at all, and a click on its "OK" ends the program with
# status 0. Installed again over the program waiting in the tray, or with its font chooser open, the
# setup ends it and replaces its file; uninstalled while it runs, as the list of programs runs the
# uninstaller, it leaves no file and no key behind once it returns. For the current user likewise, where
# a program that does not end fails the upgrade, and a file in use the uninstall. The setup refuses
# Windows before 10, and a run that Windows should have elevated and did not ends at once with 740
# (UNELEVATED-SETUP.EXE believes itself unelevated).
#   windows.sh SETUP.EXE UNELEVATED-SETUP.EXE
set -euo pipefail
setup=$(realpath "$1")
unelevated=$(realpath "$2")
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
# upgrade_over STATE: the upgrade ends the program in that state and replaces its file, marked before.
upgrade_over() {
  wine "$setup" /S >>"$desktop_dir/wine.log" 2>&1 || fail "the upgrade over the program $1 failed"
  ends_well "the upgrade over the program $1"
  cmp -s "$folder/sorvanto.exe" "$desktop_dir/sorvanto.exe" || fail "the upgrade over the program $1 kept the old program"
}
# As the list of programs, winget and management tools run the uninstaller, its command line as it
# stands (cmd hands it on so); they take its status for the uninstall's.
uninstall() {
  wine reg query "$key" /v QuietUninstallString | tr -d '\r' | sed -n 's/.*REG_SZ *//p' >"$desktop_dir/uninstall.cmd"
  wine cmd /c "$(winepath -w "$desktop_dir/uninstall.cmd")" >>"$desktop_dir/wine.log" 2>&1
}
# ends_with STATUS COMMAND...: Wine hands back the low byte of a Windows program's status.
ends_with() {
  local status=0
  "${@:2}" >>"$desktop_dir/wine.log" 2>&1 || status=$?
  [ $status = $(($1 % 256)) ] || { echo "status $status, not that of $1"; return 1; }
}
windows_version() { wine reg add 'HKCU\Software\Wine' /v Version /d "$1" /f >>"$desktop_dir/wine.log" 2>&1; }

# Before Windows 10 the setup installs nothing; a run that Windows did not elevate, as asked, asks no more.
windows_version win7
ends_with 1150 wine "$setup" /S || fail "the setup does not refuse Windows 7"
windows_version win10
ends_with 740 timeout 60 wine "$unelevated" /S /AllUsers || fail "the setup that Windows did not elevate does not end"
leftovers && fail "the refused setups installed these"

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

cp "$folder/sorvanto.exe" "$desktop_dir/sorvanto.exe"
echo old >>"$folder/sorvanto.exe"
run_installed
arm_by_click
upgrade_over "armed in the tray"
# The font chooser is a modal dialog; the click lands on the font button, under "cor da fonte".
echo old >>"$folder/sorvanto.exe"
run_installed
window_place "$(main_window)"
xdotool mousemove $((X + WIDTH * 247 / 1000)) $((Y + 40)) click 1
desktop_wait 10 xdotool search --name '^Fonte?$' || fail "no font chooser at $X,$Y ${WIDTH}x$HEIGHT"
upgrade_over "with its font chooser open"

run_installed
uninstall || fail "the uninstall while the program runs failed"
leftovers && fail "the uninstall while the program runs left these behind"
ends_well "the uninstall"
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
uninstall && fail "the uninstall of a file in use succeeded"
[ -f "$folder/sorvanto.exe" ] && wine reg query "$key" >/dev/null || fail "the failed uninstall left only: $(leftovers)"
wait "$holder"
uninstall || fail "the uninstall failed"
leftovers && fail "the uninstaller left these behind"
echo "windows: installed, window, tray icon, armed, alert maximized on top, OK ends with 0, upgraded and uninstalled" \
  "while running; for the current user, failing over a program that does not end and a file in use"
