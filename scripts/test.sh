#!/usr/bin/env bash
# Installs what rovuzu needs, builds it with warnings as errors, and runs every test; then
# makes the Debian package and checks it, installing it on a clean Debian 12.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset dev >/dev/null
cmake --build --preset dev
ctest --preset dev

echo "== the Debian package (scripts/check-package.sh)"
scripts/check-package.sh
