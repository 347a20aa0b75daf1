#!/usr/bin/env bash
# Writes docs/performance.md: side by side under one virtual X server, in one
# run, this program, the one-label Qt program it is held against (bench/
# ref_label), and other clock and calendar programs from Debian:
#   - start-up to the first painted frame (bench/first_frame; not the map),
#   - processor time used while idle for 60 s, and resident memory (RSS and
#     PSS) at the end,
#   - with 100,000 appointments: the planner window open for 60 s (its
#     processor time and memory),
# then the benchmark programs' own figures (their "result:" lines).
#
#   scripts/perf-report.sh [OTHER_BUILD_DIR]
#   PEERS="xclock orage" scripts/perf-report.sh    (fewer peers: a quicker run)
#
# OTHER_BUILD_DIR: a RelWithDebInfo build of another version of the program
# (say the one before a change), measured in the same run as "tavenel (other)".
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
peers=(${PEERS:-gnome-clocks osmo orage xclock})
if [ -z "${PERF_INSIDE_X:-}" ]; then
  for peer in "${peers[@]}"; do
    pkg=$peer; [ "$peer" = xclock ] && pkg=x11-apps
    dpkg -s "$pkg" >/dev/null 2>&1 || DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$pkg" >/dev/null
  done
  cmake -S "$here" -B "$here/build-rel" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVENEL_TESTS=OFF >/dev/null
  cmake --build "$here/build-rel" -j"$(nproc)" >/dev/null
  export PERF_INSIDE_X=1
  exec xvfb-run -a -s '-screen 0 1920x1080x24' dbus-run-session -- "$0" "$@"
fi
build=$here/build-rel
other=${1:+$(realpath "$1")}
out=$here/docs/performance.md
idle_seconds=${IDLE_SECONDS:-60}
runs=${STARTUP_RUNS:-10}
appointments=${APPOINTMENTS:-100000}
openbox >/dev/null 2>&1 &
sleep 1

work=$(mktemp -d)
home=$work/home   # a clean home for the other programs' settings
mkdir -p "$home"
new_folder() {  # dir [appointments] -> a data folder without the help page
  "$build/src/tavenel-setup" "$1" "$here/data" >/dev/null
  sqlite3 "$1/scheduler.mdb" "UPDATE signal SET f6 = 'U'"
  if [ -n "${2:-}" ]; then
    sqlite3 "$1/scheduler.mdb" "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < $2 - 1)
      INSERT INTO scheduler SELECT 1 + i % 28, CASE i % 12 WHEN 0 THEN 'January' WHEN 1 THEN 'February'
        WHEN 2 THEN 'March' WHEN 3 THEN 'April' WHEN 4 THEN 'May' WHEN 5 THEN 'June' WHEN 6 THEN 'July'
        WHEN 7 THEN 'August' WHEN 8 THEN 'September' WHEN 9 THEN 'October' WHEN 10 THEN 'November'
        ELSE 'December' END, 2027 + i % 20, printf('%02d', 1 + i % 12), i % 60,
        CASE i % 2 WHEN 0 THEN 'AM' ELSE 'PM' END, 'Appointment number ' || i || ' with a longer description'
      FROM n"
  fi
}
new_folder "$work/data"

# The command line of each program measured, as it is started.
declare -A cmd=(
  [tavenel]="$build/src/tavenel"
  [one-label]="$build/bench/ref_label"
  [one-label-ticking]="$build/bench/ref_label tick"
  [gnome-clocks]="gnome-clocks"
  [osmo]="osmo"
  [orage]="orage"
  [xclock]="xclock -digital -update 1"
)
order=(tavenel one-label one-label-ticking "${peers[@]}")
if [ -n "$other" ]; then
  cmd[tavenel-other]="$other/src/tavenel"
  order=(tavenel tavenel-other "${order[@]:1}")
fi
present() { command -v "${cmd[$1]%% *}" >/dev/null; }

median() { sort -n | awk '{a[NR]=$1} END {if (NR==0) {print "n/a"; exit} printf "%.0f", (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2)}'; }
range() { sort -n | awk '{a[NR]=$1} END {if (NR==0) {print "n/a"; exit} printf "%.0f / %.0f / %.0f", a[1], (NR%2 ? a[(NR+1)/2] : (a[NR/2]+a[NR/2+1])/2), a[NR]}'; }

# --- Start-up to the first painted frame, the programs taking turns -------
declare -A startup
declare -A times
for _ in $(seq 1 "$runs"); do
  for name in "${order[@]}"; do
    [ "$name" = one-label-ticking ] && continue
    present "$name" || continue
    t=$(cd "$work/data" && HOME=$home "$build/bench/first_frame" ${cmd[$name]} 2>/dev/null | awk '{print $4}')
    [ -n "$t" ] && [ "$t" != "-1.0" ] && times[$name]+="$t "
    sleep 0.3
  done
done
for name in "${order[@]}"; do
  [ -n "${times[$name]:-}" ] && startup[$name]=$(printf '%s\n' ${times[$name]} | range)
done

# --- Idle: all at once, each from its own /proc entry ------------------------
# A process's processor time in ns, its living threads together (ns, where
# /proc/PID/stat counts in 10 ms ticks, too coarse for an idle minute).
tree_cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{s += $1} END {printf "%.0f", s}'; }
memory() {  # pid -> "RSS / PSS MiB"
  awk '/^Rss:/ {r=$2} /^Pss:/ {p=$2} END {printf "%.1f / %.1f", r/1024, p/1024}' "/proc/$1/smaps_rollup" 2>/dev/null || echo n/a
}
declare -A pids cpu0 cpu mem
start_one() {  # name folder -> pid
  (cd "$2" && HOME=$home exec ${cmd[$1]} >/dev/null 2>&1) &
  echo $!
}
idle_run() {  # label... (uses pids)
  sleep 5
  for name in "${!pids[@]}"; do cpu0[$name]=$(tree_cpu_ns "${pids[$name]}"); done
  sleep "$idle_seconds"
  for name in "${!pids[@]}"; do
    local pid=${pids[$name]}
    cpu[$name]=$(awk -v a="${cpu0[$name]}" -v b="$(tree_cpu_ns "$pid")" -v s="$idle_seconds" 'BEGIN {printf "%.3f %%", 100 * (b - a) / 1e9 / s}')
    mem[$name]=$(memory "$pid")
    kill "$pid" 2>/dev/null || true
  done
}
for name in "${order[@]}"; do
  present "$name" || continue
  mkdir -p "$work/idle-$name"
  [[ $name == tavenel* ]] && new_folder "$work/idle-$name"
  pids[$name]=$(start_one "$name" "$work/idle-$name")
done
idle_run
declare -A idle_cpu idle_mem
for name in "${!cpu[@]}"; do idle_cpu[$name]=${cpu[$name]}; idle_mem[$name]=${mem[$name]}; done
unset pids; declare -A pids

# --- The planner open on a large table -----------------------------------------
open_planner() {  # pid: Settings, then "Scheduler and diary", as a user clicks them
  local win=
  for _ in $(seq 1 100); do win=$(xdotool search --onlyvisible --pid "$1" 2>/dev/null | head -1 || true); [ -n "$win" ] && break; sleep 0.1; done
  [ -n "$win" ] || return 1
  sleep 2
  xdotool mousemove --window "$win" 180 90 click 1; sleep 2
  xdotool mousemove --window "$win" 224 276 click 1; sleep 3
  xdotool search --onlyvisible --pid "$1" --name "Today :" >/dev/null
}
declare -A planner_cpu planner_mem planner_ok
for name in tavenel tavenel-other; do
  [ -n "${cmd[$name]:-}" ] || continue
  new_folder "$work/planner-$name" "$appointments"
  pids[$name]=$(start_one "$name" "$work/planner-$name")
  planner_ok[$name]=$(open_planner "${pids[$name]}" && echo yes || echo no)
done
idle_run
for name in "${!pids[@]}"; do planner_cpu[$name]=${cpu[$name]}; planner_mem[$name]=${mem[$name]}; done

# --- Benchmarks ----------------------------------------------------------------
bench_run() {  # build name args... -> its output
  local dir
  dir=$(mktemp -d "$work/bench-XXXX")
  (cd "$dir" && "$1/bench/$2" "${@:3}" 2>&1) || echo "(exit $?)"
}
declare -A bench_out
benches=("bench_refresh $appointments" "bench_markdays $appointments" "bench_diary 36500" "bench_tick $appointments")
for b in "${benches[@]}"; do bench_out[mine:$b]=$(bench_run "$build" $b); done
if [ -n "$other" ]; then for b in "${benches[@]}"; do bench_out[other:$b]=$(bench_run "$other" $b); done; fi
results() { grep '^result:' | awk '{printf "%s=%s ", $2, $3}'; }

{
  echo "# Performance"
  echo
  echo "Written by \`scripts/perf-report.sh\` on $(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) cores,"
  echo "$(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), RelWithDebInfo build."
  echo "Every figure below comes from this one run."
  echo
  echo "## Beside the one-label Qt program and other programs of its field"
  echo
  echo "All under the same Xvfb (1920x1080) with openbox. Start-up: $runs runs each, the programs"
  echo "taking turns; time from starting the process to its window's first painted frame (the"
  echo "window holding more than one colour), not just its mapping. Idle: all at once for"
  echo "${idle_seconds} s (processor time from /proc/PID/schedstat over wall time, one core = 100 %),"
  echo "and resident memory at the end (RSS and PSS from /proc/PID/smaps_rollup)."
  echo "\`one-label\` is bench/ref_label: a QLabel in a QApplication; \`one-label-ticking\` sets"
  echo "the label's text every 900 ms."
  echo
  echo "| Program | Start-up ms (min / median / max) | Idle CPU | RSS / PSS MiB after ${idle_seconds} s |"
  echo "|---|---|---|---|"
  for name in "${order[@]}"; do
    present "$name" || { echo "| $name | not installed | | |"; continue; }
    echo "| $name | ${startup[$name]:-n/a} | ${idle_cpu[$name]:-n/a} | ${idle_mem[$name]:-n/a} |"
  done
  echo
  echo "## The planner window open, $appointments appointments"
  echo
  echo "| Program | Planner opened | Idle CPU over ${idle_seconds} s | RSS / PSS MiB |"
  echo "|---|---|---|---|"
  for name in tavenel tavenel-other; do
    [ -n "${planner_ok[$name]:-}" ] || continue
    echo "| $name | ${planner_ok[$name]} | ${planner_cpu[$name]:-n/a} | ${planner_mem[$name]:-n/a} |"
  done
  echo
  echo "## Benchmarks"
  echo
  echo "Each \`result:\` line is the median processor time of the step (\`remove_2000_wall\`:"
  echo "wall time, the disk's flush included)."
  echo
  for b in "${benches[@]}"; do
    echo "### $b"
    echo
    echo '```'
    printf '%s\n' "${bench_out[mine:$b]}"
    echo '```'
    if [ -n "$other" ]; then
      echo
      echo "Other build: $(printf '%s\n' "${bench_out[other:$b]}" | results)"
    fi
    echo
  done
  # What the figures mean, written by hand after a run and kept beside the script.
  [ -f "$here/docs/performance-notes.md" ] && cat "$here/docs/performance-notes.md"
} > "$out"
rm -rf "$work"
echo "wrote $out"
