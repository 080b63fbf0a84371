#!/usr/bin/env bash
# The nightly-size recording fuzz run: 100,000 damaged recordings (bytes
# changed, cut, inserted, times at the edges of their range) through the
# recording reader of a sanitizer build. The recording being read is kept in
# $OUT/last-recordings.bin, so a crash leaves its input behind.
#
#   cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DLIMN_SANITIZE=ON -DLIMN_BENCH=OFF
#   cmake --build build-asan --target test_backend_replay
#   tools/fuzz-recordings.sh build-asan [MUTANTS]
set -euo pipefail
build=${1:?usage: tools/fuzz-recordings.sh BUILD_DIR [MUTANTS]}
mutants=${2:-100000}
out=${OUT:-$build/fuzz}
mkdir -p "$out"
export LIMN_FUZZ_MUTANTS=$mutants
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1:${UBSAN_OPTIONS:-}"
echo "== recordings: $mutants inputs"
if ! LIMN_FUZZ_LAST="$out/last-recordings.bin" "$build/tests/test_backend_replay" \
    --gtest_filter='RecordFormat.FuzzedRecordingsNeverCrashTheReader'; then
  echo "== recordings FAILED; the input being read is in $out/last-recordings.bin"
  exit 1
fi
