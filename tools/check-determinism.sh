#!/usr/bin/env bash
# The long determinism check: the game played by script for 10,000 frames
# through limn::testing and recorded, then replayed 20 times; every replay must
# read the same clock, ask for the same sounds and draw frames of the same
# checksums, and end on the same score. Run it on a Release and a Debug build.
#
#   tools/check-determinism.sh build [FRAMES] [RUNS]
set -euo pipefail
build=${1:?usage: tools/check-determinism.sh BUILD_DIR [FRAMES] [RUNS]}
export LIMN_DETERMINISM_FRAMES=${2:-10000}
export LIMN_DETERMINISM_RUNS=${3:-20}
export SDL_VIDEODRIVER=offscreen SDL_AUDIODRIVER=dummy
echo "== $LIMN_DETERMINISM_FRAMES frames, replayed $LIMN_DETERMINISM_RUNS times"
"$build/tests/test_game_frames" --gtest_filter='GameReplay.SameRecordingReplaysIdenticallyEveryTime'
