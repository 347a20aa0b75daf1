#!/usr/bin/env bash
# End-to-end runs of the real program under a virtual X server with a window
# manager: a first start, a reminder coming at its minute, a database file
# that is not a database, the clean-up question left open across the hour
# and a reminder, a second start in the same data folder, the tray icon, a
# word processor's diary entry, and the window places (check-positions.sh).
# Uses the build in build/ (or $TAVENEL_BUILD_DIR).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${TAVENEL_BUILD_DIR:-$here/build}
source "$here/scripts/x-session.sh"
inside_x "$0" "$@"
start_wm
trap 'close_program "$wm"' EXIT

program=$build/src/tavenel
libfaketime=$(ls /usr/lib/*/faketime/libfaketime.so.1 2>/dev/null | head -1)
setup=$build/src/tavenel-setup
work=$(mktemp -d)
shots=${E2E_SHOTS:-$work/shots}
mkdir -p "$shots"
failures=0
passed=0
pass() { echo "PASS: $1"; passed=$((passed + 1)); }
fail() { echo "FAIL: $1"; failures=$((failures + 1)); }

visible_names() { for w in $(xdotool search --onlyvisible --pid "$1" 2>/dev/null); do xdotool getwindowname "$w"; done; }

# --- 1. A first start in a fresh data folder ------------------------------
first_start() {
  local folder=$work/fresh
  "$setup" "$folder" "$here/data" >/dev/null
  (cd "$folder" && exec "$program") &
  local pid=$!
  if ! wait_window "$pid" 10 "Support for first time users" >/dev/null; then
    fail "first start: the introduction help page did not appear"; kill "$pid" 2>/dev/null; return
  fi
  sleep 1.5
  import -window root "$shots/first-start.png"
  local names
  names=$(visible_names "$pid")
  if grep -q "Tavenel V 1.0" <<<"$names"; then
    fail "first start: a message box appeared: $(tr '\n' '|' <<<"$names")"
  else
    pass "first start: clock window and introduction page, no message"
  fi
  # Close the clock window; answer Yes to keep help.
  local clock
  clock=$(xdotool search --onlyvisible --pid "$pid" --name "December|January|February|March|April|May|June|July|August|September|October|November" | head -1 || true)
  if [ -z "$clock" ]; then fail "first start: no clock window with the date in its caption"; kill "$pid"; return; fi
  xdotool windowactivate --sync "$clock" key --clearmodifiers alt+F4
  if id=$(wait_window "$pid" 5 "Tavenel V 1.0"); then
    sleep 1.2; xdotool windowactivate --sync "$id" key Return
  fi
  if ! wait_end "$pid" 5; then fail "first start: the program did not end"; kill "$pid"; return; fi
  local record
  record=$(sqlite3 "$folder/scheduler.mdb" "SELECT csize, cchime FROM clockini")
  if [ "$record" = "normal|None" ]; then pass "first start: settings record stored at exit ($record)"
  else fail "first start: settings record is '$record'"; fi
}

# --- 2. A reminder comes at its minute ------------------------------------
reminder() {
  local folder=$work/reminder
  "$setup" "$folder" "$here/data" >/dev/null
  sqlite3 "$folder/scheduler.mdb" "UPDATE signal SET f6 = 'U';
    INSERT INTO scheduler VALUES ('8', 'December', '2026', '05', 7, 'PM', 'Dentist at five past');
    INSERT INTO scheduler VALUES ('8', 'December', '2026', '06', 30, 'PM', 'Dinner with friends');"
  local audio=$work/reminder.raw
  (cd "$folder" && SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$audio exec faketime '2026-12-08 17:06:50' "$program") &
  local pid=$!
  # faketime runs the program as its child: the windows carry the child's pid.
  local app
  app=$(program_of "$pid")
  local box
  if ! box=$(wait_window "$app" 30 "Tavenel V 1.0"); then
    fail "reminder: no message appeared"; kill "$pid" 2>/dev/null; return
  fi
  sleep 1.5
  import -window root "$shots/reminder.png"
  # Read whole before matching: with pipefail an early-quitting grep fails the pipe.
  local names
  names=$(visible_names "$app")
  if grep -q "Today :" <<<"$names"; then pass "reminder: the planner window shows it"
  else fail "reminder: the planner window is not shown: $(tr '\n' '|' <<<"$names")"; fi
  local bytes
  bytes=$(stat -c %s "$audio" 2>/dev/null || echo 0)
  if [ "$bytes" -gt 100000 ] && python3 - "$audio" <<'PY'
import sys, struct
data = open(sys.argv[1], 'rb').read()
samples = struct.unpack('<%dh' % (len(data) // 2), data[: len(data) // 2 * 2])
sys.exit(0 if max(abs(s) for s in samples) > 1000 else 1)
PY
  then pass "reminder: the alarm sound was played ($bytes bytes of audio)"
  else fail "reminder: no alarm sound in the disk audio ($bytes bytes)"; fi
  xdotool windowactivate --sync "$box" key Return
  sleep 1.5
  local left
  left=$(sqlite3 "$folder/scheduler.mdb" "SELECT group_concat(stext, '|') FROM scheduler")
  if [ "$left" = "Dinner with friends" ]; then pass "reminder: the reminded appointment is gone, the other stays"
  else fail "reminder: appointments left: '$left'"; fi
  # faketime leaves the program running when it is stopped itself.
  close_program "$app" "$pid"
}

# --- 3. A database file of random bytes -----------------------------------
random_database() {
  local folder=$work/random
  mkdir -p "$folder"
  head -c 65536 /dev/urandom > "$folder/scheduler.mdb"
  cp "$folder/scheduler.mdb" "$work/random.copy"
  (cd "$folder" && exec "$program") &
  local pid=$!
  local box
  if ! box=$(wait_window "$pid" 10 "Tavenel V 1.0"); then
    fail "random database: no message appeared"; kill "$pid" 2>/dev/null; return
  fi
  import -window root "$shots/random-database.png"
  xdotool windowactivate --sync "$box" key Return
  local code=0
  if ! wait_end "$pid" 5; then fail "random database: the program did not end"; kill "$pid"; return; fi
  wait "$pid" || code=$?
  if cmp -s "$folder/scheduler.mdb" "$work/random.copy" && [ "$code" -ne 0 ]; then
    pass "random database: message shown, program ended (exit $code), file unchanged"
  else
    fail "random database: exit $code, file $(cmp -s "$folder/scheduler.mdb" "$work/random.copy" && echo unchanged || echo CHANGED)"
  fi
}

# --- 4. The tray icon and starting with the desktop ------------------------
tray_and_autostart() {
  if ! command -v trayer >/dev/null; then echo "SKIP: tray: trayer is not installed"; return; fi
  local folder=$work/tray home=$work/tray-home report=""
  mkdir -p "$home"
  "$setup" "$folder" "$here/data" >/dev/null
  sqlite3 "$folder/scheduler.mdb" "UPDATE signal SET f6 = 'U';
    INSERT INTO scheduler VALUES ('8', 'December', '2026', '05', 30, 'PM', 'Dentist');"
  trayer --edge top --align right --widthtype request --height 28 >/dev/null 2>&1 &
  local host=$!
  sleep 1
  (cd "$folder" && HOME=$home exec faketime '2026-12-08 17:06:58' "$program") &
  local pid=$!
  local app
  app=$(program_of "$pid")
  local clock
  if ! clock=$(wait_window "$app" 15 "December"); then
    fail "tray: no clock window"; kill "$app" "$pid" "$host" 2>/dev/null; return
  fi
  sleep 1.5
  # The icon sits at the right end of the tray, at the top right of the screen.
  local ix=1267 iy=14
  xdotool mousemove $ix $iy; sleep 2.5
  import -window root "$shots/tray-tooltip.png"
  xdotool windowminimize "$clock"; sleep 1.5
  # By its id: the icon's own window carries the program's name too.
  if xwininfo -id "$clock" | grep -q IsViewable; then
    fail "tray: the minimised clock is still on screen"
  else pass "tray: minimising hides the clock to the tray"; fi
  xdotool mousemove $ix $iy click 1; sleep 1.5
  if clock=$(wait_window "$app" 5 "December"); then pass "tray: a click on the icon shows the clock"
  else fail "tray: the clock did not come back"; fi
  # "Start with the desktop" in the settings panel, beside the chime.
  xdotool windowactivate --sync "$clock"
  xdotool mousemove --window "$clock" 160 90 click 1; sleep 2
  xdotool mousemove --window "$clock" 16 210 click 1; sleep 1
  import -window root "$shots/start-with-desktop.png"
  local entry=$home/.config/autostart/tavenel.desktop
  if [ -s "$entry" ] && report=$(desktop-file-validate "$entry" 2>&1) && [ -z "$report" ] &&
     grep -q "^Exec=.*tavenel-launch\" \"$folder\"$" "$entry"; then
    pass "tray: the autostart entry is written, valid, and starts the launcher on the folder"
  else fail "tray: autostart entry: $(cat "$entry" 2>&1) $report"; fi
  xdotool mousemove --window "$clock" 16 210 click 1; sleep 1
  [ -e "$entry" ] && fail "tray: the autostart entry was not removed"
  # "Quit" in the icon's menu ends the run as closing the clock does.
  xdotool mousemove $ix $iy click 3; sleep 1
  xdotool key Up Return
  if ! wait_end "$app" 5; then fail "tray: Quit did not end the program"; kill "$app" "$pid"
  elif [ "$(sqlite3 "$folder/scheduler.mdb" "SELECT csize FROM clockini")" = normal ]; then
    pass "tray: Quit ends the program and stores the settings"
  else fail "tray: Quit ended the program without storing the settings"; fi
  kill "$host" 2>/dev/null; wait "$pid" 2>/dev/null || true
}

# --- 5. The clean-up question left open across the hour and a reminder ----
# The start-up question about a past appointment is left unanswered while
# the hourly chime strikes five and, after the wall clock has been set
# forward to 5:06:45 PM, while the 5:07 PM reminder comes. The clock face
# must keep changing, and neither a stroke nor the reminder may be lost.
question_left_open() {
  local folder=$work/question audio=$work/question.raw clockrc=$work/question.faketime
  "$setup" "$folder" "$here/data" >/dev/null
  sqlite3 "$folder/scheduler.mdb" "UPDATE signal SET f6 = 'U';
    INSERT INTO clockini VALUES (300, 300, 'normal', 'Chime');
    INSERT INTO scheduler VALUES ('7', 'December', '2026', '09', 0, 'AM', 'Yesterday, kept on purpose');
    INSERT INTO scheduler VALUES ('8', 'December', '2026', '05', 7, 'PM', 'Dentist at five past');"
  # The fake wall clock comes from a file it rereads every second, so that
  # it can be set forward while the program runs; the timers keep real time.
  set_clock() { printf '%+d\n' $(( $(date -d "$1" +%s) - $(date +%s) )) > "$clockrc"; }
  set_clock '2026-12-08 16:59:50'
  (cd "$folder" && SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$audio LD_PRELOAD=$libfaketime \
    FAKETIME_TIMESTAMP_FILE=$clockrc FAKETIME_CACHE_DURATION=1 FAKETIME_DONT_FAKE_MONOTONIC=1 \
    exec "$program") &
  local pid=$! started=$SECONDS
  local question
  if ! question=$(wait_window "$pid" 20 "Tavenel V 1.0"); then
    fail "question left open: the clean-up question did not appear"; kill "$pid" 2>/dev/null; return
  fi
  local clock
  clock=$(xdotool search --all --onlyvisible --pid "$pid" --name "December" | head -1 || true)
  import -window "$clock" "$shots/face-1.png"
  sleep 3
  import -window "$clock" "$shots/face-2.png"
  # Past the top of the hour, with the question still open.
  sleep $(( 20 - (SECONDS - started) > 0 ? 20 - (SECONDS - started) : 0 ))
  import -window "$clock" "$shots/face-3.png"
  import -window root "$shots/question-open-at-five.png"
  # The sound device is closed once silent and its recording starts again
  # when it reopens: the strokes are kept from the recording as it is now.
  cp "$audio" "$work/question-five.raw" 2>/dev/null || : > "$work/question-five.raw"
  local changes=0
  for pair in "1 2" "2 3"; do
    set -- $pair
    if ! cmp -s "$shots/face-$1.png" "$shots/face-$2.png"; then changes=$((changes + 1)); fi
  done
  if [ "$changes" -eq 2 ]; then pass "question left open: the clock face kept changing behind it"
  else fail "question left open: the clock face stood still ($changes of 2 pairs differ)"; fi

  set_clock '2026-12-08 17:06:45'
  # The reminder: a second box, over the planner window.
  local reminder= reminded=0
  for _ in $(seq 1 400); do
    for w in $(xdotool search --all --onlyvisible --pid "$pid" --name "Tavenel V 1.0" 2>/dev/null || true); do
      [ "$w" != "$question" ] && reminder=$w
    done
    if [ -n "$reminder" ] && grep -q "Today :" <<<"$(visible_names "$pid")"; then reminded=1; break; fi
    sleep 0.1
  done
  local before_alarm
  before_alarm=$(stat -c %s "$audio" 2>/dev/null || echo 0)
  sleep 3
  import -window root "$shots/reminder-over-question.png"
  local strokes alarm_ms
  read -r _ strokes _ _ <<<"$(python3 "$here/scripts/sound-events.py" "$work/question-five.raw")"
  read -r _ _ _ alarm_ms <<<"$(python3 "$here/scripts/sound-events.py" "$audio" "$before_alarm")"
  echo "question left open: reminders lost $((1 - reminded)) of 1, chime strokes lost $((5 - strokes)) of 5 ($strokes heard), alarm sound heard for ${alarm_ms} ms once it came"
  if [ "$reminded" -eq 1 ] && [ "$alarm_ms" -gt 500 ]; then pass "question left open: the 5:07 PM reminder came with its sound"
  else fail "question left open: reminder shown $reminded, alarm sound $alarm_ms ms"; fi
  if [ "$strokes" -eq 5 ]; then pass "question left open: five o'clock struck five"
  else fail "question left open: $strokes strokes heard at five o'clock"; fi

  # The reminder answered first, then the question: No keeps the past one.
  [ -n "$reminder" ] && xdotool windowactivate --sync "$reminder" key Return
  sleep 1.5
  local left
  left=$(sqlite3 "$folder/scheduler.mdb" "SELECT group_concat(stext, '|') FROM scheduler")
  if [ "$left" = "Yesterday, kept on purpose" ]; then pass "question left open: the reminded appointment is gone, the question still open"
  else fail "question left open: appointments left: '$left'"; fi
  xdotool windowactivate --sync "$question" key Return
  sleep 1.5
  left=$(sqlite3 "$folder/scheduler.mdb" "SELECT group_concat(stext, '|') FROM scheduler")
  if [ "$left" = "Yesterday, kept on purpose" ]; then pass "question left open: Return answers the question No"
  else fail "question left open: after Return on the question, left: '$left'"; fi
  close_program "$pid"
}

# --- 6. A second start in the same data folder ------------------------------
second_start() {
  local folder=$work/second
  "$setup" "$folder" "$here/data" >/dev/null
  sqlite3 "$folder/scheduler.mdb" "UPDATE signal SET f6 = 'U'"
  (cd "$folder" && exec "$program") &
  local pid=$!
  local clock
  if ! clock=$(wait_window "$pid" 20 "December|January|February|March|April|May|June|July|August|September|October|November"); then
    fail "second start: the first program showed no clock window"; kill "$pid" 2>/dev/null; return
  fi
  xdotool windowminimize --sync "$clock"
  local before
  before=$(sha256sum "$folder/scheduler.mdb")
  local code=0
  (cd "$folder" && timeout 20 "$program") || code=$?
  sleep 1
  local active
  active=$(xdotool getactivewindow 2>/dev/null || true)
  # Having ended, the second start can have left no window of its own.
  if [ "$code" -eq 0 ] && [ "$active" = "$clock" ] && [ "$(sha256sum "$folder/scheduler.mdb")" = "$before" ]; then
    pass "second start: it ended at once and brought the running clock to the front; database untouched"
  else
    fail "second start: exit $code, active window $active (clock $clock)"
  fi
  close_program "$pid"
}

# --- 7. A word processor's diary entry, shown, saved and kept -------------
diary() {
  local folder=$work/diary
  "$setup" "$folder" "$here/data" >/dev/null
  local entry=$folder/8-December-2026.rtf
  cp "$here/tests/data/rtf/libreoffice_features.rtf" "$entry"
  # What a save killed half way leaves behind; the start removes it.
  echo "half a save" > "$folder/.8-December-2026.rtf.0badc0de.tmp"
  sqlite3 "$folder/scheduler.mdb" "UPDATE signal SET f6 = 'U';
    INSERT INTO scheduler VALUES ('8', 'December', '2026', '05', 7, 'PM', 'Write the diary');"
  (cd "$folder" && SDL_AUDIODRIVER=dummy exec faketime '2026-12-08 17:06:55' "$program") &
  local pid=$!
  local app
  app=$(program_of "$pid")
  local box planner
  if ! box=$(wait_window "$app" 30 "Tavenel V 1.0"); then
    fail "diary: the planner window did not open"; kill "$pid" 2>/dev/null; return
  fi
  sleep 1.2; xdotool windowactivate --sync "$box" key Return; sleep 1
  if ! planner=$(wait_window "$app" 5 "Today :"); then
    fail "diary: no planner window"; kill "$pid" 2>/dev/null; return
  fi
  if [ -e "$folder/.8-December-2026.rtf.0badc0de.tmp" ]; then fail "diary: the interrupted save's file is still there"
  else pass "diary: the interrupted save's file was removed at start"; fi
  # Display the entry (Ctrl+Y), look at it, and save it (Ctrl+S).
  xdotool windowactivate --sync "$planner" key ctrl+y; sleep 2
  import -window root "$shots/diary-entry.png"
  xdotool windowactivate --sync "$planner" key ctrl+s; sleep 1.5
  local missing= word
  for word in '\pngblip' '\jpegblip' '\trowd' '\cellx' '\listtable' '\ls2' '\chcbpat' '\strike' '\super' \
              '\sub' 'HYPERLINK "https://example.org/diary?a=1&b=2"'; do
    grep -qF -- "$word" "$entry" || missing="$missing $word"
  done
  if [ -z "$missing" ] && ! grep -q 'Sans Serif' "$entry"; then
    pass "diary: saved again, the entry keeps its pictures, table, lists, highlights, raised text and link"
  else fail "diary: the saved entry lacks:$missing"; fi
  if cmp -s "$folder"/history/8-December-2026@*.replaced.rtf "$here/tests/data/rtf/libreoffice_features.rtf"; then
    pass "diary: the replaced entry is kept in the history"
  else fail "diary: no earlier version in the history: $(ls "$folder/history" 2>&1 | tr '\n' ' ')"; fi
  close_program "$app" "$pid"
}

random_database
first_start
reminder
question_left_open
second_start
tray_and_autostart
diary
# Window places through restarts, the help window and full screen.
if E2E_WM_RUNNING=1 TAVENEL_BUILD_DIR=$build "$here/scripts/check-positions.sh"; then
  pass "window places: no drift, help beside, viewer back in place"
else
  fail "window places: see the lines above"
fi
echo "$passed passed, $failures failed"
[ "$failures" -eq 0 ]
