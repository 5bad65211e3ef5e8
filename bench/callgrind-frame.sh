#!/usr/bin/env bash
# Counts the instructions of the busiest quest frame with callgrind: 60 frames of the busiest
# moment on the headless backend, counted only inside the frames (set-up excluded).
# Usage: bench/callgrind-frame.sh [build folder] [frames]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build}"
frames="${2:-60}"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
VSM_CALLGRIND_FRAMES="$frames" ALSOFT_DRIVERS=null \
  valgrind --tool=callgrind --collect-atstart=no --callgrind-out-file="$out/cg.out" \
  "$build/bench/bench_quest_frame" >/dev/null 2>"$out/log" || { cat "$out/log"; exit 1; }
total="$(sed -n 's/^summary: *\([0-9]*\).*/\1/p' "$out/cg.out")"
[ -n "$total" ] || total="$(sed -n 's/^totals: *\([0-9]*\).*/\1/p' "$out/cg.out")"
echo "instructions over $frames busiest frames: $total"
echo "instructions per frame: $((total / frames))"
if [ "${VSM_CALLGRIND_TOP:-0}" != 0 ]; then
  callgrind_annotate --inclusive=no "$out/cg.out" 2>/dev/null | sed -n '1,40p'
fi
