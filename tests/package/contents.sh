#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the built Debian package without installing it: the validators, the release's lintian and
# the release's appstreamcli find nothing, the desktop entry and the AppStream data point at files the
# package holds, the icons have the sizes their directories claim, nothing goes into fontconfig's
# configuration, the licence is stated in Debian's machine-readable form, every place that names the
# version names the same one, and the package depends on the libraries it links and on what the
# program loads at run time.
#   contents.sh PACKAGE_BUILD_DIR
set -euo pipefail
deb=$(ls "$1"/sorvanto_*.deb)
data=$(cd "$(dirname "$0")/../../data" && pwd)
root=$(mktemp -d /tmp/sorvanto-contents.XXXXXX)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

echo "== validators"
desktop=$root/usr/share/applications/sorvanto.desktop
metainfo=$(ls "$root"/usr/share/metainfo/*.metainfo.xml)
desktop-file-validate "$desktop" || fail "desktop-file-validate"
# Any line of appstreamcli's but its verdict and what it is known to say: the metadata names its
# developer both in <developer>, which Debian 12's AppStream predates, and in <developer_name>, which
# 1.0 deprecates, and 1.0 wants a homepage, which the project does not have.
known='unknown-tag developer|developer-name-tag-deprecated|url-homepage-missing'
appstream_findings() { grep -vE "^\$|Validation (was successful|failed)|: ($known)\$" "$1"; }
appstreamcli validate --pedantic --no-net "$metainfo" >"$root.appstream" 2>&1 || true
cat "$root.appstream"
appstream_findings "$root.appstream" && fail "appstreamcli validate --pedantic"
rm -f "$root.appstream"
# The release's own AppStream checked the metadata in the build's root, where lintian may leave it out.
[ -f "$1/appstream.txt" ] || fail "no appstream.txt from the build"
appstream_findings "$1/appstream.txt" && fail "the release's appstreamcli validate --pedantic"
# The release's own lintian ran after the build.
[ -f "$1/lintian.txt" ] || fail "no lintian.txt from the build"
[ ! -s "$1/lintian.txt" ] || { cat "$1/lintian.txt"; fail "lintian --pedantic -I reports tags"; }

echo "== the desktop entry and the AppStream data name files of the package"
entry() { sed -n "s/^$1=//p" "$desktop"; }
[ -x "$root/usr/bin/$(entry Exec)" ] || fail "Exec=$(entry Exec) is not an installed program"
[ "$(entry Categories)" = "Utility;" ] || fail "Categories=$(entry Categories)"
[ -n "$(entry Comment)" ] || fail "no Comment"
[ -e "$root/usr/share/icons/hicolor/32x32/apps/$(entry Icon).png" ] || fail "Icon=$(entry Icon) has no 32x32 icon"
[ -e "$root/usr/share/icons/hicolor/scalable/apps/$(entry Icon).svg" ] || fail "Icon=$(entry Icon) has no scalable icon"
launchable=$(xmllint --xpath 'string(//launchable[@type="desktop-id"])' "$metainfo")
[ "$launchable" = sorvanto.desktop ] || fail "the metainfo launches '$launchable'"
binary=$(xmllint --xpath 'string(//provides/binary)' "$metainfo")
[ -x "$root/usr/bin/$binary" ] || fail "the metainfo provides '$binary', which is not installed"
id=$(xmllint --xpath 'string(/component/id)' "$metainfo")
[ "$(basename "$metainfo")" = "$id.metainfo.xml" ] || fail "metainfo file $(basename "$metainfo") for id $id"

echo "== icons"
for png in "$root"/usr/share/icons/hicolor/*x*/apps/sorvanto.png; do
  size=$(basename "$(dirname "$(dirname "$png")")")
  [ "$(identify -format '%wx%h' "$png")" = "$size" ] || fail "$png is $(identify -format '%wx%h' "$png")"
done
sizes=$(ls "$root"/usr/share/icons/hicolor | tr '\n' ' ')
[ "$sizes" = "128x128 256x256 32x32 48x48 64x64 scalable " ] || fail "icon sizes: $sizes"
colours=$(identify -format '%k' "$root/usr/share/icons/hicolor/32x32/apps/sorvanto.png")
[ "$colours" -le 16 ] || fail "the 32x32 icon has $colours colours"
xmllint --noout "$root/usr/share/icons/hicolor/scalable/apps/sorvanto.svg" || fail "the scalable icon is not well-formed"

echo "== nothing for other programs"
# The program loads its font aliases itself; in fontconfig's configuration they would be every program's.
for dir in etc/fonts usr/share/fontconfig; do
  [ ! -e "$root/$dir" ] || fail "the package installs into /$dir: $(cd "$root" && find "$dir" -not -type d)"
done

echo "== licence"
copyright=$root/usr/share/doc/sorvanto/copyright
head -1 "$copyright" | grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
  fail "the copyright file is not in the machine-readable format"
grep -qx 'License: GPL-3+' "$copyright" || fail "the copyright file does not name GPL-3+"
grep -q '/usr/share/common-licenses/GPL-3' "$copyright" || fail "the copyright file does not point at the licence's text"
[ "$(xmllint --xpath 'string(/component/project_license)' "$metainfo")" = GPL-3.0-or-later ] ||
  fail "the metainfo does not name GPL-3.0-or-later"
cmp -s "$data/../LICENSE" /usr/share/common-licenses/GPL-3 || fail "LICENSE is not the GPL's version 3"

echo "== one version"
version=$(dpkg-deb -f "$deb" Version)
echo "$version"
[ "$(xmllint --xpath 'string(//releases/release[1]/@version)' "$metainfo")" = "$version" ] ||
  fail "the metainfo's newest release is not $version"
[ "$(zcat "$root/usr/share/doc/sorvanto/changelog.gz" | dpkg-parsechangelog -l- -S Version)" = "$version" ] ||
  fail "the Debian changelog's newest entry is not $version"
# Changes not yet released gather under "Unreleased" above the newest release.
grep '^## ' "$data/../CHANGELOG.md" | grep -vx '## Unreleased' | head -1 | grep -q "^## $version " ||
  fail "CHANGELOG.md's newest release is not $version"
zcat "$root/usr/share/man/man1/sorvanto.1.gz" | grep -q "^\.TH SORVANTO 1 .* \"Sorvanto $version\"" ||
  fail "the manual page is not of $version"

echo "== dependencies"
depends=$(dpkg-deb -f "$deb" Depends)
echo "$depends"
# Debian 13's libraries carry t64 in their names.
for package in libqt6widgets6 libcanberra0 libfontconfig1 fonts-liberation fonts-dejavu-core fonts-dancingscript \
               sound-theme-freedesktop libcanberra-pulse; do
  grep -Eq "(^|, )$package(t64)?( |,|$)" <<<"$depends" || fail "does not depend on $package"
done
# One exact build of Qt would keep the package from any other.
grep -q qt6-base-abi <<<"$depends" && fail "depends on one build of Qt"
[ "$(dpkg-deb -f "$deb" Recommends)" = qt6-translations-l10n ] || fail "does not recommend qt6-translations-l10n"

[ "$failures" -eq 0 ] && echo "package contents OK"
exit "$((failures > 0))"
