#!/usr/bin/env bash
# The nightly-size loader fuzz run: 10,000 damaged inputs per loader (pictures
# of every format, sounds, byte arrays, fonts) through the test programs of a
# sanitizer build, with a memory cap. The input being tried is kept in
# $OUT/last-<suite>.bin, so a crash leaves its input behind.
#
#   cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DLIMN_SANITIZE=ON -DLIMN_BENCH=OFF
#   cmake --build build-asan --target test_backend_image test_backend_text
#   tools/fuzz-loaders.sh build-asan [MUTANTS] [MEMORY_MB]
set -euo pipefail
build=${1:?usage: tools/fuzz-loaders.sh BUILD_DIR [MUTANTS] [MEMORY_MB]}
mutants=${2:-10000}
memory=${3:-2048}
out=${OUT:-$build/fuzz}
mkdir -p "$out"
export LIMN_FUZZ_MUTANTS=$mutants
export SDL_AUDIODRIVER=dummy SDL_VIDEODRIVER=offscreen
# Sanitizer builds reserve far more address space than they use, so the cap
# is on resident memory there; plain builds get an address-space limit.
export ASAN_OPTIONS="hard_rss_limit_mb=$memory:allocator_may_return_null=1:${ASAN_OPTIONS:-}"
if ! grep -q "LIMN_SANITIZE:BOOL=ON" "$build/CMakeCache.txt" 2>/dev/null; then
  ulimit -v $((memory * 1024))
fi
status=0
run() {
  local program=$1 filter=$2 name=$3
  echo "== $name: $mutants inputs each"
  if ! LIMN_FUZZ_LAST="$out/last-$name.bin" "$build/tests/$program" --gtest_filter="$filter"; then
    echo "== $name FAILED; the input being tried is in $out/last-$name.bin"
    status=1
  fi
}
run test_backend_image 'LoaderFuzz.*' media
run test_backend_text 'FontFuzz.*' fonts
exit $status
