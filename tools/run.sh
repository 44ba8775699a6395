#!/usr/bin/env bash
# Starts the program from the folder that holds the generated manual, so that F1 in the about
# window finds it.
set -euo pipefail
bin=$(cd "$1" && pwd)
if [ ! -x "$bin/balance4" ]; then
  echo "The windows are not built yet; the example readings through balance4-calc:"
  "$bin/balance4-calc" --example
  exit 0
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "balance4: no display. Run it under a virtual one: (cd $bin && xvfb-run -a ./balance4)" >&2
  exit 1
fi
cd "$bin" && exec ./balance4
