#!/usr/bin/env bash
# Runs a windowed program under a private Xvfb again and again, ending it each
# time by the given steps. Every run must end by itself within a few seconds,
# with status 0 and no X error on its output. Exits 77 (skipped) when Xvfb or
# xdotool is missing.
#
#   tools/check-exits.sh [-n RUNS] [-d DISPLAY] [-C DIR] -- PROGRAM STEP...
#
# Steps, in order: "sleep:SECONDS", "click" (the window's centre),
# "key:NAME" (an xdotool key name), "signal:INT" or "signal:TERM".
#   tools/check-exits.sh -n 100 -- build/examples/display_hello sleep:0.3 key:Escape
set -u
runs=10
display=
dir=.
headless=
while getopts "Hn:d:C:" opt; do
  case $opt in
    H) headless=1 ;;
    n) runs=$OPTARG ;;
    d) display=$OPTARG ;;
    C) dir=$OPTARG ;;
    *) exit 2 ;;
  esac
done
shift $((OPTIND - 1))
[ "${1:-}" = "--" ] && shift
program=$(realpath "$1")
shift
if [ -z "$headless" ]; then
  if ! command -v Xvfb >/dev/null || ! command -v xdotool >/dev/null; then
    echo "SKIPPED: needs Xvfb and xdotool (tools/setup-debian.sh installs them)"
    exit 77
  fi
  # A free display number unless one was given: Xvfb picks it and tells.
  numberFile=$(mktemp)
  if [ -n "$display" ]; then
    Xvfb ":$display" -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
  else
    Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$numberFile" >/dev/null 2>&1 &
  fi
  server=$!
  trap 'kill $server 2>/dev/null; rm -f "$numberFile"' EXIT
  for _ in $(seq 100); do [ -n "$display" ] && break; display=$(cat "$numberFile"); sleep 0.1; done
  export DISPLAY=":$display"
  for _ in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
fi

out=$(mktemp)
failed=0
unstarted=0
for run in $(seq "$runs"); do
  (cd "$dir" && exec env SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}" "$program") >"$out" 2>&1 &
  pid=$!
  window=headless
  [ -z "$headless" ] && for _ in $(seq 200); do
    window=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -1)
    [ -n "$window" ] && break
    sleep 0.1
  done
  if [ -z "$window" ]; then
    if kill -0 "$pid" 2>/dev/null; then
      echo "run $run: no window appeared in 20 s (still running)"
      if command -v gdb >/dev/null; then
        gdb -batch -p "$pid" -ex "thread apply all bt 12" 2>/dev/null | grep "^#" | head -40
      fi
      xdotool search --pid "$pid" 2>/dev/null | head -3
    else
      echo "run $run: ended before its window appeared"
    fi
    head -c 600 "$out"
    kill -KILL "$pid" 2>/dev/null
    # A loaded X server sometimes refuses a connection and the program runs
    # offscreen: not what is checked here, unless it happens often.
    unstarted=$((unstarted + 1))
    continue
  fi
  for step in "$@"; do
    case $step in
      sleep:*) sleep "${step#sleep:}" ;;
      click)
        eval "$(xdotool getwindowgeometry --shell "$window")"
        xdotool mousemove --window "$window" $((WIDTH / 2)) $((HEIGHT / 2)) click 1 >/dev/null 2>&1
        ;;
      key:*) xdotool mousemove --window "$window" 20 20 key "${step#key:}" >/dev/null 2>&1 ;;
      signal:*) kill -s "${step#signal:}" "$pid" ;;
      *) echo "unknown step $step"; exit 2 ;;
    esac
  done
  # A clean end comes within a few seconds; a hang is killed and counted.
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$pid" 2>/dev/null; then
    echo "run $run: still running 10 s after the last step"
    kill -KILL "$pid"
  fi
  wait "$pid"
  status=$?
  if [ "$status" != 0 ] || grep -q "X Error" "$out"; then
    echo "run $run: exit status $status"
    head -c 600 "$out"
    failed=$((failed + 1))
  fi
done
rm -f "$out"
echo "$((runs - failed - unstarted)) of $runs runs ended cleanly, $unstarted without a window"
[ "$failed" = 0 ] && [ $((unstarted * 2)) -le "$runs" ]
