#!/usr/bin/env bash
# Installs the benchmark peers (not needed to build or test limn): SFML 2.5 and
# LOVE 11.4 from Debian, both drawn by Mesa's software OpenGL under Xvfb.
set -euo pipefail
need=()
for pkg in libsfml-dev love xvfb libgl1-mesa-dri libsdl2-dev g++ pkg-config; do
    dpkg -s "$pkg" >/dev/null 2>&1 || need+=("$pkg")
done
if ((${#need[@]})); then
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${need[@]}"
fi
