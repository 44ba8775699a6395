#!/usr/bin/env bash
# Runs each fuzz target for a bounded time on a scratch copy of its seed corpus; fails on any
# crash, sanitizer report or broken invariant. The mutations start from a fixed seed, so that a
# test run fails or passes the same way every time; a longer search with other seeds is
# FUZZ_SEED=N (0: a new one each run) with a larger time. Each target runs on one core, so as
# many run at once as there are cores (FUZZ_JOBS).
set -euo pipefail
bin=$1
seconds=${2:-30}
seed=${FUZZ_SEED:-1}
jobs=${FUZZ_JOBS:-$(nproc)}
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
# Failing inputs outlive the scratch folder.
artifacts=$(cd "$bin/.." && pwd)/fuzz-artifacts
mkdir -p "$artifacts"
trap 'rm -rf "$work"' EXIT

# One target; its verdict goes to $work/<target>.verdict, its log stays beside it.
run_target() {
  local target=$1 leaks=1 status=0 runs
  # The window target runs the toolkit, whose font caches are still allocated at exit: leak
  # checks stay with the core targets.
  [ "$target" = window_press ] && leaks=0
  mkdir -p "$work/$target" "$work/$target.runtime"
  chmod 700 "$work/$target.runtime"
  cp "$root/fuzz/corpus/$target/"* "$work/$target/"
  ASAN_OPTIONS="detect_leaks=$leaks" QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work/$target.runtime" \
    "$bin/${target}_fuzz" -seed="$seed" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
    -artifact_prefix="$artifacts/$target-" "$work/$target" >"$work/$target.log" 2>&1 || status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/$target.log")
  if [ "$status" -ne 0 ]; then
    echo "fuzz $target: FAILED (status $status)" >"$work/$target.verdict"
  else
    echo "fuzz $target: ${runs:-?} inputs in ${seconds}s, no failure" >"$work/$target.verdict"
  fi
}

targets=(window_press parse_decimal press coefficient_file job_file)
for target in "${targets[@]}"; do
  while [ "$(jobs -rp | wc -l)" -ge "$jobs" ]; do wait -n || true; done
  run_target "$target" &
done
wait

failed=0
for target in "${targets[@]}"; do
  cat "$work/$target.verdict"
  if grep -q FAILED "$work/$target.verdict"; then
    tail -n 40 "$work/$target.log"
    failed=1
  fi
done
exit "$failed"
