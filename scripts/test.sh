#!/usr/bin/env bash
# Installs what rovuzu needs, builds it with warnings as errors, and runs every test: the
# desktop's with CTest, then the browser build's in headless Chromium.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset dev >/dev/null
cmake --build --preset dev
ctest --preset dev
scripts/web.sh
cd tests/web
npm ci --no-audit --no-fund --loglevel=error
npm test
