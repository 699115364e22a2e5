#!/usr/bin/env bash
# Pausing as a person does it, on the real program under Xvfb with a window
# manager: a new player's game from the Puzzle Code AA; P covers the board and
# the tray, and the clock stops (a game saved while paused holds the time
# played up to the pause); a click on the board resumes and shows the board as
# it was, without playing; Ctrl+M fills in candidate notes, Ctrl+Z takes them
# back and Ctrl+Y brings them again, the board each time pixel for pixel as it
# was; the window menu (a right click off the board) offers Undo, Redo, Pause,
# Fill In Candidates, Change Player... and About, and its Pause pauses again.
# Screenshots go to SHOTS. Usage: pause_test.sh GAME RUNTIME SHOTS
set -u
game=$(realpath "$1") runtime=$(realpath "$2") shots=$3
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/xvfb_session.sh"
mkdir -p "$shots"
make_work_folder

fresh_runtime
user="$work/run/data/users/Pia.user"

crop_area() {  # a window area of a screenshot: ID SHOT OUT LEFT TOP WIDTH HEIGHT
  local ox oy
  read -r ox oy < <(origin_of "$1")
  convert "$2" -crop "$6x$7+$((ox + $4))+$((oy + $5))" +repage "$3"
}
board_of() { crop_area "$1" "$2" "$3" 40 40 400 400; }
tray_of() { crop_area "$1" "$2" "$3" 480 40 150 240; }
differing() { compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1; }
colours() { convert "$1" -format %k info:; }

start_display 24 || exit 1
need start_window_manager

new_player_game Pia aa
# The tips window may sit over nothing of the game window; the board is what counts.
focus_window "$gid"
import -window root "$work/playing.png"
board_of "$gid" "$work/playing.png" "$work/board-playing.png"
tray_of "$gid" "$work/playing.png" "$work/tray-playing.png"

# ---- P pauses ----
focus_window "$gid"
xdotool key p
sleep 0.5
import -window root "$shots/pause-paused.png"
paused=$(date +%s%3N)  # paused by now, as the picture shows
board_of "$gid" "$shots/pause-paused.png" "$work/board-paused.png"
tray_of "$gid" "$shots/pause-paused.png" "$work/tray-paused.png"
[ "$(differing "$work/board-playing.png" "$work/board-paused.png")" -gt 50000 ] || fail "P did not cover the board"
[ "$(differing "$work/tray-playing.png" "$work/tray-paused.png")" -gt 10000 ] || fail "P did not cover the tray"
# The cover's lines across the board, away from its word, are each one colour: no digit shows.
convert "$work/board-paused.png" -crop 392x130+4+14 +repage "$work/cover-top.png"
[ "$(convert "$work/cover-top.png" -scale 1x130! -format %k info:)" -le 130 ] || fail "the cover is not plain"
lines=$(for y in $(seq 0 129); do convert "$work/cover-top.png" -crop 392x1+0+$y +repage -format '%k\n' info:; done | sort -u)
[ "$lines" = "1" ] || fail "a line of the cover above its word holds more than one colour"

# Saved while paused: the time played up to the pause, which is less than the
# time from the game's start to the picture of the pause, and not the pause,
# which is made longer than that (however long the machine took).
played=$((paused - begun_by))
while [ $(($(date +%s%3N) - paused)) -le "$played" ]; do sleep 0.5; done
kill -TERM "$pid"
wait "$pid"
saved=$(sed -n 's/^gameTime = \([0-9]*\);$/\1/p' "$user")
[ -n "$saved" ] || fail "no game time saved at SIGTERM"
[ "${saved:-99999}" -le "$played" ] ||
  fail "the game time saved while paused ($saved ms) counts the pause (at most $played ms were played)"

# ---- The player again, continuing: the pause left nothing behind ----
(cd "$work/run" && exec "$game" 2>/dev/null) &
pid=$!
answer "^Choose Player$" "the second run"
answer "^Continue Game$" "continue"
gid=$(wait_for_window "^Velmora Sudoku - Puzzle AA$" 20) || { fail "the game AA did not come back"; exit 1; }
sleep 1
focus_window "$gid"
import -window root "$work/continued.png"
board_of "$gid" "$work/continued.png" "$work/board-continued.png"
[ "$(differing "$work/board-playing.png" "$work/board-continued.png")" = "0" ] || fail "the continued board differs"

# A click on the board while paused resumes and plays nothing.
xdotool key Pause
sleep 0.5
import -window root "$work/paused-again.png"
board_of "$gid" "$work/paused-again.png" "$work/board-paused-again.png"
[ "$(differing "$work/board-playing.png" "$work/board-paused-again.png")" -gt 50000 ] || fail "Pause did not cover the board"
click_in "$gid" 60 60
sleep 0.5
import -window root "$work/resumed.png"
board_of "$gid" "$work/resumed.png" "$work/board-resumed.png"
[ "$(differing "$work/board-playing.png" "$work/board-resumed.png")" = "0" ] || fail "the board after resuming differs"
tray_of "$gid" "$work/resumed.png" "$work/tray-resumed.png"
[ "$(differing "$work/tray-playing.png" "$work/tray-resumed.png")" = "0" ] || fail "the tray after resuming differs"

# ---- Candidates, undone and redone ----
board_now() {  # NAME: the board as it is now, in $work/board-NAME.png
  sleep 0.5
  import -window root "$work/$1.png"
  board_of "$gid" "$work/$1.png" "$work/board-$1.png"
}
focus_window "$gid"
xdotool key ctrl+m
board_now filled
cp "$work/filled.png" "$shots/candidates.png"
[ "$(differing "$work/board-playing.png" "$work/board-filled.png")" -gt 100 ] || fail "Ctrl+M filled in no candidates"
xdotool key ctrl+z
board_now undone
[ "$(differing "$work/board-playing.png" "$work/board-undone.png")" = "0" ] || fail "Ctrl+Z left the board changed"
xdotool key ctrl+y
board_now redone
[ "$(differing "$work/board-filled.png" "$work/board-redone.png")" = "0" ] || fail "Ctrl+Y did not bring the candidates back"
xdotool key ctrl+z
board_now undone-again
[ "$(differing "$work/board-playing.png" "$work/board-undone-again.png")" = "0" ] || fail "Ctrl+Z after Ctrl+Y left the board changed"
xdotool key ctrl+shift+z
board_now redone-again
[ "$(differing "$work/board-filled.png" "$work/board-redone-again.png")" = "0" ] || fail "Ctrl+Shift+Z did not redo"
# Paused with the candidates shown, and resumed: they come back as they were.
xdotool key p
board_now paused-with-notes
[ "$(differing "$work/board-paused.png" "$work/board-paused-with-notes.png")" = "0" ] || fail "the cover shows the notes"
xdotool key p
board_now resumed-with-notes
[ "$(differing "$work/board-filled.png" "$work/board-resumed-with-notes.png")" = "0" ] || fail "the notes changed across a pause"
xdotool key ctrl+z
board_now before-menu
[ "$(differing "$work/board-playing.png" "$work/board-before-menu.png")" = "0" ] || fail "the last Ctrl+Z left the board changed"

# ---- The window menu ----
click_menu() {  # right click off the board
  local ox oy
  read -r ox oy < <(origin_of "$gid")
  xdotool mousemove --sync $((ox + 600)) $((oy + 300)) click 3
}
click_menu
sleep 0.7
import -window root "$shots/pause-menu.png"
xdotool key p                      # Pause, by its mnemonic
sleep 0.5
import -window root "$work/menu-paused.png"
board_of "$gid" "$work/menu-paused.png" "$work/board-menu-paused.png"
[ "$(differing "$work/board-paused.png" "$work/board-menu-paused.png")" = "0" ] || fail "the menu's Pause did not pause"
focus_window "$gid"
xdotool key space
sleep 0.5
import -window root "$work/resumed-2.png"
board_of "$gid" "$work/resumed-2.png" "$work/board-resumed-2.png"
[ "$(differing "$work/board-playing.png" "$work/board-resumed-2.png")" = "0" ] || fail "Space did not only resume"
[ -z "$(wmctrl -l | grep -F ' Play')" ] || fail "Space opened the Play menu"

stop_process "$pid"
echo "saved game time while paused: $saved ms"
exit $status
