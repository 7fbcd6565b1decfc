#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# What Orca says, from its debug file: the frame, the message line tabbed to, the alert with no key pressed.
set -euo pipefail
source "$(dirname "$0")/desktop.sh" && DESKTOP_SOUND=0 desktop_start 800x600
orca=$desktop_dir/orca && mkdir "$orca" && mkfifo "$orca/input"
speech-dispatcher --run-single --timeout 0 >/dev/null 2>&1 & desktop_pids+=($!)
LD_PRELOAD=$2 start_program "$1" && desktop_wait 20 shown || fail "no window"  # $2 shortens the countdown to 1 s
# Orca writes its debug file at once only to a terminal: script gives it one, with an input that never ends.
script -qfc "orca --debug-file /dev/tty -u $orca" "$orca/said" <>"$orca/input" >/dev/null 2>&1 & desktop_pids+=($!)
said() { tail -c "+$mark" "$orca/said" | grep -qF "SPEECH OUTPUT: '$1'"; }
hears() { desktop_wait 20 said "$1" || fail "Orca does not say '$1'"; mark=$(($(stat -c %s "$orca/said") + 1)); }
mark=1 && hears "Velmora-SORVANTO Vrs. 1.0 frame." && xdotool key Tab && hears "mensagem do sorvanto read only text."
# With no key for a second, Orca takes the window's hiding for none of the user's doing: still the alert is heard.
sleep 1.5 && ui press Ativado && hears "1  minuto(s) atrás  você pediu para lembrar que: está na hora de levantar dessa cadeira!!!"
