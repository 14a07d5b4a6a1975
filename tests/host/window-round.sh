#!/usr/bin/env bash
# A whole round in a real window under Xvfb, in real time: the built-in player faces and taps
# every target; the run must end in game over, cleanly, with its screenshot written.
set -euo pipefail
binary=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
printf '40 screenshot middle.png\n82 quit\n' >round.txt
# Xvfb has no GPU and no desktop session: SDL's software renderer instead of Mesa's GL, and no
# session bus for SDL to look for input methods on. Both leak inside the libraries, which the
# sanitizer pass would report.
SDL_AUDIODRIVER=dummy SDL_RENDER_DRIVER=software SDL_FRAMEBUFFER_ACCELERATION=0 \
DBUS_SESSION_BUS_ADDRESS=disabled: xvfb-run -a -s "-screen 0 1280x1024x24" \
    "$binary" --autoplay --seed 5 --script round.txt --report report.json --screenshot end.png \
    >out.txt 2>err.txt || { echo "exit status $?"; cat err.txt; exit 1; }
fail() { echo "$1"; cat err.txt; exit 1; }
[ "$(grep -c '^El toque ha sido en: (0.0, 0.0)$' out.txt)" = 25 ] || fail "expected 25 taps"
grep -q '"gameOver": true' report.json || fail "no game over"
grep -q '"elapsedText": "Te ha llevado: 7[56] segundos"' report.json || fail "wrong elapsed time"
[ -s middle.png ] && [ -s end.png ] || fail "screenshots missing"
[ ! -s err.txt ] || fail "unexpected diagnostics"
echo "window round: 25 hits, game over"
