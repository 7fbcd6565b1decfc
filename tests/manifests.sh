#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# What Windows reads from the program's and the installer's resources before it runs them: the program
# has one application manifest, which runs it as its user, names Windows up to 10 and 11 and long paths,
# and leaves the DPI awareness to Qt; the installer asks for no elevation of its own and is DPI-aware.
#   manifests.sh SORVANTO.EXE SETUP.EXE
set -euo pipefail
fail() { echo "FAIL: $*"; exit 1; }
manifests=$(wrestool -l -t 24 "$1")
[ "$(grep -c . <<<"$manifests")" = 1 ] || fail "the program has not one manifest: ${manifests:-none}"
program=$(wrestool -x --raw -t 24 "$1")
python3 -c 'import sys, xml.dom.minidom; xml.dom.minidom.parseString(sys.stdin.buffer.read())' <<<"$program" ||
  fail "the program's manifest is no XML"
for part in 'level="asInvoker"' 'supportedOS Id="{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"' '<longPathAware[^>]*>true<'; do
  grep -q "$part" <<<"$program" || fail "the program's manifest lacks $part"
done
! grep -qi 'dpiaware' <<<"$program" || fail "the program's manifest sets a DPI awareness before Qt does"
setup=$(wrestool -x --raw -t 24 "$2")
level=$(grep -o 'requestedExecutionLevel level="[^"]*"' <<<"$setup")
[ "$level" = 'requestedExecutionLevel level="asInvoker"' ] || fail "the installer asks for ${level:-nothing}"
grep -q '<dpiAware[^>]*>true<' <<<"$setup" || fail "the installer's pages are not drawn at the screen's scale"
echo "manifests: the program's and the installer's run as their user, the installer drawn at the screen's scale"
