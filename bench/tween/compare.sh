#!/usr/bin/env bash
# Times one frame of 10,000 and 64,000 running tweens in our engine and, in the
# same run, in two tween libraries for Node.js (versions pinned by the lock file
# beside this script), and prints the ratios. All figures are CPU time.
# Usage: bench/tween/compare.sh [build-dir]   (a Release build with benchmarks on)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../../build}
cmake --build "$build" --target bench_tween -j2 >/dev/null
if ! (cd "$here" && npm ls --silent >/dev/null 2>&1); then
  (cd "$here" && npm ci --silent --no-audit --no-fund >/dev/null)
fi
results=$(mktemp)
trap 'rm -f "$results"' EXIT
"$build/bench/bench_tween" >"$results"
node "$here/bench.mjs" >>"$results"
cat "$results"
echo
awk '
  $1 == "kinetra" && $2 == "plain" { ours[$3] = $4 }
  $1 == "floor" { floor[$3] = $4 }
  $1 != "kinetra" && $1 != "floor" && $2 == "plain" { peer[$1 " " $3] = $4 }
  END {
    for (key in peer) {
      split(key, k, " ")
      mine = ours[k[2]]
      if (mine > 0) printf "%s / kinetra, plain objects, %s tweens: %.1fx\n", k[1], k[2], peer[key] / mine
    }
    for (n in floor) {
      if (floor[n] > 0 && ours[n] > 0) printf "kinetra / packed floor, %s tweens: %.1fx\n", n, ours[n] / floor[n]
    }
  }' "$results" | sort
