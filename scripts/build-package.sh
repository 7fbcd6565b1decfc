#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package: scripts/build-package.sh [BUILD_DIR]   (default: build-package)
# A separate build without tests or sanitizers, with Debian's hardening flags and warnings that do not stop
# it (a newer compiler warns of more), installed under /usr;
# CPack writes BUILD_DIR/sorvanto_<version>_<arch>.deb with its dependencies computed by dpkg-shlibdeps.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=$(realpath -m "${1:-build-package}")

export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B "$build_dir" -DCMAKE_BUILD_TYPE=None -DSORVANTO_TESTS=OFF -DSORVANTO_SANITIZE=OFF \
  -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_COMPILE_WARNING_AS_ERROR=OFF \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)"
cmake --build "$build_dir" -j "${JOBS:-$(nproc)}"
rm -f "$build_dir"/sorvanto_*.deb
(cd "$build_dir" && cpack -G DEB)
ls "$build_dir"/sorvanto_*.deb
