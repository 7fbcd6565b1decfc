# Sourced by the black-box tests: a private headless desktop (X server, session bus, window
# manager, XEmbed tray, sound server with a null sink), torn down by PID when the test exits.
#   desktop_start [WIDTHxHEIGHT]   then DISPLAY, DBUS_SESSION_BUS_ADDRESS and PULSE_SERVER are set.
# Each shell, subshells included, may start a desktop of its own.

desktop_pids=()

desktop_stop() {
  local status=$? pid
  set +e
  for pid in "${desktop_pids[@]}"; do kill "$pid" 2>/dev/null; done
  for pid in "${desktop_pids[@]}"; do wait "$pid" 2>/dev/null; done
  rm -rf "$desktop_dir"
  exit $status
}

desktop_wait() {  # desktop_wait SECONDS COMMAND...: until COMMAND succeeds
  local deadline=$((SECONDS + $1)); shift
  until "$@" >/dev/null 2>&1; do
    [ $SECONDS -ge $deadline ] && return 1
    sleep 0.1
  done
}

# A folder and a clean-up of their own for tests that start their desktop themselves. What the
# programs on the desktop write to their home (Qt's dialog history, caches) stays in that folder.
desktop_prepare() {
  desktop_pids=()
  desktop_dir=$(mktemp -d /tmp/sorvanto-desktop.XXXXXX)
  trap desktop_stop EXIT
  export HOME=$desktop_dir/home
  export XDG_CONFIG_HOME=$HOME/.config XDG_CACHE_HOME=$HOME/.cache XDG_DATA_HOME=$HOME/.local/share \
    XDG_STATE_HOME=$HOME/.local/state
  mkdir -p "$HOME"
}

desktop_start() {
  local size=${1:-1024x768}
  desktop_prepare
  # The X server takes the first free display itself and says which: a display chosen beforehand
  # may be taken meanwhile by a test running in parallel, whose server this test would then use.
  # Without -noreset the server resets whenever its last client leaves, and a client connecting
  # meanwhile, such as the window manager, is refused.
  Xvfb -displayfd 3 -noreset -screen 0 "${size}x24" -nolisten tcp 3>"$desktop_dir/display" \
    >"$desktop_dir/xvfb.log" 2>&1 &
  desktop_pids+=($!)
  desktop_wait 10 test -s "$desktop_dir/display" || { echo "no X server"; cat "$desktop_dir/xvfb.log"; return 1; }
  export DISPLAY=:$(cat "$desktop_dir/display")
  desktop_wait 10 xdpyinfo || { echo "no X server"; return 1; }

  eval "$(dbus-launch --sh-syntax)"
  desktop_pids+=("$DBUS_SESSION_BUS_PID")

  export XDG_RUNTIME_DIR=$desktop_dir/runtime
  mkdir -m 700 -p "$XDG_RUNTIME_DIR"
  if [ "${DESKTOP_SOUND:-1}" = 1 ]; then
    # Without rewinds: a sink that rewinds to start a new stream at once drops that stream's first
    # milliseconds from what its monitor already recorded.
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --system=false --disallow-exit \
      -L "module-null-sink sink_name=sorvanto_sink norewinds=1" -L "module-native-protocol-unix socket=$desktop_dir/pulse" \
      >"$desktop_dir/pulse.log" 2>&1 &
    desktop_pulse=$!
    desktop_pids+=($!)
    export PULSE_SERVER=unix:$desktop_dir/pulse
    desktop_wait 10 pactl info || { echo "no sound server"; cat "$desktop_dir/pulse.log"; return 1; }
    pactl set-default-sink sorvanto_sink
  else
    export PULSE_SERVER=unix:$desktop_dir/no-sound-server
  fi

  openbox >"$desktop_dir/openbox.log" 2>&1 &
  desktop_wm=$!
  desktop_pids+=($!)
  # Without the property xprop says "no such atom on any window".
  desktop_wait 10 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ||
    { echo "no window manager"; cat "$desktop_dir/openbox.log"; return 1; }
  if [ "${DESKTOP_TRAY:-1}" = 1 ]; then
    trayer --edge top --align right --widthtype request --height 24 --SetDockType true >"$desktop_dir/trayer.log" 2>&1 &
    desktop_pids+=($!)
    desktop_wait 10 sh -c 'xwininfo -root -tree | grep -q "\"trayer\"" ' || { echo "no tray"; return 1; }
  fi
}

# What the black-box tests look at.
artifacts=${SORVANTO_ARTIFACTS:-/tmp/sorvanto-artifacts}
mkdir -p "$artifacts"
ui() { /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/sorvanto_ui.py" "$@"; }
shot() { import -window root "$artifacts/$1.png"; }
fail() {
  echo "FAIL: $*"
  [ -s "$desktop_dir/app.log" ] && { echo "--- the program said:"; tail -40 "$desktop_dir/app.log"; }
  exit 1
}
viewable() { timeout 2 xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'; }
# The main window; changing whether it stays on top may give it a new X window.
main_window() {
  local w ids
  ids=$(timeout 2 xdotool search --name '^Velmora-SORVANTO Vrs\. 1\.0$' 2>/dev/null) || return 1
  for w in $ids; do viewable "$w" && { echo "$w"; return 0; }; done
  echo "${ids%%$'\n'*}"
}
shown() { viewable "$(main_window)"; }
hidden() { ! shown; }
wm_state() { xprop -id "$1" _NET_WM_STATE 2>/dev/null; }
# The program's icon window inside the tray: small, and of the program's class.
tray_icon() {
  local w
  for w in $(xdotool search --class sorvanto 2>/dev/null); do
    xwininfo -id "$w" | awk '/Width:/{w=$2} /Height:/{h=$2} /Map State: IsViewable/{v=1} END{exit !(v && w<=64 && h<=64 && w>1)}' &&
      { echo "$w"; return 0; }
  done
  return 1
}
click_tray_icon() {  # click_tray_icon BUTTON [DY]: DY pixels below the icon's centre
  local icon
  icon=$(tray_icon) || return 1
  eval "$(xdotool getwindowgeometry --shell "$icon")"
  xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2 + ${2:-0})) click "$1"
}
# The program's visible windows that are neither its main window nor its tray icon.
popup_menu() {
  local w main icon
  main=$(main_window); icon=$(tray_icon) || true
  for w in $(timeout 2 xdotool search --onlyvisible --class sorvanto 2>/dev/null); do
    [ "$w" != "$main" ] && [ "$w" != "$icon" ] && { echo "$w"; return 0; }
  done
  return 1
}
choose() {  # choose N: the Nth item of the open menu (1 is the title)
  local i
  for i in $(seq "$1"); do xdotool key Down; done
  xdotool key Return
}
open_menu() {
  # A press that reaches the icon while the tray is still embedding it is lost, as a user's would be.
  local try
  for try in 1 2 3; do
    click_tray_icon 3
    desktop_wait 3 popup_menu && return 0
  done
  fail "no menu after a right click"
}
# start_watcher FILE: a StatusNotifierItem watcher and host on the session bus, writing each item
# that registers to FILE; its PID in watcher_pid.
start_watcher() {
  watcher_items=$1
  /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/sni_host.py" watch "$1" &
  watcher_pid=$!
  desktop_pids+=("$watcher_pid")
  desktop_wait 10 dbus-send --session --print-reply --dest=org.kde.StatusNotifierWatcher /StatusNotifierWatcher \
    org.freedesktop.DBus.Peer.Ping || fail "no watcher"
}
# run_scenarios NAME...: each function on a desktop of its own, all at once; fails if any fails.
run_scenarios() {
  local names=("$@") pids=() i failed=0 scenario
  for scenario in "${names[@]}"; do
    ( "$scenario" ) &
    pids+=($!)
  done
  for i in "${!pids[@]}"; do
    wait "${pids[$i]}" || { echo "${names[$i]}: failed"; failed=1; }
  done
  return $failed
}
# start_program COMMAND...: the program under test, reachable over the accessibility bus and held
# when it quits (holdquit.cpp; more libraries to preload in LD_PRELOAD); its PID in app.
start_program() {
  env LD_PRELOAD="${SORVANTO_HOLDQUIT:?names no library to preload}${LD_PRELOAD:+ $LD_PRELOAD}" \
    SORVANTO_QUIT_FILE="$desktop_dir/quitting" ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0" \
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$@" >>"$desktop_dir/app.log" 2>&1 &
  app=$!
  desktop_pids+=("$app")
}
# quitting: until the program has asked its event loop to end; it waits there, with its windows and
# tray icon as it leaves them, until ended lets it go on.
quitting() { desktop_wait 30 test -e "$desktop_dir/quitting"; }
# ended: until the program has ended, held or not; its exit status in status.
ended() {
  rm -f "$desktop_dir/quitting"
  timeout 30 tail --pid="$app" -f /dev/null || return 1
  status=0
  wait "$app" || status=$?
}
# The program's tray icon is gone from both kinds of tray: no icon window in an XEmbed tray, and
# neither the connection nor the object of an item it registered on the bus (a held program would
# not answer the call on its object).
icon_gone() {
  local item
  tray_icon >/dev/null && return 1
  [ -n "${watcher_items:-}" ] || return 0
  while read -r item; do
    [[ $(dbus-send --session --print-reply --reply-timeout=2000 --dest="${item%%/*}" "/${item#*/}" \
      org.freedesktop.DBus.Properties.Get string:org.kde.StatusNotifierItem string:Id 2>&1) =~ \
      Error\.(ServiceUnknown|UnknownObject) ]] || return 1
  done <"$watcher_items"
}
# ends HOW [icon-removed]: after HOW the program quits, its tray icon removed before if asked, and
# ends with status 0.
ends() {
  quitting || fail "$1: the program does not quit"
  [ "${2:-}" != icon-removed ] || icon_gone || fail "$1: the tray icon is still there when the program quits"
  ended || fail "$1: the program does not end"
  [ "$status" = 0 ] || fail "$1: exit status $status"
}
# Seconds left on the program's countdown, a kernel timer on the clock that goes on during sleep.
countdown_left() {
  grep -h -A3 '^clockid: 7$' /proc/"$app"/fdinfo/* 2>/dev/null | sed -n 's/^it_value: (\([0-9]*\),.*/\1/p' | grep .
}
