#!/usr/bin/env bash
# End-to-end runs of the real program under a virtual X server with a window
# manager: a first start, a reminder coming at its minute, and a database
# file that is not a database. Uses the build in build/ (or $TAVENEL_BUILD_DIR).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${TAVENEL_BUILD_DIR:-$here/build}
if [ -z "${E2E_INSIDE_X:-}" ]; then
  export E2E_INSIDE_X=1
  exec xvfb-run -a -s '-screen 0 1280x800x24' "$0" "$@"
fi
openbox >/dev/null 2>&1 &
wm=$!
trap 'kill $wm 2>/dev/null || true' EXIT
sleep 1

program=$build/src/tavenel
setup=$build/src/tavenel-setup
work=$(mktemp -d)
shots=${E2E_SHOTS:-$work/shots}
mkdir -p "$shots"
failures=0
passed=0
pass() { echo "PASS: $1"; passed=$((passed + 1)); }
fail() { echo "FAIL: $1"; failures=$((failures + 1)); }

# Waits up to $2 seconds for a visible window of process $1 whose name
# matches $3; prints its id.
wait_window() {
  local pid=$1 seconds=$2 name=${3:-} id
  for _ in $(seq 1 $((seconds * 10))); do
    if [ -n "$name" ]; then
      id=$(xdotool search --all --onlyvisible --pid "$pid" --name "$name" 2>/dev/null | tail -1 || true)
    else
      id=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | tail -1 || true)
    fi
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

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
  for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$pid" 2>/dev/null; then fail "first start: the program did not end"; kill "$pid"; return; fi
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
  local app=
  for _ in $(seq 1 50); do app=$(pgrep -P "$pid" | head -1 || true); [ -n "$app" ] && break; sleep 0.1; done
  app=${app:-$pid}
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
  kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null || true
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
  for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$pid" 2>/dev/null; then fail "random database: the program did not end"; kill "$pid"; return; fi
  wait "$pid" || code=$?
  if cmp -s "$folder/scheduler.mdb" "$work/random.copy" && [ "$code" -ne 0 ]; then
    pass "random database: message shown, program ended (exit $code), file unchanged"
  else
    fail "random database: exit $code, file $(cmp -s "$folder/scheduler.mdb" "$work/random.copy" && echo unchanged || echo CHANGED)"
  fi
}

# --- 4. A word processor's diary entry, shown, saved and kept -------------
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
  local pid=$! app=
  for _ in $(seq 1 50); do app=$(pgrep -P "$pid" | head -1 || true); [ -n "$app" ] && break; sleep 0.1; done
  app=${app:-$pid}
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
  kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null || true
}

random_database
first_start
reminder
diary
echo "$passed passed, $failures failed"
[ "$failures" -eq 0 ]
