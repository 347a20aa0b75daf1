#!/usr/bin/env bash
# Wall time from starting the program to its clock window being shown on
# the X display, over N runs (default 10), in a throw-away data folder.
# Run inside an X session, e.g.  xvfb-run -a scripts/measure-startup.sh
#
#   scripts/measure-startup.sh [RUNS] [PROGRAM]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-10}
program=$(realpath "${2:-$here/build/src/tavenel}")
setup=$(dirname "$program")/tavenel-setup
folder=$(mktemp -d)
"$setup" "$folder" "$here/data" >/dev/null
for n in $(seq 1 12); do [ -e "$folder/intro$n.mp3" ] || : > "$folder/intro$n.mp3"; done
for f in alarm.mp3 bell.mp3; do [ -e "$folder/$f" ] || : > "$folder/$f"; done
sqlite3 "$folder/scheduler.mdb" "UPDATE signal SET f6 = 'U'"   # no help page
times=()
for i in $(seq 1 "$runs"); do
  start=$(date +%s%N)
  (cd "$folder" && exec "$program") &
  pid=$!
  until xdotool search --onlyvisible --pid "$pid" >/dev/null 2>&1; do
    kill -0 "$pid" 2>/dev/null || { echo "the program ended before showing a window" >&2; exit 1; }
    sleep 0.002
  done
  end=$(date +%s%N)
  times+=($(( (end - start) / 1000000 )))
  kill "$pid"; wait "$pid" 2>/dev/null || true
done
rm -rf "$folder"
printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {printf "startup ms over %d runs: min %d median %d max %d\n", NR, a[1], (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2), a[NR]}'
