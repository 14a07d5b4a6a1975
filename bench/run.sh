#!/usr/bin/env bash
# Reproduces every figure in docs/PERFORMANCE.md on this machine, in one run:
#   bench/run.sh [section...]      sections: scene frames startup memory throughput latency idle web
# With no section, all of them. Builds an optimised tree in build/bench first (BUILD=DIR measures
# another tree, SKIP_BUILD=1 takes it as it is). Timings depend on the machine's load: each
# section prints the load average; repeated timings print their median and best, or perf's mean.
# RUNS sets how many times a timing repeats (15), PHONE_RUNS the browser's throttled starts (5).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD:-build/bench}
runs=${RUNS:-15}
export SDL_AUDIODRIVER=dummy SDL_RENDER_DRIVER=software SDL_FRAMEBUFFER_ACCELERATION=0

rovuzu=$build/app/rovuzu
probe=$build/bench/rovuzu_probe
shim=$build/bench/librovuzu_first_present.so
xvfb=(xvfb-run -a -s "-screen 0 1600x1800x24")

say() { printf '\n== %s (load average %s)\n' "$1" "$(cut -d' ' -f1-3 /proc/loadavg)"; }
# Median and best of the numbers on standard input, one a line.
summary() { sort -n | awk '{v[NR]=$1} END {printf "median %.1f, best %.1f, of %d\n", v[int((NR+1)/2)], v[1], NR}'; }

build_tree() {
    [ -z "${SKIP_BUILD:-}" ] || return 0
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DROVUZU_TRACKING=ON >/dev/null
    cmake --build "$build" --target rovuzu rovuzu_bench_scene rovuzu_bench_frames rovuzu_probe \
        rovuzu_first_present >/dev/null
}

scene() {
    say "scene graph, 10 to 10,000 targets"
    "$build/bench/rovuzu_bench_scene" --benchmark_min_time=0.2
}

frames() {
    say "frames at 750 x 1334, software renderer, against a bare full-screen copy"
    "$build/bench/rovuzu_bench_frames" --frames 600
}

# Milliseconds from launch to the first presented frame, as the preloaded shim reports them.
first_present() {
    for _ in $(seq "$runs"); do
        ROVUZU_LAUNCHED_AT=$(date +%s%N) LD_PRELOAD=$(realpath "$shim") "$rovuzu" --quit-after 0 2>&1 |
            sed -n 's/^first frame presented \([0-9.]*\) ms.*/\1/p'
    done | summary
}

startup() {
    say "start to first frame"
    printf 'window under Xvfb: '
    INSIDE=1 "${xvfb[@]}" "$0" first_present
    printf 'window, offscreen video driver: '
    SDL_VIDEODRIVER=offscreen first_present
    printf 'headless, first frame stepped (whole process): '
    elapsed "$rovuzu" --headless --quit-after 0
}

# perf's mean wall time of a command over $runs runs.
elapsed() {
    perf stat -r "$runs" "$@" 2>&1 >/dev/null |
        sed -n 's/^ *\([0-9.]*\) +- \([0-9.]*\) seconds time elapsed.*/mean \1 s, +- \2 s/p'
}

memory() {
    say "resident memory after one round"
    printf 'headless autoplay round with a screenshot: '
    "$probe" memory --headless --autoplay --seed 1 --screenshot /tmp/rovuzu-bench.png 2>&1 >/dev/null |
        sed -n 's/^rovuzu_probe: //p'
    printf 'window under Xvfb, 10 s of autoplay: '
    "${xvfb[@]}" "$probe" memory --autoplay --seed 1 --quit-after 10 2>&1 >/dev/null |
        sed -n 's/^rovuzu_probe: //p'
}

throughput() {
    say "headless autoplay rounds"
    printf 'one round (seed 1), wall: '
    elapsed "$rovuzu" --headless --autoplay --seed 1
    local count=50 start
    start=$(date +%s%N)
    for seed in $(seq "$count"); do "$rovuzu" --headless --autoplay --seed "$seed" >/dev/null; done
    awk -v n="$count" -v ns="$(( $(date +%s%N) - start ))" \
        'BEGIN {printf "%d rounds one after another: %.1f rounds a second\n", n, n / (ns / 1e9)}'
}

latency() {
    say "tap to the first frame that shows the hit"
    "$probe" latency --seed 1 | grep '^latency'
}

idle() {
    say "CPU while idle, window under Xvfb"
    "${xvfb[@]}" "$probe" idle --seed 1 2>&1 >/dev/null | sed -n 's/^rovuzu_probe: //p'
}

web() {
    say "the browser build in headless Chromium"
    scripts/web.sh >/dev/null 2>&1
    (cd tests/web && npm ci --no-audit --no-fund --loglevel=error)
    node bench/web/measure.mjs "$runs" "${PHONE_RUNS:-5}"
}

# Re-entered under Xvfb for one section, already built.
if [ -n "${INSIDE:-}" ]; then
    "$1"
    exit
fi
echo "machine: $(lscpu | sed -n 's/^Model name: *//p'), $(nproc) cores; $(uname -r)"
build_tree
sections=("$@")
[ ${#sections[@]} -gt 0 ] || sections=(scene frames startup memory throughput latency idle web)
for section in "${sections[@]}"; do
    "$section"
done
