#!/usr/bin/env bash
# Runs each fuzz target for a bounded time on a scratch copy of its seed corpus; fails on any
# crash, sanitizer report or broken invariant.
set -euo pipefail
bin=$1
seconds=${2:-30}
root=$(cd "$(dirname "$0")/.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The window target runs the toolkit, whose font caches are still allocated at exit: leak checks
# stay with the core targets.
for target in parse_decimal press coefficient_file window_press; do
  leaks=1
  [ "$target" = window_press ] && leaks=0
  mkdir -p "$work/$target"
  cp "$root/fuzz/corpus/$target/"* "$work/$target/"
  status=0
  ASAN_OPTIONS="detect_leaks=$leaks" QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work" \
    "$bin/${target}_fuzz" -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
    -artifact_prefix="$work/" "$work/$target" >"$work/$target.log" 2>&1 || status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/$target.log")
  if [ "$status" -ne 0 ]; then
    tail -n 40 "$work/$target.log"
    echo "fuzz $target: FAILED (status $status)"
    exit 1
  fi
  echo "fuzz $target: ${runs:-?} inputs in ${seconds}s, no failure"
done
