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
