#!/usr/bin/env bash
# The idle cost of the real backend under Xvfb: starts the game on a fresh virtual display and
# reports the CPU it uses over 10 seconds as a share of one core (user + system time of the
# game's process, all its threads). The executable must sit on a screen that draws nothing new
# (today's `vessamoor` shows an empty window until it is closed).
# Usage: bench/idle-present.sh [executable] [seconds]; LP_NUM_THREADS passes through.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
exe="${1:-$root/build/vessamoor}"
seconds="${2:-10}"
display=":$((90 + RANDOM % 100))"
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$game" 2>/dev/null || true; kill "$xvfb" 2>/dev/null || true' EXIT
sleep 1
DISPLAY="$display" SDL_VIDEODRIVER=x11 ALSOFT_DRIVERS=null "$exe" >/dev/null 2>&1 &
game=$!
sleep 3 # start-up and the first frames are not idle
ticks() { awk '{print $14 + $15}' "/proc/$game/stat"; }
hz="$(getconf CLK_TCK)"
a="$(ticks)"
sleep "$seconds"
b="$(ticks)"
awk -v a="$a" -v b="$b" -v hz="$hz" -v s="$seconds" \
  'BEGIN { printf "idle cost: %.1f %% of one core over %d s\n", 100 * (b - a) / hz / s, s }'
