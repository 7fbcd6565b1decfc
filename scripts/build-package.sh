#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian source and binary packages in a clean root of a Debian release:
#   scripts/build-package.sh [DIST [OUT_DIR]]   (default: this machine's release, build-package/DIST)
# The root comes from Debian's archive with the build dependencies, lintian and appstreamcli in it; it
# is kept as a tarball under ~/.cache/sorvanto/ (SORVANTO_ROOT_CACHE) until debian/control's build
# dependencies or those tools change. dpkg-buildpackage builds there (with the in-process tests,
# unless DEB_BUILD_OPTIONS says nocheck), then that release's lintian checks the .dsc, the .changes
# and the .deb, and that release's appstreamcli the package's AppStream metadata, and say what they
# find. OUT_DIR receives the .dsc, .tar.xz, .changes, .buildinfo and .deb files, lintian.txt and
# appstream.txt.
# Needs root (mmdebstrap, chroot) and Debian's archive the first time.
set -euo pipefail
cd "$(dirname "$0")/.."
dist=${1:-$(. /etc/os-release && echo "$VERSION_CODENAME")}
out=$(realpath -m "${2:-build-package/$dist}")
mirror=${SORVANTO_DEBIAN_MIRROR:-http://deb.debian.org/debian}
security=${SORVANTO_DEBIAN_SECURITY_MIRROR:-http://deb.debian.org/debian-security}
cache=${SORVANTO_ROOT_CACHE:-$HOME/.cache/sorvanto}
[ "$(id -u)" -eq 0 ] || { echo "SKIP: building in a clean root needs root (mmdebstrap, chroot)"; exit 77; }

# The root, once per release and set of packages; lintian does not bring appstreamcli everywhere.
tools=lintian,ca-certificates,appstream
build_depends=$(sed -n '/^Build-Depends:/,/^[^ ]/p' debian/control | sed '$d')
tarball=$cache/$dist-build-$(sha256sum <<<"$tools $build_depends" | cut -c1-12).tar
if [ ! -f "$tarball" ]; then
  mkdir -p "$cache"
  echo "making a clean $dist root in $tarball"
  mmdebstrap --variant=buildd --format=tar --include=$tools \
    --customize-hook='mkdir -p "$1/tmp/control/debian"' \
    --customize-hook='copy-in debian/control /tmp/control/debian' \
    --customize-hook='chroot "$1" apt-get build-dep -y -q /tmp/control' \
    --customize-hook='rm -rf "$1/tmp/control"' \
    "$dist" "$tarball.new" "deb $mirror $dist main" "deb $mirror $dist-updates main" \
    "deb $security $dist-security main"
  mv "$tarball.new" "$tarball"
  # A root for packages that changed is of no more use.
  find "$cache" -maxdepth 1 -name "$dist-build-*.tar" ! -path "$tarball" -delete
fi

work=$(mktemp -d /tmp/sorvanto-package.XXXXXX)
trap 'rm -rf "$work"' EXIT
root=$work/root
mkdir -p "$root"
tar -C "$root" -xf "$tarball"

# The source as it is in the working tree, without the builds and what git ignores.
version=$(dpkg-parsechangelog -S Version)
source=$root/build/sorvanto-$version
mkdir -p "$source"
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  git ls-files -z --cached --others --exclude-standard | while IFS= read -r -d '' file; do
    [ -e "$file" ] && printf '%s\0' "$file"
  done | tar -c --null -T - | tar -C "$source" -x
else
  tar -c --exclude='./build' --exclude='./build-*' . | tar -C "$source" -x
fi

# Each release's lintian leaves out only the tag it is known to give this package wrongly.
case $dist in
  # The source follows the policy of Debian's stable release, which Debian 12's lintian predates.
  bookworm) suppress=--suppress-tags=newer-standards-version ;;
  # AppStream 1.0 wants a homepage, which the project does not have. The release's appstreamcli
  # still checks the metadata into appstream.txt, so that its other findings fail the package test.
  trixie) suppress=--suppress-tags=appstream-metadata-validation-failed ;;
  *) suppress= ;;
esac
# Mounts live in a private mount namespace that ends with the build, so none is left behind.
unshare --mount --propagation private -- bash -c '
  root=$1 jobs=$2 version=$3 suppress=$4
  mount -t proc proc "$root/proc"
  mount -t tmpfs tmpfs "$root/dev/shm"
  chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
    DEB_BUILD_OPTIONS="parallel=$jobs ${DEB_BUILD_OPTIONS:-}" \
    sh -c "cd /build/sorvanto-$version && dpkg-buildpackage -us -uc && cd .. &&
           runuser -u nobody -- env HOME=/tmp lintian --pedantic -I --fail-on none $suppress *.changes >lintian.txt 2>&1 &&
           { appstreamcli validate --no-net --pedantic sorvanto-$version/debian/sorvanto/usr/share/metainfo/* \
               >appstream.txt 2>&1 || true; }"' \
  bash "$root" "${JOBS:-$(nproc)}" "$version" "$suppress"

rm -rf "$out"
mkdir -p "$out"
find "$root/build" -maxdepth 1 -type f -exec cp -t "$out" {} +
ls "$out"
# The packages are there either way; tests/package/contents.py fails on any tag.
if [ -s "$out/lintian.txt" ]; then
  echo "lintian --pedantic -I reports tags:"
  cat "$out/lintian.txt"
else
  echo "lintian --pedantic -I: no tags"
fi
echo "the release's appstreamcli validate --pedantic:"
cat "$out/appstream.txt"
