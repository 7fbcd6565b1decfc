#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The font button, the colour list and the sound field of the real program on the test desktop,
# driven by choices.py; screenshots of each chooser are kept with the artifacts. The choosers speak
# the user's language: all of it in English, then Qt's choosers in Brazilian Portuguese.
#   choices.sh SORVANTO
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/desktop.sh"
program=$(realpath "$1")

# choices.py's run in the language of LOCALE; "sair" ends the program, which says nothing.
choices_in() {
  local locale=$1 artifacts rc=0
  desktop_start 1024x768
  artifacts=${SORVANTO_ARTIFACTS:-$desktop_dir/artifacts}/choices
  mkdir -p "$artifacts" "$desktop_dir/sounds"
  wave=$desktop_dir/sounds/tone.wav
  sox -n -r 44100 -c 2 -b 16 "$wave" synth 0.8 sine 440 vol 0.5

  start_program env -u LANGUAGE -u LC_ALL -u LC_MESSAGES LANG="$locale.UTF-8" "$program"
  timeout 180 /usr/bin/python3 "$here/choices.py" "$(dirname "$program")" "$wave" "$artifacts" "$locale" || rc=$?
  ends "sair ($locale)"
  [ -s "$desktop_dir/app.log" ] && fail "the program said something ($locale)"
  echo "ok   \"sair\" ends the program, which says nothing ($locale)"
  return $rc
}

english() { choices_in en_US; }
portuguese() { choices_in pt_BR; }
run_scenarios english portuguese
