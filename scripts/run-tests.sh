#!/usr/bin/env bash
# Builds everything and runs every test. Extra arguments go to cmake.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
dir=${TAVENEL_BUILD_DIR:-$here/build}
"$here/scripts/build.sh" "$dir" -DTAVENEL_WERROR=ON "$@"
cd "$dir"
ctest --output-on-failure -j2
