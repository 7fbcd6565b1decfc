#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A user's day with the program, in one real minute: start, choose a sound, arm one minute, and the
# alert comes back maximized and on top with its message and the chosen sound; "OK" removes the
# tray icon and ends the program. In the same minute, on desktops of their own: the same with no
# sound server at all, with the sound server gone between arming and the alert, under valgrind's
# memcheck when a build without sanitizers is given, and over a fullscreen window on another window
# manager with the countdown shortened (SORVANTO_FAST_CLOCK).
#   journey.sh SORVANTO [UNSANITIZED_SORVANTO]
set -euo pipefail
bin=$1
plain=${2:-}
source "$(dirname "$0")/desktop.sh"

start() {  # start [WRAPPER...]: the program on this desktop, its window shown and its icon in the tray
  start_shown "$@" "$bin"
  desktop_wait 20 tray_icon || fail "no tray icon"
}

arm_one_minute_with_sound() {
  ui settext Intervalo 1
  ui press "marque aqui se deseja ouvir um som no momento do sorvanto"
  ui press Ativado
  armed=$SECONDS
  desktop_wait 10 hidden || fail "the window stays after arming"
}

alert_comes() {
  desktop_wait 100 shown || fail "no alert"
  waited=$((SECONDS - armed))
  [ $waited -ge 58 ] || fail "alert after $waited s"
  ui showing OK || fail "no OK in the alert"
  ui hidden sair || fail "sair shown in the alert"
  [ "$(ui text "mensagem do sorvanto")" = "1  minuto(s) atrás  você pediu para lembrar que:" ] ||
    fail "message line: '$(ui text "mensagem do sorvanto")'"
  on_top_and_maximized
  # An error box would be a second window of the program.
  popup_menu >/dev/null && fail "a second window beside the alert"
  return 0
}

# The alert comes on screen at its normal size, and is maximized there.
maximized_on_top() { maximized "$(main_window)" && on_top "$(main_window)"; }
on_top_and_maximized() {
  desktop_wait 5 maximized_on_top || fail "alert not maximized on top: $(wm_state "$(main_window)")"
  window_place "$(main_window)"
  [ "$WIDTH" -ge 780 ] && [ "$HEIGHT" -ge 540 ] || fail "alert is $WIDTH x $HEIGHT"
}

ok_ends() { ui press OK; ends OK icon-removed; }

everyday() {
  desktop_start 800x600
  start
  window_place "$(main_window)"
  [ $((X + WIDTH / 2 - 400)) -le 2 ] && [ $((400 - X - WIDTH / 2)) -le 2 ] || fail "not centred across: $X"
  [ "$WIDTH" = 536 ] && [ "$HEIGHT" = 341 ] || fail "client area $WIDTH x $HEIGHT"
  shot configuration

  # The sound the user chose: 0.8 s of a tone at half the full scale.
  sox -n -r 44100 -c 2 -b 16 "$desktop_dir/chosen.wav" synth 0.8 sine 440 vol 0.5
  ui settext Som "$desktop_dir/chosen.wav"
  parecord --latency-msec=20 -d sorvanto_sink.monitor --file-format=wav "$desktop_dir/heard.wav" &
  recorder=$!
  desktop_pids+=("$recorder")
  arm_one_minute_with_sound
  # The countdown counts on the clock that goes on while the machine sleeps.
  countdown_left >/dev/null || fail "no countdown on the boot-time clock"

  alert_comes
  sleep 1.5
  kill "$recorder"
  shot alert
  read -r length peak < <(sox "$desktop_dir/heard.wav" -n silence 1 0.001 0.5% reverse silence 1 0.001 0.5% reverse \
    stat 2>&1 | awk '/^Length/ {l = $3} /^Maximum amplitude/ {p = $3} END {print l, p}')
  awk -v l="$length" -v p="$peak" 'BEGIN{exit !(l > 0.7 && l < 0.9 && p > 0.45 && p < 0.55)}' ||
    fail "the chosen sound was not heard: length $length s, peak $peak"

  # The window manager restarting must not take the alert down from the top.
  openbox --replace >"$desktop_dir/openbox2.log" 2>&1 &
  desktop_pids+=($!)
  sleep 3
  on_top_and_maximized
  ok_ends
  echo "everyday: alert after ${waited}s, the chosen sound heard ($length s, peak $peak), on top after the window manager restarted"
}

no_sound_server() {
  DESKTOP_SOUND=0 desktop_start 800x600
  start
  arm_one_minute_with_sound
  alert_comes
  ok_ends
  echo "no sound server: alert after ${waited}s, no error"
}

sound_server_gone() {
  desktop_start 800x600
  start
  arm_one_minute_with_sound
  kill "$desktop_pulse"
  alert_comes
  ok_ends
  echo "sound server gone before the alert: alert after ${waited}s, no error"
}

# The countdown runs out after a second while the user's window is fullscreen and focused: the alert
# comes in front of that window, focused, maximized, drawn whole on screen, with "OK" inside it.
# Under xfwm4, a compositing window manager, and under fluxbox, which keeps a fullscreen window in
# front of any that is not brought there as the user would.
over_a_fullscreen_window() {  # over_a_fullscreen_window WINDOW_MANAGER
  DESKTOP_SOUND=0 DESKTOP_WM=$1 desktop_start 1024x768
  [ -f "${SORVANTO_FAST_CLOCK:-}" ] || fail "SORVANTO_FAST_CLOCK names no library"
  LD_PRELOAD=$SORVANTO_FAST_CLOCK start_shown "$bin"
  start_fullscreen_window
  ui press Ativado
  desktop_wait 10 maximized_on_top || fail "no alert"
  alert=$(main_window)
  desktop_wait 5 sh -c "[ \"\$(xdotool getactivewindow)\" = $alert ]" || fail "the alert is not the active window"
  on_top_and_maximized
  sleep 1
  drawn_whole "$alert" || fail "the screen does not show the alert whole"
  shot alert-over-fullscreen
  ok_inside "$alert"
  ok_ends
  echo "over a fullscreen window, $1: the alert came in front, focused, maximized and whole, OK inside"
}
over_fullscreen_under_xfwm4() { over_a_fullscreen_window xfwm4; }
over_fullscreen_under_fluxbox() { over_a_fullscreen_window fluxbox; }

memcheck() {
  DESKTOP_SOUND=0 desktop_start 800x600
  bin=$plain start valgrind --tool=memcheck --leak-check=full --errors-for-leak-kinds=definite \
    --log-file="$desktop_dir/memcheck.log" --suppressions="$(dirname "$0")/memcheck.supp"
  arm_one_minute_with_sound
  alert_comes
  ok_ends
  cp "$desktop_dir/memcheck.log" "$artifacts/"
  grep -q 'definitely lost: 0 bytes' "$desktop_dir/memcheck.log" || grep -q 'All heap blocks were freed' \
    "$desktop_dir/memcheck.log" || { grep -A3 'LEAK SUMMARY' "$desktop_dir/memcheck.log"; fail "definite leaks"; }
  grep 'ERROR SUMMARY' "$desktop_dir/memcheck.log" | tail -1
  grep -q 'ERROR SUMMARY: 0 errors' "$desktop_dir/memcheck.log" || fail "memcheck errors"
  echo "memcheck: $(grep -E 'definitely lost|ERROR SUMMARY' "$desktop_dir/memcheck.log" | sed 's/==[0-9]*== *//' | tr '\n' ' ')"
}

scenarios=(everyday no_sound_server sound_server_gone over_fullscreen_under_xfwm4 over_fullscreen_under_fluxbox)
[ -n "$plain" ] && scenarios+=(memcheck)
[ -n "${JOURNEY_SCENARIOS:-}" ] && read -r -a scenarios <<<"$JOURNEY_SCENARIOS"
run_scenarios "${scenarios[@]}"
