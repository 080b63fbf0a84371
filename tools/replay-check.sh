#!/usr/bin/env bash
# Replays a recording against a limn program as built now, offscreen and as
# fast as it goes; exits 0 when the program did everything as recorded, 1 when
# it diverged (the log names the first frame that differs, and the frame and
# what changed in it are written to DIFF_DIR) or the recording is unreadable
# or cut short. Run it from the folder the program reads its files from.
#
#   tools/replay-check.sh PROGRAM RECORDING [DIFF_DIR]
set -uo pipefail
program=${1:?usage: tools/replay-check.sh PROGRAM RECORDING [DIFF_DIR]}
recording=${2:?usage: tools/replay-check.sh PROGRAM RECORDING [DIFF_DIR]}
diffs=${3:-replay-diffs}
LIMN_REPLAY="$recording" LIMN_REPLAY_DIFF="$diffs/" SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy} \
  "$program"
status=$?
if [ $status -ne 0 ]; then
  echo "replay-check: $recording does not replay as recorded against $program (status $status)" >&2
fi
exit $status
