#!/usr/bin/env bash
# Writes docs/performance.md: every figure the benchmark programs print, and,
# side by side under one virtual X server, the start-up time to the first
# window, the CPU used while idle for 60 s and the memory after 60 s of this
# program and of other clock and calendar programs from Debian.
#
#   scripts/perf-report.sh            (installs the other programs if needed)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
if [ -z "${PERF_INSIDE_X:-}" ]; then
  for pkg in gnome-clocks osmo orage x11-apps; do
    dpkg -s "$pkg" >/dev/null 2>&1 || DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$pkg" >/dev/null
  done
  cmake -S "$here" -B "$here/build-rel" -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$here/build-rel" -j"$(nproc)" >/dev/null
  export PERF_INSIDE_X=1
  exec xvfb-run -a -s '-screen 0 1920x1080x24' dbus-run-session -- "$0" "$@"
fi
build=$here/build-rel
out=$here/docs/performance.md
idle_seconds=${IDLE_SECONDS:-60}
runs=${STARTUP_RUNS:-10}
openbox >/dev/null 2>&1 &
sleep 1

folder=$(mktemp -d)
"$build/src/tavenel-setup" "$folder" "$here/data" >/dev/null
sqlite3 "$folder/scheduler.mdb" "UPDATE signal SET f6 = 'U'"   # no help page at start
home=$(mktemp -d)   # a clean home for the other programs' settings

# The command line of each program measured, as it is started.
declare -A cmd=(
  [tavenel]="$build/src/tavenel"
  [gnome-clocks]="gnome-clocks"
  [osmo]="osmo"
  [orage]="orage"
  [xclock]="xclock -digital -update 1"
)
order=(tavenel gnome-clocks osmo orage xclock)

start_one() {  # name -> pid
  (cd "$folder" && HOME=$home exec ${cmd[$1]} >/dev/null 2>&1) &
  echo $!
}
wait_visible() {
  local pid=$1
  for _ in $(seq 1 3000); do
    xdotool search --onlyvisible --pid "$pid" >/dev/null 2>&1 && return 0
    kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.002
  done
  return 1
}
stats() { sort -n | awk '{a[NR]=$1} END {if (NR==0) {print "n/a"; exit} printf "%d / %d / %d", a[1], (NR%2 ? a[(NR+1)/2] : int((a[NR/2]+a[NR/2+1])/2)), a[NR]}'; }

declare -A startup cpu mem
for name in "${order[@]}"; do
  command -v "${cmd[$name]%% *}" >/dev/null || { startup[$name]="not installed"; continue; }
  times=()
  for _ in $(seq 1 "$runs"); do
    t0=$(date +%s%N)
    pid=$(start_one "$name")
    if wait_visible "$pid"; then times+=($(( ($(date +%s%N) - t0) / 1000000 ))); fi
    kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null || true
    sleep 0.3
  done
  startup[$name]=$(printf '%s\n' "${times[@]}" | stats)
done

# Idle: all of them at once, each measured from its own /proc entry.
declare -A pids ticks0
hz=$(getconf CLK_TCK)
for name in "${order[@]}"; do
  command -v "${cmd[$name]%% *}" >/dev/null || continue
  pids[$name]=$(start_one "$name")
done
sleep 5
proc_ticks() { awk '{print $14 + $15}' "/proc/$1/stat" 2>/dev/null || echo 0; }
for name in "${!pids[@]}"; do ticks0[$name]=$(proc_ticks "${pids[$name]}"); done
sleep "$idle_seconds"
for name in "${!pids[@]}"; do
  pid=${pids[$name]}
  t1=$(proc_ticks "$pid")
  cpu[$name]=$(awk -v a="${ticks0[$name]}" -v b="$t1" -v hz="$hz" -v s="$idle_seconds" 'BEGIN {printf "%.2f %%", 100 * (b - a) / hz / s}')
  mem[$name]=$(awk '/VmRSS/ {printf "%.1f MiB", $2 / 1024}' "/proc/$pid/status" 2>/dev/null || echo n/a)
  kill "$pid" 2>/dev/null || true
done

{
  echo "# Performance"
  echo
  echo "Written by \`scripts/perf-report.sh\` on $(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) cores,"
  echo "$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), Release build."
  echo
  echo "## Beside other programs of its field"
  echo
  echo "All under the same Xvfb (1920x1080) with openbox, one after another for start-up"
  echo "($runs runs each: time from starting the process to its first window being shown),"
  echo "then all at once for ${idle_seconds} s idle (CPU time used / wall time, one core = 100 %)"
  echo "and resident memory at the end."
  echo
  echo "| Program | Start-up ms (min / median / max) | Idle CPU | Memory after ${idle_seconds} s |"
  echo "|---|---|---|---|"
  for name in "${order[@]}"; do
    echo "| $name | ${startup[$name]:-n/a} | ${cpu[$name]:-n/a} | ${mem[$name]:-n/a} |"
  done
  echo
  echo "## Benchmarks"
  echo
  for bench in "$build"/bench/bench_*; do
    [ -f "$bench" ] && [ -x "$bench" ] || continue
    echo "### $(basename "$bench")"
    echo
    echo '```'
    (cd "$(mktemp -d)" && QT_QPA_PLATFORM=offscreen "$bench" 2>&1) || echo "(exit $?)"
    echo '```'
    echo
  done
  # What the figures mean, written by hand after a run and kept beside the script.
  [ -f "$here/docs/performance-notes.md" ] && cat "$here/docs/performance-notes.md"
} > "$out"
rm -rf "$folder" "$home"
echo "wrote $out"
