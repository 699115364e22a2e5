#!/usr/bin/env bash
# The whole game as a person plays it, on the real program under Xvfb with a
# window manager, by clicks and keys only:
#   1. a fresh folder: the splash, Create New Player cancelled once, then a new
#      player, all the intro pages from the Welcome page with a colour picked on the
#      colour page, a Normal Easy game from the Puzzle Code AA, played to victory
#      with one mistake and one hint; Help with no program for web pages says so;
#      keys act by their place (Shift+Tab as Tab, the first row typed with Shift
#      held) and the Menu key opens no Tile menu; the Puzzle Results; leaving; the
#      player's file holds the result and the colour;
#   2. the player again: a Payback game from the code BA5, a row played, the exit prompt;
#   3. the player again: Continue Game brings the board back as it was.
# Screenshots go to SHOTS. Usage: whole_game_test.sh GAME PUZZLE_TOOL RUNTIME SHOTS
set -u
game=$(realpath "$1") tool=$(realpath "$2") runtime=$(realpath "$3") shots=$4
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/xvfb_session.sh"
mkdir -p "$shots"
make_work_folder

fresh_runtime
user="$work/run/data/users/Ada.user"
log="$work/game.log"

# No program is registered for web pages: the desktop's opener finds none.
mkdir -p "$work/no-programs"
start_game() {
  : >"$log"
  (cd "$work/run" && XDG_DATA_HOME="$work/no-programs" XDG_DATA_DIRS="$work/no-programs" \
     XDG_CONFIG_HOME="$work/no-programs" XDG_CONFIG_DIRS="$work/no-programs" BROWSER=false \
     VELMORA_LOG="$log" exec "$game" 2>/dev/null) &
  pid=$!
}

# Answers the dialog titled TITLE with Enter (OK, or Yes to a question).
answer_message() { answer "^Message$" "$1"; }

# Closes the window titled TITLE, says Yes to "Exit now?" and expects status 0.
leave() {
  wmctrl -c "$1"
  answer_message "Exit now?"
  wait_for_exit "$pid" 20
  [ "$EXIT_STATUS" = "0" ] || fail "the $2 run ended with status $EXIT_STATUS"
}

# Types the solution into every tile, row by row; given tiles ignore the keys.
# With a third argument (shift), the first row is typed with Shift held.
play_rows() {
  local code=$1 rows=$2 first=${3:+$3+} r=0 line held
  xdotool key Prior Home
  for line in $("$tool" "$code" | sed -n 3,11p); do
    [ "$r" -ge "$rows" ] && break
    held=""
    [ "$r" -eq 0 ] && held=$first
    xdotool key Home
    for c in $(seq 0 8); do xdotool key "$held${line:$c:1}" Right; done
    xdotool key Down
    r=$((r + 1))
  done
}

crop_board_row0() {  # the top row of tiles of the game window in a screenshot
  local id=$1 shot=$2 out=$3 ox oy
  read -r ox oy < <(origin_of "$id")
  local s=${QT_SCALE_FACTOR:-1}  # a scaled program has more screen pixels per window pixel
  convert "$shot" -crop "$(awk -v s="$s" -v x="$ox" -v y="$oy" \
    'BEGIN { printf "%dx%d+%d+%d", 400 * s, 40 * s, x + 40 * s, y + 40 * s }')" +repage "$out"
}

start_display 24 || exit 1
need start_window_manager
begin=$(date +%s)

# ---- 1. A new player's first game ----
start_game
id=$(wait_for_window "^Create New Player$" 30) || { fail "no Create New Player dialog"; exit 1; }
click_in "$id" 119 154              # Cancel, once: the new player's path must not change
answer_message "Please enter a name for your player."
id=$(wait_for_window "^Create New Player$" 15) || { fail "no Create New Player dialog after the cancel"; exit 1; }
import -window root "$shots/game-1-new-player.png"
click_in "$id" 120 62
xdotool type --delay 50 "Ada"
click_in "$id" 180 154
pages=0 first_page=""
for _ in $(seq 1 14); do
  id=$(wait_for_window "^(Welcome|Color|View Tutorial|Basics|Game Board|Rule 1: Blocks|Rule 2: Columns|Rule 3: Rows|Examples|Wrap Up)$" 5) || break
  page=$(xdotool getwindowname "$id")
  [ "$pages" -eq 0 ] && { first_page=$page; import -window root "$shots/game-1-intro.png"; }
  # The spectrum spans x 120..470 for hues 0..360: x 295 picks hue 180.
  [ "$page" = "Color" ] && { click_in "$id" 295 200; sleep 0.3; }
  focus_window "$id"
  xdotool key Return
  pages=$((pages + 1))
  sleep 0.4
done
[ "$first_page" = "Welcome" ] || fail "the intro began with \"$first_page\", not the Welcome page"
[ "$pages" -ge 10 ] || fail "passed $pages intro pages, not 10"
id=$(wait_for_window "^New Game$" 20) || { fail "no New Game dialog"; exit 1; }
click_in "$id" 238 437
xdotool type --delay 50 "aa"
import -window root "$shots/game-1-new-game.png"
import -window "$id" "$shots/new-game-window.png"
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
xdotool key F1                      # Help, with no program for web pages
answer_id=$(wait_for_window "^Message$" 15) && import -window root "$shots/game-1-help-failed.png"
grep -q -F "game message: The help page could not be opened:" "$log" || fail "no message when Help fails"
grep -q -F "$work/run/help.html" "$log" || fail "the Help message does not name $work/run/help.html"
answer_message "Help failed"
focus_window "$gid"
# Keys by their place, not their character: Shift+Tab cycles the Active Number as Tab
# does (code 9). The Menu key, with the keyboard on the hidden Cursor Tile (0, 0),
# neither plays it nor opens its Note menu (it opens the window menu, which
# Escape closes).
xdotool key shift+Tab
wait_for_text "$log" "keyboard input received: code 9"$'\r' 5 || fail "Shift+Tab does not act as Tab"
xdotool key Home
xdotool key Menu
if tid=$(wait_for_window "^Tile$" 2); then
  fail "the Menu key opened the Tile menu"
  focus_window "$tid"; xdotool key Escape
fi
xdotool key Escape
focus_window "$gid"
play_rows AA 9 shift
rid=$(wait_for_window "^Puzzle Results$" 20) || fail "no Puzzle Results after the last tile"
# The win is saved before its results show: a logout or a kill now loses nothing.
grep -q "^gameRecordBAA = 1;" "$user" || fail "the win is not saved while its results show"
import -window root "$shots/game-1-results.png"
[ -n "$rid" ] && import -window "$rid" "$shots/results-window.png"   # the README's picture
[ -n "$rid" ] && { focus_window "$rid"; xdotool key Return; }
wait_for_window "^New Game$" 20 >/dev/null || fail "no New Game dialog after the results"
leave "New Game" first
grep -q "^gameActive = false;" "$user" || fail "the finished game is saved as active"
grep -q "^gameRecordBAA = 1;" "$user" || fail "the games-completed count is not 1"
grep -q "^gameRecordAAA = -1;" "$user" && fail "no best time recorded"
grep -q "^settingsHue = 180;" "$user" || fail "the colour picked on the intro page was not kept ($(grep settingsHue "$user"))"

# ---- 2. A Payback game, left half played ----
start_game
answer "^Choose Player$" "the second run"
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
leave "Velmora Sudoku - Puzzle BA5" second
grep -q -F "game message: Puzzle saved. Exit now?" "$log" || fail "closing a game in play did not say it was saved"
grep -q "^gameActive = true;" "$user" || fail "the Payback game was not saved as active"

# ---- 3. Continue the saved game ----
start_game
answer "^Choose Player$" "the third run"
wait_for_window "^Continue Game$" 20 >/dev/null || { fail "no Continue Game dialog"; exit 1; }
import -window root "$shots/game-3-continue.png"
answer "^Continue Game$" "continuing"
gid=$(wait_for_window "^Velmora Sudoku - Puzzle BA5$" 20) || { fail "the saved game did not come back"; exit 1; }
sleep 1
import -window root "$shots/game-3-continued.png"
crop_board_row0 "$gid" "$shots/game-3-continued.png" "$work/row-after.png"
differ=$(compare -metric AE "$work/row-before.png" "$work/row-after.png" null: 2>&1 || true)
[ "${differ%% *}" = "0" ] || fail "the top row differs after continuing ($differ pixels)"
leave "Velmora Sudoku - Puzzle BA5" third

echo "whole game played in $(( $(date +%s) - begin )) s"
exit $status
