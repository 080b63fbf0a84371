#!/usr/bin/env bash
# Installs what building, testing and running need on Debian 12 (run as root).
# Quiet and quick when everything is already there.
set -euo pipefail
packages=(
  build-essential cmake pkg-config clang-format clang-tidy
  libgtest-dev libgmock-dev libbenchmark-dev
  libsdl2-dev libsdl2-image-dev libsdl2-mixer-dev libvorbis-dev
  libcairo2-dev libpango1.0-dev libjpeg62-turbo-dev fonts-dejavu-core fonts-quicksand
  xvfb xauth xdotool
  dpkg-dev file
  emscripten googletest libstb-dev nodejs chromium-headless-shell
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
