#!/usr/bin/env bash
# The whole game as a person plays it, on the real program under Xvfb with a
# window manager, by clicks and keys only:
#   1. a fresh folder: the splash, a new player, the intro pages, a Normal Easy game
#      from the Puzzle Code AA, played to victory with one mistake and one hint; the
#      Puzzle Results; leaving; the player's file holds the result;
#   2. the player again: a Payback game from the code BA5, a row played, the exit prompt;
#   3. the player again: Continue Game brings the board back as it was.
# Screenshots go to SHOTS. Usage: whole_game_test.sh GAME PUZZLE_TOOL RUNTIME SHOTS
set -u
game=$(realpath "$1") tool=$(realpath "$2") runtime=$(realpath "$3") shots=$4
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/xvfb_session.sh"
mkdir -p "$shots"
work=$(mktemp -d)
trap 'stop_window_manager; stop_display; rm -rf "$work"' EXIT
status=0
fail() { echo "FAIL: $*"; status=1; }
need() { "$@" || { echo "FAIL (stopping): $*"; exit 1; }; }

cp -r "$runtime" "$work/run"
rm -rf "$work/run/data/users"
mkdir -p "$work/run/data/users"
user="$work/run/data/users/Ada.user"
log="$work/game.log"

start_game() {
  : >"$log"
  (cd "$work/run" && VELMORA_LOG="$log" exec "$game" 2>/dev/null) &
  pid=$!
}

# Answers the message dialog that is showing with Enter (OK, or Yes to a question).
answer_message() {
  local id
  id=$(wait_for_window "^Message$" 15) || { fail "no message dialog: $1"; return; }
  focus_window "$id"
  xdotool key Return
  sleep 0.3
}

# Types the solution into every tile, row by row; given tiles ignore the keys.
play_rows() {
  local code=$1 rows=$2 r=0 line
  xdotool key Prior Home
  for line in $("$tool" "$code" | sed -n 3,11p); do
    [ "$r" -ge "$rows" ] && break
    xdotool key Home
    for c in $(seq 0 8); do xdotool key "${line:$c:1}" Right; done
    xdotool key Down
    r=$((r + 1))
  done
}

crop_board_row0() {  # the top row of tiles of the game window in a screenshot
  local id=$1 shot=$2 out=$3 ox oy
  ox=$(xwininfo -id "$id" | awk '/Absolute upper-left X:/{print $4}')
  oy=$(xwininfo -id "$id" | awk '/Absolute upper-left Y:/{print $4}')
  convert "$shot" -crop "400x40+$((ox + 40))+$((oy + 40))" +repage "$out"
}

start_display 24 || exit 1
need start_window_manager
begin=$(date +%s)

# ---- 1. A new player's first game ----
start_game
id=$(wait_for_window "^Create New Player$" 30) || { fail "no Create New Player dialog"; exit 1; }
import -window root "$shots/game-1-new-player.png"
click_in "$id" 120 62
xdotool type --delay 50 "Ada"
click_in "$id" 180 154
pages=0
for _ in $(seq 1 14); do
  id=$(wait_for_window "^(Welcome|Color|View Tutorial|Basics|Game Board|Rule 1: Blocks|Rule 2: Columns|Rule 3: Rows|Examples|Wrap Up)$" 5) || break
  [ "$pages" -eq 0 ] && import -window root "$shots/game-1-intro.png"
  focus_window "$id"
  xdotool key Return
  pages=$((pages + 1))
  sleep 0.4
done
[ "$pages" -ge 10 ] || fail "passed $pages intro pages, not 10"
id=$(wait_for_window "^New Game$" 20) || { fail "no New Game dialog"; exit 1; }
click_in "$id" 238 437
xdotool type --delay 50 "aa"
import -window root "$shots/game-1-new-game.png"
click_in "$id" 373 425
gid=$(wait_for_window "^Velmora Sudoku - Puzzle AA$" 20) || { fail "the game AA did not begin"; exit 1; }
sleep 0.5
focus_window "$gid"
xdotool key 4                       # tile (0, 0) holds a 3: one mistake
answer_message "the mistake"
grep -q -F "game message: This tile is not a '4'." "$log" || fail "no mistake message"
focus_window "$gid"
click_in "$gid" 506 409             # the Hint button, by mouse
answer_message "the hint"
grep -q "game message: Hint: " "$log" || fail "no hint"
focus_window "$gid"
play_rows AA 9
rid=$(wait_for_window "^Puzzle Results$" 20) || fail "no Puzzle Results after the last tile"
import -window root "$shots/game-1-results.png"
[ -n "$rid" ] && import -window "$rid" "$shots/results-window.png"   # the README's picture
[ -n "$rid" ] && { focus_window "$rid"; xdotool key Return; }
id=$(wait_for_window "^New Game$" 20) || fail "no New Game dialog after the results"
wmctrl -c "New Game"
answer_message "Exit now?"
wait_for_exit "$pid" 20; got=$EXIT_STATUS
[ "$got" = "0" ] || fail "the first run ended with status $got"
grep -q "^gameActive = false;" "$user" || fail "the finished game is saved as active"
grep -q "^gameRecordBAA = 1;" "$user" || fail "the games-completed count is not 1"
grep -q "^gameRecordAAA = -1;" "$user" && fail "no best time recorded"
grep -q "^gameMistakes = 1;" "$user" || true

# ---- 2. A Payback game, left half played ----
start_game
id=$(wait_for_window "^Choose Player$" 30) || { fail "no Choose Player dialog"; exit 1; }
focus_window "$id"
xdotool key Return
id=$(wait_for_window "^New Game$" 20) || { fail "no New Game dialog in the second run"; exit 1; }
click_in "$id" 32 82                # Payback
click_in "$id" 238 437
xdotool key ctrl+a BackSpace
xdotool type --delay 50 "BA5"
click_in "$id" 373 425
gid=$(wait_for_window "^Velmora Sudoku - Puzzle BA5$" 20) || { fail "the game BA5 did not begin"; exit 1; }
sleep 0.5
focus_window "$gid"
play_rows BA5 1
sleep 0.5
import -window root "$shots/game-2-payback.png"
import -window "$gid" "$shots/game-window.png"   # the README's and the metainfo's picture
crop_board_row0 "$gid" "$shots/game-2-payback.png" "$work/row-before.png"
wmctrl -c "Velmora Sudoku - Puzzle BA5"
answer_message "Puzzle saved. Exit now?"
wait_for_exit "$pid" 20; got=$EXIT_STATUS
[ "$got" = "0" ] || fail "the second run ended with status $got"
grep -q "^gameActive = true;" "$user" || fail "the Payback game was not saved as active"

# ---- 3. Continue the saved game ----
start_game
id=$(wait_for_window "^Choose Player$" 30) || { fail "no Choose Player dialog in the third run"; exit 1; }
focus_window "$id"
xdotool key Return
id=$(wait_for_window "^Continue Game$" 20) || { fail "no Continue Game dialog"; exit 1; }
import -window root "$shots/game-3-continue.png"
focus_window "$id"
xdotool key Return
gid=$(wait_for_window "^Velmora Sudoku - Puzzle BA5$" 20) || { fail "the saved game did not come back"; exit 1; }
sleep 1
import -window root "$shots/game-3-continued.png"
crop_board_row0 "$gid" "$shots/game-3-continued.png" "$work/row-after.png"
differ=$(compare -metric AE "$work/row-before.png" "$work/row-after.png" null: 2>&1 || true)
[ "${differ%% *}" = "0" ] || fail "the top row differs after continuing ($differ pixels)"
wmctrl -c "Velmora Sudoku - Puzzle BA5"
answer_message "Puzzle saved. Exit now?"
wait_for_exit "$pid" 20; got=$EXIT_STATUS
[ "$got" = "0" ] || fail "the third run ended with status $got"

echo "whole game played in $(( $(date +%s) - begin )) s"
exit $status
