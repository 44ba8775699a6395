#!/usr/bin/env bash
# Runs each fuzz target for a bounded time on a scratch copy of its seed corpus; fails on any
# crash, sanitizer report or broken invariant. The mutations start from a fixed seed, so that a
# test run fails or passes the same way every time; a longer search with other seeds is
# FUZZ_SEED=N (0: a new one each run) with a larger time.
set -euo pipefail
bin=$1
seconds=${2:-30}
seed=${FUZZ_SEED:-1}
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
# Failing inputs outlive the scratch folder.
artifacts=$(cd "$bin/.." && pwd)/fuzz-artifacts
mkdir -p "$artifacts"
trap 'rm -rf "$work"' EXIT
# The window target runs the toolkit, whose font caches are still allocated at exit: leak checks
# stay with the core targets.
for target in parse_decimal press coefficient_file job_file window_press; do
  leaks=1
  [ "$target" = window_press ] && leaks=0
  mkdir -p "$work/$target"
  cp "$root/fuzz/corpus/$target/"* "$work/$target/"
  status=0
  ASAN_OPTIONS="detect_leaks=$leaks" QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work" \
    "$bin/${target}_fuzz" -seed="$seed" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
    -artifact_prefix="$artifacts/$target-" "$work/$target" >"$work/$target.log" 2>&1 || status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/$target.log")
  if [ "$status" -ne 0 ]; then
    tail -n 40 "$work/$target.log"
    echo "fuzz $target: FAILED (status $status)"
    exit 1
  fi
  echo "fuzz $target: ${runs:-?} inputs in ${seconds}s, no failure"
done
