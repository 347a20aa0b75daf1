#!/usr/bin/env bash
# One command from a fresh Debian 12 machine (as root) to a running program:
# installs the packages, builds, prepares the data folder (default
# ~/Tavenel; never replacing a database or diary that is there) and starts
# the program in it.
#
#   ./scripts/start.sh [DATA-FOLDER]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/install-packages.sh"
"$here/scripts/build.sh" "$here/build"
exec "$here/build/src/tavenel-launch" "$@"
