#!/usr/bin/env bash
# Printing as a person does it, on the real program under Xvfb with a window
# manager (openbox), through the real print dialog driven from the keyboard:
#   - with the game window moved off the desktop's centre, every print dialog
#     opens centred on the game window (within 2 px) and belongs to it;
#   - its Puzzle page offers "Print the screen" and "Print a clean grid"; a clean
#     grid printed to a PDF file holds, read back with pdftotext, the digits the
#     board shows row by row (a tile played, not a tile noted) and "Puzzle AB007,
#     Normal - Medium" under them, the grid worked out from the puzzle tool's
#     output for AB007;
#     the clues are in a bold face and black, the tile the player found lighter;
#   - the next print offers the clean grid again; "Print the clues only" leaves
#     the found tile out;
#   - the screen chosen again, with the Cursor Tile's row, column and block
#     tinted, prints the window's picture (one image, no text) without the tint:
#     every tile with a digit keeps its face;
# Screenshots and the pages as pictures go to SHOTS.
# Usage: print_test.sh GAME RUNTIME SHOTS
set -u
game=$(realpath "$1") runtime=$(realpath "$2") shots=$3
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/xvfb_session.sh"
mkdir -p "$shots"
make_work_folder
# Qt's print dialog names its default file after the home folder: a private one.
export HOME="$work/home"
mkdir -p "$HOME"

fresh_runtime

window_gone() { ! window_named "$1" >/dev/null; }
client_height() { xwininfo -id "$1" | awk '/Height:/{print $2}'; }
taller_than() { [ "$(client_height "$1")" -gt "$2" ]; }
pdf_complete() { tail -c 8 "$1" 2>/dev/null | grep -q '%%EOF'; }  # ends with its end-of-file marker

# Opens the print dialog with F3, checks that it stands centred on the game
# window and sets $did.
open_print_dialog() {
  focus_window "$gid"
  xdotool key F3
  did=$(wait_for_window "^Print$" 20) || { fail "no print dialog after F3"; return 1; }
  settle "$did"
  check_centred "$gid" "$did" "print dialog $1"
  focus_window "$did"
}
# Types a file name into the dialog's output file field (after the printer's
# name and its Properties button) and prints.
print_to() {
  focus_window "$did"
  xdotool key alt+n Tab Tab ctrl+a
  xdotool type --delay 20 "$1"
  xdotool key alt+p
  poll 20 window_gone "^Print$" || fail "the print dialog did not close"
  poll 30 pdf_complete "$1" || fail "no complete PDF file was printed to $1"
}
# Shows the dialog's options and its Puzzle page (once the options, which their
# key clicks a moment later, make it taller), and takes the choice ("s", "g" or "c").
choose() {
  local height
  focus_window "$did"
  height=$(client_height "$did")
  xdotool key alt+o
  poll 20 taller_than "$did" "$height" || fail "the print dialog's options did not open"
  xdotool key alt+u "alt+$1"
}
start_display 24 || exit 1
start_window_manager || { echo "FAIL: no window manager"; exit 1; }

new_player_game Pru ab007

# AB007 from the puzzle tool: the top row .7..3952., its solution 674839521.
focus_window "$gid"
xdotool key 6                  # the Cursor Tile (0, 0): a 6, found
xdotool key Right Right ctrl+4 # (0, 2): a note of 4, not printed (the keys reach the game before F3)

# ---- The print dialog over the game window, moved off the desktop's centre ----
xdotool windowmove --sync "$gid" 330 230
settle "$gid"
open_print_dialog 1 || exit 1
import -window root "$shots/print-1-dialog.png"
read -r gx gy gw gh < <(frame_of "$gid")
read -r _ _ dw dh _ < <(xprop -root _NET_WORKAREA | sed 's/.*= //; s/,//g')
desk=$(( (2 * gx + gw) - dw ))
[ "${desk#-}" -gt 40 ] || fail "the game window was not moved off the desktop's centre ($gx,$gy ${gw}x$gh on ${dw}x$dh)"
owner=$(xprop -id "$did" WM_TRANSIENT_FOR | awk '/window id #/{print $NF}')
[ -n "$owner" ] && [ "$((owner))" = "$gid" ] || fail "the print dialog is not a window of the game window ($owner)"

# ---- A clean grid ----
choose g
import -window root "$shots/print-2-puzzle-page.png"
print_to "$work/grid.pdf"
expected=$(printf '%s\n' 67..3952. .1857.34. .5..417.9 .9718.26. 46.2538.7 3...6.... 7..396.1. ..64289.5 84..1...2)

# The digit rows of a clean grid's page, '.' where a tile is empty: the columns
# are the places where digits stand in pdftotext's layout, in order (places side
# by side are one column: a bold digit may stand a place off).
grid_rows() {
  pdftotext -layout "$1" - | awk '
    /^[ 1-9]*[1-9][ 1-9]*$/ { line[++n] = $0; for (i = 1; i <= length($0); i++) if (substr($0, i, 1) != " ") at[i] = 1 }
    END {
      for (i = 1; i <= 200; i++) if (i in at && !((i - 1) in at)) col[++m] = i
      for (r = 1; r <= n; r++) {
        row = ""
        for (k = 1; k <= m; k++) { ch = substr(line[r], col[k], 2); gsub(/ /, "", ch); row = row (ch == "" ? "." : ch) }
        print row
      }
    }'
}
rows=$(grid_rows "$work/grid.pdf")
[ "$rows" = "$expected" ] || fail "the clean grid reads
$rows
not
$expected"
pdftotext -layout "$work/grid.pdf" - | grep -q "Puzzle AB007, Normal - Medium" || fail "no Puzzle Code and game type under the grid"
pdftoppm -r 60 -png -singlefile "$work/grid.pdf" "$shots/print-clean-grid"

# The clues in a bold face and black, the found 6 lighter: the darkest grey (0
# black .. 255 white) of the top row's 6 and 7 on the page rendered at 100 dpi.
pdffonts "$work/grid.pdf" | grep -q 'DejaVuSans-Bold' || fail "no bold face in the clean grid"
pdftoppm -r 100 -gray -png -singlefile "$work/grid.pdf" "$work/inks"
read -r _ found _ clue < <(pdftotext -bbox "$work/grid.pdf" - |
  sed -n 's/.*xMin="\([0-9.]*\)" yMin="\([0-9.]*\)" xMax="\([0-9.]*\)" yMax="\([0-9.]*\)">\([67]\)<.*/\2 \1 \3 \4 \5/p' |
  sort -n | head -2 | while read -r y0 x0 x1 y1 digit; do
    crop=$(awk -v a="$x0" -v b="$y0" -v c="$x1" -v d="$y1" 'BEGIN { k = 100 / 72; printf "%dx%d+%d+%d", (c - a) * k, (d - b) * k, a * k, b * k }')
    echo "$digit $(convert "$work/inks.png" -crop "$crop" +repage -format '%[fx:int(255 * minima)]' info:)"
  done | sort | tr '\n' ' ')
[ "${found:-0}" -ge 70 ] && [ "${clue:-255}" -le 40 ] || fail "the found 6 prints at grey $found, the clue 7 at $clue"

# ---- The next print offers the clean grid again; the clues alone on request ----
open_print_dialog 2 || exit 1
print_to "$work/again.pdf"
[ "$(grid_rows "$work/again.pdf")" = "$expected" ] || fail "the second print was not the clean grid chosen before"
open_print_dialog 3 || exit 1
choose c
print_to "$work/clues.pdf"
[ "$(grid_rows "$work/clues.pdf")" = ".${expected:1}" ] || fail "the clues alone read $(grid_rows "$work/clues.pdf")"

# ---- The screen chosen again, with the viewing aids on: the window's picture ----
menu_keys v c # Highlight the Cursor's row, column and block
open_print_dialog 4 || exit 1
choose s
print_to "$work/screen.pdf"
images=$(pdfimages -list "$work/screen.pdf" | tail -n +3 | wc -l)
[ "$images" = 1 ] || fail "the screen's print holds $images pictures, not one"
[ -z "$(pdftotext "$work/screen.pdf" - | tr -d '[:space:]')" ] || fail "the screen's print holds text"
pdftoppm -r 60 -png -singlefile "$work/screen.pdf" "$shots/print-screen"
# The picture as the page holds it (compressed: white is near white): every tile
# with a digit keeps its face, those in the Cursor Tile's row, column and block too.
pdfimages -png "$work/screen.pdf" "$work/screen"
convert "$work/screen-000.png" -depth 8 txt:- | awk -v grid="$(tr -d '\n' <<<"$expected")" '
  BEGIN { for (i = 0; i < 81; i++) if (substr(grid, i + 1, 1) != ".")
            at[47 + 40 * (i % 9) + 20 * int(i % 9 / 3) "," 47 + 40 * int(i / 9) + 20 * int(i / 27) ":"] = int(i / 9) "," i % 9 }
  $1 in at { split($2, v, /[(),]/); if (v[2] > 235 && v[3] > 235 && v[4] > 235) printf "%s ", at[$1] }' >"$work/white"
[ -s "$work/white" ] && fail "tiles with a digit print white: $(cat "$work/white")"

stop_process "$pid"
exit $status
