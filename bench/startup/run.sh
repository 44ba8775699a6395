#!/usr/bin/env bash
# Start-up benchmark: balance4 against a bare-dialog yardstick, both offscreen and both ended by
# the preloaded probe (first_paint_probe.cpp) when their first paint is done; the programs have
# no switch of their own for it. Runs them alternately (with, as a reference, the yardstick
# showing one line of text), then measures how long the calculator (F9 on the splash) and the
# about window (F1) take from the key to the end of their first paint. Prints medians of wall time
# and peak resident memory, and the ratios to the yardstick.
# Usage: run.sh <bin folder> [runs per program, at least 15]
set -euo pipefail
bin=$(cd "${1:?usage: run.sh <bin folder> [runs]}" && pwd)
runs=${2:-${RUNS:-21}}
[ "$runs" -ge 15 ] || { echo "at least 15 runs each" >&2; exit 2; }

probe="$bin/balance4-first-paint-probe.so"
for f in "$bin/balance4" "$bin/balance4-yardstick" "$probe"; do
  [ -e "$f" ] || { echo "missing $f: build first (make bench-startup)" >&2; exit 2; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -m 700 "$work/runtime"
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work/runtime" LC_ALL=C.UTF-8

# One run: appends "<wall ms> <peak KiB> <latency ms>" to the file $1.
run_once() {
  local out=$1 action=$2 program=$3 start end report
  shift 3
  report="$work/report"
  : >"$report"
  start=$EPOCHREALTIME
  # No wrapper such as timeout(1) in the timed run: the probe ends a program that hangs.
  PROBE_ACTION=$action PROBE_REPORT=$report LD_PRELOAD=$probe "$program" "$@" 2>/dev/null ||
    { echo "$program ($action) failed" >&2; exit 1; }
  end=$EPOCHREALTIME
  [ -s "$report" ] || { echo "$program ($action) ended without a first paint" >&2; exit 1; }
  echo "$(awk -v s="$start" -v e="$end" 'BEGIN { printf "%.3f", (e - s) * 1000 }') $(cat "$report")" >>"$out"
}

median() {  # median of column $2 of file $1
  awk -v c="$2" '{ print $c }' "$1" | sort -g |
    awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# Warm the file cache and the font cache once, not counted.
run_once "$work/warm" exit "$bin/balance4-yardstick"
run_once "$work/warm" exit "$bin/balance4"

for ((i = 0; i < runs; i++)); do
  run_once "$work/yardstick" exit "$bin/balance4-yardstick"
  run_once "$work/balance4" exit "$bin/balance4"
  run_once "$work/text" exit "$bin/balance4-yardstick" text
done
for ((i = 0; i < runs; i++)); do
  run_once "$work/calculator" key:F9 "$bin/balance4"
  run_once "$work/about" key:F1 "$bin/balance4"
done

yw=$(median "$work/yardstick" 1) ym=$(median "$work/yardstick" 2)
bw=$(median "$work/balance4" 1) bm=$(median "$work/balance4" 2)
tw=$(median "$work/text" 1) tm=$(median "$work/text" 2)
awk -v runs="$runs" -v yw="$yw" -v ym="$ym" -v bw="$bw" -v bm="$bm" -v tw="$tw" -v tm="$tm" \
  -v cl="$(median "$work/calculator" 3)" -v al="$(median "$work/about" 3)" 'BEGIN {
  printf "start-up to first paint, median of %d alternating runs each (offscreen)\n", runs
  printf "%-26s %10s %14s\n", "", "wall ms", "peak RSS MiB"
  printf "%-26s %10.1f %14.1f\n", "yardstick (empty QDialog)", yw, ym / 1024
  printf "%-26s %10.1f %14.1f\n", "balance4 (splash)", bw, bm / 1024
  printf "%-26s %10.2f %14.2f\n", "ratio", bw / yw, bm / ym
  printf "%-26s %10.1f %14.1f   ratio %.2f / %.2f\n", "yardstick with one text", tw, tm / 1024, tw / yw, tm / ym
  printf "first showing, key to end of first paint, median of %d runs\n", runs
  printf "%-26s %10.1f\n", "calculator (F9)", cl
  printf "%-26s %10.1f\n", "about window (F1)", al
}'
