#!/bin/sh
# Builds the RTF reader's libFuzzer target with clang-14 in build-fuzz/ and
# runs it for the given number of seconds (default 60) over a corpus seeded
# with the RTF test files. Exits non-zero when the fuzzer finds a crash; the
# input that caused it is left in build-fuzz/fuzz-artifacts/.
set -eu

seconds="${1:-60}"
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-fuzz"

CC=clang-14 CXX=clang++-14 cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTAVENEL_FUZZ=ON -DTAVENEL_TESTS=OFF -DTAVENEL_BENCH=OFF -DTAVENEL_WERROR=ON >/dev/null
cmake --build "$build" --target fuzz_rtf -j2

corpus="$build/fuzz-corpus"
artifacts="$build/fuzz-artifacts"
mkdir -p "$corpus" "$artifacts"
cp "$root"/tests/data/rtf/*.rtf "$corpus"/

"$build/fuzz/fuzz_rtf" -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
  -dict="$root/fuzz/rtf.dict" -artifact_prefix="$artifacts/" -print_final_stats=1 "$corpus"
