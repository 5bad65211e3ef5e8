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
source "$root/tests/xvfb/display.sh"
xvfb_pid=""
trap '[ -n "$xvfb_pid" ] && vsm_stop "$xvfb_pid"; rm -rf "$work"' EXIT
vsm_start_display "$work" || { echo "launch-real: Xvfb did not start" >&2; exit 1; }
for run in $(seq "$runs"); do
  rm -rf "$work/home"
  echo "== run $run"
  XDG_DATA_HOME="$work/home" SDL_VIDEODRIVER=x11 ALSOFT_DRIVERS=null \
    VSM_RESOURCES="${VSM_RESOURCES:-$build/resources/}" "$build/bench/launch_real"
done
