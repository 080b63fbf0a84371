#!/usr/bin/env bash
# Measures the game's CPU use at its default window under a private Xvfb, from
# /proc (user + system time over wall time, as a share of one core): first on
# the title screen, then during a round (started by a click on the window).
#
#   tools/game-cpu.sh [-d DISPLAY] [-s SECONDS] BUILD_DIR
#   tools/game-cpu.sh -d 52 build
set -u
display=52
seconds=20
while getopts "d:s:" opt; do
  case $opt in
    d) display=$OPTARG ;;
    s) seconds=$OPTARG ;;
    *) exit 2 ;;
  esac
done
shift $((OPTIND - 1))
build=$(realpath "${1:-build}")
if ! command -v Xvfb >/dev/null || ! command -v xdotool >/dev/null; then
  echo "SKIPPED: needs Xvfb and xdotool (tools/setup-debian.sh installs them)"
  exit 77
fi
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $game $xvfb 2>/dev/null; wait 2>/dev/null' EXIT
sleep 1
export DISPLAY=":$display" SDL_AUDIODRIVER=dummy
(cd "$build/game/data" && exec "$build/game/burrowbop") >/dev/null 2>&1 &
game=$!

ticks=$(getconf CLK_TCK)
cpu() { awk '{ print $14 + $15 }' "/proc/$game/stat"; }
share() {
  local before after
  before=$(cpu)
  sleep "$seconds"
  after=$(cpu)
  awk -v t=$((after - before)) -v hz="$ticks" -v s="$seconds" \
    'BEGIN { printf "%.2f %% of one core\n", 100 * t / hz / s }'
}

# The logo shows for about 4 s before the title screen.
sleep 6
echo -n "title screen: "
share
window=$(xdotool search --pid "$game" | head -1)
xdotool mousemove --window "$window" 280 420 click 1
sleep 3
echo -n "round: "
share
