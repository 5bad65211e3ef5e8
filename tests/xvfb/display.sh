# Shared by the scripts that run the real game on a virtual X display (tests/xvfb and bench):
# a display of its own, stopping a process that may not act on SIGTERM at once, and waiting for
# the game's readiness line. Source it; it sets no options of its own.

# What the game prints once, when its title's first frame is on the screen (TITLE_READY_LINE).
VSM_READY_LINE="vessamoor: title ready"

# vsm_start_display <work folder> [WxH] [log file]: starts Xvfb on a free display number (Xvfb
# picks it and writes it to a pipe, so no lock-file scan), sets xvfb_pid and exports DISPLAY.
# The screen is 800x600 unless told: exactly the game's size, so full screen maps the picture
# 1:1 and pointer coordinates are the game's own. Returns 1 when Xvfb did not start in 10 s.
vsm_start_display() {
  local work="$1" size="${2:-800x600}" log="${3:-/dev/null}"
  exec 3>"$work/display"
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp >"$log" 2>&1 &
  xvfb_pid=$!
  exec 3>&-
  for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
  done
  [ -s "$work/display" ] || return 1
  export DISPLAY=":$(head -n 1 "$work/display")"
}

# vsm_stop <pid>: the game takes SIGTERM as a close request, which a screen may not act on at
# once (and a game that lost its display may never finish): it gets 3 s, then SIGKILL.
vsm_stop() {
  kill "$1" 2>/dev/null || return 0
  for _ in $(seq 30); do
    kill -0 "$1" 2>/dev/null || return 0
    sleep 0.1
  done
  kill -9 "$1" 2>/dev/null || true
}

# vsm_wait_ready <game log> <pid> <seconds>: waits until the game has printed its readiness
# line. Returns 1 when the game ended first, 2 when the seconds ran out.
vsm_wait_ready() {
  local log="$1" pid="$2" end=$((SECONDS + $3))
  until grep -qsxF "$VSM_READY_LINE" "$log"; do
    kill -0 "$pid" 2>/dev/null || return 1
    [ "$SECONDS" -lt "$end" ] || return 2
    sleep 0.1
  done
}

# vsm_start_game_on_own_display <script name> <game> <resources> <work folder>: for the scripts
# that take the game's display or window away. Makes <work>/home the per-user folder, starts a
# display of its own and the game on it (output in <work>/game.log), kills both when the script
# ends, and waits for the title: sets xvfb_pid and game_pid. Exits the script with 3 when Xvfb
# did not start and 2 when the game never reported its title up.
vsm_start_game_on_own_display() {
  local name="$1" game="$2" resources="$3" work="$4"
  rm -rf "$work"
  mkdir -p "$work/home"
  xvfb_pid=""
  game_pid=""
  trap 'vsm_kill_own_display' EXIT
  trap 'exit 1' TERM INT HUP
  vsm_start_display "$work" 800x600 "$work/xvfb.log" || { echo "$name: Xvfb did not start" >&2; exit 3; }
  XDG_DATA_HOME="$work/home" VSM_RESOURCES="$resources" \
    SDL_VIDEODRIVER=x11 ALSOFT_DRIVERS=null "$game" >"$work/game.log" 2>&1 &
  game_pid=$!
  if ! vsm_wait_ready "$work/game.log" "$game_pid" 120; then
    echo "$name: the game did not report its title up; its output:" >&2
    tail -n 20 "$work/game.log" >&2
    exit 2
  fi
}

vsm_kill_own_display() {
  [ -n "$game_pid" ] && kill -9 "$game_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  wait 2>/dev/null
}
