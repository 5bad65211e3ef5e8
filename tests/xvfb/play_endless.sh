#!/usr/bin/env bash
# Plays the real game as a newcomer would, on a virtual X display: the first start with an empty
# per-user folder, the first player's name, the title menu, an endless game with a few pieces
# placed, the pause menu, back to the title and out through Exit. Screenshots of each stop are
# left in the work folder for the caller to inspect.
#
# Usage: play_endless.sh <game executable> <resources folder> <work folder> [player name]
# The per-user files end up under <work folder>/home. Exit status: 0 when the game was played
# through and ended by itself with status 0; 77 when Xvfb, xdotool or ImageMagick is missing;
# anything else is a failure, with the reason on standard error.
#
# Every step is a click followed by a wait for what the screen should show next, read from a few
# pixels of a screenshot, with the click repeated when the screen did not follow (a loaded
# machine may drop a click into a fade). Between clicks the pointer keeps moving a little, so
# the title's attract mode never takes over the menu.
set -uo pipefail

game="$1"
resources="$2"
work="$3"
player="${4:-Rowan}"

for tool in Xvfb xdotool import convert; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "play_endless: $tool is not installed" >&2
    exit 77
  fi
done

source "$(dirname "${BASH_SOURCE[0]}")/display.sh"

rm -rf "$work"
mkdir -p "$work/home" "$work/shots"
log="$work/game.log"

xvfb_pid=""
game_pid=""
cleanup() {
  [ -n "$game_pid" ] && vsm_stop "$game_pid"
  [ -n "$xvfb_pid" ] && vsm_stop "$xvfb_pid"
  wait 2>/dev/null
}
trap cleanup EXIT
trap 'exit 1' TERM INT HUP

shot() {
  if [ -n "${window:-}" ]; then
    import -window "$window" "$1" 2>/dev/null || import -window root "$1" 2>/dev/null
  else
    import -window root "$1" 2>/dev/null
  fi
}

fail() {
  echo "play_endless: $*" >&2
  shot "$work/shots/failure.png"
  echo "play_endless: the game's output:" >&2
  tail -n 20 "$log" >&2
  exit 1
}

vsm_start_display "$work" 800x600 "$work/xvfb.log" || { echo "play_endless: Xvfb did not start" >&2; exit 1; }

XDG_DATA_HOME="$work/home" XDG_CONFIG_HOME="$work/home/config" HOME="$work/home" \
  VSM_RESOURCES="$resources" SDL_VIDEODRIVER=x11 ALSOFT_DRIVERS=null \
  "$game" >"$log" 2>&1 &
game_pid=$!

window=""
for _ in $(seq 600); do
  kill -0 "$game_pid" 2>/dev/null || fail "the game ended before its window showed"
  window="$(xdotool search --name '^Vessamoor$' 2>/dev/null | head -n 1)"
  [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || fail "no game window after 60 s"

vsm_wait_ready "$log" "$game_pid" 180
case $? in
1) fail "the game ended before its title was up" ;;
2) fail "the game did not report its title up within 180 s" ;;
esac

# Prints "r g b" (0-255) of the pixel at x y of a fresh screenshot.
pixel() {
  shot "$work/now.png" || return 1
  convert "$work/now.png" -format \
    "%[fx:int(255*p{$1,$2}.r+0.5)] %[fx:int(255*p{$1,$2}.g+0.5)] %[fx:int(255*p{$1,$2}.b+0.5)]\n" info:
}

# Colour classes of the screens' landmarks.
is_gold() { local r g b; read -r r g b < <(pixel "$1" "$2") && [ "$r" -ge 120 ] && [ $((r - b)) -ge 50 ]; }
is_parchment() { local r g b; read -r r g b < <(pixel "$1" "$2") && [ "$r" -ge 170 ] && [ "$g" -ge 140 ] && [ $((r - b)) -ge 50 ]; }
is_night() { local r g b; read -r r g b < <(pixel "$1" "$2") && [ "$r" -lt 90 ] && [ "$g" -lt 90 ] && [ "$b" -gt "$r" ]; }
is_sky() { local r g b; read -r r g b < <(pixel "$1" "$2") && [ "$b" -ge 200 ] && [ $((b - r)) -ge 60 ]; }

# The title screen's name prompt, menus and level list, and the endless game's pause window.
name_prompt() { is_gold 238 350; }
menu_scroll() { is_parchment 400 250; }
level_list() { is_night 400 250 && is_gold 152 400; }
in_game() { is_sky 760 40; }
paused() { in_game && is_gold 238 300; }
game_gone() { ! kill -0 "$game_pid" 2>/dev/null; }

jiggle=1
# Waits up to $1 seconds for the check named $2; the pointer keeps moving by a pixel meanwhile.
wait_for() {
  local seconds="$1" check="$2" end
  end=$((SECONDS + seconds))
  while [ "$SECONDS" -le "$end" ]; do
    game_gone && [ "$check" != game_gone ] && fail "the game ended while waiting for $check"
    "$check" && return 0
    xdotool mousemove_relative -- "$jiggle" 0
    jiggle=$((-jiggle))
    sleep 0.25
  done
  return 1
}

click() {
  xdotool mousemove "$1" "$2"
  sleep 0.15
  xdotool mousedown 1
  sleep 0.05
  xdotool mouseup 1
}

# Clicks x y until the check named $3 holds, trying $4 times with $5 seconds each.
click_until() {
  local x="$1" y="$2" check="$3" tries="$4" seconds="$5" n
  for n in $(seq "$tries"); do
    click "$x" "$y"
    wait_for "$seconds" "$check" && return 0
  done
  fail "clicking ($x, $y) did not lead to $check"
}

# The title is up; it fades in and asks for the first player's name.
wait_for 60 name_prompt || fail "the name prompt never showed"
sleep 1
shot "$work/shots/name-prompt.png"
xdotool type --delay 80 "$player"
sleep 0.5
click_until 400 392 menu_scroll 5 5
sleep 1.5
shot "$work/shots/main-menu.png"

# Quick play, then endless: the two labels share one spot, so a dropped click is just retried.
click_until 400 349 level_list 6 3
sleep 1
shot "$work/shots/level-list.png"
click_until 280 310 in_game 3 30
sleep 2.5

# A few pieces on the board's free middle; a spot where the piece does not fit takes nothing.
for spot in "360 160" "460 260" "560 360" "400 420" "600 180" "360 330" "520 200"; do
  click $spot
  sleep 1
done
shot "$work/shots/endless.png"

# The pause menu, the title, Exit and yes.
click_until 105 209 paused 4 4
sleep 1
shot "$work/shots/pause-menu.png"
click_until 400 360 menu_scroll 4 6
sleep 1
for _ in 1 2 3 4; do
  click 400 460
  sleep 1
  shot "$work/shots/exit-question.png"
  click 360 400
  wait_for 10 game_gone && break
  # Not gone: whatever screen the clicks reached, go back to the main menu and try again.
  menu_scroll || fail "neither the exit question nor the main menu after Exit"
done
game_gone || fail "the game did not end after Exit and yes"

wait "$game_pid"
status=$?
game_pid=""
[ "$status" -eq 0 ] || fail "the game ended with status $status"
exit 0
