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
#   - the screen chosen again, with the viewing aids on, prints the window's
#     picture (one image, no text) as the game shows it without them: every
#     tile with a digit keeps its face, in the Cursor Tile's row, column and
#     block too, and only the others are white;
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
# A PDF file is complete once it ends with its end-of-file marker.
pdf_complete() { tail -c 8 "$1" 2>/dev/null | grep -q '%%EOF'; }

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
# Shows the dialog's options and its Puzzle page, and takes the choice ("s",
# "g" or "c"). A button's key clicks it a moment later: the Puzzle tab is asked
# for once the options have made the dialog taller.
choose() {
  local height
  focus_window "$did"
  height=$(client_height "$did")
  xdotool key alt+o
  poll 20 taller_than "$did" "$height" || fail "the print dialog's options did not open"
  xdotool key alt+u "alt+$1"
}
# The window menu's entries by their keys: a right click off the board, then
# each key once the menu it is meant for is open (each menu is a window of the
# game's own, beside the game window and the Tips window).
windows_of_game() { xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l; }
windows_are() { [ "$(windows_of_game)" = "$1" ]; }
menu_keys() {
  local before key ox oy open
  focus_window "$gid"
  before=$(windows_of_game)
  open=$before
  read -r ox oy < <(origin_of "$gid")
  xdotool mousemove $((ox + 600)) $((oy + 300)) click 3  # (--sync would wait for a move that is not needed)
  for key in "$@"; do
    open=$((open + 1))
    poll 20 windows_are "$open" || { fail "no menu for the key $key"; return 1; }
    xdotool key "$key"
  done
  poll 20 windows_are "$before" || fail "the menu stayed open"
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

# The digits of a clean grid's page, each "x y digit" (the middle of its box, in
# points), from pdftotext -bbox.
digit_boxes() {
  pdftotext -bbox "$1" - |
    sed -n 's/.*xMin="\([0-9.]*\)" yMin="\([0-9.]*\)" xMax="\([0-9.]*\)" yMax="\([0-9.]*\)">\([1-9]\)<\/word>.*/\1 \2 \3 \4 \5/p'
}
# The digit rows of a clean grid's page, '.' where a tile is empty: each digit
# stands in the row and column of its place, rows and columns told apart by
# where digits stand, more than 10 points apart. (Read by place, not from the
# text's layout, where bold and plain digits are spaced apart.)
grid_rows() {
  digit_boxes "$1" | awk '
    function place(v, list, n,   i) { for (i = 1; i <= n; i++) if (v - list[i] < 10 && list[i] - v < 10) return i; return 0 }
    function add(v, list, n,   i) { if (place(v, list, n)) return n; list[++n] = v; return n }
    function rank(v, list, n,   i, r) { r = 1; for (i = 1; i <= n; i++) if (list[i] < list[place(v, list, n)]) r++; return r }
    { x[NR] = ($1 + $3) / 2; y[NR] = ($2 + $4) / 2; d[NR] = $5; nc = add(x[NR], cols, nc); nr = add(y[NR], rws, nr) }
    END {
      for (i = 1; i <= NR; i++) cell[rank(y[i], rws, nr), rank(x[i], cols, nc)] = d[i]
      for (r = 1; r <= nr; r++) { row = ""; for (c = 1; c <= nc; c++) row = row ((r, c) in cell ? cell[r, c] : "."); print row }
    }'
}
rows=$(grid_rows "$work/grid.pdf")
[ "$rows" = "$expected" ] || fail "the clean grid reads
$rows
not
$expected"
pdftotext -layout "$work/grid.pdf" - | grep -q "Puzzle AB007, Normal - Medium" || fail "no Puzzle Code and game type under the grid"
pdftoppm -r 60 -png -singlefile "$work/grid.pdf" "$shots/print-clean-grid"

# The clues in a bold face, and each digit's darkest grey (0 black .. 255 white)
# on the page rendered at 100 dpi: "x y digit darkest", the positions in points.
pdffonts "$work/grid.pdf" | grep -q 'DejaVuSans-Bold' || fail "no bold face in the clean grid: $(pdffonts "$work/grid.pdf")"
digit_inks() {
  pdftoppm -r 100 -gray -png -singlefile "$1" "$work/inks"
  digit_boxes "$1" |
    while read -r x0 y0 x1 y1 digit; do
      crop=$(awk -v a="$x0" -v b="$y0" -v c="$x1" -v d="$y1" \
        'BEGIN { k = 100 / 72; printf "%dx%d+%d+%d", (c - a) * k + 1, (d - b) * k + 1, a * k, b * k }')
      echo "$x0 $y0 $digit $(convert "$work/inks.png" -crop "$crop" +repage -format '%[fx:int(255 * minima)]' info:)"
    done | sort -k2,2n -k1,1n
}
inks=$(digit_inks "$work/grid.pdf")
# The top left digit is the 6 found; every other digit is a clue.
read -r _ _ digit found < <(head -1 <<<"$inks")
[ "$digit" = 6 ] && [ "$found" -ge 70 ] || fail "the found 6 prints at grey $found, not lighter than the clues"
darkest_clue=$(tail -n +2 <<<"$inks" | awk '$4 > m { m = $4 } END { print m + 0 }')
[ "$darkest_clue" -le 40 ] || fail "a clue prints at grey $darkest_clue, not black"
echo "clean grid: the found 6 at grey $found, the clues at grey $darkest_clue or darker"

# ---- The next print offers the clean grid again; the clues alone on request ----
open_print_dialog 2 || exit 1
print_to "$work/again.pdf"
[ "$(grid_rows "$work/again.pdf")" = "$expected" ] || fail "the second print was not the clean grid chosen before"
open_print_dialog 3 || exit 1
choose c
print_to "$work/clues.pdf"
[ "$(grid_rows "$work/clues.pdf")" = ".${expected:1}" ] || fail "the clues alone read
$(grid_rows "$work/clues.pdf")"
pdftoppm -r 60 -png -singlefile "$work/clues.pdf" "$shots/print-clues"

# ---- The screen chosen again, with the viewing aids on: the window's picture ----
menu_keys v c   # Highlight the Cursor's row, column and block
menu_keys v a   # Highlight the Active Number (1)
menu_keys v o   # Mark conflicts
import -window root "$shots/print-3-aids.png"
open_print_dialog 4 || exit 1
choose s
print_to "$work/screen.pdf"
images=$(pdfimages -list "$work/screen.pdf" | tail -n +3 | wc -l)
[ "$images" = 1 ] || fail "the screen's print holds $images pictures, not one"
[ -z "$(pdftotext "$work/screen.pdf" - | tr -d '[:space:]')" ] || fail "the screen's print holds text"
pdftoppm -r 60 -png -singlefile "$work/screen.pdf" "$shots/print-screen"
# The picture as the page holds it (compressed, so white is near white): white
# inside exactly the tiles without a digit, the Cursor Tile's row, column and
# block as the rest.
pdfimages -png "$work/screen.pdf" "$work/screen"
convert "$work/screen-000.png" -depth 8 txt:- | awk -v grid="$(tr -d '\n' <<<"$expected")" '
  BEGIN {
    for (r = 0; r < 9; r++) for (c = 0; c < 9; c++) {
      x = 40 + 40 * c + 20 * int(c / 3); y = 40 + 40 * r + 20 * int(r / 3)
      want[x + 7 "," y + 7] = want[x + 32 "," y + 32] = substr(grid, 9 * r + c + 1, 1) == "." ? "white" : "face"
      tile[x + 7 "," y + 7] = tile[x + 32 "," y + 32] = r "," c
    }
  }
  { split($1, at, ":"); if (!(at[1] in want)) next
    split($2, rgb, /[(),]/); got = rgb[2] > 235 && rgb[3] > 235 && rgb[4] > 235 ? "white" : "face"
    if (got != want[at[1]]) { print "FAIL: tile " tile[at[1]] " prints " got " at " at[1]; bad = 1 }
    seen++ }
  END { if (seen != 162) print "FAIL: the picture is not 640 x 480 (" seen " points read)" }' >"$work/tiles"
[ -s "$work/tiles" ] && { cat "$work/tiles"; fail "the screen's print is not the picture the game shows"; }

stop_process "$pid"
exit $status
