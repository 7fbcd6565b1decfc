#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian package into a fresh root of its Debian release, with nothing but the
# package's own dependencies, checks that other programs' fonts stay as they were, starts the
# installed program on the private desktop, sees its window and its tray icon, arms it and sees the
# alert (SORVANTO_FAST_CLOCK, when set, names the library that shortens the countdown to a second)
# and ends it with "OK" (without it: closes the window), then purges the package and checks that
# none of its files is left.
#   install.sh PACKAGE_BUILD_DIR [DIST]   (default: bookworm)
# Needs root (mmdebstrap, chroot, mounts in a private mount namespace) and Debian's archive. The fresh
# root and the downloaded packages are kept under ~/.cache/sorvanto/ (SORVANTO_ROOT_CACHE).
set -uo pipefail
die() { echo "$*"; exit 1; }
deb=$(ls "$(realpath "$1")"/sorvanto_*.deb) || die "no package in $1"
dist=${2:-bookworm}
[ "$(id -u)" -eq 0 ] || { echo "SKIP: needs root for mmdebstrap and chroot"; exit 77; }
unshare --mount --propagation private true || die "cannot make a private mount namespace (needs CAP_SYS_ADMIN)"
mirror=${SORVANTO_DEBIAN_MIRROR:-http://deb.debian.org/debian}
security=${SORVANTO_DEBIAN_SECURITY_MIRROR:-http://deb.debian.org/debian-security}
cache=${SORVANTO_ROOT_CACHE:-$HOME/.cache/sorvanto}
fastclock=${SORVANTO_FAST_CLOCK:-}
# shellcheck source-path=SCRIPTDIR source=../blackbox/desktop.sh
source "$(dirname "$0")/../blackbox/desktop.sh"
desktop_prepare

root=$desktop_dir/root
archives=$cache/$dist-archives
mkdir -p "$root" "$archives/partial" || die "cannot make $root"

# Mounts live in a private mount namespace that ends with the command, so none is ever left behind
# and removing the root can never reach through into the host. The command keeps the caller's PID.
in_root_exec() {
  exec unshare --mount --propagation private -- bash -c '
    root=$1 archives=$2; shift 2
    mount -t proc proc "$root/proc"
    mount -t tmpfs tmpfs "$root/dev/shm"
    mount --bind "$archives" "$root/var/cache/apt/archives"
    # The desktop'"'"'s session bus and, in its home, the accessibility bus, where the host sees them.
    bus=${DBUS_SESSION_BUS_ADDRESS:-}; bus=${bus#unix:path=}; bus=${bus%%,*}
    if [ -S "$bus" ]; then
      mkdir -p "$root$(dirname "$bus")" "$root$HOME" && touch "$root$bus" && mount --bind "$bus" "$root$bus" &&
        mount --bind "$HOME" "$root$HOME"
    fi
    exec chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
      DEBIAN_FRONTEND=noninteractive ${DISPLAY:+DISPLAY=$DISPLAY} \
      ${DBUS_SESSION_BUS_ADDRESS:+DBUS_SESSION_BUS_ADDRESS=$DBUS_SESSION_BUS_ADDRESS} \
      ${SORVANTO_PRELOAD:+LD_PRELOAD=$SORVANTO_PRELOAD QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1} "$@"' bash "$root" "$archives" "$@"
}
in_root() { (in_root_exec "$@"); }

started=$SECONDS
tarball=$cache/$dist-minbase.tar
if [ ! -f "$tarball" ]; then
  mmdebstrap --variant=minbase --format=tar "$dist" "$tarball.new" "deb $mirror $dist main" \
    "deb $mirror $dist-updates main" "deb $security $dist-security main" >"$desktop_dir/mmdebstrap.log" 2>&1 ||
    { tail -20 "$desktop_dir/mmdebstrap.log"; exit 1; }
  mv "$tarball.new" "$tarball"
fi
tar -C "$root" -xf "$tarball" || die "cannot unpack $tarball"
echo "fresh $dist root ready after $((SECONDS - started)) s"
printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
chmod +x "$root/usr/sbin/policy-rc.d"
cp "$deb" "$root/tmp/" || die "cannot copy the package into the root"

started=$SECONDS
in_root apt-get update -q >"$desktop_dir/apt.log" 2>&1 || { tail -20 "$desktop_dir/apt.log"; exit 1; }
# The package's dependencies first, to see what other programs' fonts are before the package comes.
read -ra depends <<<"$(dpkg-deb -f "$deb" Depends | sed 's/([^)]*)//g; s/,/ /g')"
in_root apt-get install -y -q --no-install-recommends "${depends[@]}" >>"$desktop_dir/apt.log" 2>&1 || { tail -30 "$desktop_dir/apt.log"; exit 1; }
fonts() { for family in Script "MS Sans Serif" Arial; do echo "$family -> $(in_root fc-match "$family")"; done; }
fonts_before=$(fonts)
in_root apt-get install -y -q --no-install-recommends "/tmp/$(basename "$deb")" >>"$desktop_dir/apt.log" 2>&1 ||
  { tail -30 "$desktop_dir/apt.log"; exit 1; }
grep -E "newly installed" "$desktop_dir/apt.log"
echo "package installed after $((SECONDS - started)) s"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

echo "== the installed files"
files=$(in_root dpkg-query -L sorvanto)
for path in /usr/bin/sorvanto /usr/share/applications/sorvanto.desktop \
            /usr/share/icons/hicolor/32x32/apps/sorvanto.png /usr/share/icons/hicolor/scalable/apps/sorvanto.svg; do
  grep -qx "$path" <<<"$files" || fail "the package does not install $path"
done
version=$(in_root /usr/bin/sorvanto --version)
[ "$version" = "sorvanto $(dpkg-deb -f "$deb" Version)" ] || fail "sorvanto --version: $version"
fonts
[ "$(fonts)" = "$fonts_before" ] || fail "the package changed other programs' fonts; before it: $fonts_before"

echo "== the installed program on the desktop"
setup=$desktop_dir
DESKTOP_SOUND=0 desktop_start 1024x768 || { rm -rf "$setup"; die "no desktop"; }
# The desktop comes with a folder of its own, the one its clean-up removes: the root goes into it.
if [ "$desktop_dir" != "$setup" ]; then
  mv "$setup" "$desktop_dir/setup" || die "cannot move $setup into $desktop_dir"
  root=$desktop_dir/setup/root
fi
# The X server's abstract socket is reachable from the root: it belongs to the network namespace.
if [ -n "$fastclock" ]; then cp "$fastclock" "$root/tmp/fastclock.so" || die "cannot copy $fastclock into the root"; fi
(SORVANTO_PRELOAD=${fastclock:+/tmp/fastclock.so} in_root_exec /usr/bin/sorvanto) >"$desktop_dir/sorvanto.log" 2>&1 &
app=$!
desktop_pids+=("$app")
if desktop_wait 20 shown; then
  window=$(main_window)
  xprop -id "$window" _NET_WM_PID | grep -q "= $app\$" || fail "the window belongs to another process"
  [ "$(readlink "/proc/$app/exe")" = "$root/usr/bin/sorvanto" ] || fail "not the installed program: $(readlink "/proc/$app/exe")"
else
  fail "no window"; cat "$desktop_dir/sorvanto.log"
fi
if desktop_wait 10 tray_icon; then
  xprop -id "$(tray_icon)" _NET_WM_PID | grep -q "= $app\$" || fail "the tray icon belongs to another process"
else
  fail "no tray icon"
fi
screenshot() { [ -z "${SORVANTO_ARTIFACTS:-}" ] || { mkdir -p "$SORVANTO_ARTIFACTS" && import -window root "$SORVANTO_ARTIFACTS/$1-$dist.png"; }; }
screenshot package-installed

if [ -n "${window:-}" ] && [ -n "$fastclock" ]; then
  # Armed for a second, the alert comes back maximized; "OK" ends the program.
  ui press Ativado >/dev/null || fail "cannot arm"
  if desktop_wait 20 ui showing OK; then
    wm_state "$(main_window)" | grep -q _NET_WM_STATE_MAXIMIZED_VERT || fail "the alert is not maximized: $(wm_state "$(main_window)")"
    screenshot package-alert
    ui press OK >/dev/null || fail "cannot press OK"
    if ! ended; then fail "OK does not end the program"; elif [ "$status" = 0 ]; then echo "alert seen, OK"; else fail "exit status $status"; fi
  else
    fail "arming shows no alert"; cat "$desktop_dir/sorvanto.log"
  fi
elif [ -n "${window:-}" ]; then
  # Closed the way a user does, through the window manager, which may still be announcing what it supports.
  desktop_wait 10 sh -c 'xprop -root _NET_SUPPORTED | grep -q _NET_ACTIVE_WINDOW'
  if xdotool windowactivate --sync "$window" key alt+F4; then
    if ! ended; then fail "Alt+F4 does not end the program"; elif [ "$status" = 0 ]; then echo "closed"; else fail "exit status $status"; fi
  else
    fail "could not close the window"
  fi
fi

echo "== removal"
in_root apt-get purge -y -q sorvanto >>"$desktop_dir/apt.log" 2>&1 || { tail -20 "$desktop_dir/apt.log"; exit 1; }
in_root dpkg-query -W -f '${db:Status-Status}\n' sorvanto 2>/dev/null | grep -q installed && fail "still installed"
left=0
while read -r path; do
  [ -d "$root$path" ] && [ ! -L "$root$path" ] && continue
  if [ -e "$root$path" ] || [ -L "$root$path" ]; then fail "left behind: $path"; left=1; fi
done <<<"$files"
[ "$left" -eq 0 ] && echo "no file left"

[ "$failures" -eq 0 ] && echo "package install, start and removal OK"
exit "$((failures > 0))"
