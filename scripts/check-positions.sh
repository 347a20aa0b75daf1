#!/usr/bin/env bash
# Window places through the real window system: the real program under a
# virtual X server with a window manager, moved by a drag on its title bar,
# closed and started again three times in each clock size; the help window
# beside the clock, shown twice; the viewer window in and out of full screen
# three times. Frame positions are read with xwininfo and the window
# manager's _NET_FRAME_EXTENTS, never through the program. Any drift, or a
# title bar off the screen, fails the script.
# Uses the build in build/ (or $TAVENEL_BUILD_DIR); e2e.sh runs it inside
# its own X server.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${TAVENEL_BUILD_DIR:-$here/build}
if [ -z "${E2E_INSIDE_X:-}" ]; then
  export E2E_INSIDE_X=1
  exec xvfb-run -a -s '-screen 0 1280x800x24' "$0" "$@"
fi
wm=""
if [ -z "${E2E_WM_RUNNING:-}" ]; then
  openbox >/dev/null 2>&1 &
  wm=$!
  sleep 1
fi
program=$build/src/tavenel
setup=$build/src/tavenel-setup
work=$(mktemp -d /tmp/tavpos.XXXX)
pid=""
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
  [ -n "$wm" ] && kill "$wm" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null
failures=0
passed=0
pass() { echo "PASS: $1"; passed=$((passed + 1)); }
fail() { echo "FAIL: $1"; failures=$((failures + 1)); }
months="December|January|February|March|April|May|June|July|August|September|October|November"

# Waits up to $1 seconds for a visible window of the program whose name
# matches $2; prints its id.
wait_window() {
  local seconds=$1 name=$2 id
  for _ in $(seq 1 $((seconds * 10))); do
    id=$(xdotool search --onlyvisible --pid "$pid" --name "$name" 2>/dev/null | tail -1 || true)
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

# The window manager's frame round window $1: "left top width height", from
# the client's absolute place and the frame extents the manager publishes.
frame() {
  local id=$1 info ext x y w h l r t b
  info=$(xwininfo -id "$id")
  x=$(awk '/Absolute upper-left X/ {print $NF}' <<<"$info")
  y=$(awk '/Absolute upper-left Y/ {print $NF}' <<<"$info")
  w=$(awk '/^ *Width:/ {print $NF}' <<<"$info")
  h=$(awk '/^ *Height:/ {print $NF}' <<<"$info")
  ext=$(xprop -id "$id" _NET_FRAME_EXTENTS | sed -n 's/.*= *//p' | tr -d ' ')
  IFS=, read -r l r t b <<<"${ext:-0,0,0,0}"
  echo "$((x - l)) $((y - t)) $((w + l + r)) $((h + t + b))"
}

# Waits until the window manager has framed window $1 and its frame has
# stood still for half a second; prints the frame.
settled() {
  local id=$1 last="" now
  for _ in $(seq 1 40); do
    if xprop -id "$id" _NET_FRAME_EXTENTS 2>/dev/null | grep -q '='; then
      now=$(frame "$id")
      if [ "$now" = "$last" ]; then echo "$now"; return 0; fi
      last=$now
    fi
    sleep 0.5
  done
  echo "$last"
}

start() {
  (cd "$1" && exec "$program") >>"$work/program.log" 2>&1 &
  pid=$!
}

# Closes the clock window as a user does and waits for the program to end.
close_clock() {
  local id=$1
  xdotool windowactivate --sync "$id" key --clearmodifiers alt+F4 >/dev/null 2>&1 || true
  for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$pid" 2>/dev/null; then
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    pid=""
    return 1
  fi
  wait "$pid" 2>/dev/null || true
  pid=""
}

# Drags window $1 by its title bar so that its frame's top-left corner
# lands at ($2, $3).
drag_to() {
  local id=$1 x y w h
  read -r x y w h < <(frame "$id")
  local grab_x=$((x + w / 2)) grab_y=$((y + 8))
  xdotool mousemove "$grab_x" "$grab_y" mousedown 1
  sleep 0.2
  xdotool mousemove $((grab_x + ($2 - x) / 2)) $((grab_y + ($3 - y) / 2))
  sleep 0.2
  xdotool mousemove $((grab_x + $2 - x)) $((grab_y + $3 - y))
  sleep 0.2
  xdotool mouseup 1
  sleep 0.5
}

fresh_folder() {
  local folder=$work/$1
  "$setup" "$folder" "$here/data" >/dev/null
  sqlite3 "$folder/scheduler.mdb" "$2"
  echo "$folder"
}

# --- 1. The clock window, restart after restart, in each size -----------
# Starts from a saved place, drags the window to (260, 190), then closes and
# starts the program three times; the frame must come back where it was.
clock_restarts() {
  local size=$1 folder id x y w h
  folder=$(fresh_folder "clock-$size" "UPDATE signal SET f6 = 'U';
    INSERT INTO clockini VALUES (3000, 2250, '$size', 'None');")
  start "$folder"
  id=$(wait_window 15 "$months") || { fail "$size: the clock window did not appear"; return; }
  read -r x y w h < <(settled "$id")
  if [ "$x $y" = "200 150" ]; then pass "$size: first start at the saved place (200, 150), frame ${w}x$h"
  else fail "$size: first start at ($x, $y), saved (200, 150)"; fi
  drag_to "$id" 260 190
  read -r x y w h < <(settled "$id")
  local want="$x $y"
  echo "  $size: dragged to ($x, $y)"
  close_clock "$id" || { fail "$size: the program did not end"; return; }
  local stored
  stored=$(sqlite3 "$folder/scheduler.mdb" "SELECT cleft || ' ' || ctop || ' ' || csize FROM clockini")
  echo "  $size: stored $stored (twips)"
  local run drifts=""
  for run in 1 2 3; do
    start "$folder"
    id=$(wait_window 15 "$months") || { fail "$size: restart $run: no clock window"; return; }
    read -r x y w h < <(settled "$id")
    local dx=$((x - ${want% *})) dy=$((y - ${want#* }))
    drifts="$drifts ($dx, $dy)"
    if [ "$dx $dy" != "0 0" ]; then
      fail "$size: restart $run: frame at ($x, $y), left at ($want); drift ($dx, $dy) px"
    fi
    if [ "$y" -lt 0 ]; then fail "$size: restart $run: title bar above the screen (top $y)"; fi
    close_clock "$id" || { fail "$size: restart $run: the program did not end"; return; }
  done
  echo "  $size: drift after restarts 1, 2, 3:$drifts"
  if [ "$drifts" = " (0, 0) (0, 0) (0, 0)" ]; then pass "$size: three restarts, no drift"; fi
}

# --- 2. A clock saved against the top of the screen ----------------------
clock_at_top() {
  local size=$1 folder id x y w h
  folder=$(fresh_folder "top-$size" "UPDATE signal SET f6 = 'U';
    INSERT INTO clockini VALUES (0, 0, '$size', 'None');")
  start "$folder"
  id=$(wait_window 15 "$months") || { fail "$size at the top: no clock window"; return; }
  read -r x y w h < <(settled "$id")
  if [ "$x $y" = "0 0" ]; then pass "$size at the top: frame at (0, 0), title bar on the screen"
  else fail "$size at the top: frame at ($x, $y), saved (0, 0)"; fi
  close_clock "$id" || fail "$size at the top: the program did not end"
}

for size in normal small compact; do
  clock_restarts "$size"
  clock_at_top "$size"
done
echo "$passed passed, $failures failed"
[ "$failures" -eq 0 ]
