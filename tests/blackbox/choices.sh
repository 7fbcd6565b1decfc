#!/usr/bin/env bash
# The font button, the colour list and the sound field of the real program on the test desktop,
# driven by choices.py; screenshots of each chooser are kept with the artifacts.
#   choices.sh SORVANTO
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/desktop.sh"
desktop_start 1024x768
program=$(realpath "$1")
artifacts=${SORVANTO_ARTIFACTS:-$desktop_dir/artifacts}/choices
mkdir -p "$artifacts" "$desktop_dir/sounds"

wave=$desktop_dir/sounds/tone.wav
sox -n -r 44100 -c 2 -b 16 "$wave" synth 0.8 sine 440 vol 0.5

QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$program" 2>"$desktop_dir/sorvanto.err" &
sorvanto=$!
desktop_pids+=("$sorvanto")

rc=0
timeout 180 /usr/bin/python3 "$here/choices.py" "$(dirname "$program")" "$wave" "$artifacts" || rc=$?

# "sair" ends the program by itself.
status=0
if desktop_wait 10 sh -c "! kill -0 $sorvanto"; then
  wait "$sorvanto" || status=$?
  [ $status -eq 0 ] && echo "ok   \"sair\" ends the program" || { echo "FAIL the program ended with $status"; rc=1; }
else
  echo "FAIL the program is still running"
  rc=1
fi
if [ -s "$desktop_dir/sorvanto.err" ]; then
  echo "FAIL the program said:"
  cat "$desktop_dir/sorvanto.err"
  rc=1
fi
exit $rc
