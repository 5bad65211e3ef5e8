#!/usr/bin/env bash
# Starts the real game on a virtual X display of its own, waits until the game reports its title
# up, then ends the display under it: the game must end by itself soon after.
#
# Usage: lose_display.sh <game executable> <resources folder> <work folder>
# Exit status: 0 when the game ended within 10 s of losing its display; 1 when it was still
# running (it is then killed); 2 when it never reported its title up, so the display's loss
# would have tested nothing; 3 when Xvfb did not start; 77 when Xvfb is missing. The reason is
# on standard error, the game's output in <work folder>/game.log.
set -uo pipefail

game="$1"
resources="$2"
work="$3"

source "$(dirname "${BASH_SOURCE[0]}")/display.sh"

command -v Xvfb >/dev/null 2>&1 || { echo "lose_display: Xvfb is not installed" >&2; exit 77; }

vsm_start_game_on_own_display lose_display "$game" "$resources" "$work"

kill "$xvfb_pid"
wait "$xvfb_pid" 2>/dev/null
xvfb_pid=""
for _ in $(seq 100); do
  kill -0 "$game_pid" 2>/dev/null || { game_pid=""; exit 0; }
  sleep 0.1
done
echo "lose_display: the game was still running 10 s after its display went away" >&2
exit 1
