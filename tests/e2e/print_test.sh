#!/usr/bin/env bash
# Printing as a person does it, on the real program under Xvfb with a window
# manager (openbox), through the real print dialog driven from the keyboard:
#   - with the game window moved off the desktop's centre, the print dialog
#     opens centred on the game window (within 2 px) and belongs to it;
#   - its Puzzle page offers "Print the screen" and "Print a clean grid"; a clean
#     grid printed to a PDF file holds, read back with pdftotext, the digits the
#     board shows row by row (a tile played, not a tile noted) and "Puzzle AB007,
#     Normal - Medium" under them, the grid worked out from the puzzle tool's
#     output for AB007;
#   - the next print offers the clean grid again; the screen chosen again prints
#     the window's picture (one image, no text).
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

# Opens the print dialog with F3; sets $did.
open_print_dialog() {
  focus_window "$gid"
  xdotool key F3
  did=$(wait_for_window "^Print$" 20) || { fail "no print dialog after F3"; return 1; }
  settle "$did"
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
  poll 20 test -s "$1" || fail "nothing was printed to $1"
  sleep 0.5  # the file is written while the dialog closes
}
# Shows the dialog's options and its Puzzle page, and takes the choice ("s" or "g").
choose() {
  focus_window "$did"
  xdotool key alt+o
  sleep 0.3
  xdotool key alt+u
  sleep 0.3
  xdotool key "alt+$1"
  sleep 0.3
}

start_display 24 || exit 1
start_window_manager || { echo "FAIL: no window manager"; exit 1; }

new_player_game Pru ab007

# AB007 from the puzzle tool: the top row .7..3952., its solution 674839521.
focus_window "$gid"
xdotool key 6                  # the Cursor Tile (0, 0): a 6, found
xdotool key Right Right ctrl+4 # (0, 2): a note of 4, not printed
sleep 0.3

# ---- The print dialog over the game window, moved off the desktop's centre ----
xdotool windowmove --sync "$gid" 330 230
settle "$gid"
open_print_dialog || exit 1
import -window root "$shots/print-1-dialog.png"
read -r gx gy gw gh < <(frame_of "$gid")
read -r px py pw ph < <(frame_of "$did")
echo "print dialog: frame $px,$py ${pw}x$ph on the game window $gx,$gy ${gw}x$gh"
read -r _ _ dw dh _ < <(xprop -root _NET_WORKAREA | sed 's/.*= //; s/,//g')
desk=$(( (2 * gx + gw) - dw ))
[ "${desk#-}" -gt 40 ] || fail "the game window was not moved off the desktop's centre ($gx,$gy ${gw}x$gh on ${dw}x$dh)"
dx=$(( (2 * px + pw) - (2 * gx + gw) )) dy=$(( (2 * py + ph) - (2 * gy + gh) ))
[ "${dx#-}" -le 4 ] && [ "${dy#-}" -le 4 ] ||
  fail "the print dialog is off the game window's centre by ($((dx / 2)), $((dy / 2))) px"
owner=$(xprop -id "$did" WM_TRANSIENT_FOR | awk '/window id #/{print $NF}')
[ -n "$owner" ] && [ "$((owner))" = "$gid" ] || fail "the print dialog is not a window of the game window ($owner)"

# ---- A clean grid ----
choose g
import -window root "$shots/print-2-puzzle-page.png"
print_to "$work/grid.pdf"
expected=$(printf '%s\n' 67..3952. .1857.34. .5..417.9 .9718.26. 46.2538.7 3...6.... 7..396.1. ..64289.5 84..1...2)

# The digit rows of a clean grid's page, '.' where a tile is empty: the columns
# are the places where digits stand in pdftotext's layout, in order.
grid_rows() {
  pdftotext -layout "$1" - | awk '
    /^[ 1-9]*[1-9][ 1-9]*$/ { line[++n] = $0; for (i = 1; i <= length($0); i++) if (substr($0, i, 1) != " ") at[i] = 1 }
    END {
      for (i = 1; i <= 200; i++) if (i in at) col[++m] = i
      for (r = 1; r <= n; r++) {
        row = ""
        for (k = 1; k <= m; k++) { ch = substr(line[r], col[k], 1); row = row (ch == " " || ch == "" ? "." : ch) }
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

# ---- The next print offers the clean grid again ----
open_print_dialog || exit 1
print_to "$work/again.pdf"
[ "$(grid_rows "$work/again.pdf")" = "$expected" ] || fail "the second print was not the clean grid chosen before"

# ---- The screen chosen again: the window's picture ----
open_print_dialog || exit 1
choose s
print_to "$work/screen.pdf"
images=$(pdfimages -list "$work/screen.pdf" | tail -n +3 | wc -l)
[ "$images" = 1 ] || fail "the screen's print holds $images pictures, not one"
[ -z "$(pdftotext "$work/screen.pdf" - | tr -d '[:space:]')" ] || fail "the screen's print holds text"
pdftoppm -r 60 -png -singlefile "$work/screen.pdf" "$shots/print-screen"

stop_process "$pid"
exit $status
