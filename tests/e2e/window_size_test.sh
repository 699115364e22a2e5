#!/usr/bin/env bash
# The window size a player chooses in the window menu (View > Window Size), on a
# large screen under a window manager (openbox), measured with xwininfo:
#   - without a settings file the game window is 640 x 480 and none is made;
#   - 150 % chosen in a game in play is kept in
#     $XDG_CONFIG_HOME/velmora-sudoku/velmora-sudoku.conf as `size=150` under
#     `[window]`; the offer to start again is a message of the smallest size
#     (400 x 150); answering Yes to it saves the game and
#     starts the program again (the same process, its lock let go first): the
#     game window's client area is then 960 x 720, Choose Player and Continue
#     Game stand centred on it, and the game goes on where it was left: the
#     Payback game's countdown goes on with the time it had left rather than a
#     fresh 4-minute round (its length, saved on leaving, is then under 240000 ms);
#   - at 200 % (the file written by hand) it is 1280 x 960, Choose Player stands
#     centred on it and the Tips window beside it (within the rounding of the
#     scaled window's whole pixels).
# Screenshots go to SHOTS. Usage: window_size_test.sh GAME RUNTIME SHOTS
set -u
game=$(realpath "$1") runtime=$(realpath "$2") shots=$3
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/xvfb_session.sh"
mkdir -p "$shots"
make_work_folder

# Room for a game window of 1280 x 960 with the Tips window beside it.
export VELMORA_XVFB_SCREEN=${VELMORA_XVFB_SCREEN:-2048x1536}
export XDG_CONFIG_HOME="$work/config"
conf="$XDG_CONFIG_HOME/velmora-sudoku/velmora-sudoku.conf"
unset QT_SCALE_FACTOR
fresh_runtime

client_size() { xwininfo -id "$1" | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w "x" h}'; }
game_window() { xdotool search --onlyvisible --name "^Velmora Sudoku" 2>/dev/null | head -1 | grep .; }
# Waits for a window of the process and answers it with a key.
press_in() {  # PATTERN KEY WHAT
  local id
  id=$(wait_for_window_while "$pid" "$1" 20) || { fail "no $3"; return 1; }
  settle "$id"
  focus_window "$id"
  xdotool key "$2"
}

start_display 24 || exit 1
start_window_manager || { echo "FAIL: no window manager"; exit 1; }

# ---- 100 %: a new player, a game, and View > Window Size > 150 % ----
(cd "$work/run" && exec "$game" 2>/dev/null) &
pid=$!
id=$(wait_for_window_while "$pid" "^Create New Player$" 30) || { fail "no Create New Player dialog"; exit 1; }
gid=$(game_window)
[ "$(client_size "$gid")" = 640x480 ] || fail "without a settings file the game window is $(client_size "$gid")"
click_in "$id" 120 62
xdotool type --delay 50 "Ada"
click_in "$id" 180 154
press_in "^Welcome$" Escape "Welcome page"
id=$(wait_for_window_while "$pid" "^New Game$" 20) || { fail "no New Game dialog"; exit 1; }
click_in "$id" 238 437
xdotool type --delay 50 "ba"
click_in "$id" 373 425
gid=$(wait_for_window_while "$pid" "^Velmora Sudoku - Puzzle BA$" 20) || { fail "the game BA did not begin"; exit 1; }
sleep 0.5
[ ! -e "$conf" ] || fail "a settings file was made before a size was chosen"

# The window menu opens off the board; its entries are chosen by their keys.
focus_window "$gid"
read -r ox oy < <(origin_of "$gid")
xdotool mousemove --sync $((ox + 600)) $((oy + 300)) click 3
sleep 0.5
xdotool key v
sleep 0.3
xdotool key w
sleep 0.5
import -window root "$shots/size-1-menu.png"
xdotool key 5
id=$(wait_for_window_while "$pid" "^Message$" 10) || fail "no offer to start again"
if [ -n "$id" ]; then
  settle "$id"
  import -window root "$shots/size-2-restart.png"
  check_centred "$gid" "$id" "the offer to start again"
  # Three rows of text: the smallest message box.
  [ "$(client_size "$id")" = 400x150 ] || fail "the offer to start again is $(client_size "$id"), not 400x150"
  focus_window "$id"
  xdotool key Return                                 # Yes
fi
[ "$(cat "$conf" 2>/dev/null)" = $'[window]\nsize=150' ] || fail "the settings file holds: $(cat "$conf" 2>&1)"

# ---- 150 %: the same process, started again ----
id=$(wait_for_window_while "$pid" "^Choose Player$" 30) || { fail "the game did not start again"; exit 1; }
gid=$(game_window)
settle "$gid"
settle "$id"
import -window root "$shots/size-3-150.png"
[ "$(client_size "$gid")" = 960x720 ] || fail "at 150 % the game window is $(client_size "$gid"), not 960x720"
check_centred "$gid" "$id" "Choose Player at 150 %"
grep -q "gameActive = true;" "$work/run/data/users/Ada.user" || fail "the game was not saved before starting again"
focus_window "$id"
xdotool key Return
id=$(wait_for_window_while "$pid" "^Continue Game$" 20) || fail "no Continue Game dialog at 150 %"
if [ -n "$id" ]; then
  settle "$id"
  check_centred "$gid" "$id" "Continue Game at 150 %"
  focus_window "$id"
  xdotool key Return                                 # Yes
fi
gid=$(wait_for_window_while "$pid" "^Velmora Sudoku - Puzzle BA$" 20) || fail "the game BA did not go on at 150 %"
wmctrl -i -c "$gid"
press_in "^Message$" Return "exit question at 150 %"
wait_for_exit "$pid" 20
[ "$EXIT_STATUS" = "0" ] || fail "the game at 150 % ended with status $EXIT_STATUS"
countdown=$(sed -n 's/^gamePaybackTime = \([0-9]*\);.*/\1/p' "$work/run/data/users/Ada.user")
[ -n "$countdown" ] && [ "$countdown" -lt 240000 ] ||
  fail "the countdown started again at full length after starting again (gamePaybackTime = $countdown)"

# ---- 200 % ----
printf '[window]\nsize=200\n' >"$conf"
(cd "$work/run" && exec "$game" 2>/dev/null) &
pid=$!
id=$(wait_for_window_while "$pid" "^Choose Player$" 30) || { fail "no Choose Player dialog at 200 %"; exit 1; }
gid=$(game_window)
settle "$gid"
settle "$id"
[ "$(client_size "$gid")" = 1280x960 ] || fail "at 200 % the game window is $(client_size "$gid"), not 1280x960"
check_centred "$gid" "$id" "Choose Player at 200 %"
focus_window "$id"
xdotool key Return
press_in "^Continue Game$" Return "Continue Game dialog at 200 %"
gid=$(wait_for_window_while "$pid" "^Velmora Sudoku - Puzzle BA$" 20) || fail "the game BA did not go on at 200 %"
focus_window "$gid"
xdotool key F12                                      # the Tips window, with the guide
tips=$(wait_for_window_while "$pid" "^Tips$" 10) || fail "no Tips window at 200 %"
if [ -n "$tips" ]; then
  settle "$tips"
  settle "$gid"
  import -window root "$shots/size-4-200-tips.png"
  read -r tx ty tw th < <(frame_of "$tips")
  read -r gx gy gw gh < <(frame_of "$gid")
  # Windows are placed in the scaled window's whole pixels, two of the screen's
  # each, and the 1-pixel frame borders come out rounded: within 4 screen pixels.
  gap=$((gx - tx - tw))
  echo "at 200 %: the Tips window's frame $tx,$ty ${tw}x$th, the game window's $gx,$gy ${gw}x$gh"
  [ "${gap#-}" -le 4 ] && [ "$ty" = "$gy" ] ||
    fail "at 200 % the Tips window ($tx,$ty ${tw}x$th) does not stand at the left of the game window ($gx,$gy)"
fi
stop_process "$pid"
exit $status
