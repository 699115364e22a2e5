#!/usr/bin/env bash
# The art folder on a screen scaled to 2 (QT_SCALE_FACTOR=2), on the real program
# under Xvfb with openbox: the large built-in pictures are the build's own PNG
# files drawn larger, so they stand in for the files only while the files are the
# build's. Here the main background and the Welcome page are files of the player's
# own (one flat colour each): the screen must show those colours, each file pixel
# as two by two device pixels, not the built-in large pictures.
# Usage: scaled_art_test.sh GAME RUNTIME_FOLDER SCREENSHOT_FOLDER
set -u
game=$(realpath "$1") runtime=$(realpath "$2") shots=$3
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/xvfb_session.sh"
mkdir -p "$shots"
make_work_folder
export QT_SCALE_FACTOR=2 VELMORA_XVFB_SCREEN=2560x1600

fresh_runtime
# PNG24: RGB, 8 bits a channel, as the game's art files are.
convert -size 640x480 xc:'#c81e28' PNG24:"$work/run/art/background640x480.png"
convert -size 480x360 xc:'#1ec828' PNG24:"$work/run/art/introDialogues/pages/IDPageAWelcome.png"

# The colour at a point of a window's client area (window pixels) in a screenshot, as #rrggbb.
colour_at() {
  local id=$1 shot=$2 x=$3 y=$4 ox oy
  read -r ox oy < <(origin_of "$id")
  convert "$shot" -format '#%[hex:p{'"$((ox + 2 * x)),$((oy + 2 * y))"'}]' info: | cut -c1-7 | tr 'A-F' 'a-f'
}

start_display 24 || exit 1
start_window_manager || { echo "could not start openbox" >&2; exit 1; }
(cd "$work/run" && exec "$game" 2>/dev/null) &
pid=$!
id=$(wait_for_window_while "$pid" "^Create New Player$" 60) || { fail "no Create New Player dialog"; exit 1; }
gid=$(window_named "^Velmora Sudoku$") || { fail "no game window"; exit 1; }
import -window root "$work/main.png"
cp "$work/main.png" "$shots/scaled-art-main.png"
for point in "8 470" "630 470" "460 8"; do
  got=$(colour_at "$gid" "$work/main.png" $point)
  [ "$got" = "#c81e28" ] || fail "the main background at ($point) shows $got, not the art folder's #c81e28"
done

click_in "$id" 120 62
xdotool type --delay 50 "Ada"
click_in "$id" 180 154
if pid_page=$(wait_for_window_while "$pid" "^Welcome$" 30); then
  sleep 0.5
  import -window root "$work/welcome.png"
  cp "$work/welcome.png" "$shots/scaled-art-welcome.png"
  for point in "240 150" "5 5" "470 300"; do
    got=$(colour_at "$pid_page" "$work/welcome.png" $point)
    [ "$got" = "#1ec828" ] || fail "the Welcome page at ($point) shows $got, not the art folder's #1ec828"
  done
else
  fail "no Welcome page"
fi
stop_process "$pid"
exit $status
