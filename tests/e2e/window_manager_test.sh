#!/usr/bin/env bash
# The game's windows under a real window manager (openbox), measured with
# xwininfo and xprop:
#   - the game window starts centred on the desktop by its outer frame;
#   - Create New Player, New Game, a message and Continue Game are centred on
#     the game window within 2 px;
#   - the intro pages open where the last one was left (also after Next and
#     Back, and after the player moved one);
#   - the Tile menu opened ten times without being moved opens at the very same
#     place, first at the game window's corner + (108, 150); moved, it reopens
#     where it was left;
#   - the dialogs offer no minimise or maximise, the game window no maximise; a
#     dialog minimised anyway takes the game window with it;
#   - the Tips window is a tool window of the game window, beside it, the two
#     centred together on the desktop; it is minimised and restored with it,
#     and goes with it, still beside it, when the player moves the game window;
#   - the game window's class (WM_CLASS) is the desktop entry's StartupWMClass,
#     whatever name the program was started by, so that docks put the window
#     with its launcher;
#   - the game window keeps its 640 x 480 when asked to go full-screen.
# Screenshots go to SHOTS. Usage: window_manager_test.sh GAME RUNTIME SHOTS
set -u
game=$(realpath "$1") runtime=$(realpath "$2") shots=$3
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/xvfb_session.sh"
mkdir -p "$shots"
make_work_folder

fresh_runtime

# Started by another name than its own: the window's class must not depend on it.
ln -s "$game" "$work/sudoku-by-another-name"
start_game() {
  (cd "$work/run" && exec "$work/sudoku-by-another-name" 2>/dev/null) &
  pid=$!
}

# Waits for a window to go away.
window_gone() { ! window_named "$1" >/dev/null; }
wait_gone() { poll 5 window_gone "$1"; }

wm_state() { xprop -id "$1" WM_STATE | awk '/window state:/{print $3}'; }

# Checks the decorations and functions a window asks for (_MOTIF_WM_HINTS: flags,
# functions, decorations; minimise is 8 / 32, maximise 16 / 64) and, for maximise,
# what the window manager then allows.
check_buttons() {
  local id=$1 what=$2 minimise=$3 hints functions decorations actions
  hints=$(xprop -id "$id" _MOTIF_WM_HINTS | sed 's/.*= //; s/,//g')
  read -r _ functions decorations _ <<<"$hints"
  (( functions & 16 || decorations & 64 )) && fail "$what asks for a maximise button ($hints)"
  if [ "$minimise" = yes ]; then
    (( functions & 8 && decorations & 32 )) || fail "$what asks for no minimise button ($hints)"
  else
    (( functions & 8 || decorations & 32 )) && fail "$what asks for a minimise button ($hints)"
  fi
  actions=$(xprop -id "$id" _NET_WM_ALLOWED_ACTIONS)
  [[ $actions == *MAXIMIZE* ]] && fail "the window manager lets $what be maximised"
}

start_display 24 || exit 1
start_window_manager || { echo "FAIL: no window manager"; exit 1; }
begin=$(date +%s)

# ---- A new player ----
start_game
id=$(wait_for_window "^Create New Player$" 30) || { fail "no Create New Player dialog"; exit 1; }
gid=$(xdotool search --onlyvisible --name "^Velmora Sudoku$" | head -1)
settle "$gid"
settle "$id"
import -window root "$shots/wm-1-new-player.png"
# The desktop as the window manager gives it to windows (one entry per virtual desktop).
poll 5 sh -c "xprop -root _NET_WORKAREA | grep -q '= '"
read -r desk_x desk_y desk_w desk_h _ < <(xprop -root _NET_WORKAREA | sed 's/.*= //; s/,//g')
read -r gx gy gw gh < <(frame_of "$gid")
echo "game window: frame $gx,$gy ${gw}x$gh on the desktop $desk_x,$desk_y ${desk_w}x$desk_h"
dx=$(( (2 * gx + gw) - (2 * desk_x + desk_w) )) dy=$(( (2 * gy + gh) - (2 * desk_y + desk_h) ))
[ "${dx#-}" -le 4 ] && [ "${dy#-}" -le 4 ] || fail "the game window starts off the desktop's centre by ($((dx / 2)), $((dy / 2))) px"
check_centred "$gid" "$id" "Create New Player"
check_buttons "$gid" "the game window" yes
check_buttons "$id" "Create New Player" no
# WM_CLASS is "instance", "class"; a desktop matches StartupWMClass against either.
startup_class=$(sed -n 's/^StartupWMClass=//p' "$here/../../packaging/io.github.velmora.Sudoku.desktop")
wm_class=$(xprop -id "$gid" WM_CLASS | sed 's/^[^=]*= //')
echo "WM_CLASS $wm_class, StartupWMClass ${startup_class:-(none)}"
[ -n "$startup_class" ] && [[ ", $wm_class," == *", \"$startup_class\","* ]] ||
  fail "the game window's class ($wm_class) is not the desktop entry's StartupWMClass (${startup_class:-none})"

click_in "$id" 120 62
xdotool type --delay 50 "Ada"
click_in "$id" 180 154

# ---- The intro pages stay where they were left ----
pages="^(Welcome|Color|View Tutorial)$"
id=$(wait_for_window "^Welcome$" 20) || { fail "no Welcome page"; exit 1; }
settle "$id"
read -r px py _ _ < <(frame_of "$id")
[ "$px $py" = "$((gx + 80)) $((gy + 60))" ] ||
  fail "the first intro page opens at $px,$py, not at the game window's corner + (80, 60) = $((gx + 80)),$((gy + 60))"
first=$(origin_of "$id")
focus_window "$id"
xdotool key Return                                   # Next
id=$(wait_for_window "^Color$" 10) || { fail "no Color page after Next"; exit 1; }
settle "$id"
[ "$(origin_of "$id")" = "$first" ] || fail "after Next the page opens at $(origin_of "$id"), not $first"
click_in "$id" 355 342                               # Back
wait_gone "^Color$"
id=$(wait_for_window "^Welcome$" 10) || { fail "no Welcome page after Back"; exit 1; }
settle "$id"
[ "$(origin_of "$id")" = "$first" ] || fail "after Back the page opens at $(origin_of "$id"), not $first"
xdotool windowmove --sync "$id" 200 150               # the player moves the page
settle "$id"
moved=$(origin_of "$id")
focus_window "$id"
xdotool key Return
id=$(wait_for_window "^Color$" 10) || { fail "no Color page after the move"; exit 1; }
settle "$id"
[ "$(origin_of "$id")" = "$moved" ] || fail "the page after a moved one opens at $(origin_of "$id"), not $moved"
import -window root "$shots/wm-2-intro.png"
focus_window "$id"
xdotool key Escape                                   # ends the pages

# ---- New Game, centred ----
id=$(wait_for_window "^New Game$" 20) || { fail "no New Game dialog"; exit 1; }
settle "$id"
check_centred "$gid" "$id" "New Game"
check_buttons "$id" "New Game" no
click_in "$id" 238 437
xdotool type --delay 50 "aa"
click_in "$id" 373 425
gid=$(wait_for_window "^Velmora Sudoku - Puzzle AA$" 20) || { fail "the game AA did not begin"; exit 1; }
sleep 0.5
read -r gx gy gw gh < <(frame_of "$gid")

# ---- The Tile menu opened ten times without being moved ----
open_menu() {
  focus_window "$gid"
  xdotool key Return
  tid=$(wait_for_window "^Tile$" 10) || { fail "no Tile menu"; return 1; }
  settle "$tid"
}
close_menu() {
  focus_window "$tid"
  xdotool key Escape
  wait_gone "^Tile$" || fail "the Tile menu did not close"
}
positions=""
for n in $(seq 1 10); do
  open_menu || break
  [ "$n" = 1 ] && { read -r mx my _ _ < <(frame_of "$tid"); import -window root "$shots/wm-3-tile-menu.png"; }
  positions="$positions$(origin_of "$tid" | tr ' ' ',') "
  close_menu
done
echo "Tile menu client corners: $positions"
[ "$(echo "$positions" | tr ' ' '\n' | sed '/^$/d' | sort -u | wc -l)" = "1" ] || fail "the Tile menu moved between openings"
[ "$mx $my" = "$((gx + 108)) $((gy + 150))" ] ||
  fail "the Tile menu first opens at $mx,$my, not at the game window's corner + (108, 150) = $((gx + 108)),$((gy + 150))"
open_menu
xdotool windowmove --sync "$tid" 520 90               # the player moves it
settle "$tid"
moved=$(origin_of "$tid")
close_menu
open_menu
[ "$(origin_of "$tid")" = "$moved" ] || fail "the moved Tile menu reopens at $(origin_of "$tid"), not $moved"
close_menu

# ---- A message, centred ----
focus_window "$gid"
xdotool key 4                                        # tile (0, 0) holds a 3: a mistake
id=$(wait_for_window "^Message$" 10) || fail "no message after a mistake"
if [ -n "$id" ]; then
  settle "$id"
  import -window root "$shots/wm-4-message.png"
  check_centred "$gid" "$id" "the message"
  check_buttons "$id" "the message" no
  # Minimised anyway (openbox offers it to every window): the game goes with it
  # and both come back together.
  xdotool windowminimize "$id"
  sleep 0.5
  [ "$(wm_state "$gid")" = "Iconic" ] || fail "a minimised message left the game window on screen"
  xdotool windowactivate "$gid" 2>/dev/null
  sleep 0.5
  [ "$(wm_state "$id")" = "Normal" ] || fail "the message did not come back with the game window"
  focus_window "$id"
  xdotool key Return
  wait_gone "^Message$"
fi

# ---- The Tips window goes with the game window ----
focus_window "$gid"
xdotool key F12                                      # replays the guide, showing the Tips window
tips=$(wait_for_window "^Tips$" 10) || fail "no Tips window"
if [ -n "$tips" ]; then
  settle "$tips"
  settle "$gid"
  import -window root "$shots/wm-5-tips.png"
  owner=$(xprop -id "$tips" WM_TRANSIENT_FOR | awk '/window id #/{print $NF}')
  [ -n "$owner" ] && [ "$((owner))" = "$gid" ] || fail "the Tips window is not a window of the game window (WM_TRANSIENT_FOR $owner)"
  # A utility window: task bars give it no entry of its own.
  xprop -id "$tips" _NET_WM_WINDOW_TYPE | grep -q "= _NET_WM_WINDOW_TYPE_UTILITY" ||
    fail "the Tips window is not a utility window: $(xprop -id "$tips" _NET_WM_WINDOW_TYPE)"
  read -r tx ty tw th < <(frame_of "$tips")
  read -r gx gy gw gh < <(frame_of "$gid")
  [ "$((tx + tw))" = "$gx" ] && [ "$ty" = "$gy" ] || fail "the Tips window ($tx,$ty ${tw}x$th) does not stand at the left of the game window ($gx,$gy)"
  # The game window made room for it: the two stand together centred on the desktop.
  dx=$(( (tx + gx + gw) - (2 * desk_x + desk_w) ))
  [ "${dx#-}" -le 4 ] || fail "the Tips and game windows ($tx..$((gx + gw))) are off the desktop's centre by $((dx / 2)) px"
  # The player moves the game window (as a drag by its caption does): the Tips
  # window goes with it and stays at its left, off the board.
  read -r ox oy < <(origin_of "$gid")
  xdotool windowmove --sync "$gid" $((ox + 30)) $((oy + 50))
  settle "$gid"
  settle "$tips"
  read -r nx ny < <(origin_of "$gid")
  [ "$nx $ny" != "$ox $oy" ] || fail "the game window could not be moved"
  read -r tx ty tw th < <(frame_of "$tips")
  read -r gx gy gw gh < <(frame_of "$gid")
  import -window root "$shots/wm-5-tips-moved.png"
  [ "$((tx + tw))" = "$gx" ] && [ "$ty" = "$gy" ] ||
    fail "after the game window moved to $gx,$gy the Tips window ($tx,$ty ${tw}x$th) no longer stands at its left"
  xdotool windowminimize "$gid"
  sleep 0.5
  [ "$(wm_state "$gid")" = "Iconic" ] || fail "the game window did not minimise"
  [ "$(wm_state "$tips")" = "Iconic" ] || fail "the Tips window stayed on screen when the game was minimised"
  xprop -id "$tips" _NET_WM_STATE | grep -q _NET_WM_STATE_HIDDEN || fail "the Tips window is not hidden with the game"
  xdotool windowactivate "$gid" 2>/dev/null
  sleep 0.5
  [ "$(wm_state "$tips")" = "Normal" ] || fail "the Tips window did not come back with the game window"
fi

# ---- The game window keeps its size when asked to fill the screen ----
wmctrl -i -r "$gid" -b add,fullscreen
sleep 0.5
size=$(xwininfo -id "$gid" | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w "x" h}')
[ "$size" = "640x480" ] || fail "the game window filled the screen ($size)"
xprop -id "$gid" _NET_WM_STATE | grep -q FULLSCREEN && fail "the game window stayed full-screen"

wmctrl -i -c "$gid"
id=$(wait_for_window "^Message$" 10) && { focus_window "$id"; xdotool key Return; }
wait_for_exit "$pid" 20
[ "$EXIT_STATUS" = "0" ] || fail "the first run ended with status $EXIT_STATUS"

# ---- Continue Game, centred ----
start_game
id=$(wait_for_window "^Choose Player$" 30) || { fail "no Choose Player dialog"; exit 1; }
settle "$id"
gid=$(xdotool search --onlyvisible --name "^Velmora Sudoku" | head -1)
check_centred "$gid" "$id" "Choose Player"
focus_window "$id"
xdotool key Return
id=$(wait_for_window "^Continue Game$" 20) || fail "no Continue Game dialog"
if [ -n "$id" ]; then
  settle "$id"
  import -window root "$shots/wm-6-continue.png"
  check_centred "$gid" "$id" "Continue Game"
fi
stop_process "$pid"

echo "window checks done in $(( $(date +%s) - begin )) s"
exit $status
