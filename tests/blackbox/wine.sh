#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A Qt test built for Windows, under Wine on a private desktop with the window manager and tray that
# Qt's Windows platform wants.   wine.sh TEST.EXE [ARGUMENTS...], WINEPREFIX set (the first makes it)
set -uo pipefail
source "$(dirname "$0")/desktop.sh"
# Every screen that the window's tests make up fits on this one.
DESKTOP_SOUND=0 desktop_start 2560x1600 >&2 || exit 1
wine_prefix "$WINEPREFIX" >"$desktop_dir/wine.log" 2>&1 || { cat "$desktop_dir/wine.log"; exit 1; }
# Under Wine, what Qt's tests write to the standard output never arrives: they write to a file.
log=$desktop_dir/test.txt
wine "$@" -o "Z:${log//\//\\},txt"
status=$?
cat "$log"
# The next program may start on another desktop: nothing of this one's Wine may outlive it.
wineserver -k 2>/dev/null
exit $status
