#!/usr/bin/env bash
# Wall time from starting the program to its clock window's first painted
# frame on the X display (not just its mapping), over N runs (default 10),
# in a throw-away data folder, beside the one-label Qt program in the same
# run (runs alternate). Run inside an X session, e.g.
#   xvfb-run -a scripts/measure-startup.sh
#
#   scripts/measure-startup.sh [RUNS] [BUILD_DIR]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-10}
build=$(realpath "${2:-$here/build}")
program=$build/src/tavenel
probe=$build/bench/first_frame
reference=$build/bench/ref_label
folder=$(mktemp -d)
"$build/src/tavenel-setup" "$folder" "$here/data" >/dev/null
sqlite3 "$folder/scheduler.mdb" "UPDATE signal SET f6 = 'U'"   # no help page
declare -a mine label
for _ in $(seq 1 "$runs"); do
  mine+=($(cd "$folder" && "$probe" "$program" | awk '{print $4}'))
  label+=($("$probe" "$reference" | awk '{print $4}'))
done
rm -rf "$folder"
summary() { printf '%s\n' "$@" | sort -n | awk -v what="$what" '{a[NR]=$1} END {printf "%s first painted frame, ms over %d runs: min %.0f median %.0f max %.0f\n", what, NR, a[1], (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2), a[NR]}'; }
what=tavenel summary "${mine[@]}"
what=one-label summary "${label[@]}"
