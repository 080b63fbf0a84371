#!/usr/bin/env bash
# Checks identifier naming (.clang-tidy, readability-identifier-naming only) in our code:
# runtime, native, framework, motion, game, backend, examples and tests, headers included.
# Reads the compile commands of a configured build and runs clang-tidy on every core.
# Usage: tools/check-names.sh [build-dir] (default build/). Exits non-zero on any finding.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
database="$build/compile_commands.json"
if [[ ! -f "$database" ]]; then
  echo "check-names: no $database (configure the build first)" >&2
  exit 2
fi
dirs='runtime|native|framework|motion|game|backend|examples|tests'
mapfile -t files < <(grep -o '"file": *"[^"]*"' "$database" | sed 's/^"file": *"//; s/"$//' |
  grep -E "^$root/($dirs)/" | sort -u)
if ((${#files[@]} == 0)); then
  echo "check-names: no sources of ours in $database" >&2
  exit 2
fi
log=$(mktemp)
trap 'rm -f "$log"' EXIT
status=0
# Compiler warnings (and GCC's options that clang does not know) are not findings here.
printf '%s\0' "${files[@]}" |
  xargs -0 -n 4 -P "$(nproc)" clang-tidy -p "$build" --quiet \
    --header-filter="^$root/($dirs)/" \
    --extra-arg=-Wno-unknown-warning-option --extra-arg=-Wno-everything \
    >"$log" 2>&1 || status=$?
# A header's findings repeat in every file that includes it: print each once.
grep -E '(warning|error):' "$log" | sed 's/\x1b\[[0-9;]*m//g' | sort -u || true
if ((status != 0)); then
  echo "check-names: naming findings or clang-tidy errors (${#files[@]} files checked)" >&2
  exit 1
fi
echo "check-names: ${#files[@]} files, no findings"
