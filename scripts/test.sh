#!/usr/bin/env bash
# Installs what rovuzu needs, builds it with warnings as errors, and runs every test: the
# desktop's with CTest; the Debian package's checks, installing it on a clean Debian 12; then
# the browser build's in headless Chromium.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset dev >/dev/null
cmake --build --preset dev
ctest --preset dev

echo "== the Debian package (scripts/check-package.sh)"
scripts/check-package.sh

echo "== the browser build (scripts/web.sh, tests/web)"
scripts/web.sh
cd tests/web
npm ci --no-audit --no-fund --loglevel=error
npm test
