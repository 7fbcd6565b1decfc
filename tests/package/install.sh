#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian package into a fresh Debian 12 root made by debootstrap, with nothing but the
# package's own dependencies, checks that other programs' fonts stay as they were, starts the
# installed program on the private desktop, sees its window and its tray icon, closes it, then
# purges the package and checks that none of its files is left.
#   install.sh PACKAGE_BUILD_DIR
# Needs root (debootstrap, chroot, mounts in a private mount namespace) and Debian's archive.
# SORVANTO_PACKAGE_CACHE, when set, keeps the fresh root and the downloaded packages between runs.
set -uo pipefail
die() { echo "$*"; exit 1; }
deb=$(ls "$(realpath "$1")"/sorvanto_*.deb) || die "no package in $1"
[ "$(id -u)" -eq 0 ] || { echo "SKIP: needs root for debootstrap and chroot"; exit 77; }
unshare --mount --propagation private true || die "cannot make a private mount namespace (needs CAP_SYS_ADMIN)"
mirror=${SORVANTO_DEBIAN_MIRROR:-http://deb.debian.org/debian}
security=${SORVANTO_DEBIAN_SECURITY_MIRROR:-http://deb.debian.org/debian-security}
cache=${SORVANTO_PACKAGE_CACHE:-}
source "$(dirname "$0")/../blackbox/desktop.sh"
desktop_prepare

root=$desktop_dir/root
archives=$desktop_dir/archives
if [ -n "$cache" ]; then archives=$cache/archives; mkdir -p "$cache"; fi
mkdir -p "$root" "$archives/partial" || die "cannot make $root"

# Mounts live in a private mount namespace that ends with the command, so none is ever left behind
# and removing the root can never reach through into the host. The command keeps the caller's PID.
in_root_exec() {
  exec unshare --mount --propagation private -- bash -c '
    root=$1 archives=$2; shift 2
    mount -t proc proc "$root/proc"
    mount -t tmpfs tmpfs "$root/dev/shm"
    mount --bind "$archives" "$root/var/cache/apt/archives"
    exec chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
      DEBIAN_FRONTEND=noninteractive ${DISPLAY:+DISPLAY=$DISPLAY} "$@"' bash "$root" "$archives" "$@"
}
in_root() { (in_root_exec "$@"); }

started=$SECONDS
if [ -n "$cache" ] && [ -f "$cache/root.tar" ]; then
  tar -C "$root" -xf "$cache/root.tar" || die "cannot unpack $cache/root.tar"
else
  debootstrap --variant=minbase bookworm "$root" "$mirror" >"$desktop_dir/debootstrap.log" 2>&1 ||
    { tail -20 "$desktop_dir/debootstrap.log"; exit 1; }
  if [ -n "$cache" ]; then tar -C "$root" -cf "$cache/root.tar.new" . && mv "$cache/root.tar.new" "$cache/root.tar"; fi
fi
echo "fresh root ready after $((SECONDS - started)) s"
cat >"$root/etc/apt/sources.list" <<SOURCES
deb $mirror bookworm main
deb $mirror bookworm-updates main
deb $security bookworm-security main
SOURCES
printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
chmod +x "$root/usr/sbin/policy-rc.d"
cp "$deb" "$root/tmp/" || die "cannot copy the package into the root"

started=$SECONDS
in_root apt-get update -q >"$desktop_dir/apt.log" 2>&1 || { tail -20 "$desktop_dir/apt.log"; exit 1; }
# The package's dependencies first, to see what other programs' fonts are before the package comes.
in_root apt-get install -y -q --no-install-recommends $(dpkg-deb -f "$deb" Depends | sed 's/([^)]*)//g; s/,/ /g') \
  >>"$desktop_dir/apt.log" 2>&1 || { tail -30 "$desktop_dir/apt.log"; exit 1; }
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
fonts
[ "$(fonts)" = "$fonts_before" ] || fail "the package changed other programs' fonts; before it: $fonts_before"

echo "== the installed program on the desktop"
DESKTOP_SOUND=0 desktop_start 1024x768 || die "no desktop"
# The X server's abstract socket is reachable from the root: it belongs to the network namespace.
(in_root_exec /usr/bin/sorvanto) >"$desktop_dir/sorvanto.log" 2>&1 &
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
[ -n "${SORVANTO_ARTIFACTS:-}" ] && mkdir -p "$SORVANTO_ARTIFACTS" && import -window root "$SORVANTO_ARTIFACTS/package-installed.png"

if [ -n "${window:-}" ]; then
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
