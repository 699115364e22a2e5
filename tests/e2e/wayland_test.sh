#!/usr/bin/env bash
# The game as a native Wayland client under Weston (on its X11 backend in Xvfb) at the
# scales 1 and 2: the game window's and a dialog's art, the dialog a child of the game
# window, the Tile menu a popup over its tile that Escape closes (docs/ARCHITECTURE.md).
set -u
game=$(readlink -f "$1") runtime=$2 shots=$3
mkdir -p "$shots"
source "$(dirname "$0")/xvfb_session.sh"
work=$(mktemp -d)
trap 'stop_process "${pid:-}"; stop_process "${WESTON_PID:-}"; stop_display; rm -rf "$work"' EXIT
printf '[core]\nidle-time=0\n[input-method]\npath=\n' >"$work/weston.ini"  # no on-screen keyboard

# "x1 y1 x2 y2" in compositor coordinates of the top-level window titled $1 (its
# client area: what Qt declares opaque), or without a title of the popup.
rect_of() {
  weston-debug scene-graph 2>/dev/null | awk -v t="top-level window '${1:-}' of" -v p="${1:+x}" '
    (p && index($0, t)) || (!p && /role xdg_popup/) { on = 1; next }
    on && (p ? /\[opaque: / : /position: /) { gsub(/[^0-9 ]/, " "); print $1, $2, $3, $4; exit }
    on && /View [0-9]+ \(/ { exit }'
}
shown() { [ -n "$(rect_of "$1")" ]; }
popup_shown() { read -r p1 p2 p3 p4 < <(rect_of) && [ "${p3:-0}" -gt "${p1:-0}" ]; }  # mapped: has a size
popup_gone() { [ -z "$(rect_of)" ]; }
shot() {  # X1 Y1 X2 Y2 OUT, at the output's own pixels
  import -window root -crop "$((($3 - $1) * scale))x$((($4 - $2) * scale))+$(($1 * scale))+$(($2 * scale))" \
    +repage "$5" 2>/dev/null
}
click() { xdotool mousemove --sync $(($1 * scale)) $(($2 * scale)) click 1; }
# The left 476 x 480 of the game window (no control there before a game) but the
# dialog with its decorations is the background art: at scale 1 the same pixels, at
# 2 (a sharper picture of it) within a small distance.
board_is_art() {
  local x y d1 d2 d3 d4 mask
  read -r x y _ _ < <(rect_of "Velmora Sudoku")
  read -r d1 d2 d3 d4 < <(rect_of "Create New Player")
  [ -n "$x" ] && [ -n "$d1" ] || return 1
  mask="rectangle $((d1 - x - 3)),$((d2 - y - 30)) $((d3 - x + 3)),$((d4 - y + 3))"
  shot "$x" "$y" $((x + 476)) $((y + 480)) "$work/board.png"
  convert "$work/board.png" -resize 476x480! -fill black -draw "$mask" "$work/board-1.png"
  convert "$runtime/art/background640x480.png" -crop 476x480+0+0 +repage -fill black -draw "$mask" "$work/art.png"
  difference=$(compare -metric RMSE "$work/board-1.png" "$work/art.png" null: 2>&1 | sed 's/.*(//; s/)//')
  awk -v d="$difference" -v s="$scale" 'BEGIN { exit !(s == 1 ? d == 0 : d < 0.05) }'
}
toplevel() { sed -n "s/.*xdg_toplevel@\([0-9]*\)\.set_title(\"$1\").*/\1/p" "$work/wayland.log" | tail -1; }

for scale in 1 2; do
  VELMORA_XVFB_SCREEN=$((800 * scale))x$((600 * scale)) need start_display 24
  export XDG_RUNTIME_DIR=$work/runtime-$scale WAYLAND_DISPLAY=velmora-wayland-$$
  mkdir -m 700 -p "$XDG_RUNTIME_DIR"
  weston --backend=x11-backend.so --use-pixman --config="$work/weston.ini" --debug --socket="$WAYLAND_DISPLAY" \
    --width=800 --height=600 --scale="$scale" --log="$work/weston.log" >/dev/null 2>&1 &
  WESTON_PID=$!
  need poll_while "$WESTON_PID" 60 sh -c 'weston-debug scene-graph 2>/dev/null | grep -q "background for output"'
  fresh_runtime
  xdotool mousemove --sync 0 $((600 * scale - 1))  # the pointer off the windows
  (cd "$work/run" && exec env -u DISPLAY QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=client "$game" 2>"$work/wayland.log") &
  pid=$!
  need poll_while "$pid" 60 shown "Create New Player"
  poll_while "$pid" 10 board_is_art || fail "scale $scale: the game window is not its art (difference $difference)"
  read -r x1 y1 x2 _ < <(rect_of "Create New Player")
  shot 0 0 800 600 "$shots/wayland-$scale-start.png"
  shot "$x1" "$y1" "$x2" $((y1 + 50)) "$work/dialog.png"  # above its entry box
  # Dark on the whole and blue above red, as the dialogs' art (white is neither).
  convert "$work/dialog.png" -format '%[fx:mean] %[fx:mean.b - mean.r]' info: |
    awk '{ exit !($1 < 0.4 && $2 > 0.1) }' || fail "scale $scale: Create New Player does not show its art"
  grep -qF "xdg_toplevel@$(toplevel "Create New Player").set_parent(xdg_toplevel@$(toplevel "Velmora Sudoku"))" \
    "$work/wayland.log" || fail "scale $scale: Create New Player is no child of the game window"

  # A player, the introduction's pages ended by Escape, and the puzzle AA.
  click $((x1 + 5)) $((y1 + 5))
  xdotool type --delay 50 "Wayland"
  xdotool key Return
  poll_while "$pid" 30 shown "Welcome" && xdotool key Escape
  need poll_while "$pid" 30 shown "New Game"
  read -r x1 y1 _ _ < <(rect_of "New Game")
  click $((x1 + 238)) $((y1 + 437))
  xdotool type --delay 50 "aa"
  click $((x1 + 373)) $((y1 + 425))
  need poll_while "$pid" 30 shown "Velmora Sudoku - Puzzle AA"

  # Tile (4, 4): its centre 40 + 4 x 40 + 20 (between blocks) + 20 in, both ways.
  read -r x y _ _ < <(rect_of "Velmora Sudoku - Puzzle AA")
  x=$((x + 240)) y=$((y + 240))
  click "$x" "$y"
  poll_while "$pid" 30 popup_shown || fail "scale $scale: no Tile menu"
  [ "${p1:-0}" -le "$x" ] && [ "$x" -lt "${p3:-0}" ] && [ "${p2:-0}" -le "$y" ] && [ "$y" -lt "${p4:-0}" ] ||
    fail "scale $scale: the Tile menu ($p1,$p2 .. $p3,$p4) is not over its tile ($x,$y)"
  shot 0 0 800 600 "$shots/wayland-$scale-tile-menu.png"
  xdotool key Escape
  poll_while "$pid" 30 popup_gone || fail "scale $scale: Escape did not close the Tile menu"
  stop_process "$pid"
  stop_process "$WESTON_PID"
  stop_display
done
exit $status
