# shellcheck shell=bash
# Shared by the scripts that drive the real program under a virtual X server
# with a window manager (e2e.sh, check-positions.sh, screenshots.sh,
# check-install.sh): the server, the window manager, waiting for the
# program's windows and for its end, and closing it. Source it.

# Runs the calling script again under a virtual X server, 1280 x 800, unless
# it already runs inside one that these scripts started.
#   inside_x "$0" "$@"
inside_x() {
  if [ -z "${E2E_INSIDE_X:-}" ]; then
    export E2E_INSIDE_X=1
    exec xvfb-run -a -s '-screen 0 1280x800x24' "$@"
  fi
}

# Starts the window manager, unless a script that runs this one started it
# already (E2E_WM_RUNNING); sets wm to its process id, empty when not
# started here. The caller ends it with close_program "$wm" on its exit.
start_wm() {
  wm=""
  [ -n "${E2E_WM_RUNNING:-}" ] && return 0
  openbox >/dev/null 2>&1 &
  # shellcheck disable=SC2034  # read by the caller
  wm=$!
  sleep 1
}

# Waits up to $2 seconds for a visible window of process $1 whose name
# matches $3 (any window of it when $3 is empty); prints its id. With a
# fourth word "any", a window of any process counts (for a program that a
# wrapper runs as its child), as long as process $1 lives. Fails when the
# process ends first or no such window comes.
wait_window() {
  local pid=$1 seconds=$2 name=${3:-} whose=${4:-} id
  for _ in $(seq 1 $((seconds * 10))); do
    if [ "$whose" = any ]; then
      id=$(xdotool search --onlyvisible --name "$name" 2>/dev/null | tail -1 || true)
    elif [ -n "$name" ]; then
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

# The program that wrapper process $1 (faketime, the launcher) runs as its
# child, once it has started (up to 5 seconds); $1 itself when none comes.
program_of() {
  local child=""
  for _ in $(seq 1 50); do
    child=$(pgrep -P "$1" | head -1 || true)
    [ -n "$child" ] && break
    sleep 0.1
  done
  echo "${child:-$1}"
}

# Waits up to $2 seconds for process $1 to end; fails when it still runs.
wait_end() {
  for _ in $(seq 1 $(($2 * 10))); do
    kill -0 "$1" 2>/dev/null || return 0
    sleep 0.1
  done
  ! kill -0 "$1" 2>/dev/null
}

# Ends the processes named (empty names are passed over) and waits for them.
close_program() {
  local pid
  for pid in "$@"; do
    [ -n "$pid" ] || continue
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
}
