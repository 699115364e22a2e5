#!/usr/bin/env bash
# The game as a native Wayland client (QT_QPA_PLATFORM=wayland) under Weston, at
# the output scales 1 and 2, read as the compositor shows it:
#   - the game window's pixels are its art (the board's background at scale 1
#     exactly, not white), and so are the first dialog's (Create New Player);
#   - that dialog is a transient child of the game window (xdg_toplevel.set_parent),
#     so that the compositor keeps it over the game;
#   - the Tile menu opens as a popup over its tile.
# Weston runs on its X11 backend in a private Xvfb: a headless Weston (10) has no
# seat, so nothing could be typed or clicked there. The Xvfb screen is Weston's
# output, pixel for pixel (scale 2: twice the compositor's coordinates); where the
# windows lie is Weston's own scene graph (weston-debug scene-graph, with --debug).
# Usage: wayland_test.sh GAME RUNTIME SHOTS
set -u
game=$(readlink -f "$1") runtime=$2 shots=$3
mkdir -p "$shots"
# shellcheck source=xvfb_session.sh
source "$(dirname "$0")/xvfb_session.sh"
work=$(mktemp -d)
trap 'stop_process "${pid:-}"; stop_process "${WESTON_PID:-}"; stop_display; rm -rf "$work"' EXIT
art=$runtime/art/background640x480.png

# The compositor's scene graph, and the rectangle "x1 y1 x2 y2" (compositor
# coordinates) of the client area of the top-level window titled $1 (its opaque
# area: the window without the decorations Qt draws), or of the first popup.
scene() { weston-debug scene-graph 2>/dev/null; }
client_of() {
  scene | awk -v t="top-level window '$1' of" '
    index($0, t) { on = 1; next }
    on && /\[opaque: / { gsub(/[^0-9 ]/, " "); print $1, $2, $3, $4; exit }
    on && /View [0-9]+ \(/ { exit }'
}
popup() {
  scene | awk '/role xdg_popup/ { on = 1; next } on && /position: / { gsub(/[^0-9 ]/, " "); print $1, $2, $3, $4; exit }'
}
shown() { [ -n "$(client_of "$1")" ]; }
popup_shown() { [ -n "$(popup)" ]; }
popup_gone() { [ -z "$(popup)" ]; }

# A rectangle of the screen (Weston's output) in compositor coordinates, as a PNG
# at the output's own pixels.
shot() {  # X1 Y1 X2 Y2 OUT
  import -window root -crop "$((($3 - $1) * scale))x$((($4 - $2) * scale))+$(($1 * scale))+$(($2 * scale))" \
    +repage "$5" 2>/dev/null
}

# The game window's board and the background around it (its client area's left
# 476 x 480: no control lies there before a game) is the background art, except
# where the first dialog lies over it: at scale 1 the very pixels, at 2 (the
# sharper picture of the same art, drawn at twice the pixels) its reduction
# within a small distance.
board_is_art() {
  local x y dx1 dy1 dx2 dy2 mask
  read -r x y _ _ < <(client_of "Velmora Sudoku")
  read -r dx1 dy1 dx2 dy2 < <(client_of "Create New Player")
  [ -n "$x" ] && [ -n "$dx1" ] || return 1
  # The dialog with its decorations (title bar 30 high, borders 3), in the game's coordinates.
  mask="rectangle $((dx1 - x - 3)),$((dy1 - y - 30)) $((dx2 - x + 3)),$((dy2 - y + 3))"
  shot "$x" "$y" $((x + 476)) $((y + 480)) "$work/board.png"
  convert "$work/board.png" -resize 476x480! -fill black -draw "$mask" "$work/board-1.png"
  convert "$art" -crop 476x480+0+0 +repage -fill black -draw "$mask" "$work/art.png"
  if [ "$scale" = 1 ]; then
    difference=$(compare -metric AE "$work/board-1.png" "$work/art.png" null: 2>&1)
    [ "$difference" = 0 ]
  else
    difference=$(compare -metric RMSE "$work/board-1.png" "$work/art.png" null: 2>&1 | sed 's/.*(//; s/)//')
    awk -v d="$difference" 'BEGIN { exit !(d < 0.05) }'
  fi
}

# A dialog's client area shows the dialogs' dark blue art: dark on the whole, and
# blue above red (white, or the desktop's grey, is neither).
dark_blue() {  # PNG
  convert "$1" -format '%[fx:mean] %[fx:mean.b - mean.r]' info: |
    awk '{ exit !($1 < 0.4 && $2 > 0.1) }'
}

# The toplevel (its Wayland id) that set the title $1, in the client's protocol log.
toplevel_titled() {
  grep -F "xdg_toplevel@" "$work/wayland.log" | grep -F ".set_title(\"$1\")" | tail -1 |
    sed 's/.*xdg_toplevel@\([0-9]*\)\.set_title.*/\1/'
}

# No screen saver, and no on-screen keyboard over the dialogs' boxes.
printf '[core]\nidle-time=0\n[input-method]\npath=\n' >"$work/weston.ini"

for scale in 1 2; do
  echo "== scale $scale"
  VELMORA_XVFB_SCREEN=$((800 * scale))x$((600 * scale)) need start_display 24
  # The output's size in compositor coordinates: room for the 640 x 480 game window
  # with Qt's decorations and Weston's panel.
  export XDG_RUNTIME_DIR=$work/runtime-$scale
  mkdir -m 700 -p "$XDG_RUNTIME_DIR"
  socket=velmora-wayland-$$
  weston --backend=x11-backend.so --use-pixman --config="$work/weston.ini" --debug --socket="$socket" \
    --width=800 --height=600 --scale="$scale" --log="$work/weston-$scale.log" >/dev/null 2>&1 &
  WESTON_PID=$!
  export WAYLAND_DISPLAY=$socket
  # Ready once its shell has put the desktop's background on the output.
  poll_while "$WESTON_PID" 60 sh -c 'weston-debug scene-graph 2>/dev/null | grep -q "background for output"' ||
    { cat "$work/weston-$scale.log"; need false; }

  fresh_runtime
  xdotool mousemove --sync 0 $((600 * scale - 1))  # the pointer off the windows (the screen's corner)
  (cd "$work/run" && exec env -u DISPLAY QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=client "$game" 2>"$work/wayland.log") &
  pid=$!
  poll_while "$pid" 60 shown "Create New Player" || { fail "scale $scale: no Create New Player dialog"; tail -5 "$work/wayland.log"; }
  poll_while "$pid" 60 shown "Velmora Sudoku" || fail "scale $scale: no game window"

  # The game window, once drawn, is its art; so is the dialog over it.
  poll_while "$pid" 10 board_is_art || fail "scale $scale: the game window's board is not its art (difference $difference)"
  read -r x1 y1 x2 y2 < <(client_of "Create New Player")
  echo "scale $scale: game window $(client_of "Velmora Sudoku"), Create New Player $x1 $y1 $x2 $y2"
  shot 0 0 800 600 "$shots/wayland-$scale-start.png"
  # The dialog's upper part (above its entry box and its texts' lower lines).
  shot "$x1" "$y1" "$x2" $((y1 + 50)) "$work/dialog.png"
  dark_blue "$work/dialog.png" || fail "scale $scale: the Create New Player dialog does not show its art"

  # A transient child of the game window.
  dialog=$(toplevel_titled "Create New Player") window=$(toplevel_titled "Velmora Sudoku")
  grep -qF "xdg_toplevel@$dialog.set_parent(xdg_toplevel@$window)" "$work/wayland.log" ||
    fail "scale $scale: Create New Player (xdg_toplevel@$dialog) is no child of the game window (@$window)"

  # A player and a game, by keys: the name, Enter; Escape ends the introduction's
  # pages; the Puzzle Code in New Game.
  xdotool mousemove --sync $(((x1 + 5) * scale)) $(((y1 + 5) * scale)) click 1
  xdotool type --delay 50 "Wayland"
  xdotool key Return
  poll_while "$pid" 30 shown "Welcome" || fail "scale $scale: no introduction"
  xdotool key Escape
  poll_while "$pid" 30 shown "New Game" || { fail "scale $scale: no New Game dialog"; stop_process "$pid"; stop_process "$WESTON_PID"; stop_display; continue; }
  read -r x1 y1 _ _ < <(client_of "New Game")
  xdotool mousemove --sync $(((x1 + 238) * scale)) $(((y1 + 437) * scale)) click 1
  xdotool type --delay 50 "aa"
  xdotool mousemove --sync $(((x1 + 373) * scale)) $(((y1 + 425) * scale)) click 1
  poll_while "$pid" 30 shown "Velmora Sudoku - Puzzle AA" || fail "scale $scale: the game AA did not begin"

  # The Tile menu of tile (4, 4), by a click on it: a popup over the tile.
  read -r gx gy _ _ < <(client_of "Velmora Sudoku - Puzzle AA")
  tx=$((gx + 240)) ty=$((gy + 240))  # the tile's centre: 40 + 4 x 40 + 20 (between blocks) + 20, both ways
  xdotool mousemove --sync $((tx * scale)) $((ty * scale)) click 1
  if poll_while "$pid" 30 popup_shown; then
    read -r px1 py1 px2 py2 < <(popup)
    echo "scale $scale: tile centre $tx $ty, Tile menu $px1 $py1 $px2 $py2"
    shot 0 0 800 600 "$shots/wayland-$scale-tile-menu.png"
    [ "$px1" -le "$tx" ] && [ "$tx" -lt "$px2" ] && [ "$py1" -le "$ty" ] && [ "$ty" -lt "$py2" ] ||
      fail "scale $scale: the Tile menu ($px1,$py1 .. $px2,$py2) is not over its tile's centre ($tx,$ty)"
    shot "$px1" "$py1" "$px2" "$py2" "$work/menu.png"
    dark_blue "$work/menu.png" || fail "scale $scale: the Tile menu does not show its art"
    xdotool key Escape
    poll_while "$pid" 30 popup_gone || fail "scale $scale: Escape did not close the Tile menu"
  else
    fail "scale $scale: no Tile menu"
  fi
  stop_process "$pid"
  stop_process "$WESTON_PID"
  stop_display
done
exit $status
