#!/usr/bin/env bash
# Checks the built Debian package without installing it: the validators and lintian pass, the
# desktop entry and the AppStream data point at files the package holds, the icons have the sizes
# their directories claim, the font aliases are enabled where fontconfig looks, and the package
# depends on the libraries it links and on what the program loads at run time.
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
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate"
lintian --fail-on error "$deb" || fail "lintian reports errors"

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

echo "== font aliases"
link=$root/etc/fonts/conf.d/30-sorvanto-fonts.conf
[ -L "$link" ] || fail "no link in /etc/fonts/conf.d"
target=$(readlink "$link")
case "$target" in /usr/share/fontconfig/conf.avail/*) ;; *) fail "the link points at $target" ;; esac
cmp -s "$root$target" "$data/sorvanto-fonts.conf" || fail "$target differs from the aliases the program embeds"

echo "== dependencies"
depends=$(dpkg-deb -f "$deb" Depends)
echo "$depends"
for package in libqt6widgets6 libcanberra0 libfontconfig1 fonts-liberation fonts-dejavu-core fonts-dancingscript \
               sound-theme-freedesktop libcanberra-pulse; do
  grep -Eq "(^|, )$package( |,|$)" <<<"$depends" || fail "does not depend on $package"
done

[ "$failures" -eq 0 ] && echo "package contents OK"
exit "$((failures > 0))"
