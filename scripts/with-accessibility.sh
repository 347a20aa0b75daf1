#!/usr/bin/env bash
# Runs a command in a desktop session of its own, as a screen reader user
# has it: a virtual X server with a window manager, a session bus and the
# desktop's accessibility bus. The scripts that read the program through
# that bus run themselves through this one.
#
#   scripts/with-accessibility.sh COMMAND [ARGUMENT...]
set -euo pipefail
if [ -z "${TAVENEL_A11Y_SESSION:-}" ]; then
  export TAVENEL_A11Y_SESSION=1
  exec xvfb-run -a -s '-screen 0 1280x800x24' dbus-run-session -- "$0" "$@"
fi
openbox >/dev/null 2>&1 &
wm=$!
/usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
bus=$!
trap 'kill $wm $bus 2>/dev/null || true' EXIT
sleep 1
"$@"
