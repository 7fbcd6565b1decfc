#!/usr/bin/env bash
# A user's whole day with the program: start, arm one minute with sound, the alert comes back
# maximized and on top with its message and the default sound, and "OK" ends the program.
set -euo pipefail
bin=$1
source "$(dirname "$0")/desktop.sh"
desktop_start 1024x768

QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$bin" >"$desktop_dir/app.log" 2>&1 &
app=$!
desktop_pids+=("$app")
desktop_wait 20 main_window || fail "no window"
win=$(main_window)
desktop_wait 10 shown || fail "window not shown"
desktop_wait 10 tray_icon || fail "no tray icon"

eval "$(xdotool getwindowgeometry --shell "$win")"
[ $((X + WIDTH / 2 - 512)) -le 2 ] && [ $((512 - X - WIDTH / 2)) -le 2 ] || fail "not centred across: $X"
[ "$WIDTH" = 536 ] && [ "$HEIGHT" = 341 ] || fail "client area $WIDTH x $HEIGHT"
shot configuration

ui settext Intervalo 1
ui press "marque aqui se deseja ouvir um som no momento do sorvanto"
parecord --latency-msec=20 -d sorvanto_sink.monitor --file-format=wav "$desktop_dir/heard.wav" &
recorder=$!
desktop_pids+=("$recorder")
ui press Ativado
armed=$SECONDS
desktop_wait 5 hidden || fail "the window stays after arming"

desktop_wait 80 shown || fail "no alert"
win=$(main_window)
waited=$((SECONDS - armed))
[ $waited -ge 58 ] || fail "alert after $waited s"
sleep 1.5
kill "$recorder"
wm_state "$win" | grep -q _NET_WM_STATE_ABOVE || fail "alert not on top: $(wm_state "$win")"
wm_state "$win" | grep -q _NET_WM_STATE_MAXIMIZED_HORZ || fail "alert not maximized: $(wm_state "$win")"
eval "$(xdotool getwindowgeometry --shell "$win")"
[ "$WIDTH" -ge 1000 ] && [ "$HEIGHT" -ge 700 ] || fail "alert is $WIDTH x $HEIGHT"
message=$(ui text "mensagem do sorvanto")
[ "$message" = "1  minuto(s) atrás  você pediu para lembrar que:" ] || fail "message line: '$message'"
ui showing OK || fail "no OK"
ui showing sair && fail "sair shown in the alert"
shot alert

peak=$(sox "$desktop_dir/heard.wav" -n stat 2>&1 | awk '/Maximum amplitude/{print $3}')
awk -v p="$peak" 'BEGIN{exit !(p > 0.05)}' || fail "no sound heard (peak $peak)"

ui press OK
status=0
wait "$app" || status=$?
[ $status = 0 ] || fail "exit status $status"
tray_icon >/dev/null && fail "tray icon left behind"
echo "journey: alert after ${waited}s, sound peak $peak"
