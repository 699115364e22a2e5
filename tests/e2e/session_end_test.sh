#!/usr/bin/env bash
# The end of a session as the desktop brings it, on the real program under Xvfb
# with a window manager: a player continues a saved game and the program is sent
# SIGTERM (a logout or a shutdown), then SIGHUP while the Options dialog is open,
# and last the display itself goes away, as the X server does at a logout. Each
# time the game ends within seconds and the player's file holds the time played
# since; a save too long for a user file is only logged, with nothing left behind.
# Usage: session_end_test.sh GAME RUNTIME
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

# pad_play_keys FILE BYTES: the saved game with time 0 and play keys added (the last ones'
# values lengthened to fit) until it is BYTES long: any time played makes its text longer.
pad_play_keys() {
  awk -v target="$2" '
    $1 == "gameTime" { $0 = "gameTime = 0;" }
    { line[NR] = $0; if ($1 == "gamePlayKeyCount") { m = $3 + 0; at = NR } else size += length($0) + 1 }
    END {
      for (n = m; target - size - length("gamePlayKeyCount = " n ";\n") >= 19; n++) {
        key[n] = sprintf("playKey%04d = 2;", n); size += length(key[n]) + 1
      }
      r = target - size - length("gamePlayKeyCount = " n ";\n")  # 0..18
      for (k = n - 1; r > 0; k--) { d = r > 9 ? 9 : r; sub(/;$/, sprintf("%0" d "d;", 0), key[k]); r -= d }
      for (i = 1; i <= NR; i++) print (i == at ? "gamePlayKeyCount = " n ";" : line[i])
      for (k = m; k < n; k++) print key[k]
    }' "$1" >"$1.padded" && mv "$1.padded" "$1"
}

continue_then TERM 143
continue_then HUP 129 F11 "^Options$"

# The file as the game last saved it (so a save changes nothing but the time),
# one byte under the largest user file.
cp "$user" "$work/saved.user"
pad_play_keys "$user" 1048575
cp "$user" "$work/padded.user"
(cd "$work/run" && VELMORA_LOG="$work/refused.log" exec "$game" 2>/dev/null) &
pid=$!
answer "^Choose Player$"
answer "^Continue Game$"
need wait_for_window "^Velmora Sudoku - Puzzle BC1234$" 20 >/dev/null
kill -TERM "$pid"
kill -TERM "$pid"
poll_while "$pid" 20 window_named "^ERROR$" >/dev/null && fail "a message waits on a person at the end of the session"
wait_for_exit "$pid" 20
pid=""
[ "$EXIT_STATUS" = 143 ] || fail "the refused save's game ended with status $EXIT_STATUS, not 143"
[ "$(ls -A "$work/run/data/users")" = Ada.user ] || fail "the refused save left files: $(ls -A "$work/run/data/users")"
cmp -s "$work/padded.user" "$user" || fail "the refused save changed the player's file"
grep -q "OUTPUT STREAM LARGER THAN MAXIMUM DATA FILE SIZE!" "$work/refused.log" || fail "the refusal is not logged"
cp "$work/saved.user" "$user"

continue_then DISPLAY 1
exit $status
