#!/usr/bin/env bash
# Before/after pictures of the real backend: the title's main menu, a busy level (full board,
# holyfire cross, bomb burst, sparks, bursting sphere) and the pause menu's window, each played on
# the headless backend and the same drawing calls drawn by two builds' real backends
# (bench/screens_real.cpp). Keep a copy of build/bench/screens_real before changing the backend:
#   cp build/bench/screens_real /tmp/screens_before
#   ... change, rebuild ...
#   bench/screens-compare.sh /tmp/screens_before build/bench/screens_real [folder for the PNGs]
# Exit status 0 when every picture matches within rounding (no channel off by more than 2).
set -euo pipefail
before="$1"
after="$2"
out="${3:-$(mktemp -d)}"
mkdir -p "$out"
export SDL_VIDEODRIVER="${SDL_VIDEODRIVER:-offscreen}" ALSOFT_DRIVERS=null
status=0
for scene in title level menu; do
  "$before" shoot "$scene" "$out/before-$scene.png" >/dev/null 2>&1
  "$after" shoot "$scene" "$out/after-$scene.png" >/dev/null 2>&1
  "$after" compare "$out/before-$scene.png" "$out/after-$scene.png" || status=1
done
echo "pictures in $out"
exit "$status"
