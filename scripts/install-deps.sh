#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages that building, running and testing need, and only those that are missing.
set -euo pipefail

build=(build-essential cmake pkg-config qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins
       libqt6test6 libcanberra-dev libfontconfig-dev libxcb1-dev dpkg-dev file)
runtime=(libcanberra-pulse sound-theme-freedesktop fonts-liberation fonts-dejavu-core fonts-dancingscript fontconfig)
blackbox=(xvfb xauth openbox trayer xdotool x11-utils dbus dbus-x11 pulseaudio pulseaudio-utils sox
          python3 python3-pyatspi python3-dbus python3-gi python3-xlib at-spi2-core imagemagick
          clang libclang-rt-14-dev valgrind weston xwayland qt6-wayland qt6-translations-l10n
          xfwm4 xfce4-panel xfconf fluxbox orca clang-format shellcheck flake8)
# The package builds in a clean root of its Debian release, made from Debian's archive.
package=(mmdebstrap dpkg-dev git)
packaging=("${package[@]}" desktop-file-utils appstream)
bench=(libxcb1-dev libxcb-damage0-dev binutils)
# The desktop matrix (make test-desktops): the window managers and tray hosts that users meet.
desktops=(mutter kwin-x11 marco mate-settings-daemon-common metacity icewm i3-wm lxqt-panel plasma-workspace
          plasma-desktop kded5 gnome-shell gnome-shell-extension-appindicator sway waybar grim foot wtype)
# The Windows build (make windows, make test-windows): the cross compiler, Qt's source and host tools,
# the installer's maker, the reader of their manifests, Wine with the black-box desktop.
windows=(g++-mingw-w64-x86-64-posix ninja-build qt6-base-dev-tools dpkg-dev nsis icoutils zip imagemagick wine wine64
         xvfb xauth openbox trayer xdotool x11-utils dbus dbus-x11 python3-xlib xclip)

wanted=("${build[@]}" "${runtime[@]}")
[ "${1:-}" = "--package" ] && wanted=("${package[@]}")
[ "${1:-}" = "--tests" ] && wanted+=("${blackbox[@]}" "${packaging[@]}")
[ "${1:-}" = "--bench" ] && wanted+=("${blackbox[@]}" "${bench[@]}")
[ "${1:-}" = "--desktops" ] && wanted+=("${blackbox[@]}" "${desktops[@]}")
[ "${1:-}" = "--windows" ] && wanted+=("${windows[@]}")

missing=()
for p in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get -o DPkg::Lock::Timeout=900 update
DEBIAN_FRONTEND=noninteractive $sudo apt-get -o DPkg::Lock::Timeout=900 install -y --no-install-recommends "${missing[@]}"
