#!/usr/bin/env bash
# Two copies of the real program on one working folder, under Xvfb with a window
# manager: the second says the game is already running and ends with status 240
# without creating, changing or removing any file; once the first copy is killed,
# the next copy starts as usual.
# Screenshots go to SHOTS. Usage: second_copy_test.sh GAME RUNTIME SHOTS
set -u
game=$(realpath "$1") runtime=$(realpath "$2") shots=$3 source_dir="$(cd "$(dirname "$0")/../.." && pwd)"
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/xvfb_session.sh"
mkdir -p "$shots"
work=$(mktemp -d)
trap 'kill -9 ${first:-} ${second:-} ${third:-} 2>/dev/null; stop_window_manager; stop_display; rm -rf "$work"' EXIT

fresh_runtime
cp "$source_dir/fuzz/corpus/new_player.user" "$work/run/data/users/Ada.user"

# Every file and folder below the working folder: name, size, modification time,
# inode, and the contents' checksum for files.
snapshot() {
  (cd "$work/run" && find . -printf '%p %s %T@ %i\n' | sort && find . -type f -print0 | sort -z |
    xargs -0 md5sum)
}

start_copy() {  # start_copy LOG: a copy of the game in the working folder; sets pid
  (cd "$work/run" && VELMORA_LOG="$1" exec "$game" 2>/dev/null) &
  pid=$!
}

start_display 24 || exit 1
start_window_manager || { echo "FAIL: no window manager"; exit 1; }

# ---- The first copy waits in Choose Player ----
start_copy "$work/first.log"; first=$pid
wait_for_window "^Choose Player$" 30 >/dev/null || { fail "the first copy shows no Choose Player"; exit 1; }
snapshot >"$work/before.txt"

# ---- The second copy: the message, then status 240, and nothing touched ----
start_copy "$work/second.log"; second=$pid
if ! box=$(wait_for_window_of "$second" 20); then
  fail "the second copy showed no window"
else
  sleep 0.3
  import -window root "$shots/second-copy.png"
  [ "$(xdotool getwindowname "$box")" = "Velmora Sudoku" ] || fail "the second copy's box is titled $(xdotool getwindowname "$box")"
  enter_until_exit "$box" "$second"
fi
wait_for_exit "$second" 10
[ "$EXIT_STATUS" = "240" ] || fail "the second copy ended with status $EXIT_STATUS, not 240"
snapshot >"$work/after.txt"
diff "$work/before.txt" "$work/after.txt" >/dev/null || { fail "the second copy touched the working folder:"; diff "$work/before.txt" "$work/after.txt"; }
[ -e "$work/second.log" ] && fail "the second copy opened its log"
kill -0 "$first" 2>/dev/null || fail "the first copy did not survive the second"
xdotool search --onlyvisible --name "^Choose Player$" >/dev/null 2>&1 || fail "the first copy's Choose Player is gone"

# ---- The first copy is killed: the next copy takes the folder over ----
kill -9 "$first"
wait "$first" 2>/dev/null
first=""
start_copy "$work/third.log"; third=$pid
id=$(wait_for_window "^Choose Player$" 30) || fail "a copy started after the holder was killed shows no Choose Player"
if [ -n "${id:-}" ]; then
  wmctrl -c "Choose Player"
  mid=$(wait_for_window "^Message$" 15) && { focus_window "$mid"; xdotool key Return; }  # Yes to "Exit now?"
fi
wait_for_exit "$third" 20
third=""
[ "$EXIT_STATUS" = "0" ] || fail "the copy after the kill ended with status $EXIT_STATUS"

# ---- A named pipe in the lock file's place: no guard, and the player is told ----
# The pipe is neither waited on nor taken for a running copy: a message says that
# a second copy would go unnoticed, and the game goes on to its first dialog.
rm -f "$work/run/velmora-sudoku.lock"
mkfifo "$work/run/velmora-sudoku.lock"
start_copy "$work/fourth.log"; third=$pid
if box=$(wait_for_window_of "$third" 10); then
  [ "$(xdotool getwindowname "$box")" = "Velmora Sudoku" ] || fail "the unguarded copy's box is titled $(xdotool getwindowname "$box")"
  poll 3 has_focus "$box" && xdotool key Return
  wait_for_window "^Choose Player$" 30 >/dev/null || fail "after the unguarded message the game did not go on"
  grep -q -F "cannot lock the working folder" "$work/fourth.log" || fail "the log does not say that the folder is unguarded"
else
  fail "with a pipe for a lock file the game showed nothing within 10 s"
fi
[ -p "$work/run/velmora-sudoku.lock" ] || fail "the pipe in the lock file's place was replaced"
exit $status
