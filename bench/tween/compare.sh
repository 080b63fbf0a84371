#!/usr/bin/env bash
# Times one frame of 10,000 and 64,000 running tweens in our engine and, in the
# same run, in two tween libraries for Node.js, and prints the ratios.
# Usage: bench/tween/compare.sh [build-dir]   (a Release build with benchmarks on)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-$here/../../build}
scratch=$here/../node_scratch
cmake --build "$build" --target bench_tween -j2 >/dev/null
if [ ! -d "$scratch/node_modules/gsap" ] || [ ! -d "$scratch/node_modules/@tweenjs/tween.js" ]; then
  mkdir -p "$scratch"
  (cd "$scratch" && npm init -y >/dev/null && npm install --silent gsap@3 @tweenjs/tween.js >/dev/null)
fi
results=$(mktemp)
"$build/bench/bench_tween" >"$results"
SCRATCH=$scratch node "$here/bench.mjs" >>"$results"
cat "$results"
echo
awk '
  $1 == "kinetra" { ours[$2 " " $3] = $4 }
  $1 != "kinetra" { peer[$1 " " $3] = $4 }
  END {
    for (key in peer) {
      split(key, k, " ")
      mine = ours["plain " k[2]]
      if (mine > 0) printf "%s / kinetra, plain objects, %s tweens: %.1fx\n", k[1], k[2], peer[key] / mine
    }
  }' "$results" | sort
rm -f "$results"
