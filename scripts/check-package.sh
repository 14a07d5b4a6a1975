#!/usr/bin/env bash
# Checks the Debian package: makes it with scripts/package.sh (or takes DEB), then checks that
# it holds what a desktop needs, that its desktop entry and metainfo validate, that the binary,
# the package and the metainfo show one version, that lintian finds no error, and that it
# installs, plays and goes away cleanly on a clean Debian 12 (scripts/clean-install.sh).
# A check whose tool is missing is skipped with a line saying so; scripts/install-deps.sh
# installs them all.
#   scripts/check-package.sh [DEB]
set -euo pipefail
cd "$(dirname "$0")/.."
deb=${1:-}
if [ -z "$deb" ]; then
  scripts/package.sh
  deb=$(echo build/package/rovuzu_*.deb)
fi
contents=build/package/contents

fail() {
  echo "rovuzu: package check: $*" >&2
  exit 1
}
has() {
  command -v "$1" >/dev/null && return 0
  echo "package check: skipped $2: $1 is not installed"
  return 1
}

# The files, with the icons at the sizes their folders say.
check_contents() {
  rm -rf "$contents"
  dpkg-deb -x "$deb" "$contents"
  local file
  for file in usr/games/rovuzu usr/bin/rovuzu usr/share/rovuzu/Info.json \
    usr/share/applications/org.rovuzu.rovuzu.desktop \
    usr/share/metainfo/org.rovuzu.rovuzu.metainfo.xml usr/share/man/man6/rovuzu.6.gz \
    usr/share/doc/rovuzu/copyright usr/share/doc/rovuzu/LICENSE \
    usr/share/doc/rovuzu/changelog.gz; do
    [ -e "$contents/$file" ] || fail "$deb has no $file"
  done
  for size in 32 48 64 128 256; do
    file "$contents/usr/share/icons/hicolor/${size}x$size/apps/rovuzu.png" |
      grep -q "PNG image data, $size x $size," || fail "no $size px icon"
  done
  echo "package check: $(basename "$deb"), $(du -k "$deb" | cut -f 1) KB, holds every file"
  dpkg-deb -f "$deb" Depends Recommends
}

# --version, the package's version and the metainfo's newest release.
check_version() {
  local package binary release
  package=$(dpkg-deb -f "$deb" Version)
  binary=$("$contents/usr/games/rovuzu" --version)
  release=$(grep -m 1 -o '<release version="[^"]*"' \
    "$contents/usr/share/metainfo/org.rovuzu.rovuzu.metainfo.xml" | cut -d '"' -f 2)
  if [ "$binary" != "rovuzu $package" ] || [ "$release" != "$package" ]; then
    fail "versions differ: package $package, binary '$binary', metainfo $release"
  fi
  echo "package check: version $package everywhere"
}

check_contents
check_version
if has desktop-file-validate "the desktop entry"; then
  desktop-file-validate "$contents/usr/share/applications/org.rovuzu.rovuzu.desktop" ||
    fail "the desktop entry is not valid"
  echo "package check: desktop-file-validate passes"
fi
if has appstreamcli "the metainfo"; then
  appstreamcli validate --no-net "$contents/usr/share/metainfo/org.rovuzu.rovuzu.metainfo.xml" ||
    fail "the metainfo is not valid"
fi
if has lintian "lintian"; then
  # Warnings and notes are printed; docs/PACKAGING.md says why each one kept is kept.
  lintian --display-info --fail-on error "$deb" || fail "lintian found errors in $deb"
  echo "package check: lintian finds no error"
fi
if has debootstrap "the clean install"; then
  scripts/clean-install.sh "$deb"
fi
