#!/bin/sh
# A long run of the markup fuzz test (tests/backend/text/TextMarkupTest.cpp)
# under the address and undefined-behaviour sanitizers, with a memory cap:
# ITERATIONS mutated inputs for each of SEEDS seeds (CTest runs 10,000 once).
#
#   tools/fuzz-markup.sh                    # 1,000,000 inputs, seeds 1..4
#   ITERATIONS=100000 SEEDS="7 8" tools/fuzz-markup.sh
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD:-$root/build-asan}
iterations=${ITERATIONS:-1000000}
seeds=${SEEDS:-"1 2 3 4"}

if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Debug -DLIMN_SANITIZE=ON -DLIMN_BENCH=OFF
fi
cmake --build "$build" -j2 --target test_backend_text

export ASAN_OPTIONS="${ASAN_OPTIONS:-hard_rss_limit_mb=2048:malloc_limit_mb=1024:detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}"
for seed in $seeds; do
    echo "markup fuzz: seed $seed, $iterations inputs"
    LIMN_FUZZ_SEED=$seed LIMN_FUZZ_ITERATIONS=$iterations \
        "$build/tests/test_backend_text" --gtest_filter='TextMarkupFuzz.*'
done
