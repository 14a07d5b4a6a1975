#!/usr/bin/env bash
# Installs what rovuzu needs, builds it, and plays: in a window when there is a display;
# without one, the built-in player plays a round headless and leaves a screenshot and a report.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release
binary=build/release/app/rovuzu
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec "$binary" "$@"
fi
demo=build/release/demo
mkdir -p "$demo"
echo "rovuzu: no display here; the built-in player plays a round headless instead" >&2
"$binary" --headless --autoplay --screenshot "$demo/last-frame.png" --report "$demo/report.json" "$@"
# "key": value lines of the report, as key=value; a text keeps its spaces.
summary=$(grep -E '"(targetsCreated|targetCount|elapsedText)"' "$demo/report.json" |
    sed -E 's/^ *"([A-Za-z]+)": *(.*[^,]),?$/\1=\2/' | paste -sd ' ')
echo "Round over: ${summary} (picture: $demo/last-frame.png, report: $demo/report.json)"
