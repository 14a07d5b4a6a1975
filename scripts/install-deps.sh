#!/usr/bin/env bash
# Installs every package rovuzu needs to build, test, play and benchmark on Debian 12.
# Idempotent: when everything is present it prints nothing and exits 0.
set -euo pipefail

packages=(
  # toolchain and test stack
  build-essential cmake ninja-build pkg-config clang clang-tidy clang-format
  libclang-rt-14-dev googletest libgtest-dev libgmock-dev libbenchmark-dev
  # platform libraries
  libsdl2-dev libsdl2-image-dev libsdl2-ttf-dev libsdl2-mixer-dev
  libglm-dev libfontconfig-dev nlohmann-json3-dev libcli11-dev
  # number text, the same in the desktop and browser builds
  libfmt-dev libfast-float-dev
  # free fonts standing in for the platform's own, and the cutter that trims them for the page
  fonts-lato fonts-dejavu-core fontconfig fonttools
  # real-window screenshots, asset tools
  xvfb x11-apps imagemagick sox lame libsox-fmt-mp3
  # bench/run.sh times whole runs with perf
  linux-perf
  # optional webcam picture and visual tracking
  libopencv-dev
  # the browser build and its tests: emscripten, binaryen's optimiser, stb, the page's server
  # and certificate, headless Chromium
  emscripten binaryen libstb-dev nodejs openssl chromium
  # the Debian package (scripts/package.sh) and its checks (scripts/check-package.sh)
  help2man file lintian desktop-file-utils appstream debootstrap
)
# npm comes with some builds of nodejs and is a package of its own with Debian's.
command -v npm >/dev/null 2>&1 || packages+=(npm)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "rovuzu: installing ${#missing[@]} packages: ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
