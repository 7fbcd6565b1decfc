# Sourced by the black-box tests: a private headless desktop (X server, session bus, window
# manager, XEmbed tray, sound server with a null sink), torn down by PID when the test exits.
#   desktop_start [WIDTHxHEIGHT]   then DISPLAY, DBUS_SESSION_BUS_ADDRESS and PULSE_SERVER are set.

desktop_pids=()
desktop_dir=$(mktemp -d /tmp/sorvanto-desktop.XXXXXX)

desktop_stop() {
  local pid
  for pid in "${desktop_pids[@]}"; do kill "$pid" 2>/dev/null; done
  for pid in "${desktop_pids[@]}"; do wait "$pid" 2>/dev/null; done
  rm -rf "$desktop_dir"
}
trap desktop_stop EXIT

desktop_wait() {  # desktop_wait SECONDS COMMAND...: until COMMAND succeeds
  local deadline=$((SECONDS + $1)); shift
  until "$@" >/dev/null 2>&1; do
    [ $SECONDS -ge $deadline ] && return 1
    sleep 0.1
  done
}

desktop_start() {
  local size=${1:-1024x768} display
  for display in $(seq 90 140); do [ -e /tmp/.X11-unix/X$display ] || [ -e /tmp/.X$display-lock ] || break; done
  export DISPLAY=:$display
  # -noreset: a server that resets when its last client leaves refuses connections meanwhile, and
  # the window manager started next may find no display.
  Xvfb "$DISPLAY" -screen 0 "${size}x24" -nolisten tcp -noreset >"$desktop_dir/xvfb.log" 2>&1 &
  desktop_pids+=($!)
  desktop_wait 10 xdpyinfo || { echo "no X server"; return 1; }

  eval "$(dbus-launch --sh-syntax)"
  desktop_pids+=("$DBUS_SESSION_BUS_PID")

  export XDG_RUNTIME_DIR=$desktop_dir/runtime
  mkdir -m 700 -p "$XDG_RUNTIME_DIR"
  if [ "${DESKTOP_SOUND:-1}" = 1 ]; then
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --system=false --disallow-exit \
      -L "module-null-sink sink_name=sorvanto_sink" -L "module-native-protocol-unix socket=$desktop_dir/pulse" \
      >"$desktop_dir/pulse.log" 2>&1 &
    desktop_pids+=($!)
    export PULSE_SERVER=unix:$desktop_dir/pulse
    desktop_wait 10 pactl info || { echo "no sound server"; cat "$desktop_dir/pulse.log"; return 1; }
    pactl set-default-sink sorvanto_sink
  else
    export PULSE_SERVER=unix:$desktop_dir/no-sound-server
  fi

  openbox >"$desktop_dir/openbox.log" 2>&1 &
  desktop_pids+=($!)
  desktop_wait 10 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q window' || { echo "no window manager"; return 1; }
  if [ "${DESKTOP_TRAY:-1}" = 1 ]; then
    trayer --edge top --align right --widthtype request --height 24 --SetDockType true >"$desktop_dir/trayer.log" 2>&1 &
    desktop_pids+=($!)
    desktop_wait 10 sh -c 'xwininfo -root -tree | grep -q "\"trayer\"" ' || { echo "no tray"; return 1; }
  fi
}
