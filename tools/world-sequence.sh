#!/usr/bin/env bash
# Films the game's built-in room with the headless renderer along a known path and evaluates
# the camera tracker on it: the frames and their true angles go to rovuzu_trackeval.
#   tools/world-sequence.sh [BUILD_DIR] [OUT_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/release}
out=${2:-$root/build/world-sequence}
rm -rf "$out"
mkdir -p "$out/frames" "$out/resources"
# The room alone: without the scene file there is no HUD and there are no targets to film.
cp "$root"/resources/* "$out/resources/"
rm "$out/resources/Scene.sks"

# A slow pan of 90 degrees over 20 s with a gentle nod, 30 frames a second, 640x480 pixels.
awk 'BEGIN {
    fps = 30; seconds = 20; pi = atan2(0, -1)
    print "time,yaw_deg,pitch_deg,roll_deg" > "'"$out"'/truth.csv"
    for (i = 0; i < fps * seconds; i++) {
        t = i / fps
        ease = (1 - cos(pi * t / seconds)) / 2
        yaw = 90 * ease; pitch = 6 * sin(2 * pi * t / 7); roll = 2 * sin(2 * pi * t / 5)
        printf "%.6f look %.6f %.6f %.6f\n", t, yaw, pitch, roll
        printf "%.6f screenshot '"$out"'/frames/%05d.png\n", t, i
        printf "%.6f,%.6f,%.6f,%.6f\n", t, yaw, pitch, roll > "'"$out"'/truth.csv"
    }
    printf "%.6f quit\n", seconds
}' >"$out/film.txt"

"$build/app/rovuzu" --headless --view 320x240 --resources "$out/resources" \
    --script "$out/film.txt" 2>/dev/null
"$build/platform/world/tracking/rovuzu_trackeval" --frames "$out/frames" --truth "$out/truth.csv" \
    --name built-in-room --out "$out/eval"
