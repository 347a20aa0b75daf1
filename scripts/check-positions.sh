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
source "$here/scripts/x-session.sh"
inside_x "$0" "$@"
start_wm
program=$build/src/tavenel
setup=$build/src/tavenel-setup
work=$(mktemp -d /tmp/tavpos.XXXX)
pid=""
cleanup() {
  close_program "$pid" "$wm"
  rm -rf "$work"
}
trap cleanup EXIT
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null
failures=0
passed=0
pass() { echo "PASS: $1"; passed=$((passed + 1)); }
fail() { echo "FAIL: $1"; failures=$((failures + 1)); }
months="December|January|February|March|April|May|June|July|August|September|October|November"

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

stop() {
  close_program "$pid"
  pid=""
}

# Closes the clock window as a user does and waits for the program to end.
close_clock() {
  local id=$1
  xdotool windowactivate --sync "$id" key --clearmodifiers alt+F4 >/dev/null 2>&1 || true
  if ! wait_end "$pid" 5; then
    stop
    return 1
  fi
  stop
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

# Starts the program on a fresh data folder whose settings record holds the
# place ($3, $4) in pixels and the size $2, and checks that the frame comes
# up there, or at ($5, $6) when given; $1 names the case. Sets folder and id.
start_at() {
  local what=$1 size=$2 left=$3 top=$4 x y w h
  local want="${5:-$left} ${6:-$top}"
  folder=$(fresh_folder "${what// /-}" "UPDATE signal SET f6 = 'U';
    INSERT INTO clockini VALUES ($((left * 15)), $((top * 15)), '$size', 'None');")
  start "$folder"
  id=$(wait_window "$pid" 15 "$months") || { fail "$what: no clock window"; return 1; }
  read -r x y w h < <(settled "$id")
  if [ "$x $y" = "$want" ]; then pass "$what: saved at ($left, $top), starts at (${want/ /, }), frame ${w}x$h"
  else fail "$what: starts at ($x, $y), saved ($left, $top), expected (${want/ /, })"; fi
}

# --- 1. The clock window, restart after restart, in each size -----------
# Starts from a saved place, drags the window to (260, 190), then closes and
# starts the program three times; the frame must come back where it was.
clock_restarts() {
  local size=$1 folder id x y w h
  start_at "$size" "$size" 200 150 || return
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
    id=$(wait_window "$pid" 15 "$months") || { fail "$size: restart $run: no clock window"; return; }
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
# Its title bar must be on the screen.
clock_at_top() {
  local size=$1 folder id
  start_at "$size at the top" "$size" 0 0 || return
  close_clock "$id" || fail "$size at the top: the program did not end"
  # A place stored with the title bar above the screen (as a drifting
  # earlier version left it) comes back on the screen.
  start_at "$size above the top" "$size" 100 -20 100 0 || return
  close_clock "$id" || fail "$size above the top: the program did not end"
}

# Clicks at a point given in twips inside window $1 (15 twips a pixel at the
# virtual screen's 96 dpi).
click() {
  xdotool mousemove --window "$1" $(($2 / 15)) $(($3 / 15)) click 1
  sleep 0.8
}

# True when frames "$1" and "$2" ("left top width height") overlap.
overlap() {
  local ax ay aw ah bx by bw bh
  read -r ax ay aw ah <<<"$1"
  read -r bx by bw bh <<<"$2"
  [ $((ax < bx + bw && bx < ax + aw && ay < by + bh && by < ay + ah)) -eq 1 ]
}

# Checks that help frame $2 stands against the side of frame $3 ("right" or
# "either"), tops level, title bar on the screen, not over it; $1 names the case.
beside() {
  local what=$1 help=$2 other=$3 hx hy hw hh ox oy ow oh
  read -r hx hy hw hh <<<"$help"
  read -r ox oy ow oh <<<"$other"
  echo "  $what: help at ($hx, $hy) ${hw}x$hh, beside ($ox, $oy) ${ow}x$oh"
  if overlap "$help" "$other"; then fail "$what: the help window covers the window beside it"; return; fi
  if [ "$hy" -lt 0 ]; then fail "$what: the help window's title bar is above the screen"; return; fi
  if [ "$hy" -ne "$oy" ]; then fail "$what: tops not level ($hy, $oy)"; return; fi
  if [ "$hx" -ne $((ox + ow)) ] && [ $((hx + hw)) -ne "$ox" ]; then
    fail "$what: not against the window's side"; return
  fi
  pass "$what: beside it, tops level, title bar on the screen"
}

# --- 3. The help window ---------------------------------------------------
# With the clock at the top of the screen: the introduction page beside it,
# the size page after "Close" beside it again, and the viewer page once the
# viewer has widened the clock window (narrowed, or on its left).
help_window() {
  local folder id help
  folder=$(fresh_folder help "INSERT INTO clockini VALUES (3000, 0, 'normal', 'None');")
  start "$folder"
  help=$(wait_window "$pid" 15 "Support for first time users") || { fail "help: the introduction did not appear"; return; }
  id=$(wait_window "$pid" 5 "$months") || { fail "help: no clock window"; return; }
  beside "help, first showing" "$(settled "$help")" "$(settled "$id")"
  local hx hy hw hh
  read -r hx hy hw hh < <(frame "$help")
  read -r _ _ hw hh < <(xwininfo -id "$help" | awk '/^ *Width:/ {w=$NF} /^ *Height:/ {h=$NF} END {print 0, 0, w, h}')
  xdotool mousemove --window "$help" $((hw - 60)) $((hh - 22)) click 1  # "Close"
  sleep 1
  click "$id" 2706 1356  # "Settings"
  click "$id" 726 4146   # "Switch clock size"
  xdotool key Escape
  help=$(wait_window "$pid" 5 "Support for first time users") || { fail "help: the size page did not appear"; return; }
  beside "help, second showing" "$(settled "$help")" "$(settled "$id")"
  click "$id" 2046 4146  # "Picture Viewer"
  sleep 2
  beside "help, viewer open" "$(settled "$help")" "$(settled "$id")"
  stop
}

# The planner opens over the introduction page: the help moves beside it, and
# again when the appointment panel widens it.
help_and_planner() {
  local folder id help planner
  folder=$(fresh_folder planner "INSERT INTO clockini VALUES (6000, 3000, 'normal', 'None');")
  start "$folder"
  help=$(wait_window "$pid" 15 "Support for first time users") || { fail "planner: no introduction page"; return; }
  id=$(wait_window "$pid" 5 "$months") || { fail "planner: no clock window"; return; }
  settled "$help" >/dev/null
  click "$id" 2706 1356  # "Settings"
  click "$id" 3366 4146  # "Scheduler and diary"
  planner=$(wait_window "$pid" 10 "^Today :") || { fail "planner: the planner did not open"; return; }
  sleep 1
  beside "help, planner open" "$(settled "$help")" "$(settled "$planner")"
  # Tuesday 8 December (third column, second row): "Scheduler control",
  # "Schedule an appointment".
  click "$planner" $((1800 + 307)) $((1800 + 127))
  xdotool key Down Down Right Return
  sleep 2
  beside "help, appointment panel open" "$(settled "$help")" "$(settled "$planner")"
  stop
}

# A reminder comes while the introduction page is open: the planner opens
# over it with the reminder, and the help moves beside the planner.
help_and_reminder() {
  local folder help planner runner
  folder=$(fresh_folder reminder "INSERT INTO clockini VALUES (6000, 3000, 'normal', 'None');
    INSERT INTO scheduler VALUES ('8', 'December', '2026', '05', 7, 'PM', 'Dentist');")
  (cd "$folder" && exec faketime '2026-12-08 17:06:56' "$program") >>"$work/program.log" 2>&1 &
  runner=$!
  # faketime runs the program as its child: the windows carry the child's pid.
  pid=$(program_of "$runner")
  help=$(wait_window "$pid" 15 "Support for first time users") || { fail "reminder: no introduction page"; return; }
  wait_window "$pid" 15 "Tavenel V 1.0" >/dev/null || { fail "reminder: no reminder came"; return; }
  planner=$(wait_window "$pid" 5 "^Today :") || { fail "reminder: the planner did not open"; return; }
  sleep 1
  beside "help, reminder in the planner" "$(settled "$help")" "$(settled "$planner")"
  close_program "$pid" "$runner"
  pid=""
}

# --- 4. The viewer in and out of full screen ------------------------------
# The viewer window, dragged to (150, 120), goes to full screen and back by
# Escape three times; it must come back to the same place each time.
viewer_full_screen() {
  local home=$work/viewer-home id x y w h
  mkdir -p "$home/Pictures"
  convert -size 640x400 plasma:green-blue "$home/Pictures/meadow.jpg"
  convert -size 300x200 gradient:red-blue "$home/Pictures/dusk.jpg"
  HOME=$home "$setup" "$home/Tavenel" "$here/data" >/dev/null
  sqlite3 "$home/Tavenel/scheduler.mdb" "UPDATE signal SET f6 = 'U';
    INSERT INTO clockini VALUES (3000, 2250, 'normal', 'None');"
  (cd "$home/Tavenel" && HOME=$home exec "$program") >>"$work/program.log" 2>&1 &
  pid=$!
  id=$(wait_window "$pid" 15 "$months") || { fail "viewer: no clock window"; return; }
  settled "$id" >/dev/null
  click "$id" 2706 1356  # "Settings"
  click "$id" 2046 4146  # "Picture Viewer"
  sleep 1
  click "$id" $((5640 + 600)) $((480 + 130))  # Pictures, the first folder of home
  local box
  box=$(wait_window "$pid" 5 "Tavenel V 1.0") || { fail "viewer: no pictures offered"; return; }
  xdotool windowactivate --sync "$box" key Return >/dev/null 2>&1 || true
  sleep 1
  click "$id" $((5640 + 600)) $((2520 + 130))  # the first picture
  drag_to "$id" 150 120
  read -r x y w h < <(settled "$id")
  local want="$x $y" run drifts=""
  echo "  viewer: placed at ($x, $y) ${w}x$h"
  for run in 1 2 3; do
    click "$id" 270 4836  # "Enable Full Screen Mode"
    sleep 1
    xdotool key Escape
    sleep 0.5
    read -r x y w h < <(settled "$id")
    drifts="$drifts ($((x - ${want% *})), $((y - ${want#* })))"
  done
  echo "  viewer: drift after full screen 1, 2, 3:$drifts"
  if [ "$drifts" = " (0, 0) (0, 0) (0, 0)" ]; then pass "viewer: back in place after full screen, three times"
  else fail "viewer: moved by full screen:$drifts"; fi
  # Closed in full screen, the window is stored where it stood before.
  click "$id" 270 4836
  sleep 1
  close_clock "$id" || { fail "viewer: the program did not end"; return; }
  local stored
  stored=$(sqlite3 "$home/Tavenel/scheduler.mdb" "SELECT round(cleft / 15.0) || ' ' || round(ctop / 15.0) FROM clockini")
  if [ "$stored" = "${want% *}.0 ${want#* }.0" ]; then pass "viewer: closed in full screen, stored at (${want/ /, }) px"
  else fail "viewer: closed in full screen, stored at ($stored) px, stood at ($want)"; fi
}

for size in normal small compact; do
  clock_restarts "$size"
  clock_at_top "$size"
done
help_window
help_and_planner
help_and_reminder
viewer_full_screen
echo "$passed passed, $failures failed"
[ "$failures" -eq 0 ]
