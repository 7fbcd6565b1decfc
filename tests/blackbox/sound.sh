#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The alert's sound for real: each kind of name handed to the desktop's sound service, and what
# reached the sound server, recorded from the null sink's monitor and measured with sox.
#   sound.sh SORVANTO PLAYSOUNDS
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/desktop.sh"
desktop_start 800x600
playsounds=$(realpath "$2")
work=$desktop_dir/sound
artifacts=${SORVANTO_ARTIFACTS:-$desktop_dir/artifacts}/sound
mkdir -p "$work" "$artifacts"
failures=0


theme=/usr/share/sounds/freedesktop/stereo
cd "$work"
sox -n -r 44100 -c 2 -b 16 tone.wav synth 0.8 sine 440 vol 0.5
sox -n -r 44100 -c 2 -b 16 long.wav synth 3 sine 300 vol 0.4
sox -n -r 44100 -c 2 -b 16 short.wav synth 0.5 sine 880 vol 0.6
sox -n -r 44100 -c 2 -b 24 deep.wav synth 0.8 sine 440 vol 0.5
sox "$theme/bell.oga" -r 44100 -c 2 -b 16 bell.wav
sox "$theme/complete.oga" -r 44100 -c 2 -b 16 complete.wav
mkdir folder.wav
printf 'not a sound at all\n' >text.wav
head -c 30000 tone.wav >truncated.wav
mkfifo pipe.wav
# A header that claims far more samples than follow it.
{ head -c 40 tone.wav; printf '\xf0\xff\xff\x7f'; dd if=tone.wav bs=4 skip=11 count=5000 status=none; } >lying.wav
truncate -s 2G huge.wav
odd_name=$work/$'a\nb; $(touch pwned) `touch pwned`.wav'

# The played part of a recording: its length in seconds and its peak, silence trimmed at both ends.
measure() {
  sox "$1" -n silence 1 0.001 0.5% reverse silence 1 0.001 0.5% reverse stat 2>&1 |
    awk '/^Length/ {l = $3} /^Maximum amplitude/ {p = $3} END {printf "%.3f %.4f\n", l, p}'
}

# record NAME ARGS...: plays ARGS through the real service while the sink's monitor is recorded.
record() {
  local name=$1; shift
  local out=$artifacts/$name.wav rc=0
  rm -f "$out"
  parecord --latency-msec=20 -d sorvanto_sink.monitor --file-format=wav "$out" &
  local recorder=$!
  # The monitor delivers nothing before the stream has settled: start once samples arrive.
  desktop_wait 10 sh -c "[ \$(stat -c %s '$out' 2>/dev/null || echo 0) -gt 44144 ]" || { echo "no recording"; exit 1; }
  timeout 20 "$playsounds" "$@" 2>"$work/$name.err" || rc=$?
  sleep 0.3
  kill -INT "$recorder"
  wait "$recorder" || true
  if [ $rc -ne 0 ] || [ -s "$work/$name.err" ]; then
    echo "FAIL $name: exit $rc, said: $(cat "$work/$name.err")"
    failures=$((failures + 1))
  fi
}

# expect CASE RECORDING LENGTH PEAK: the played part lasts LENGTH ± 0.02 s and peaks at PEAK ± 0.002.
expect() {
  local case=$1 got
  got=$(measure "$artifacts/$2.wav")
  if awk -v got="$got" -v l="$3" -v p="$4" 'BEGIN {
        split(got, g, " "); d = g[1] - l; e = g[2] - p
        exit !(d <= 0.02 && d >= -0.02 && e <= 0.002 && e >= -0.002) }'; then
    echo "ok   $case (length, peak: $got)"
  else
    echo "FAIL $case: played length, peak $got; expected $3 $4"
    failures=$((failures + 1))
  fi
}

read -r tone_length tone_peak < <(measure tone.wav)
read -r bell_length bell_peak < <(measure bell.wav)
read -r complete_length complete_peak < <(measure complete.wav)
read -r short_length short_peak < <(measure short.wav)

record wave-file "$work/tone.wav" @1500
expect "a wave file by its full path plays its samples" wave-file "$tone_length" "$tone_peak"

record theme-bell bell @1000
expect "a theme sound by name: bell" theme-bell "$bell_length" "$bell_peak"

record theme-complete complete @1800
expect "a theme sound by name: complete" theme-complete "$complete_length" "$complete_peak"

record relative-name tone.wav @1500
expect "a file name relative to the current directory" relative-name "$tone_length" "$tone_peak"

for case in "empty name=" "missing file=$work/missing.wav" "directory=$work/folder.wav" \
            "file that is not audio=$work/text.wav" "truncated wave file=$work/truncated.wav" \
            "24-bit wave, which the service cannot read=$work/deep.wav" "FIFO=$work/pipe.wav" \
            "device file=/dev/zero" "wave whose header claims more than it holds=$work/lying.wav" \
            "huge file that is not audio=$work/huge.wav" "name with a newline and shell characters=$odd_name" \
            "theme name that does not exist=no-such-sound-in-any-theme"; do
  label=${case%%=*}
  record "default-${label// /-}" "${case#*=}" @1000
  expect "the default sound for a $label" "default-${label// /-}" "$bell_length" "$bell_peak"
done

if [ -e "$work/pwned" ]; then
  echo "FAIL a sound name was run as a command"
  failures=$((failures + 1))
fi

# The long sound starts, the short one cuts it off 0.7 s later: what is heard ends with the
# short one, and the two never sound together (their peaks would add up).
record cut-off "$work/long.wav" @700 "$work/short.wav" @1500
read -r cut_length cut_peak < <(measure "$artifacts/cut-off.wav")
if awk -v l="$cut_length" -v p="$cut_peak" -v s="$short_length" -v sp="$short_peak" \
     'BEGIN { exit !(l > s + 0.3 && l < s + 1.0 && p < sp + 0.005 && p > sp - 0.005) }'; then
  echo "ok   a later sound cuts off one still playing (length, peak: $cut_length $cut_peak)"
else
  echo "FAIL a later sound cuts off one still playing: length, peak $cut_length $cut_peak"
  failures=$((failures + 1))
fi

# A sound server that stops answering holds the service's thread, never the program's end.
pulse_pid=$(pgrep -n -P $$ -x pulseaudio || true)
if [ -n "$pulse_pid" ]; then
  kill -STOP "$pulse_pid"
  start=$SECONDS
  rc=0
  timeout 20 "$playsounds" "$work/tone.wav" @200 "$work/short.wav" || rc=$?
  kill -CONT "$pulse_pid"
  if [ $rc -eq 0 ] && [ $((SECONDS - start)) -lt 10 ]; then
    echo "ok   a sound server that stops answering does not hold the program"
  else
    echo "FAIL a sound server that stops answering: exit $rc after $((SECONDS - start)) s"
    failures=$((failures + 1))
  fi
else
  echo "FAIL no sound server of this test to stop"
  failures=$((failures + 1))
fi

[ $failures -eq 0 ] || { echo "$failures case(s) failed; recordings in $artifacts"; exit 1; }
