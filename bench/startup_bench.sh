#!/usr/bin/env bash
# Start-up time and memory of the real game under Xvfb (24-bit screen) with openbox.
#
# Each of RUNS starts the game in a fresh copy of RUNTIME_FOLDER that holds one
# player file (a player with no game in progress), then:
#   - first visible window: from the exec of the game's process to the window's
#     first paint ("draw pass 0" in the log). The exec time is the monotonic clock
#     read just before exec; the log's "app started" line carries the same clock
#     at the window's construction and each later line the milliseconds since then;
#   - "client visible" after "app started", as the log gives it;
#   - resident memory (VmRSS) 5 s after the exec, with the player chosen: the
#     Choose Player dialog is answered with Enter as soon as it shows, so at 5 s
#     the New Game dialog is open over the game window.
# Then, when PUZZLE_TOOL (velmora-puzzle) is given or found beside GAME, PLAYS
# games are played to the end: the puzzle AA, every tile typed, up to its Puzzle
# Results; the peak resident memory of the process (VmHWM) is read there.
# Prints the median and range of each figure.
# Usage: startup_bench.sh GAME RUNTIME_FOLDER [RUNS [PUZZLE_TOOL [PLAYS]]]
set -u
game=$(realpath "$1") runtime=$2 runs=${3:-15}
tool=${4:-$(dirname "$game")/velmora-puzzle} plays=${5:-3}
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/../tests/e2e/xvfb_session.sh"
source "$here/bench_summary.sh"
make_work_folder
start_display 24 || exit 1
start_window_manager || { echo "could not start openbox" >&2; exit 1; }

log="$work/game.log"
now_ms() { perl -MTime::HiRes=clock_gettime,CLOCK_MONOTONIC -e 'printf "%d\n", clock_gettime(CLOCK_MONOTONIC) * 1000'; }

# Starts the game in a fresh folder with one player; sets pid and exec_ms.
start_game() {
  rm -rf "$work/run" "$log" "$work/exec_ms"
  cp -r "$runtime" "$work/run"
  rm -rf "$work/run/data/users"
  mkdir -p "$work/run/data/users"
  cp "$here/../fuzz/corpus/new_player.user" "$work/run/data/users/Ada.user"
  (cd "$work/run" && VELMORA_LOG="$log" exec perl -MTime::HiRes=clock_gettime,CLOCK_MONOTONIC \
     -e 'open my $f, ">", shift or die; printf $f "%d\n", clock_gettime(CLOCK_MONOTONIC) * 1000; close $f;
         exec @ARGV or die' "$work/exec_ms" "$game" 2>/dev/null) &
  pid=$!
}

stop_game() { kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; }

# The number after the prefix on the first log line holding the text.
log_number() { grep -a -o "$1[0-9]*$2" "$log" | head -1 | sed "s/^$1\([0-9]*\).*/\1/"; }

choose_player() {
  local id
  id=$(wait_for_window "^Choose Player$" 30) || return 1
  focus_window "$id"
  xdotool key Return
}

visible=() client=() rss=()
for run in $(seq 1 "$runs"); do
  start_game
  if ! wait_for_text "$log" ": draw pass 0;" 20; then echo "run $run: no paint"; stop_game; continue; fi
  exec_ms=$(cat "$work/exec_ms")
  constructed=$(log_number 'T=' ': app started')
  shown=$(log_number 'T+' ': client visible')
  painted=$(log_number 'T+' ': draw pass 0;')
  # The log's clock wraps at 2^32 ms; the exec time does not.
  visible+=($(( (constructed + painted - exec_ms % 4294967296 + 4294967296) % 4294967296 )))
  client+=("$shown")
  if ! choose_player; then echo "run $run: no Choose Player dialog"; stop_game; continue; fi
  wait_for_window "^New Game$" 20 >/dev/null || echo "run $run: no New Game dialog after choosing the player"
  left=$(( exec_ms + 5000 - $(now_ms) ))
  [ "$left" -gt 0 ] && sleep "$(printf '%d.%03d' $((left / 1000)) $((left % 1000)))"
  rss+=($(awk '/^VmRSS:/{print $2}' "/proc/$pid/status"))
  stop_game
done


summary "exec to first visible window (first paint)" ms 1 "${visible[@]}"
summary "\"app started\" to \"client visible\"" ms 1 "${client[@]}"
summary "resident memory 5 s after exec, player chosen" MB 1024 "${rss[@]}"

[ -x "$tool" ] || { echo "no $tool: the peak while playing is not measured"; exit 0; }
peaks=()
for run in $(seq 1 "$plays"); do
  start_game
  choose_player || { echo "play $run: no Choose Player dialog"; stop_game; continue; }
  id=$(wait_for_window "^New Game$" 20) || { echo "play $run: no New Game dialog"; stop_game; continue; }
  click_in "$id" 238 437
  xdotool type --delay 30 "aa"
  click_in "$id" 373 425
  gid=$(wait_for_window "^Velmora Sudoku - Puzzle AA$" 20) || { echo "play $run: the game did not begin"; stop_game; continue; }
  sleep 0.5
  focus_window "$gid"
  xdotool key Prior Home
  for line in $("$tool" AA | sed -n 3,11p); do
    xdotool key Home
    for c in $(seq 0 8); do xdotool key "${line:$c:1}" Right; done
    xdotool key Down
  done
  wait_for_window "^Puzzle Results$" 20 >/dev/null || echo "play $run: no Puzzle Results"
  sleep 0.5
  peaks+=($(awk '/^VmHWM:/{print $2}' "/proc/$pid/status"))
  stop_game
done
summary "peak resident memory, one game of AA played to its results" MB 1024 "${peaks[@]}"
