#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The window as a blind user hears it, from Orca's debug file, which records every phrase it speaks:
# the window is a frame described by its message line, Tab into the message line says its name and
# its text, and when the alert comes, Orca says, with no key pressed, the frame, its message line
# and the reminder text, even where it took the hidden window for the active one all along. A
# preloaded library shortens the countdown to a second.
#   screenreader.sh SORVANTO FASTCLOCK
set -euo pipefail
bin=$1
fastclock=$2
source "$(dirname "$0")/desktop.sh"
DESKTOP_SOUND=0 desktop_start 800x600

spoken=$desktop_dir/orca.debug
mkdir "$desktop_dir/orca"
printf '{"general": {"enableSpeech": true, "firstStart": false}, "profiles": {"default": {"profile": ["Default", "default"]}}, "keybindings": {}, "pronunciations": {}}\n' \
  >"$desktop_dir/orca/user-settings.conf"
# A speech server of this desktop's own, whose dummy voice says nothing aloud.
speech-dispatcher --run-single --timeout 0 >"$desktop_dir/speech.log" 2>&1 &
desktop_pids+=($!)

phrases() { sed -n "s/^.* - SPEECH OUTPUT: '\(.*\)' *{.*$/\1/p" "$spoken" 2>/dev/null; }
# after LINE PHRASE: the number of the first phrase after the LINEth that holds PHRASE.
after() { phrases | awk -v from="$1" -v p="$2" 'NR > from && index($0, p) {print NR; found = 1; exit} END {exit !found}'; }
mark() { said=$(phrases | wc -l); }
# hears WHEN PHRASE...: after the mark, Orca says each phrase, in this order.
hears() {
  local when=$1 line=$said phrase
  shift
  for phrase in "$@"; do
    desktop_wait 20 after "$line" "$phrase" || {
      cp "$spoken" "$artifacts/orca.debug"
      fail "$when: Orca does not say '$phrase'; it says: $(phrases | tail -n +$((said + 1)) | paste -sd '|')"
    }
    line=$(after "$line" "$phrase")
  done
}

LD_PRELOAD=$fastclock start_program "$bin"
desktop_wait 20 shown || fail "no window"
desktop_wait 10 tray_icon || fail "no tray icon"
xdotool windowactivate --sync "$(main_window)"
said=0
# Orca holds back what it writes to its debug file, but for a terminal's: it runs on one that script
# copies into the file as it comes, with a pipe of its own for the terminal's input, which never ends.
mkfifo "$desktop_dir/orca/input"
script -qfc "orca --debug-file /dev/tty -u '$desktop_dir/orca'" "$spoken" <>"$desktop_dir/orca/input" >/dev/null 2>&1 &
desktop_pids+=($!)
hears "at start" "Velmora-SORVANTO Vrs. 1.0 frame." "escreva seu texto de sorvanto abaixo"
echo "ok   at start, the frame with its message line"

mark
xdotool key --clearmodifiers Tab
hears "Tab into the message line" "mensagem do sorvanto read only text." "escreva seu texto de sorvanto abaixo"
echo "ok   Tab into the message line says its name and its text"

mark
xdotool key --clearmodifiers shift+Tab
hears "Shift+Tab back to the reminder text" "texto do sorvanto text."
# Armed with no key pressed in the last second, Orca takes the window's hiding for none of the
# user's doing and keeps it as the active window: the alert must still be heard.
sleep 1.5
mark
ui press Ativado
desktop_wait 20 ui showing OK || fail "no alert"
hears "the alert" "Velmora-SORVANTO Vrs. 1.0 frame." \
  "1  minuto(s) atrás  você pediu para lembrar que: está na hora de levantar dessa cadeira!!!"
echo "ok   the alert says its message line and the reminder text"

ui press OK
ends OK icon-removed
