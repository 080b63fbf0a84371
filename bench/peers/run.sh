#!/usr/bin/env bash
# Runs the bunnymark in limn and its peers (SDL2's software renderer, SFML 2.5
# and LOVE 11.4, the last two on Mesa's llvmpipe) in one Xvfb at 640 x 480,
# and prints one table: the most sprites each keeps at 60 frames a second (wall
# time per frame at most 16.7 ms) and its CPU time per frame at 1,000 and
# 10,000 sprites, straight and rotated+scaled.
#
#   bench/peers/run.sh [BUILD_DIR]     (default: build; limn_bunnymark is built there)
#
# Installs the peers first (bench/peers/setup.sh: apt-get, as root). Measure on
# a quiet machine: the table is wall time against a 60 fps budget.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
out="$build/peers"
mkdir -p "$out"

bash "$here/setup.sh"
cmake --build "$build" --target limn_bunnymark >/dev/null
g++ -std=c++20 -O2 -o "$out/sdl_bunnymark" "$here/sdl_bunnymark.cpp" $(pkg-config --cflags --libs sdl2)
g++ -std=c++20 -O2 -o "$out/sfml_bunnymark" "$here/sfml_bunnymark.cpp" \
    $(pkg-config --cflags --libs sfml-graphics sfml-window sfml-system)

Xvfb :77 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=:77 LIBGL_ALWAYS_SOFTWARE=1 GALLIUM_DRIVER=llvmpipe SDL_AUDIODRIVER=dummy
sleep 1

# One run: prints "wall cpu" in ms per frame (a failed run reads as too slow).
probe() {
    local line
    line=$(timeout 60 "$@" 2>/dev/null | grep '^frames=' | tail -1) || true
    if [[ -z $line ]]; then echo "99999 99999"; return; fi
    sed -E 's/.*wall_ms=([0-9.]+) cpu_ms=([0-9.]+).*/\1 \2/' <<<"$line"
}

fits() { awk -v w="$1" 'BEGIN { exit !(w <= 1000 / 60) }'; }

# The largest N whose frames fit 60 fps: doubling from 1,000, then halving the gap to 10 %.
most() {
    local variant=$1; shift
    local lo=0 hi=0 n=1000 wall
    while :; do
        read -r wall _ < <(probe "$@" "$variant" "$n" $extra)
        if fits "$wall"; then lo=$n; n=$((n * 2)); else hi=$n; break; fi
        if ((n > 1024000)); then echo "$lo"; return; fi
    done
    while ((hi - lo > (lo / 10 > 50 ? lo / 10 : 50))); do
        n=$(((lo + hi) / 2))
        read -r wall _ < <(probe "$@" "$variant" "$n" $extra)
        if fits "$wall"; then lo=$n; else hi=$n; fi
    done
    echo "$lo"
}

row() {
    local name=$1 variant=$2; shift 2
    local c1 c10 w1 w10 best
    read -r w1 c1 < <(probe "$@" "$variant" 1000 $extra)
    read -r w10 c10 < <(probe "$@" "$variant" 10000 $extra)
    best=$(most "$variant" "$@")
    printf '| %-28s | %-15s | %8s | %7s | %7s | %7s | %7s |\n' "$name" "$variant" "$best" \
        "$c1" "$c10" "$w1" "$w10"
}

echo "machine: $(nproc) cores ($(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | xargs)), no GPU;"
echo "every peer draws on the CPU (llvmpipe for OpenGL). load at start: $(cut -d' ' -f1-3 /proc/loadavg)"
echo
printf '| %-28s | %-15s | %8s | %7s | %7s | %7s | %7s |\n' "program" "variant" "N@60fps" \
    "cpu 1k" "cpu 10k" "wall 1k" "wall 10k"
echo "|------------------------------|-----------------|----------|---------|---------|---------|---------|"
for variant in straight rotated; do
    extra=""
    row "limn (both cores)" "$variant" "$build/bench/limn_bunnymark"
    extra=""
    row "limn (one thread)" "$variant" env LIMN_THREADS=1 "$build/bench/limn_bunnymark"
    row "SDL2 software renderer" "$variant" "$out/sdl_bunnymark"
    extra="sprites"
    row "SFML 2.5 sprites" "$variant" "$out/sfml_bunnymark"
    extra="batch"
    row "SFML 2.5 vertex array" "$variant" "$out/sfml_bunnymark"
    extra="draw"
    row "LOVE 11.4 draw" "$variant" love "$here/love"
    extra="batch"
    row "LOVE 11.4 SpriteBatch" "$variant" love "$here/love"
done
echo
echo "ms per frame; cpu: the process's CPU time (all its threads), wall: elapsed time."
echo "load at end: $(cut -d' ' -f1-3 /proc/loadavg)"
