#!/usr/bin/env bash
# Fuzzes every file the program reads: builds the libFuzzer targets (the `fuzz` preset, clang
# with AddressSanitizer and UndefinedBehaviorSanitizer) and runs each for SECONDS (default
# 120), two at a time, from the committed seeds in tests/fuzz/corpus. Prints execs, exec/s,
# coverage and findings per target; a finding (a crash, a leak, a timeout, memory beyond the
# limit) stops its target and is kept in build/fuzz/findings/<target>/, and its path, the
# command that reproduces it and the sanitizer's report go to stderr. Exits 1 when anything was
# found or a target failed to run. CI runs it for 20 s.
#   tools/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-120}

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

targets=(fuzz_scene_file fuzz_app_config fuzz_main_interface fuzz_script fuzz_script_run
         fuzz_resource_name fuzz_png_header)
declare -A dictionary=(
  [fuzz_scene_file]=resources.dict [fuzz_app_config]=resources.dict
  [fuzz_main_interface]=resources.dict [fuzz_script]=script.dict [fuzz_script_run]=script.dict
  [fuzz_resource_name]=names.dict
)

runs=build/fuzz/runs
rm -rf "$runs" build/fuzz/findings
mkdir -p "$runs"

run_target() {
  local target=$1 dict=$2 seconds=$3
  local corpus=build/fuzz/runs/corpus/$target findings=build/fuzz/findings/$target
  mkdir -p "$corpus" "$findings"
  local options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1
                 -artifact_prefix="$findings/")
  [ -n "$dict" ] && options+=(-dict="tests/fuzz/$dict")
  # A fresh corpus each time, grown from the seeds only, so the figures can be reproduced.
  local status=0
  "build/fuzz/tests/fuzz/$target" "${options[@]}" "$corpus" "tests/fuzz/corpus/$target" \
    >"build/fuzz/runs/$target.log" 2>&1 || status=$?
  echo "$status" >"build/fuzz/runs/$target.status"
}
export -f run_target

for target in "${targets[@]}"; do
  printf '%s %s\n' "$target" "${dictionary[$target]:-}"
done | xargs -P 2 -L 1 bash -c 'run_target "$0" "$1" '"$seconds"
# A target that stops on a finding leaves its scratch bundle behind.
rm -rf /dev/shm/rovuzu-fuzz-* "${TMPDIR:-/tmp}"/rovuzu-fuzz-*

status=0
printf '%-20s %12s %8s %6s %7s %7s  %s\n' target execs exec/s cov ft corpus findings
for target in "${targets[@]}"; do
  log=$runs/$target.log
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
  last=$(grep -E '^#[0-9]+.*cov: ' "$log" | tail -n 1)
  cov=$(sed -n 's/.*cov: \([0-9]*\).*/\1/p' <<<"$last")
  ft=$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$last")
  corpus=$(sed -n 's/.* corp: \([0-9]*\)\/.*/\1/p' <<<"$last")
  found=$(find "build/fuzz/findings/$target" -type f | wc -l)
  summary=none
  if [ "$found" -gt 0 ]; then
    summary="$found: $(grep -m 1 -E 'ERROR|property broken' "$log" || true)"
    status=1
  elif [ "$(cat "$runs/$target.status")" != 0 ]; then
    summary="did not run: exit status $(cat "$runs/$target.status"), see $log"
    status=1
  fi
  printf '%-20s %12s %8s %6s %7s %7s  %s\n' "$target" "${execs:-?}" "${rate:-?}" "${cov:-?}" \
    "${ft:-?}" "${corpus:-?}" "$summary"
done

# What a finding needs to be looked at where only the log is left, as in CI: the reproducer's
# path, the command that replays it, and the report from the first error on.
for target in "${targets[@]}"; do
  for finding in "build/fuzz/findings/$target"/*; do
    [ -f "$finding" ] || continue
    echo "rovuzu: $target found $finding; reproduce: build/fuzz/tests/fuzz/$target $finding" >&2
    sed -n '/ERROR\|property broken/,$p' "$runs/$target.log" >&2
  done
done
exit $status
