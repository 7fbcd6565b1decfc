#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A desktop without any sound server: the sound service neither complains nor crashes nor keeps
# anyone waiting, whatever it is asked to play, and the program starts and ends as ever.
#   nosound.sh SORVANTO PLAYSOUNDS
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/desktop.sh"
program=$(realpath "$1")
playsounds=$(realpath "$2")
failures=0

DESKTOP_SOUND=0 desktop_start 800x600
sox -n -r 44100 -c 2 -b 16 "$desktop_dir/tone.wav" synth 0.3 sine 440 vol 0.5
mkdir "$desktop_dir/folder"

rc=0
timeout 30 "$playsounds" "$desktop_dir/tone.wav" @100 bell @100 complete @100 "" @100 "$desktop_dir/missing.wav" @100 \
  "$desktop_dir/folder" @100 "$here/desktop.sh" @300 2>"$desktop_dir/playsounds.err" || rc=$?
if [ $rc -eq 0 ] && [ ! -s "$desktop_dir/playsounds.err" ]; then
  echo "ok   every kind of name, with no sound server: no error, no crash, no hang"
else
  echo "FAIL with no sound server the sound service ended with $rc and said: $(cat "$desktop_dir/playsounds.err")"
  failures=$((failures + 1))
fi

start_shown "$program"
ui press sair
ends "sair"
[ -s "$desktop_dir/app.log" ] && fail "the program with no sound server said something"
echo "ok   the program starts and ends with no sound server"

[ $failures -eq 0 ]
