#!/usr/bin/env bash
# The keyboard-only road through the real program: under a virtual X server
# with a window manager, every step is a key press sent with xdotool (the
# mouse is never used). Where the focus stands and what a message says are
# read through the accessibility bus, as a screen reader would read them.
#
# The road: close the help with Escape; set the alarm to 05:09 PM and
# enable it, and enable the chime; let the alarm ring; open the planner,
# make an appointment from the day's menu, view it and remove it; write a
# diary entry, save it from the editor's menu and find it again; close the
# planner; add a folder of pictures to the viewer and run a slide show; end
# the program. Stops at the first step that fails.
# Uses the build in build/ (or $TAVENEL_BUILD_DIR).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${TAVENEL_BUILD_DIR:-$here/build}
[ -n "${TAVENEL_A11Y_SESSION:-}" ] || exec "$here/scripts/with-accessibility.sh" "$0" "$@"

work=$(mktemp -d)
shots=${ROAD_SHOTS:-$work/shots}
mkdir -p "$shots"
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT


tree() { /usr/bin/python3 "$here/scripts/accessibility-tree.py" "$@" 2>/dev/null || true; }
passed=0
n=0
pass() { n=$((n + 1)); passed=$((passed + 1)); echo "PASS $n: $1"; }
fail() {
  n=$((n + 1)); echo "FAIL $n: $1"
  import -window root "$shots/failed.png" 2>/dev/null || true
  echo "  focus: $(tree focus)"
  echo "$passed passed, 1 failed"
  [ -n "${ROAD_SHOTS:-}" ] || rm -rf "$work"
  exit 1
}
key() { xdotool key --clearmodifiers --delay 40 "$@"; sleep 0.2; }

# The focus, as "role: name".
focus() { tree focus; }
# Waits up to 4 s for the focus to match a pattern.
focus_is() {
  local f
  for _ in $(seq 1 12); do
    f=$(focus)
    [[ $f =~ $1 ]] && return 0
    sleep 0.3
  done
  echo "  the focus is on '$f'" >&2
  return 1
}
# Presses Tab (or $2, e.g. shift+Tab) until the focus matches, at most 12 times.
tab_to() {
  local f seen=()
  for _ in $(seq 1 12); do
    f=$(focus)
    [[ $f =~ $1 ]] && return 0
    seen+=("$f")
    key "${2:-Tab}"
  done
  f=$(focus)
  [[ $f =~ $1 ]] && return 0
  echo "  Tab never reached '$1'; it went through:" >&2
  printf '    %s\n' "${seen[@]}" >&2
  return 1
}
# Waits up to $2 seconds for a shown window whose name matches $1; prints its id.
wait_window() {
  local id
  for _ in $(seq 1 $(($2 * 10))); do
    id=$(xdotool search --all --onlyvisible --pid "$app" --name "$1" 2>/dev/null | tail -1 || true)
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    sleep 0.1
  done
  return 1
}
wait_gone() {
  for _ in $(seq 1 $(($2 * 10))); do
    xdotool search --all --onlyvisible --pid "$app" --name "$1" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  return 1
}
# The help window comes with each feature's first use: Escape closes it.
close_help() {
  wait_window "Support for first time users" 10 >/dev/null || return 1
  sleep 0.5
  key Escape
  wait_gone "Support for first time users" 5
}
# Answers the message that is open with a key, after checking its text, and
# waits for that box to go (another may follow it).
answer() {
  local text id
  id=$(wait_window "Tavenel V 1.0" "${3:-10}") || { echo "  no message" >&2; return 1; }
  # A box the program opens by itself takes no key in its first second.
  sleep 1.1
  text=$(tree text "Tavenel V 1.0")
  if ! grep -q -- "$1" <<<"$text"; then echo "  the message says: $text" >&2; return 1; fi
  key "$2"
  for _ in $(seq 1 50); do
    xwininfo -id "$id" 2>/dev/null | grep -q IsViewable || return 0
    sleep 0.1
  done
  return 1
}
db() { sqlite3 "$folder/scheduler.mdb" "$1"; }

folder=$work/data
"$build/src/tavenel-setup" "$folder" "$here/data" >/dev/null
mkdir -p "$folder/pictures"
for c in red green blue; do convert -size 320x240 "xc:$c" "$folder/pictures/$c.jpg"; done

(cd "$folder" && QT_ACCESSIBILITY=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 SDL_AUDIODRIVER=dummy \
  exec faketime '2026-12-08 17:06:15' "$build/src/tavenel") >"$work/program.log" 2>&1 &
starter=$!
pids+=($starter)
app=
for _ in $(seq 1 50); do app=$(pgrep -P "$starter" | head -1 || true); [ -n "$app" ] && break; sleep 0.1; done
app=${app:-$starter}

# --- The clock: help, alarm and chime -----------------------------------------
close_help && pass "the introduction page opens; Escape closes it" || fail "Escape closes the help window"
tab_to "push button: Settings$" && key space && focus_is "Close Settings" &&
  pass "Tab reaches Settings; Space opens the panel" || fail "open the settings panel"
tab_to "scroll bar: Hour" && key Right Right Right Right && focus_is "Hour 05" &&
  pass "the alarm hour scroll bar is reached and set to 05" || fail "set the alarm hour"
tab_to "scroll bar: Minute" && key Right Right Right Right Right Right Right Right Right &&
  focus_is "Minute 09" && pass "the minute set to 09" || fail "set the alarm minute"
tab_to "scroll bar: AM or PM" && key Right Left && focus_is "AM or PM PM" &&
  pass "PM chosen" || fail "choose PM"
tab_to "check box: Enable alarm" shift+Tab && key space && close_help &&
  pass "the alarm enabled with Space (its help page closed with Escape)" || fail "enable the alarm"
tab_to "check box: Enable Chime" && key space && sleep 0.5 && key Down Return && close_help &&
  pass "the chime enabled, \"Bell sound alone\" chosen from its menu with the arrow keys" ||
  fail "enable the chime"
import -window root "$shots/alarm-set.png"
answer "postpone the alarm" Escape 150 &&
  pass "the alarm rang at 05:09 PM and asked; Escape answered No" || fail "the alarm rings"

# --- The planner: an appointment ------------------------------------------------
tab_to "push button: Scheduler and diary" && key space && wait_window "Today :" 10 >/dev/null &&
  close_help && pass "Space on \"Scheduler and diary\" opens the planner" || fail "open the planner"
tab_to "label: 8 December 2026" && pass "Tab reaches the calendar at today: $(focus)" ||
  fail "reach the calendar"
key Right && focus_is "label: 9 December 2026" && key Left && focus_is "label: 8 December 2026" &&
  pass "the arrow keys move between days" || fail "move between days"
key Return && sleep 0.5 && key Down Down Right Return && focus_is ": Nature of appointment" &&
  pass "Return opens the day's menu; \"Schedule an appointment\" chosen with the keys" ||
  fail "open the scheduler panel from the day's menu"
xdotool type --delay 40 "Dentist"
tab_to "scroll bar: AM or PM" shift+Tab && key Right Left && focus_is "AM or PM PM" &&
  tab_to "scroll bar: Minute" shift+Tab && key Prior Prior Prior && focus_is "Minute 30" &&
  tab_to "scroll bar: Hour" shift+Tab && key Right Right Right Right Right Right Right Right &&
  focus_is "Hour 09" && pass "the time set to 09:30 PM with the pickers" || fail "set the time"
tab_to "push button: Make schedule" && key space &&
  answer "I have made an appointment on" Return &&
  [ "$(db "SELECT group_concat(sday||' '||smonth||' '||syear||' '||shour||':'||sminute||' '||sampm||' '||stext) FROM scheduler")" = "8 December 2026 09:30 PM Dentist" ] &&
  pass "\"Make schedule\" stores the appointment" || fail "make the appointment"
answer "Start Tavenel with the desktop from now on?" Escape &&
  [ ! -e "$HOME/.config/autostart/tavenel.desktop" ] &&
  pass "the first appointment offers to start with the desktop, once; Escape answers No" ||
  fail "the offer to start with the desktop"
tab_to "push button: Close$" && key space && focus_is "label: 8 December 2026, appointments" &&
  pass "Close returns to the calendar, whose day now reads \"$(focus)\"" || fail "close the panel"
key Return && sleep 0.5 && key Down Down Right Down Return && sleep 0.5 &&
  tree text "Today :" | grep -q "Dentist" && pass "\"View/Remove schedule\" shows the appointment" ||
  fail "view the appointment"
tab_to "push button: Remove schedule" && key space &&
  answer "You sure you wish to remove the schedule" Return && answer "Schedule removed" Return &&
  [ "$(db "SELECT count(*) FROM scheduler")" = 0 ] &&
  pass "\"Remove schedule\", Yes: the appointment is gone" || fail "remove the appointment"

# --- The diary ---------------------------------------------------------------------
focus_is "label: 8 December 2026" && key Return && sleep 0.5 && key Down Right Return &&
  focus_is ": Diary entry" && pass "\"Make a diary entry\" opens the editor" ||
  fail "open the diary editor"
xdotool type --delay 40 "Swimming at noon"
key Menu && sleep 0.5 && key Down Right Down Down Return && answer "File has been saved" Return &&
  grep -q "Swimming at noon" "$folder/8-December-2026.rtf" &&
  pass "the Menu key opens the editor's menu; \"Save\" writes the entry" || fail "save the entry"
key ctrl+shift+Tab && focus_is "label: 8 December 2026" && key Return && sleep 0.5 &&
  key Down Right Down Down Down Return && wait_window "Search within the diary entries" 5 >/dev/null &&
  xdotool type --delay 40 "Swimming" && key Return && answer "8-December-2026.rtf" Return &&
  pass "Ctrl+Shift+Tab leads back to the calendar; \"Find text\" finds the entry" ||
  fail "find the entry"
key alt+F4 && wait_gone "Today :" 5 && pass "Alt+F4 closes the planner" || fail "close the planner"

# --- The picture viewer: a slide show ---------------------------------------------
tab_to "push button: Picture Viewer" && key space && close_help &&
  pass "Space on \"Picture Viewer\" opens the viewer" || fail "open the viewer"
tab_to "tree: Folder|table cell: " && key Right && sleep 0.5 && key Down Return &&
  answer "number of image files have been found" Return &&
  pass "the folder chosen in the folder list with the keys, its pictures added" ||
  fail "add the pictures"
tab_to "list: Pictures|list item: .*pictures" && key Down Up && tab_to "radio button: 1 Sec" && key space &&
  tab_to "check box: Enable Full Screen Mode" shift+Tab && key space && sleep 0.5 &&
  clock=$(xdotool search --onlyvisible --pid "$app" --name "" | tail -1) &&
  [ "$(xdotool getwindowgeometry "$clock" | grep -o '[0-9]*x[0-9]*$')" = "1280x800" ] &&
  import -window root "$shots/slide-show.png" &&
  pass "a picture and \"1 Sec\" chosen; Space on \"Enable Full Screen Mode\" starts the slide show" ||
  fail "start the slide show"
ended=0
for _ in $(seq 1 80); do
  size=$(xdotool getwindowgeometry "$clock" 2>/dev/null | grep -o '[0-9]*x[0-9]*$' || true)
  [ "$size" != "1280x800" ] && { ended=1; break; }
  sleep 0.1
done
[ $ended = 1 ] && pass "the slide show ran to its end and left full screen by itself" ||
  fail "the slide show ends"

# --- The end ---------------------------------------------------------------------------
gone() { for _ in $(seq 1 100); do kill -0 "$app" 2>/dev/null || return 0; sleep 0.1; done; return 1; }
key alt+F4 && answer "receive help messages" Return 10 && gone && [ "$(db "SELECT cchime FROM clockini")" = "Chime" ] &&
  pass "Alt+F4 ends the program; the chime was stored as \"Chime\"" || fail "end the program"
echo "$passed passed, 0 failed"
