#!/usr/bin/env bash
# The nightly-size text fuzz run under the address and undefined-behaviour
# sanitizers, with a memory cap: the markup fuzzer (tests/backend/text/
# TextMarkupTest.cpp; each input read, written back and laid out in a text
# field, the field's settings counting through multiline, word wrap, auto-size,
# input and box width) and the text field fuzzer (TextFieldFuzzTest.cpp:
# random edits, formats with margins, indents and leading, keys and settings),
# ITERATIONS inputs or steps each for every seed in SEEDS. CTest runs both
# briefly (10,000 markup inputs, one in five laid out; 2,000 field steps).
#
#   tools/fuzz-text.sh [BUILD_DIR]                   # 100,000 each, seed 1
#   ITERATIONS=1000000 SEEDS="1 2 3 4" tools/fuzz-text.sh build-asan
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-asan}
iterations=${ITERATIONS:-100000}
seeds=${SEEDS:-1}

if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DLIMN_SANITIZE=ON -DLIMN_BENCH=OFF
fi
cmake --build "$build" -j2 --target test_backend_text

export SDL_AUDIODRIVER=dummy SDL_VIDEODRIVER=offscreen
export ASAN_OPTIONS="${ASAN_OPTIONS:-hard_rss_limit_mb=2048:malloc_limit_mb=1024:detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}"
status=0
for seed in $seeds; do
  for suite in TextMarkupFuzz TextFieldFuzz; do
    echo "== $suite: seed $seed, $iterations inputs"
    if ! LIMN_FUZZ_SEED=$seed LIMN_FUZZ_ITERATIONS=$iterations LIMN_FUZZ_LAYOUT_EVERY=1 \
      "$build/tests/test_backend_text" --gtest_filter="$suite.*"; then
      echo "== $suite FAILED with seed $seed"
      status=1
    fi
  done
done
exit $status
