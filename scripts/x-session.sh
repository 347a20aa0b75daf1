# Shared by the scripts that drive the real program under a virtual X server
# with a window manager (e2e.sh, check-positions.sh). Source it.

# Runs the calling script again under a virtual X server, 1280 x 800, unless
# it already runs inside one that these scripts started.
#   inside_x "$0" "$@"
inside_x() {
  if [ -z "${E2E_INSIDE_X:-}" ]; then
    export E2E_INSIDE_X=1
    exec xvfb-run -a -s '-screen 0 1280x800x24' "$@"
  fi
}

# Waits up to $2 seconds for a visible window of process $1 whose name
# matches $3 (any window of it when $3 is empty); prints its id. Fails when
# the process ends first or no such window comes.
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
