#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Qt for 64-bit Windows, static and Release, from Debian's own source of the Qt the machine
# has, with Debian's MinGW-w64, into a cache outside the tree that every later Windows build reuses.
# About half an hour on 2 cores, once. Prints the installed prefix; with --prefix, only prints it.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cache=${SORVANTO_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/sorvanto}
version=$(dpkg-query -W -f='${Version}' qt6-base-dev | sed 's/+.*//; s/-.*//')
prefix=$cache/qt-$version-mingw64-static
if [ "${1:-}" = --prefix ] || [ -x "$prefix/bin/qt-cmake" ]; then echo "$prefix"; exit 0; fi

# The source package comes from the archive the machine installs from.
if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ && ! grep -qs '^deb-src' /etc/apt/sources.list; then
  src=/etc/apt/sources.list.d/sorvanto-sources.sources
  awk '/^Types:/ {print "Types: deb-src"; next} {print}' /etc/apt/sources.list.d/debian.sources > "$src"
  apt-get -o DPkg::Lock::Timeout=900 update >&2
fi
work=$cache/qt-$version-source
mkdir -p "$work"
if [ ! -d "$work/src" ]; then
  (cd "$work" && apt-get source --download-only "qt6-base=$(dpkg-query -W -f='${Version}' qt6-base-dev)" >&2)
  tar -C "$work" -xf "$work"/qt6-base_*.orig.tar.*
  mv "$work"/qtbase-* "$work/src"
fi

build=$work/build
cmake -S "$work/src" -B "$build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DBUILD_SHARED_LIBS=OFF -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
  -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF \
  -DFEATURE_system_freetype=OFF -DFEATURE_system_libpng=OFF -DFEATURE_system_jpeg=OFF \
  -DFEATURE_system_doubleconversion=OFF -DFEATURE_icu=OFF -DFEATURE_tabletevent=OFF \
  -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF \
  -DFEATURE_xml=OFF -DFEATURE_concurrent=OFF >&2
cmake --build "$build" -j "${JOBS:-$(nproc)}" >&2
cmake --install "$build" >&2
echo "$prefix"
