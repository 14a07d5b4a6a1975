#!/usr/bin/env bash
# Installs what rovuzu needs, builds an optimised release and makes its Debian package,
# build/package/rovuzu_<version>_<arch>.deb; prints the package's path.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset package >/dev/null
cmake --build --preset package
rm -f build/package/rovuzu_*.deb
cpack --preset package >/dev/null
ls build/package/rovuzu_*.deb
