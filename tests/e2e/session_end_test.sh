#!/usr/bin/env bash
# The end of a session as the desktop brings it, on the real program under Xvfb
# with a window manager: a player continues a saved game and the program is sent
# SIGTERM (a logout or a shutdown), then SIGHUP while the Options dialog is open,
# and last the display itself goes away, as the X server does at a logout. Each
# time the game ends within seconds and the player's file holds the time played
# since. Usage: session_end_test.sh GAME RUNTIME
set -u
game=$(realpath "$1") runtime=$(realpath "$2") source_dir="$(cd "$(dirname "$0")/../.." && pwd)"
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/xvfb_session.sh"
work=$(mktemp -d)
trap 'kill -9 ${pid:-} 2>/dev/null; stop_window_manager; stop_display; rm -rf "$work"' EXIT

fresh_runtime
user="$work/run/data/users/Ada.user"
cp "$source_dir/fuzz/corpus/active_game.user" "$user"
game_time() { sed -n 's/^gameTime = \([0-9]*\);.*/\1/p' "$user"; }

start_display 24 || exit 1
start_window_manager || { echo "FAIL: no window manager"; exit 1; }

# continue_then SIGNAL STATUS [KEY WINDOW]: continues the saved game, plays on for
# two seconds (with KEY pressed and WINDOW open when given), sends SIGNAL and
# expects the game to end with STATUS and to have saved the time played.
continue_then() {
  local signal=$1 expected=$2 key=${3:-} window=${4:-} before gid
  before=$(game_time)
  (cd "$work/run" && exec "$game" 2>/dev/null) &
  pid=$!
  answer "^Choose Player$" || return
  answer "^Continue Game$" || return
  gid=$(wait_for_window "^Velmora Sudoku - Puzzle BC1234$" 20) || { fail "the saved game did not come back"; return; }
  if [ -n "$key" ]; then
    focus_window "$gid"
    xdotool key "$key"
    wait_for_window "$window" 20 >/dev/null || fail "no $window window"
  fi
  sleep 2
  if [ "$signal" = DISPLAY ]; then
    stop_window_manager
    kill -9 "$XVFB_PID"  # the X server ends: Qt ends the program with status 1
  else
    kill -s "$signal" "$pid"
  fi
  wait_for_exit "$pid" 10
  pid=""
  [ "$EXIT_STATUS" = "$expected" ] || fail "after $signal the game ended with status $EXIT_STATUS, not $expected"
  grep -q "^gameActive = true;" "$user" || fail "after $signal the game is no longer saved as active"
  [ "$(game_time)" -ge $((before + 2000)) ] ||
    fail "after $signal the saved time is $(game_time) ms, not at least 2000 ms more than $before"
}

continue_then TERM 143
continue_then HUP 129 F11 "^Options$"
continue_then DISPLAY 1
exit $status
