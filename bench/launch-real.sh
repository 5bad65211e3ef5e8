#!/usr/bin/env bash
# Launch to the first title frame on the real backend under Xvfb (Mesa llvmpipe): runs
# build/bench/launch_real on a fresh virtual display with an empty per-user folder, a few times,
# and prints each run's steps and totals.
# Usage: bench/launch-real.sh [build folder] [runs]; LP_NUM_THREADS passes through.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build}"
runs="${2:-3}"
work="$(mktemp -d)"
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
exec 3>&-
trap 'kill "$xvfb" 2>/dev/null || true; rm -rf "$work"' EXIT
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n 1 "$work/display")"
for run in $(seq "$runs"); do
  rm -rf "$work/home"
  echo "== run $run"
  XDG_DATA_HOME="$work/home" SDL_VIDEODRIVER=x11 ALSOFT_DRIVERS=null \
    VSM_RESOURCES="${VSM_RESOURCES:-$build/resources/}" "$build/bench/launch_real"
done
