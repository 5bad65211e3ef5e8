#!/usr/bin/env bash
# Starts the real game on a virtual X display of its own, waits until the game reports its title
# up, removes its options document, then has another X client destroy the game's window
# (xdotool windowkill, which also drops the game's connection): the game must save as on a close
# request, writing the options document again, and end by itself.
#
# Usage: kill_window.sh <game executable> <resources folder> <work folder>
# Exit status: 0 when the game ended within 10 s and the options document was written again;
# 1 when it was still running (it is then killed); 4 when it ended without writing the document;
# 2 when it never reported its title up; 3 when Xvfb did not start or no window was found;
# 77 when Xvfb or xdotool is missing. The reason is on standard error, the game's output in
# <work folder>/game.log.
set -uo pipefail

game="$1"
resources="$2"
work="$3"

source "$(dirname "${BASH_SOURCE[0]}")/display.sh"

for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null 2>&1 || { echo "kill_window: $tool is not installed" >&2; exit 77; }
done

vsm_start_game_on_own_display kill_window "$game" "$resources" "$work"
log="$work/game.log"
options="$work/home/vessamoor/data/options.tsc"
window="$(xdotool search --name '^Vessamoor$' 2>/dev/null | head -n 1)"
[ -n "$window" ] || { echo "kill_window: no game window found" >&2; exit 3; }

# Written at start; only the exit save can bring it back now.
rm -f "$options"
xdotool windowkill "$window"
for _ in $(seq 100); do
  if ! kill -0 "$game_pid" 2>/dev/null; then
    wait "$game_pid" 2>/dev/null
    game_pid=""
    [ -s "$options" ] && exit 0
    echo "kill_window: the game ended without its exit save; its output:" >&2
    tail -n 20 "$log" >&2
    exit 4
  fi
  sleep 0.1
done
echo "kill_window: the game was still running 10 s after its window was destroyed" >&2
exit 1
