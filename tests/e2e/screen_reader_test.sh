#!/usr/bin/env bash
# What a screen reader hears on the accessibility bus (AT-SPI), as Orca does,
# while a new player plays the Puzzle Code AA1500 by keys under Xvfb and openbox:
# the keyboard on the board from the start, Right naming the next cell, a wrong
# digit and Undo's notice as alerts, a right digit renaming its cell, the Menu
# key and Shift+F10 opening the window menu, at most three focus events from the
# last digit to the results alert with the time; and where the cells are told
# to be at window sizes 100, 150 and 200 %. It runs in a session bus of its own.
# Usage: screen_reader_test.sh GAME PUZZLE_TOOL RUNTIME
set -u
if [ -z "${VELMORA_OWN_SESSION_BUS:-}" ]; then
  exec env VELMORA_OWN_SESSION_BUS=1 dbus-run-session -- "$0" "$@"
fi
game=$(realpath "$1") tool=$(realpath "$2") runtime=$(realpath "$3")
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/xvfb_session.sh"
work=$(mktemp -d)
trap 'stop_process "${probe:-}"; stop_process "${pid:-}"; stop_window_manager; stop_display; rm -rf "$work"' EXIT
events="$work/events.txt"
T=$'\t'

# Room for the window at 200 %.
VELMORA_XVFB_SCREEN=1600x1200 start_display 24 || exit 1
need start_window_manager
: >"$events"
/usr/bin/python3 "$here/atspi_probe.py" "$events" 2>"$work/probe.log" &
probe=$!
poll_while "$probe" 30 grep -qx ready "$events" || { cat "$work/probe.log"; fail "no listener on the accessibility bus"; exit 1; }
# As a screen reader starts: programs started from then on speak on the bus.
need dbus-send --session --dest=org.a11y.Bus /org/a11y/bus org.freedesktop.DBus.Properties.Set \
  string:org.a11y.Status string:ScreenReaderEnabled variant:boolean:true

mark=0
mark() { mark=$(wc -l <"$events"); }
# The lines heard since the mark; `heard PATTERN` waits until one matches.
since() { tail -n +$((mark + 1)) "$events"; }
heard() { poll 20 sh -c 'tail -n +$(('"$mark"' + 1)) "$1" | grep -qE -- "$2"' _ "$events" "$1"; }
expect() { heard "$1" || fail "$2 (heard since: $(since | cut -f1-3 | tr '\t\n' ' /'))"; }
# Where the cell (1, 2) was told to be, against the screen's (80, 40 from the corner,
# 40 x 40, times the scale), within a pixel: Qt rounds the window's place at 150 %.
check_place() {
  local ox oy want got
  read -r ox oy < <(origin_of "$gid")
  want=$(awk -v s="$1" -v x="$ox" -v y="$oy" 'BEGIN { printf "%d %d %d %d", x + 80 * s, y + 40 * s, 40 * s, 40 * s }')
  got=$(since | grep "^focus${T}table cell${T}row 1, column 2, " | head -1 | cut -f4)
  echo "cell at $1: told $got, shown at $want"
  paste -d' ' <(echo "$want") <(echo "${got:--}") | awk '{ for (i = 1; i <= 4; ++i) { d = $i - $(i + 4); if (d > 1 || d < -1) exit 1 } }' ||
    fail "at $1 the cell is told at $got, shown at $want"
}

# ---- The game at 100 %, played by keys ----
fresh_runtime
new_player_game Ada AA1500
expect "^focus${T}table cell${T}row 1, column 1, empty${T}" "the new game did not put the keyboard on the Cursor Tile"
focus_window "$gid"
mark
xdotool key Right
expect "^focus${T}table cell${T}row 1, column 2, 2, given${T}" "Right named no cell"
check_place 1
mark
xdotool key Left 4
expect "^window:activate${T}alert${T}This tile is not a '4'\.${T}" "the mistake was no alert"
answer "^Message$" "the mistake"
focus_window "$gid"
mark
xdotool key 5
expect "^object:property-change:accessible-name${T}table cell${T}row 1, column 1, 5, given${T}" "a right digit renamed no cell"
mark
xdotool key ctrl+z  # a found tile cannot be undone: the notice over the board says so
expect "^object:state-changed:showing:1${T}alert${T}The last change cannot be undone" "the notice was no alert"
for keys in Menu shift+F10; do
  # Down only once the menu shows: pressed sooner, it may reach the board first.
  mark && xdotool key "$keys"
  expect "^object:state-changed:showing:1${T}popup menu${T}" "$keys showed no window menu"
  xdotool key Down
  expect "^focus${T}menu item${T}" "$keys opened no window menu"
  xdotool key Escape && sleep 0.3
done
# Every other tile, row by row, but the last one, at row 9, column 8 (a 7).
focus_window "$gid"
xdotool key Prior Home
r=0
for line in $("$tool" AA1500 | sed -n 3,11p); do
  xdotool key Home
  for c in $(seq 0 8); do
    [ "$r$c" = 87 ] && break 2
    xdotool key "${line:$c:1}" Right
  done
  xdotool key Down
  r=$((r + 1))
done
sleep 1
mark
xdotool key 7
expect "^window:activate${T}alert${T}Congratulations, you win!.*Solved in [0-9]" "the results were no alert with the time"
focus=$(since | sed "/^window:activate${T}alert${T}Congratulations/q" | grep -c "^focus${T}")
echo "focus events from the last digit to the results: $focus"
[ "$focus" -le 3 ] || fail "the victory raised $focus focus events before the results"
stop_process "$pid"

# ---- The window at 150 and 200 %: the cells are where the screen shows them ----
for scale in 1.5 2; do
  fresh_runtime
  export QT_SCALE_FACTOR=$scale
  new_player_game Ada AA1500
  focus_window "$gid"
  mark
  xdotool key Right
  expect "^focus${T}table cell${T}row 1, column 2, " "Right named no cell at $scale"
  check_place "$scale"
  stop_process "$pid"
  unset QT_SCALE_FACTOR
done
exit $status
