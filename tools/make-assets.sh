#!/usr/bin/env bash
# Regenerates rovuzu's art and sounds into resources/, and the web app's icons into
# platform/host/web/icons/, with our own generator (tools/assets). Output is deterministic:
# rerunning gives byte-identical files.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build/assets"
out="$build/generated"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DROVUZU_TESTS=OFF >/dev/null
cmake --build "$build" --target rovuzu_make_assets

rm -rf "$out"
mkdir -p "$out"
"$build/tools/rovuzu_make_assets" "$out"
# VBR keeps the loop small. LAME records its padding in the file's tag, and SDL_mixer's
# mpg123 decoder trims it, so the loop still decodes to the exact sample count.
lame --quiet -V 5 "$out/rovuzu.wav" "$out/rovuzu.mp3"

mkdir -p "$root/resources"
for file in rovuzu1.png rovuzu2.png rovuzu3.png rovuzu4.png gameover.png icon.png \
    QuickDeath.wav rovuzu.mp3; do
    install -m 644 "$out/$file" "$root/resources/$file"
done
# The web app's icons go beside the page, not into the game's packed resources.
for file in icon-192.png icon-512.png icon-maskable-512.png; do
    install -m 644 "$out/$file" "$root/platform/host/web/icons/$file"
done
echo "assets written to $root/resources and $root/platform/host/web/icons"
