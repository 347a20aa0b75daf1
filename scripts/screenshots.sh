#!/usr/bin/env bash
# Takes the README's screenshots from the real program, run under a virtual
# X server with a window manager at a fixed moment (8 December 2026,
# 17:06:58), driven by xdotool:
#   docs/screenshots/clock.png     the clock window
#   docs/screenshots/settings.png  the clock with its settings panel open
#   docs/screenshots/planner.png   the planner window, a month with marked days
#   docs/screenshots/diary.png     the diary editor showing an entry
#   docs/screenshots/viewer.png    the picture viewer showing a picture
# Uses the build in build/ (or $1). A shot that cannot be taken is left out
# with a message, and the script ends non-zero.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
source "$here/scripts/x-session.sh"
inside_x "$0" "$@"
out=$here/docs/screenshots
mkdir -p "$out"
work=$(mktemp -d /tmp/tavXXXX)
program=""
shown=""
start_wm
cleanup() {
  close_program "$shown" "$program" "$wm"
  rm -rf "$work"
}
trap cleanup EXIT
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=/dev/null
moment='2026-12-08 17:06:58'
missing=0

# --- A data folder with a December full of plans ---------------------------
export HOME=$work/home
folder=$HOME/Tavenel
"$build/src/tavenel-setup" "$folder" "$here/data" >/dev/null
sqlite3 "$folder/scheduler.mdb" "
  UPDATE signal SET f6 = 'U';
  INSERT INTO clockini VALUES (360, 1440, 'normal', 'Chime');
  INSERT INTO scheduler VALUES ('8', 'December', '2026', '07', 30, 'PM', 'Choir rehearsal at the town hall');
  INSERT INTO scheduler VALUES ('11', 'December', '2026', '10', 0, 'AM', 'Dentist, Dr Marsh');
  INSERT INTO scheduler VALUES ('17', 'December', '2026', '01', 15, 'PM', 'Lunch with Ana');
  INSERT INTO scheduler VALUES ('24', 'December', '2026', '06', 0, 'PM', 'Family dinner');"
diary() {  # day, then the entry's paragraphs as RTF
  local day=$1
  shift
  printf '{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 DejaVu Sans;}}\\f0\\fs24 %s}\n' "$*" \
    >"$folder/$day-December-2026.rtf"
}
diary 3 '{\b A quiet Thursday}\par Walked along the river in the morning.\par'
diary 8 '{\b\fs32 Tuesday, 8 December}\par\par Finished the {\b quarterly report} at last and sent it off before lunch.\par\par {\i To do tomorrow:}\par \bullet  buy candles for the choir evening\par \bullet  ring the garage about the winter tyres\par\par The first snow fell this afternoon; the garden looks lovely.\par'
diary 20 'Carols in the square, hot chocolate afterwards.\par'
mkdir -p "$HOME/Pictures"
convert -size 640x400 gradient:'#0b3d91-#f4a261' \
  -fill '#fefae0' -draw 'circle 470,260 470,200' \
  -fill '#264653' -draw 'polygon 0,400 180,230 330,330 470,250 640,360 640,400' \
  "$HOME/Pictures/evening.jpg"
convert -size 640x400 plasma:green-blue "$HOME/Pictures/meadow.jpg"

# --- Driving the program -----------------------------------------------------
# Twips to pixels: 15 twips a pixel at the virtual screen's 96 dpi.
px() { echo $(( $1 / 15 )); }

# Waits up to $1 seconds for a visible window whose name matches $2 (the
# program, which faketime runs as its child, is the only one on this
# display); prints its id.
program_window() { wait_window "$program" "$1" "$2" any; }

# Clicks at a point given in twips inside window $1.
click() {
  xdotool mousemove --window "$1" "$(px "$2")" "$(px "$3")" click 1
  sleep 0.8
}

# The window with its frame, as the user sees it.
shoot() {
  sleep 1
  import -frame -window "$1" "$out/$2"
  echo "wrote docs/screenshots/$2"
}

start() {
  (cd "$folder" && exec faketime "$moment" "$build/src/tavenel") >"$work/program.log" 2>&1 &
  program=$!
  clock=$(program_window 15 "^ ?[0-9]+ December, 2026") || {
    echo "the clock window did not appear; windows:" >&2
    for w in $(xdotool search --onlyvisible --name . 2>/dev/null); do xdotool getwindowname "$w" >&2; done
    cat "$work/program.log" >&2
    exit 1
  }
  # faketime runs the program as its child: the window knows the real one.
  shown=$(xdotool getwindowpid "$clock")
  xdotool windowactivate --sync "$clock" >/dev/null 2>&1 || true
  sleep 1
}

stop() {
  close_program "$shown" "$program"
  shown=""
  program=""
}

# The clock, and its settings panel.
start
shoot "$clock" clock.png
click "$clock" 2706 1356  # "Settings"
shoot "$clock" settings.png

# The planner window on today's month.
click "$clock" 3366 4146  # "Scheduler and diary"
if planner=$(program_window 10 "^Today :"); then
  xdotool windowactivate --sync "$planner" >/dev/null 2>&1 || true
  shoot "$planner" planner.png

  # The diary entry of 8 December (a Tuesday: third column, second row of
  # the grid): its day menu, "Diary control", "Display diary entry".
  import -window "$planner" "$work/before.png"
  click "$planner" $((1800 + 307)) $((1800 + 127))
  xdotool key Down Right Down
  sleep 0.5
  xdotool key Return
  sleep 1.5
  import -window "$planner" "$work/after.png"
  changed=$(compare -metric AE "$work/before.png" "$work/after.png" null: 2>&1 || true)
  if [ "${changed%% *}" != "0" ] && [ "$(identify -format %w "$work/after.png")" -gt \
       "$(identify -format %w "$work/before.png")" ]; then
    shoot "$planner" diary.png
  else
    echo "diary.png left out: \"Display diary entry\" did not open the diary editor" >&2
    missing=$((missing + 1))
  fi
else
  echo "planner.png and diary.png left out: the planner window did not open" >&2
  missing=$((missing + 2))
fi
stop

# The picture viewer with a picture from ~/Pictures.
start
click "$clock" 2706 1356  # "Settings"
click "$clock" 2046 4146  # "Picture Viewer"
sleep 1
# The folder list shows the home folder: Pictures is its first folder.
click "$clock" $((5640 + 600)) $((480 + 130))
if box=$(program_window 5 "Tavenel V 1.0"); then
  xdotool windowactivate --sync "$box" key Return >/dev/null 2>&1 || true
  sleep 1
  click "$clock" $((5640 + 600)) $((2520 + 130))  # the first picture of the list
  shoot "$clock" viewer.png
else
  echo "viewer.png left out: choosing ~/Pictures offered no pictures" >&2
  missing=$((missing + 1))
fi
stop

if [ "$missing" -gt 0 ]; then
  echo "$missing screenshot(s) left out" >&2
  exit 1
fi
