#!/usr/bin/env bash
# Builds the program, prepares the data folder (default ~/Tavenel; never
# replacing a database or diary that is there) and starts the program in
# it. Run it as yourself, after installing the packages once as root with
# scripts/install-packages.sh.
#
#   ./scripts/start.sh [DATA-FOLDER]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
if [ "$(id -u)" = 0 ] && [ $# = 0 ]; then
  echo "start.sh: note: started as root, so the data folder is root's ~/Tavenel;" \
       "run it as yourself to keep your own (only install-packages.sh needs root)" >&2
fi
"$here/scripts/build.sh" "$here/build"
exec "$here/build/src/tavenel-launch" "$@"
