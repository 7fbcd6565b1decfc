#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Qt for 64-bit Windows, static and Release, from Debian's own source of the Qt the machine
# has, with Debian's MinGW-w64, into a cache outside the tree that every later Windows build reuses.
# About half an hour on 2 cores, once for each configuration. Prints the installed prefix; with
# --prefix, only prints it.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cache=${SORVANTO_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/sorvanto}
version=$(dpkg-query -W -f='${Version}' qt6-base-dev | sed 's/+.*//; s/-.*//')

# Qt is built for what the program and its tests use, and for size: every start reads and relocates
# all of it. What is left out here, the program never shows: other styles than Windows' own, canvases,
# docks and status bars, the widgets and dialogs it has none of, documents it neither reads nor
# writes, OpenGL and Vulkan (the window is drawn in software either way), FreeType (Windows draws the
# text), image formats other than PNG, calendars and time zones it never asks for, gestures (no widget
# of it takes one), Direct3D for widgets that the GPU draws (scripts/qt-windows.patch); and the speed of
# what it never waits for: SHA-3, and regular expressions compiled to machine code (a file chooser's
# filter matches a folder's names as fast). Link-time optimization would take off little more: GCC
# cannot read the large objects that Qt's biggest sources make for MinGW.
options=(
  -DCMAKE_BUILD_TYPE=Release -DFEATURE_optimize_size=ON
  -DCMAKE_C_FLAGS=-DPCRE2_DISABLE_JIT -DCMAKE_CXX_FLAGS=-DQT_NO_RHI_D3D11 -DFEATURE_sha3_fast=OFF -DFEATURE_gestures=OFF
  -DBUILD_SHARED_LIBS=OFF -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF
  -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_harfbuzz=OFF
  -DFEATURE_system_freetype=OFF -DFEATURE_system_libpng=OFF -DFEATURE_system_jpeg=OFF
  -DFEATURE_system_doubleconversion=OFF -DFEATURE_icu=OFF -DFEATURE_tabletevent=OFF
  -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF
  -DFEATURE_xml=OFF -DFEATURE_concurrent=OFF
  -DFEATURE_style_fusion=OFF -DFEATURE_graphicsview=OFF -DFEATURE_graphicseffect=OFF
  -DFEATURE_mdiarea=OFF -DFEATURE_dockwidget=OFF -DFEATURE_statusbar=OFF
  -DFEATURE_calendarwidget=OFF -DFEATURE_datetimeedit=OFF -DFEATURE_dial=OFF
  -DFEATURE_progressbar=OFF -DFEATURE_lcdnumber=OFF -DFEATURE_fontcombobox=OFF -DFEATURE_keysequenceedit=OFF
  -DFEATURE_splashscreen=OFF -DFEATURE_textbrowser=OFF -DFEATURE_toolbox=OFF -DFEATURE_commandlinkbutton=OFF
  -DFEATURE_columnview=OFF -DFEATURE_tablewidget=OFF -DFEATURE_treewidget=OFF
  -DFEATURE_datawidgetmapper=OFF -DFEATURE_syntaxhighlighter=OFF -DFEATURE_scroller=OFF
  -DFEATURE_wizard=OFF -DFEATURE_fontdialog=OFF -DFEATURE_progressdialog=OFF
  -DFEATURE_errormessage=OFF -DFEATURE_undoview=OFF -DFEATURE_undogroup=OFF -DFEATURE_undostack=OFF
  -DFEATURE_undocommand=OFF
  -DFEATURE_textodfwriter=OFF -DFEATURE_textmarkdownreader=OFF -DFEATURE_textmarkdownwriter=OFF
  -DFEATURE_pdf=OFF -DFEATURE_picture=OFF -DFEATURE_movie=OFF -DFEATURE_raster_fp=OFF
  -DINPUT_opengl=no -DFEATURE_vulkan=OFF
  -DFEATURE_freetype=OFF -DFEATURE_gif=OFF -DFEATURE_jpeg=OFF -DFEATURE_ico=OFF
  -DFEATURE_mimetype=OFF -DFEATURE_timezone=OFF -DFEATURE_sharedmemory=OFF -DFEATURE_systemsemaphore=OFF
  -DFEATURE_jalalicalendar=OFF -DFEATURE_hijricalendar=OFF -DFEATURE_islamiccivilcalendar=OFF
  -DFEATURE_xmlstream=OFF -DFEATURE_xmlstreamreader=OFF -DFEATURE_xmlstreamwriter=OFF
  -DFEATURE_transposeproxymodel=OFF -DFEATURE_concatenatetablesproxymodel=OFF
)
# The cache is kept per configuration: a changed option, patch or compiler setting builds anew, once.
patches=$here/scripts/qt-windows.patch
key=$( (printf '%s\n' "${options[@]}"; cat "$here/cmake/mingw-w64.cmake" "$patches") | sha256sum | cut -c1-12)
prefix=$cache/qt-$version-mingw64-static-$key
if [ "${1:-}" = --prefix ] || [ -x "$prefix/bin/qt-cmake" ]; then echo "$prefix"; exit 0; fi

# The source package comes from the archive the machine installs from.
if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ && ! grep -qs '^deb-src' /etc/apt/sources.list; then
  src=/etc/apt/sources.list.d/sorvanto-sources.sources
  awk '/^Types:/ {print "Types: deb-src"; next} {print}' /etc/apt/sources.list.d/debian.sources > "$src"
  apt-get -o DPkg::Lock::Timeout=900 update >&2
fi
work=$cache/qt-$version-source
mkdir -p "$work"
compgen -G "$work/qt6-base_*.orig.tar.*" >/dev/null ||
  (cd "$work" && apt-get source --download-only "qt6-base=$(dpkg-query -W -f='${Version}' qt6-base-dev)" >&2)
source=$work/src-$key
rm -rf "$source" && mkdir "$source"
tar -C "$source" --strip-components=1 -xf "$work"/qt6-base_*.orig.tar.*
patch -d "$source" -p1 --quiet <"$patches" >&2

build=$work/build-$key
cmake -S "$source" -B "$build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64.cmake" -DCMAKE_INSTALL_PREFIX="$prefix" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake "${options[@]}" >&2
# A feature left out takes with it every feature that needs it: these are the program's and its tests'.
used=(accessibility animation clipboard colordialog combobox completer cssparser draganddrop effects filedialog
      filesystemmodel harfbuzz highdpiscaling im itemviews label lineedit listwidget menu messagebox png
      regularexpression scrollarea sessionmanager settings spinbox style_stylesheet style_windowsvista
      systemtrayicon textedit texthtmlparser tooltip translation treeview validator)
for feature in "${used[@]}"; do
  grep -qs "^#define QT_FEATURE_$feature 1" "$build"/src/*/qt*-config*.h ||
    { echo "Qt for Windows would lack the feature $feature" >&2; exit 1; }
done
cmake --build "$build" -j "${JOBS:-$(nproc)}" >&2
cmake --install "$build" >&2
# The source and the build tree, some gigabytes, serve no later build: they use the installed prefix.
rm -rf "$source" "$build"
echo "$prefix"
