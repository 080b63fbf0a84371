#!/usr/bin/env bash
# Builds the pages (the examples, the probes) and serves them on a port of every
# interface, so a phone on the same network can open them too:
#   tools/serve-pages.sh [BUILD_DIR] [PORT]      (defaults: build, 8080)
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-build}"
port="${2:-8080}"
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=Release
fi
cmake --build "$build" --target web
address="$(hostname -I 2>/dev/null | awk '{print $1}')"
echo "Open http://${address:-localhost}:$port/ on this machine or on a phone on the same network."
exec node "$here/tests/web/serve.js" "$build/web/pages" "$port" 0.0.0.0
