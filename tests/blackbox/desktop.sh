# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash disable=SC2034  # what it sets is for the scripts that source it
# Sourced by the black-box tests: a private headless desktop (X server, session bus, window
# manager, tray, sound server with a null sink), torn down by PID when the test exits.
#   desktop_start [WIDTHxHEIGHT]   then DISPLAY, DBUS_SESSION_BUS_ADDRESS and PULSE_SERVER are set.
#   DESKTOP_WM     the window manager: openbox (the default), xfwm4, mutter, kwin_x11, marco,
#                  metacity, icewm, fluxbox, i3, gnome-shell, or none
#   DESKTOP_TRAY   what holds the program's icon: trayer (XEmbed, the default); xfce4-panel (its
#                  systray, StatusNotifierItem and XEmbed, beside a task list); tasklist (that panel
#                  with its task list and no tray); lxqt-panel (StatusNotifierItem only); lxqt-panel+tray
#                  (with its tray plugin too); plasma (Plasma's panel under kwin_x11); appindicator
#                  (GNOME Shell's indicator extension); none
#   DESKTOP_SOUND  0 for no sound server
#   desktop_start_wm NAME, desktop_start_tray NAME: the same, started later (a late panel); the
#                  sound server's PID in desktop_pulse, trayer's in desktop_tray.
# Each shell, subshells included, may start a desktop of its own.

desktop_pids=()
# Where this file is, as a full path: XDG_CONFIG_DIRS takes no other.
desktop_scripts=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

desktop_stop() {
  local status=$? pid deadline=$((SECONDS + 5))
  set +e
  for pid in "${desktop_pids[@]}"; do kill "$pid" 2>/dev/null; done
  # fluxbox blocks SIGTERM once its X server is gone, and would never end.
  for pid in "${desktop_pids[@]}"; do
    while running "$pid" && [ $SECONDS -lt $deadline ]; do sleep 0.1; done
    running "$pid" && kill -9 "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
  rm -rf "$desktop_dir"
  exit $status
}
running() { [ -e /proc/"$1" ] && ! grep -q '^State:.*Z' /proc/"$1"/status 2>/dev/null; }

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
  DISPLAY=:$(cat "$desktop_dir/display")
  export DISPLAY
  desktop_wait 10 xdpyinfo || { echo "no X server"; return 1; }

  eval "$(dbus-launch --sh-syntax)"
  desktop_pids+=("$DBUS_SESSION_BUS_PID")

  export XDG_RUNTIME_DIR=$desktop_dir/runtime
  mkdir -m 700 "$XDG_RUNTIME_DIR"
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

  desktop_start_wm "${DESKTOP_WM:-openbox}" || return 1
  desktop_start_tray "${DESKTOP_TRAY:-trayer}"
}

desktop_start_wm() {  # desktop_start_wm NAME
  local log=$desktop_dir/$1.log
  case $1 in
    none) return 0 ;;
    mutter) mutter --x11 --replace >"$log" 2>&1 & ;;
    kwin_x11) kwin_x11 --replace >"$log" 2>&1 & ;;
    # A configuration of its own keeps i3 from asking for one, and from adding a bar with a tray.
    i3) printf '# i3 config file (v4)\nfont pango:monospace 8\n' >"$desktop_dir/i3.config"
        i3 -c "$desktop_dir/i3.config" >"$log" 2>&1 & ;;
    gnome-shell) desktop_gnome_session; LIBGL_ALWAYS_SOFTWARE=1 gnome-shell --x11 --replace >"$log" 2>&1 & ;;
    *) "$1" >"$log" 2>&1 & ;;
  esac
  desktop_pids+=($!)
  # Without the property xprop says "no such atom on any window".
  desktop_wait 30 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ||
    { echo "no window manager $1"; cat "$log"; return 1; }
}

# GNOME Shell wants logind's system bus; a bus of its own without logind makes it do without.
desktop_gnome_session() {
  dbus-daemon --session --nofork --print-address=3 3>"$desktop_dir/system-bus" >/dev/null 2>&1 &
  desktop_pids+=($!)
  desktop_wait 10 test -s "$desktop_dir/system-bus"
  DBUS_SYSTEM_BUS_ADDRESS=$(head -1 "$desktop_dir/system-bus")
  export DBUS_SYSTEM_BUS_ADDRESS
  gsettings set org.gnome.shell disable-user-extensions false
  local extensions="[]"
  [ "${DESKTOP_TRAY:-}" = appindicator ] && extensions="['ubuntu-appindicators@ubuntu.com']"
  gsettings set org.gnome.shell enabled-extensions "$extensions"
}

# A StatusNotifierItem watcher with a host that shows the items.
host_running() {
  dbus-send --session --print-reply --dest=org.kde.StatusNotifierWatcher /StatusNotifierWatcher \
    org.freedesktop.DBus.Properties.Get string:org.kde.StatusNotifierWatcher string:IsStatusNotifierHostRegistered |
    grep -q 'boolean true'
}

desktop_start_tray() {  # desktop_start_tray NAME
  local log=$desktop_dir/$1.log
  case $1 in
    none) return 0 ;;
    trayer)
      trayer --edge top --align right --widthtype request --height 24 --SetDockType true >>"$log" 2>&1 &
      desktop_tray=$!
      desktop_pids+=($!)
      desktop_wait 10 sh -c 'xwininfo -root -tree | grep -q "\"trayer\"" ' || { echo "no tray"; return 1; } ;;
    xfce4-panel | tasklist)
      # The panel takes its first configuration from the folders in XDG_CONFIG_DIRS.
      local panel=systray
      [ "$1" = tasklist ] && panel=tasklist
      XDG_CONFIG_DIRS=$desktop_scripts/xfce4-panel/$panel xfce4-panel >"$log" 2>&1 &
      desktop_pids+=($!)
      if [ "$1" = tasklist ]; then
        desktop_wait 20 xdotool search --class xfce4-panel || { echo "no panel"; cat "$log"; return 1; }
      else
        desktop_wait 20 host_running || { echo "no panel"; cat "$log"; return 1; }
      fi ;;
    lxqt-panel | lxqt-panel+tray)
      # Its tray plugin hands XEmbed icons over to its StatusNotifierItem plugin.
      mkdir -p "$XDG_CONFIG_HOME/lxqt"
      local plugins=icons
      [ "$1" = lxqt-panel+tray ] && plugins="icons, tray"
      printf '[General]\n__userfile__=true\npanels=panel1\n[panel1]\nposition=Top\nplugins=%s\n' "$plugins" \
        >"$XDG_CONFIG_HOME/lxqt/panel.conf"
      printf '[icons]\ntype=statusnotifier\n[tray]\ntype=tray\n' >>"$XDG_CONFIG_HOME/lxqt/panel.conf"
      lxqt-panel >"$log" 2>&1 &
      desktop_pids+=($!)
      desktop_wait 20 host_running || { echo "no panel"; cat "$log"; return 1; } ;;
    plasma)
      # Plasma's tray asks the KDE daemon for the watcher, which a session would have started first.
      kded5 >"$desktop_dir/kded.log" 2>&1 &
      desktop_pids+=($!)
      desktop_wait 20 dbus-send --session --print-reply --dest=org.kde.kded5 /kded org.kde.kded5.loadModule \
        string:statusnotifierwatcher || { echo "no KDE daemon"; return 1; }
      LIBGL_ALWAYS_SOFTWARE=1 plasmashell --no-respawn >"$log" 2>&1 &
      desktop_pids+=($!)
      desktop_wait 60 host_running || { echo "no Plasma"; cat "$log"; return 1; } ;;
    appindicator)
      desktop_wait 30 host_running || { echo "no indicator extension"; return 1; } ;;
    *) echo "no tray called $1"; return 1 ;;
  esac
}

# What the black-box tests look at.
artifacts=${SORVANTO_ARTIFACTS:-/tmp/sorvanto-artifacts}
mkdir -p "$artifacts"
ui() { /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/sorvanto_ui.py" "$@"; }
# A StatusNotifierItem host's calls and menus (sni_host.py); registered: an item is on the watcher.
host() { /usr/bin/python3 "$(dirname "${BASH_SOURCE[0]}")/sni_host.py" "$@"; }
registered() { host items | grep -q .; }
# Seconds, to a tenth, since a time from date +%s%N.
seconds_since() { local t=$(( ($(date +%s%N) - $1) / 100000000 )); echo "$((t / 10)).$((t % 10))"; }
shot() { import -window root "$artifacts/$1.png"; }
fail() {
  echo "FAIL: $*"
  [ -s "$desktop_dir/app.log" ] && { echo "--- the program said:"; tail -40 "$desktop_dir/app.log"; }
  exit 1
}
viewable() { timeout 2 xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'; }
# window_place WINDOW: where the window's inside lies on the screen, in X, Y, WIDTH and HEIGHT, as
# xwininfo tells it (xdotool counts a frame twice).
window_place() {
  read -r X Y WIDTH HEIGHT < <(timeout 2 xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$4}
    /Absolute upper-left Y/{y=$4} /^ *Width:/{w=$2} /^ *Height:/{h=$2} END{print x, y, w, h}')
}
# The main window; changing whether it stays on top may give it a new X window.
main_window() {
  local w ids
  ids=$(timeout 2 xdotool search --name '^Velmora-SORVANTO Vrs\. 1\.0$' 2>/dev/null) || return 1
  for w in $ids; do viewable "$w" && { echo "$w"; return 0; }; done
  echo "${ids%%$'\n'*}"
}
# wine_prefix DIR: Wine, quiet and without the downloads it would offer, in a prefix at DIR, made if it
# is not there yet, that says it is Windows 10, as the setup asks (Debian's Wine 8 says Windows 7). Wine
# has none of Windows' faces: the window's names get those that the Linux build maps them to, so that
# they are listed as on Windows.
wine_prefix() {
  export WINEPREFIX=$1 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  [ -f "$WINEPREFIX/system.reg" ] && return 0
  wineboot -i || return 1
  wine reg add 'HKCU\Software\Wine' /v Version /d win10 /f || return 1
  local face
  for face in "Arial=Liberation Sans" "MS Sans Serif=DejaVu Sans" "Script=Dancing Script"; do
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "${face%%=*}" /d "${face#*=}" /f || return 1
  done
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
  window_place "$icon"
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
menu_at() {  # menu_at X Y: the program's menu opens with its top left corner there
  desktop_wait 5 popup_menu || fail "no menu on the host's request"
  window_place "$(popup_menu)"
  [ "$X" = "$1" ] && [ "$Y" = "$2" ] || fail "menu at $X,$Y, the host asked for $1,$2"
}
open_menu() {
  # A press that reaches the icon while the tray is still embedding it is lost, as a user's would be.
  local _
  for _ in 1 2 3; do
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
# wm_request WINDOW TYPE DATA...: a message to the window manager about WINDOW, as programs and pagers
# send them; DATA are numbers or atoms' names.
wm_request() {
  /usr/bin/python3 - "$@" <<'EOF'
import sys
from Xlib import X, display
from Xlib.protocol import event
d = display.Display()
data = [int(a) if a.isdigit() else d.intern_atom(a) for a in sys.argv[3:]]
message = event.ClientMessage(window=d.create_resource_object("window", int(sys.argv[1], 0)),
                              client_type=d.intern_atom(sys.argv[2]), data=(32, (data + [0] * 5)[:5]))
d.screen().root.send_event(message, event_mask=X.SubstructureRedirectMask | X.SubstructureNotifyMask)
d.flush()
EOF
}
# What a task list does when the user clicks a window's button: a pager's activation.
activate_as_user() { wm_request "$1" _NET_ACTIVE_WINDOW 2 0 0; }
# start_fullscreen_window: another program's window, fullscreen and focused; its id in fullscreen_window.
start_fullscreen_window() {
  xev -name sorvanto-other >/dev/null 2>&1 &
  desktop_pids+=($!)
  desktop_wait 10 xdotool search --name '^sorvanto-other$' || fail "no other window"
  fullscreen_window=$(xdotool search --name '^sorvanto-other$' | head -1)
  wm_request "$fullscreen_window" _NET_WM_STATE 1 _NET_WM_STATE_FULLSCREEN 0 1
  activate_as_user "$fullscreen_window"
  desktop_wait 10 sh -c "xprop -id $fullscreen_window _NET_WM_STATE | grep -q FULLSCREEN" || fail "not fullscreen"
}
# type_along SECONDS [wayland]: the user types on, Return and Space among the keys, into whatever has
# the focus, through the X server or the Wayland compositor, until the main window shows and for a
# while after; fails when it does not show within SECONDS.
type_along() {
  local deadline=$((SECONDS + $1)) after=3
  while [ $after -gt 0 ]; do
    if [ "${2:-}" = wayland ]; then wtype -d 40 "ok fine " && wtype -k Return -k space
    else xdotool type --delay 40 "ok fine " && xdotool key Return space; fi
    if shown; then after=$((after - 1)); elif [ $SECONDS -ge $deadline ]; then return 1; fi
  done
}
# drawn_whole WINDOW [SCREENSHOT]: what the screen shows of WINDOW is what WINDOW holds, but for a
# blinking caret; the screen as the X server has it, or in SCREENSHOT, as a compositor took it.
drawn_whole() {
  local differ
  window_place "$1"
  if [ -n "${2:-}" ]; then convert "$2" -crop "${WIDTH}x$HEIGHT+$X+$Y" +repage "$desktop_dir/on-screen.png"
  else import -window root -crop "${WIDTH}x$HEIGHT+$X+$Y" +repage "$desktop_dir/on-screen.png"; fi
  import -window "$1" "$desktop_dir/in-window.png"
  differ=$(compare -metric AE -fuzz 10% "$desktop_dir/on-screen.png" "$desktop_dir/in-window.png" null: 2>&1)
  [ "${differ%%.*}" -lt $((WIDTH * HEIGHT / 200)) ]
}
# maximized WINDOW, on_top WINDOW: as the window manager keeps the window.
maximized() { wm_state "$1" | grep -q _NET_WM_STATE_MAXIMIZED_VERT && wm_state "$1" | grep -q _NET_WM_STATE_MAXIMIZED_HORZ; }
on_top() { wm_state "$1" | grep -q _NET_WM_STATE_ABOVE; }
# ok_inside WINDOW: the alert's "OK", where the accessibility bus places it, lies inside WINDOW.
ok_inside() {
  local ok_x ok_y ok_w ok_h
  read -r ok_x ok_y ok_w ok_h < <(ui extents OK)
  window_place "$1"
  [ "$ok_x" -ge "$X" ] && [ $((ok_x + ok_w)) -le $((X + WIDTH)) ] && [ $((ok_y + ok_h)) -le $((Y + HEIGHT)) ] ||
    fail "OK at $ok_x,$ok_y ${ok_w}x$ok_h, outside the alert at $X,$Y ${WIDTH}x$HEIGHT"
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
# start_shown COMMAND...: start_program, then until its window shows.
start_shown() { start_program "$@"; desktop_wait 60 shown || fail "no window"; }
# arm_for MINUTES: "Ativado" with the interval at MINUTES, and the window hides.
arm_for() { ui settext Intervalo "$1"; ui press Ativado; desktop_wait 5 hidden || fail "arming leaves the window"; }
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
# countdown_running: that countdown has time left; countdown_stopped: it has none.
countdown_running() { grep -h -A3 '^clockid: 7$' /proc/"$app"/fdinfo/* 2>/dev/null | grep '^it_value:' | grep -vq '(0, 0)'; }
countdown_stopped() { ! countdown_running; }
