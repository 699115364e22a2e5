#!/usr/bin/env bash
# Time from the start of the game's process to its first paint, under Xvfb.
# The log's "app started" line carries the monotonic clock at the window's
# construction and each draw pass the milliseconds since then; the process's
# own start time comes from /proc. Prints the median and the spread of RUNS starts.
# Usage: startup_bench.sh GAME RUNTIME_FOLDER [RUNS]
set -u
game=$(realpath "$1") runtime=$2 runs=${3:-15}
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/../tests/e2e/xvfb_session.sh"
work=$(mktemp -d)
trap 'stop_display; rm -rf "$work"' EXIT
start_display 24 || exit 1
ticks=$(getconf CLK_TCK)
results=()
for run in $(seq 1 "$runs"); do
  rm -rf "$work/run" "$work/game.log"
  cp -r "$runtime" "$work/run"
  (cd "$work/run" && VELMORA_LOG="$work/game.log" exec "$game" 2>/dev/null) &
  pid=$!
  wait_for_text "$work/game.log" ": draw pass 0;" 20 || { echo "run $run: no paint"; kill "$pid"; continue; }
  started=$(awk -v t="$ticks" '{print int($22 * 1000 / t)}' "/proc/$pid/stat")
  kill "$pid"; wait "$pid" 2>/dev/null
  constructed=$(grep -a -o 'T=[0-9]*: app started' "$work/game.log" | head -1 | tr -dc '0-9')
  painted=$(grep -a -o 'T+[0-9]*: draw pass 0;' "$work/game.log" | head -1 | sed 's/T+\([0-9]*\).*/\1/')
  results+=($((constructed % 4294967296 + painted - started)))
done
printf '%s\n' "${results[@]}" | sort -n | awk '{a[NR]=$1} END {
  printf "process start to first paint over %d runs: median %d ms, min %d ms, max %d ms\n", NR, a[int((NR+1)/2)], a[1], a[NR] }'
