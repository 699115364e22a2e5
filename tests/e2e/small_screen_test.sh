#!/usr/bin/env bash
# The game on screens too small for the larger window sizes, under a window
# manager (openbox), measured with xwininfo and xprop:
#   - on 1280 x 800 a kept 200 % does not fit (the game window with the Tips
#     window beside it needs 1880 pixels across, frames aside): the game starts
#     at 100 %, its client area 640 x 480, and the settings file still keeps
#     200 % for a larger screen; View > Window Size offers neither 150 % nor
#     200 % (their keys choose nothing: the file stays as it was);
#   - the Tips window stays on the screen beside the game window: the game
#     window moved to (100, 100), where the Tips window no longer fits at its
#     left, has it at its right; moved to the screen's right edge, at its left;
#   - on 1600 x 1200 the kept 200 % starts at 150 % (960 x 720), the largest
#     size that fits.
# Screenshots go to SHOTS. Usage: small_screen_test.sh GAME RUNTIME SHOTS
set -u
game=$(realpath "$1") runtime=$(realpath "$2") shots=$3
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/xvfb_session.sh"
mkdir -p "$shots"
make_work_folder

export XDG_CONFIG_HOME="$work/config"
conf="$XDG_CONFIG_HOME/velmora-sudoku/velmora-sudoku.conf"
unset QT_SCALE_FACTOR
fresh_runtime
mkdir -p "$(dirname "$conf")"
printf '[window]\nsize=200\n' >"$conf"

client_size() { xwininfo -id "$1" | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w "x" h}'; }
game_window() { xdotool search --onlyvisible --name "^Velmora Sudoku" 2>/dev/null | head -1 | grep .; }
windows_of_game() { xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l; }
windows_are() { [ "$(windows_of_game)" = "$1" ]; }

# ---- 1280 x 800 ----
export VELMORA_XVFB_SCREEN=1280x800
start_display 24 || exit 1
need start_window_manager
new_player_game Ada aa
[ "$(client_size "$gid")" = 640x480 ] || fail "on 1280 x 800 a kept 200 % shows a game window of $(client_size "$gid")"
[ "$(cat "$conf")" = $'[window]\nsize=200' ] || fail "the settings file changed: $(cat "$conf")"

# View > Window Size, each menu once open; 5 and 2 would choose 150 and 200 %,
# and three Escapes close the menus (every key is taken in order).
focus_window "$gid"
before=$(windows_of_game)
read -r ox oy < <(origin_of "$gid")
xdotool mousemove --sync $((ox + 600)) $((oy + 300)) click 3
poll 20 windows_are $((before + 1)) || fail "no window menu"
xdotool key v
poll 20 windows_are $((before + 2)) || fail "no View menu"
xdotool key w
poll 20 windows_are $((before + 3)) || fail "no Window Size menu"
import -window root "$shots/small-1-sizes.png"
xdotool key 5 2 Escape Escape Escape
poll 20 windows_are "$before" || fail "the menus stayed open"
[ "$(cat "$conf")" = $'[window]\nsize=200' ] || fail "a size too large was chosen: $(cat "$conf")"
window_named "^Message$" >/dev/null && fail "a size too large offered to start again"

# The Tips window beside the game window, on the screen.
tips=$(wait_for_window_while "$pid" "^Tips$" 10) || fail "no Tips window"
tips_beside() {  # left|right
  local tx ty tw th gx gy gw gh
  settle "$gid"
  settle "$tips"
  read -r tx ty tw th < <(frame_of "$tips")
  read -r gx gy gw gh < <(frame_of "$gid")
  echo "game window $gx,$gy ${gw}x$gh, Tips window $tx,$ty ${tw}x$th"
  [ "$tx" -ge 0 ] && [ "$ty" -ge 0 ] && [ $((tx + tw)) -le 1280 ] && [ $((ty + th)) -le 800 ] ||
    fail "the Tips window ($tx,$ty ${tw}x$th) is off the screen"
  if [ "$1" = left ]; then
    [ $((tx + tw)) = "$gx" ] || fail "the Tips window ($tx,$ty ${tw}x$th) is not at the left of the game window ($gx,$gy)"
  else
    [ "$tx" = $((gx + gw)) ] || fail "the Tips window ($tx,$ty ${tw}x$th) is not at the right of the game window ($gx,$gy ${gw}x$gh)"
  fi
}
if [ -n "$tips" ]; then
  tips_beside left
  xdotool windowmove --sync "$gid" 100 100
  tips_beside right
  import -window root "$shots/small-2-tips-right.png"
  read -r _ gy gw _ < <(frame_of "$gid")
  xdotool windowmove --sync "$gid" $((1280 - gw)) "$gy"
  tips_beside left
  import -window root "$shots/small-3-tips-left.png"
fi
stop_process "$pid"
stop_window_manager
stop_display

# ---- 1600 x 1200: the largest size that fits ----
export VELMORA_XVFB_SCREEN=1600x1200
start_display 24 || exit 1
need start_window_manager
(cd "$work/run" && exec "$game" 2>/dev/null) &
pid=$!
wait_for_window_while "$pid" "^Choose Player$" 30 >/dev/null || { fail "no Choose Player dialog on 1600 x 1200"; exit 1; }
gid=$(game_window)
[ "$(client_size "$gid")" = 960x720 ] || fail "on 1600 x 1200 a kept 200 % shows a game window of $(client_size "$gid")"
import -window root "$shots/small-4-150.png"
stop_process "$pid"
exit $status
