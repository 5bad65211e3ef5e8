#!/usr/bin/env bash
# A minute of an endless game on the real backend under Xvfb, frame times taken at the swap.
# Starts the game on a fresh 800x600 display with an empty per-user folder, names the first
# player, clicks Quick play, Endless and the first board (the clicks of
# tests/xvfb/play_endless.sh), then places
# pieces over the board for the measured seconds, a click every 0.4 s, as a brisk player would.
# Reports the frame times of the measured stretch (median, 99th percentile, worst, frames over
# 20 and 50 ms) and the game's peak resident memory (VmHWM) at the end of it.
# Usage: bench/endless-frames.sh [executable] [seconds]; LP_NUM_THREADS passes through.
# VSM_KEEP_FRAMES=<file> keeps the raw swap times (microseconds since start, one a line).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
exe="${1:-$root/build/vessamoor}"
seconds="${2:-60}"
work="$(mktemp -d)"
source "$root/tests/xvfb/display.sh"
xvfb_pid=""
game=""
trap '[ -n "$game" ] && vsm_stop "$game"; [ -n "$xvfb_pid" ] && vsm_stop "$xvfb_pid"; rm -rf "$work"' EXIT
vsm_start_display "$work" || { echo "endless-frames: Xvfb did not start" >&2; exit 1; }
XDG_DATA_HOME="$work/home" SDL_VIDEODRIVER=x11 ALSOFT_DRIVERS=null VSM_FRAME_TIMES="$work/frames" \
  VSM_RESOURCES="${VSM_RESOURCES:-$(dirname "$exe")/resources/}" "$exe" >"$work/game.log" 2>&1 &
game=$!
click() { xdotool mousemove "$1" "$2"; sleep 0.1; xdotool mousedown 1; sleep 0.05; xdotool mouseup 1; }
vsm_wait_ready "$work/game.log" "$game" 120 || { echo "endless-frames: the title never came up" >&2; exit 1; }
sleep 2 # the name prompt follows the title
xdotool type --delay 80 "bench"
sleep 0.5
click 400 392 # the name prompt's OK
sleep 3
click 400 349 # Quick play
sleep 2
click 400 349 # Endless (the same spot in the quick-play menu)
sleep 2
click 280 310 # the first board of the level list
sleep 5       # the level's slide-in
start="$(wc -l <"$work/frames")"
# VSM_SHOT=<file>: a screenshot at the start of the measured stretch, to see it is the game.
[ -n "${VSM_SHOT:-}" ] && import -window root "$VSM_SHOT"
end_at=$((SECONDS + seconds))
spots=("360 160" "460 260" "560 360" "400 420" "600 180" "360 330" "520 200" "440 380" "300 250" "500 300")
i=0
while [ "$SECONDS" -lt "$end_at" ]; do
  # shellcheck disable=SC2086
  click ${spots[$((i % ${#spots[@]}))]}
  i=$((i + 1))
  sleep 0.25
done
[ -n "${VSM_SHOT:-}" ] && import -window root "${VSM_SHOT%.png}-end.png"
sleep 1 # the last second's times reach the file
end="$(wc -l <"$work/frames")"
hwm="$(awk '/VmHWM/ {print $2}' "/proc/$game/status")"
[ -s "$work/home/vessamoor/profiles/bench.dat" ] || echo "warning: the name prompt was not answered"
[ -n "${VSM_KEEP_FRAMES:-}" ] && cp "$work/frames" "$VSM_KEEP_FRAMES"
sed -n "$((start + 1)),${end}p" "$work/frames" |
  awk 'NR > 1 { print ($1 - prev) / 1000 } { prev = $1 }' | sort -n |
  awk -v hwm="$hwm" '{ t[NR] = $1; if ($1 > 20) o20++; if ($1 > 50) o50++ }
    END { n = NR; if (n == 0) { print "no frames recorded"; exit 1 }
      p99 = t[int(n * 0.99 + 0.999)]; if (p99 == "") p99 = t[n]
      printf "frames %d, median %.1f ms, p99 %.1f ms, worst %.1f ms, over 20 ms %d, over 50 ms %d, peak RSS %.1f MB\n",
        n, t[int((n + 1) / 2)], p99, t[n], o20, o50, hwm / 1024 }'
