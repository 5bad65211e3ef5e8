#!/usr/bin/env bash
# The idle cost of the real backend under Xvfb: starts the game on a fresh virtual display with
# an empty per-user folder, answers the first start's name prompt (xdotool), leaves the title
# screen's main menu alone and reports the CPU the game uses over the measured seconds as a share
# of one core (user + system time of the game's process, all its threads). Left alone, the menu
# shows its ambient sparks and, after 5.5 s without pointer movement, its attract pages (credits,
# hiscores): that is what an idle title screen costs.
# Before the game, the bare window (bench/bare_window: the same backend clearing and presenting
# at 60 frames a second, nothing drawn) is measured on the same display for the same seconds,
# so each figure comes with the floor of the same run on the same loaded machine.
# Usage: bench/idle-present.sh [executable] [seconds] [screen size]; LP_NUM_THREADS passes through.
# The default screen is 800x600, so the full-screen window maps 1:1. (Xvfb runs no window manager:
# on a larger screen the full-screen window keeps its 800x600 size while SDL scales the picture
# for the whole screen, so only part of it shows; measure on 800x600.)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
exe="${1:-$root/build/vessamoor}"
seconds="${2:-10}"
size="${3:-800x600}"
work="$(mktemp -d)"
source "$root/tests/xvfb/display.sh"
xvfb_pid=""
game=""
trap '[ -n "$game" ] && vsm_stop "$game"; [ -n "$xvfb_pid" ] && vsm_stop "$xvfb_pid"; rm -rf "$work"' EXIT
vsm_start_display "$work" "$size" || { echo "idle-present: Xvfb did not start" >&2; exit 1; }
ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
hz="$(getconf CLK_TCK)"
bare="$(dirname "$exe")/bench/bare_window"
if [ -x "$bare" ]; then
  SDL_VIDEODRIVER=x11 ALSOFT_DRIVERS=null "$bare" >/dev/null 2>&1 &
  game=$!
  sleep 2
  a="$(ticks "$game")"
  sleep "$seconds"
  b="$(ticks "$game")"
  vsm_stop "$game"
  game=""
  awk -v a="$a" -v b="$b" -v hz="$hz" -v s="$seconds" \
    'BEGIN { printf "bare window: %.1f %% of one core over %d s\n", 100 * (b - a) / hz / s, s }'
fi
XDG_DATA_HOME="$work/home" SDL_VIDEODRIVER=x11 ALSOFT_DRIVERS=null \
  VSM_RESOURCES="${VSM_RESOURCES:-$(dirname "$exe")/resources/}" "$exe" >"$work/game.log" 2>&1 &
game=$!
vsm_wait_ready "$work/game.log" "$game" 120 || { echo "idle-present: the title never came up" >&2; exit 1; }
sleep 2 # the name prompt follows the title
xdotool type --delay 80 "idle"
xdotool key Return
sleep 3 # the menu's fade-in is not idle
a="$(ticks "$game")"
sleep "$seconds"
b="$(ticks "$game")"
[ -s "$work/home/vessamoor/profiles/idle.dat" ] || echo "warning: the name prompt was not answered; measured the prompt"
awk -v a="$a" -v b="$b" -v hz="$hz" -v s="$seconds" \
  'BEGIN { printf "idle cost: %.1f %% of one core over %d s\n", 100 * (b - a) / hz / s, s }'
