#!/usr/bin/env bash
# Screens too small for the larger window sizes, under openbox:
#   - on 1280 x 800 a kept 200 % starts at 100 % (640 x 480), the settings file
#     keeping 200 %; View > Window Size's 150 % and 200 % choose nothing;
#   - the Tips window stays on the screen beside the game window: at its right
#     with the game window moved to (100, 100), at its left again at the right edge;
#   - on 1600 x 1200 the kept 200 % starts at 150 % (960 x 720), the largest that fits.
# Usage: small_screen_test.sh GAME RUNTIME SHOTS
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
mkdir -p "$(dirname "$conf")" && printf '[window]\nsize=200\n' >"$conf"
client_size() { xwininfo -id "$1" | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w "x" h}'; }

VELMORA_XVFB_SCREEN=1280x800 start_display 24 || exit 1
need start_window_manager
new_player_game Ada aa
[ "$(client_size "$gid")" = 640x480 ] || fail "on 1280 x 800 a kept 200 % shows $(client_size "$gid")"
menu_keys v w -- 5 2 Escape Escape Escape   # View > Window Size > 150 %, 200 %
[ "$(cat "$conf")" = $'[window]\nsize=200' ] || fail "the settings file became: $(cat "$conf")"
tips=$(wait_for_window_while "$pid" "^Tips$" 10) || fail "no Tips window"
tips_beside() {  # left|right
  local tx ty tw th gx gy gw gh want
  settle "$gid" && settle "$tips"
  read -r tx ty tw th < <(frame_of "$tips")
  read -r gx gy gw gh < <(frame_of "$gid")
  want=$((gx - tw)) && [ "$1" = right ] && want=$((gx + gw))
  [ "$tx" = "$want" ] && [ "$tx" -ge 0 ] && [ $((tx + tw)) -le 1280 ] && [ "$ty" = "$gy" ] ||
    fail "the Tips window ($tx,$ty ${tw}x$th) is not on the screen at the $1 of the game window ($gx,$gy ${gw}x$gh)"
}
xdotool windowmove --sync "$gid" 100 100
tips_beside right
xdotool windowmove --sync "$gid" $((1280 - 642)) 100
tips_beside left
stop_process "$pid"
stop_window_manager && stop_display

VELMORA_XVFB_SCREEN=1600x1200 start_display 24 || exit 1
need start_window_manager
(cd "$work/run" && exec "$game" 2>/dev/null) &
pid=$!
wait_for_window_while "$pid" "^Choose Player$" 30 >/dev/null || fail "no Choose Player dialog on 1600 x 1200"
gid=$(window_named "^Velmora Sudoku")
[ "$(client_size "$gid")" = 960x720 ] || fail "on 1600 x 1200 a kept 200 % shows $(client_size "$gid")"
stop_process "$pid"
exit $status
