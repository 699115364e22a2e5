#!/usr/bin/env bash
# Start-up time and memory on a scaled screen, side by side with two yardsticks,
# under Xvfb (24-bit, 2560 x 1600 unless VELMORA_XVFB_SCREEN says otherwise) with
# openbox:
#   - the game at QT_SCALE_FACTOR=SCALE, in a fresh copy of RUNTIME_FOLDER that
#     holds one player file (a player with no game in progress);
#   - GNOME Sudoku at GDK_SCALE=SCALE (when gnome-sudoku is installed), with a
#     fresh home folder, so with no game in progress either;
#   - a bare Qt Widgets program that shows one 640 x 480 picture
#     (velmora-bench-qt-floor, found beside GAME in bench/ or given), at
#     QT_SCALE_FACTOR=SCALE: the floor under any Qt program's figures.
# Each of ROUNDS starts the three one after another (interleaved, so that all
# see the same machine), and measures for each:
#   - first visible window: from the monotonic clock read just before the exec to
#     the first time `xdotool search --onlyvisible --pid` finds a window of the
#     process (polled without pause);
#   - resident memory (VmRSS) 4 s after the exec, without any input.
# Prints the median and range of each figure per program.
# Usage: scaled_startup_bench.sh GAME RUNTIME_FOLDER [ROUNDS [SCALE [FLOOR]]]
set -u
game=$(realpath "$1") runtime=$(realpath "$2") rounds=${3:-5} scale=${4:-2}
floor=${5:-$(dirname "$game")/bench/velmora-bench-qt-floor}
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/../tests/e2e/xvfb_session.sh"
source "$here/bench_summary.sh"
make_work_folder
export VELMORA_XVFB_SCREEN=${VELMORA_XVFB_SCREEN:-2560x1600}
start_display 24 || exit 1
start_window_manager || { echo "could not start openbox" >&2; exit 1; }

# Starts PROGRAM in FOLDER with the environment given (NAME=VALUE words after
# it); sets pid and exec_ms.
launch() {
  local folder=$1 program=$2
  shift 2
  rm -f "$work/exec_ms"
  (cd "$folder" && exec env "$@" perl -MTime::HiRes=clock_gettime,CLOCK_MONOTONIC \
     -e 'open my $f, ">", shift or die; printf $f "%d\n", clock_gettime(CLOCK_MONOTONIC) * 1000; close $f;
         exec @ARGV or die' "$work/exec_ms" "$program" 2>/dev/null) &
  pid=$!
}
now_ms() { perl -MTime::HiRes=clock_gettime,CLOCK_MONOTONIC -e 'printf "%d\n", clock_gettime(CLOCK_MONOTONIC) * 1000'; }

# Polls for the first visible window of $pid; prints the milliseconds from the exec.
first_window_ms() {
  local deadline=$(( $(now_ms) + 20000 ))
  while [ "$(now_ms)" -lt "$deadline" ]; do
    if xdotool search --onlyvisible --pid "$pid" >/dev/null 2>&1; then
      echo $(( $(now_ms) - $(cat "$work/exec_ms") ))
      return 0
    fi
    ended "$pid" && return 1
  done
  return 1
}

# Measures one start: NAME FOLDER PROGRAM [NAME=VALUE...]; appends to NAME's two lists.
measure() {
  local name=$1 ms left rss
  shift
  launch "$@"
  while [ ! -s "$work/exec_ms" ]; do
    ended "$pid" && { echo "$name: did not start" >&2; return; }
    sleep 0.001
  done
  if ! ms=$(first_window_ms); then
    echo "$name: no window" >&2
    stop_process "$pid"
    return
  fi
  left=$(( $(cat "$work/exec_ms") + 4000 - $(now_ms) ))
  [ "$left" -gt 0 ] && sleep "$(printf '%d.%03d' $((left / 1000)) $((left % 1000)))"
  rss=$(awk '/^VmRSS:/{print $2}' "/proc/$pid/status")
  stop_process "$pid"
  eval "${name}_ms+=($ms)"
  eval "${name}_rss+=($rss)"
}

game_folder() {
  rm -rf "$work/run"
  cp -r "$runtime" "$work/run"
  rm -rf "$work/run/data/users"
  mkdir -p "$work/run/data/users"
  cp "$here/../fuzz/corpus/new_player.user" "$work/run/data/users/Ada.user"
  echo "$work/run"
}

sudoku_home() {
  rm -rf "$work/home"
  mkdir -p "$work/home"
  echo "$work/home"
}

velmora_ms=() velmora_rss=() sudoku_ms=() sudoku_rss=() floor_ms=() floor_rss=()
sudoku=$(PATH="$PATH:/usr/games" command -v gnome-sudoku || true)
[ -n "$sudoku" ] || echo "gnome-sudoku is not installed: measured without it"
[ -x "$floor" ] || { echo "no $floor: measured without the Qt floor"; floor=""; }
for round in $(seq 1 "$rounds"); do
  folder=$(game_folder)
  measure velmora "$folder" "$game" QT_SCALE_FACTOR="$scale"
  if [ -n "$sudoku" ]; then
    home=$(sudoku_home)
    measure sudoku "$home" "$sudoku" HOME="$home" XDG_CONFIG_HOME="$home/.config" \
      XDG_DATA_HOME="$home/.local/share" XDG_CACHE_HOME="$home/.cache" GDK_SCALE="$scale" \
      GSETTINGS_BACKEND=memory NO_AT_BRIDGE=1
  fi
  [ -n "$floor" ] && measure floor "$work" "$floor" QT_SCALE_FACTOR="$scale"
done


echo "screen $VELMORA_XVFB_SCREEN, scale $scale"
summary "game: exec to first visible window" ms 1 "${velmora_ms[@]}"
summary "game: resident memory 4 s after exec" MB 1024 "${velmora_rss[@]}"
if [ -n "$sudoku" ]; then
  summary "GNOME Sudoku: exec to first visible window" ms 1 "${sudoku_ms[@]}"
  summary "GNOME Sudoku: resident memory 4 s after exec" MB 1024 "${sudoku_rss[@]}"
fi
if [ -n "$floor" ]; then
  summary "bare Qt floor: exec to first visible window" ms 1 "${floor_ms[@]}"
  summary "bare Qt floor: resident memory 4 s after exec" MB 1024 "${floor_rss[@]}"
fi
