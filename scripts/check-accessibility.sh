#!/usr/bin/env bash
# Reads the real program's windows as a screen reader does: under a virtual
# X server, with a session bus and the desktop's accessibility bus, starts
# the program on 8 December 2026 in a data folder holding an appointment
# and a diary entry for that day, and runs scripts/accessibility-tree.py
# against it. Uses the build in build/ (or $TAVENEL_BUILD_DIR).
# Needs at-spi2-core and python3-pyatspi.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${TAVENEL_BUILD_DIR:-$here/build}
[ -n "${TAVENEL_A11Y_SESSION:-}" ] || exec "$here/scripts/with-accessibility.sh" "$0" "$@"

work=$(mktemp -d)
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT


folder=$work/data
"$build/src/tavenel-setup" "$folder" "$here/data" >/dev/null
sqlite3 "$folder/scheduler.mdb" \
  "INSERT INTO scheduler VALUES ('8', 'December', '2026', '09', 30, 'PM', 'Choir practice');"
printf '{\\rtf1 A day to remember.}' >"$folder/8-December-2026.rtf"

# Qt speaks to the accessibility bus only when asked to.
(cd "$folder" && QT_ACCESSIBILITY=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 SDL_AUDIODRIVER=dummy \
  exec faketime '2026-12-08 17:06:58' "$build/src/tavenel") >"$work/program.log" 2>&1 &
pids+=($!)
/usr/bin/python3 "$here/scripts/accessibility-tree.py" check "8 December 2026, appointments, diary entry"
