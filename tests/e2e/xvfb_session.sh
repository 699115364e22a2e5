# Shared by the end-to-end scripts: a private X display for the real program.
# Usage: source this file, then `start_display DEPTH` sets DISPLAY; `stop_display` ends it.
# The waits for something that should happen are long (a loaded machine or a
# sanitizer build is slow) and end as soon as it has happened, or as soon as
# the process it waits for has ended, so that they cost time only on a failure.

# The game takes its window size from the desktop user's settings
# ($XDG_CONFIG_HOME/velmora-sudoku/velmora-sudoku.conf): the tests and benchmarks
# run without any (XDG_CONFIG_HOME names no folder), so that a size chosen by
# whoever runs them changes nothing, unless VELMORA_CONFIG_HOME names a folder.
export XDG_CONFIG_HOME=${VELMORA_CONFIG_HOME:-/dev/null/no-settings}

# `fail WHAT` reports a failed check and goes on; the script ends with `exit $status`.
status=0
fail() { echo "FAIL: $*"; status=1; }

# Runs a command every tenth of a second until it succeeds, for up to SECONDS seconds.
# (Counted in tries, so a slow command makes the wait longer, never shorter.)
poll() {
  local tries=$(($1 * 10))
  shift
  for _ in $(seq 1 "$tries"); do
    "$@" && return 0
    sleep 0.1
  done
  return 1
}
ended() { ! kill -0 "$1" 2>/dev/null; }
# Runs a command every tenth of a second until it succeeds, for up to SECONDS
# seconds while the process lives: fails at once when it has ended.
poll_while() {  # PID SECONDS COMMAND...
  local pid=$1 tries=$(($2 * 10))
  shift 2
  for _ in $(seq 1 "$tries"); do
    "$@" && return 0
    ended "$pid" && return 1
    sleep 0.1
  done
  return 1
}
stop_process() { kill "$1" 2>/dev/null; wait "$1" 2>/dev/null; }

# A fresh copy of the runtime folder ($runtime) at $work/run, without players.
fresh_runtime() {
  rm -rf "$work/run"
  cp -r "$runtime" "$work/run"
  rm -rf "$work/run/data/users"
  mkdir -p "$work/run/data/users"
}

# Every server gets a display number never handed out recently, by any script: a
# counter in /tmp, shared by all scripts under a lock, goes round 100..3099 and skips
# numbers whose lock or socket file exists. The lowest free number will not do: when
# several scripts start and stop servers at once, a server that is shutting down
# would hand its number to another script's new server while it still holds the
# number's sockets, and that server's clients could then not connect. A number taken
# all the same (the server ends at once) moves on to the next.
next_display_number() {
  local counter=/tmp/velmora-e2e-display-counter n number
  (
    flock 9
    n=$(cat "$counter" 2>/dev/null)
    [[ $n =~ ^[0-9]+$ ]] || n=$(($$ % 3000))
    for _ in $(seq 1 3000); do
      n=$(((n + 1) % 3000))
      number=$((100 + n))
      [ -e "/tmp/.X$number-lock" ] || [ -e "/tmp/.X11-unix/X$number" ] || break
    done
    echo "$n" >"$counter"
    echo "$number"
  ) 9>>"$counter.lock"
}

start_display() {
  local depth=$1 file number try
  file=$(mktemp)
  for try in 1 2 3 4 5 6 7 8; do
    number=$(next_display_number)
    : >"$file"
    # Xvfb writes the number once it accepts clients.
    # VELMORA_XVFB_SCREEN gives another screen size (1600x1200 for a window scaled by 2).
    Xvfb ":$number" -displayfd 3 -screen 0 "${VELMORA_XVFB_SCREEN:-1024x768}x$depth" -nolisten tcp \
      3>"$file" >/dev/null 2>&1 &
    XVFB_PID=$!
    if poll_while "$XVFB_PID" 60 test -s "$file"; then
      export DISPLAY=":$number"
      rm -f "$file"
      return 0
    fi
    ended "$XVFB_PID" || break
  done
  rm -f "$file"
  echo "could not start Xvfb" >&2
  return 1
}

stop_display() {
  [ -n "${XVFB_PID:-}" ] && stop_process "$XVFB_PID"
  XVFB_PID=""
}

# The first visible window whose title matches, or a failure.
window_named() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 | grep .; }
# Waits for a window whose title matches; prints its id.
wait_for_window() { poll "${2:-20}" window_named "$1"; }
# The same while a process lives: fails at once when it has ended.
wait_for_window_while() { poll_while "$1" "${3:-60}" window_named "$2"; }  # PID PATTERN [SECONDS]

# Waits for a child process to end and sets EXIT_STATUS (124 when it did not end in
# time, and it is then stopped). Not for use inside $(...): only this shell can
# collect its own children's status.
wait_for_exit() {
  if poll "${2:-20}" ended "$1"; then
    wait "$1"
    EXIT_STATUS=$?
  else
    stop_process "$1"
    EXIT_STATUS=124
  fi
}

# Waits until a file holds a line with the text.
wait_for_text() { poll "${3:-20}" grep -qsF -e "$2" "$1"; }

# A window manager, so that windows can be closed as a person closes them. It is
# ready once it has announced itself on the screen (what wmctrl -m reads).
# openbox now and then ends at once when several start together on a loaded
# machine (it says why on stderr, shown here): it is then started again.
start_window_manager() {
  local try log
  log=$(mktemp)
  for try in 1 2 3; do
    openbox --sm-disable >/dev/null 2>"$log" &
    WM_PID=$!
    if poll_while "$WM_PID" 60 wmctrl -m >/dev/null 2>&1; then
      rm -f "$log"
      return 0
    fi
    if ! ended "$WM_PID"; then
      echo "openbox did not announce itself" >&2
      rm -f "$log"
      return 1
    fi
    echo "openbox ended at its start (try $try): $(tr '\n' ' ' <"$log")" >&2
  done
  rm -f "$log"
  return 1
}

stop_window_manager() {
  [ -n "${WM_PID:-}" ] && stop_process "$WM_PID"
  WM_PID=""
}

# "LEFT TOP" of a window's client area on the screen ("none" without a window:
# xwininfo without an id waits for a click).
origin_of() {
  [ -n "$1" ] || { echo "none"; return; }
  xwininfo -id "$1" | awk '/Absolute upper-left X:/{x=$4} /Absolute upper-left Y:/{y=$4} END{print x, y}'
}

# The outer frame of a window: "left top width height", from its client area
# (xwininfo) and the border and caption the window manager reports around it.
frame_of() {
  local id=$1 x y w h l r t b
  [ -n "$id" ] || { echo "0 0 0 0"; return; }  # (xwininfo without an id waits for a click)
  read -r x y w h < <(xwininfo -id "$id" | awk '/Absolute upper-left X:/{x=$4} /Absolute upper-left Y:/{y=$4}
                                               /Width:/{w=$2} /Height:/{h=$2} END{print x, y, w, h}')
  read -r l r t b < <(xprop -id "$id" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
  echo "$((x - l)) $((y - t)) $((w + l + r)) $((h + t + b))"
}

# Waits until a window's client area stops moving (the window manager has placed it).
settle() {
  local id=$1 last="" now
  [ -n "$id" ] || return 1
  for _ in $(seq 1 30); do
    now=$(origin_of "$id")
    [ "$now" = "$last" ] && return 0
    last=$now
    sleep 0.1
  done
}

# Checks that window $2's frame is centred on window $1's frame within 2 px.
check_centred() {
  local outer=$1 inner=$2 what=$3 ox oy ow oh ix iy iw ih dx dy
  read -r ox oy ow oh < <(frame_of "$outer")
  read -r ix iy iw ih < <(frame_of "$inner")
  dx=$(( (2 * ix + iw) - (2 * ox + ow) )) dy=$(( (2 * iy + ih) - (2 * oy + oh) ))  # twice the offset
  echo "$what: frame $ix,$iy ${iw}x$ih on $ox,$oy ${ow}x$oh"
  [ "${dx#-}" -le 4 ] && [ "${dy#-}" -le 4 ] || fail "$what is off the game window's centre by ($((dx / 2)), $((dy / 2))) px"
}

# Clicks at a point of a window's client area.
click_in() {
  local id=$1 x=$2 y=$3 ox oy
  read -r ox oy < <(origin_of "$id")
  # x and y are the window's own coordinates; a scaled program (QT_SCALE_FACTOR) has more screen pixels.
  x=$(awk -v v="$x" -v s="${QT_SCALE_FACTOR:-1}" 'BEGIN { printf "%d", v * s }')
  y=$(awk -v v="$y" -v s="${QT_SCALE_FACTOR:-1}" 'BEGIN { printf "%d", v * s }')
  xdotool mousemove --sync $((ox + x)) $((oy + y)) click 1
}

# Brings a window to the front and gives it the keyboard.
focus_window() {
  xdotool windowactivate --sync "$1" >/dev/null 2>&1 || xdotool windowfocus --sync "$1" >/dev/null 2>&1
}

# Waits for the first visible window of a process while it lives; prints its id.
window_of() { xdotool search --onlyvisible --pid "$1" 2>/dev/null | head -1 | grep .; }
wait_for_window_of() { poll_while "$1" "${2:-20}" window_of "$1"; }

# Brings a window to the front and tells whether it has the keyboard.
has_focus() { focus_window "$1"; [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }

# Presses Enter in a window of a process until the process ends, for up to
# SECONDS (60 by default), each time only once that window has the keyboard (so
# that no other window gets the key); after a press the process has 10 s to end
# before the next one.
enter_until_exit() {
  local id=$1 pid=$2 seconds=${3:-60} start=$SECONDS
  while ! ended "$pid" && [ $((SECONDS - start)) -lt "$seconds" ]; do
    if has_focus "$id"; then
      xdotool key Return
      poll 10 ended "$pid" && return 0
    else
      sleep 0.1
    fi
  done
  ended "$pid"
}

# Starts the game in $work/run for a new player NAME, passes the introduction and
# begins the puzzle CODE from New Game: sets `pid` (the game), `gid` (its window)
# and `begun_by` (a time before the game began), or fails the script.
new_player_game() {
  local name=$1 code=$2 id
  (cd "$work/run" && exec "$game" 2>/dev/null) &
  pid=$!
  id=$(wait_for_window "^Create New Player$" 30) || { fail "no Create New Player dialog"; exit 1; }
  click_in "$id" 120 62
  xdotool type --delay 50 "$name"
  click_in "$id" 180 154
  for _ in $(seq 1 14); do
    id=$(wait_for_window "^(Welcome|Color|View Tutorial|Basics|Game Board|Rule 1: Blocks|Rule 2: Columns|Rule 3: Rows|Examples|Wrap Up)$" 5) || break
    focus_window "$id"
    xdotool key Return
    sleep 0.4
  done
  id=$(wait_for_window "^New Game$" 20) || { fail "no New Game dialog"; exit 1; }
  click_in "$id" 238 437
  xdotool type --delay 50 "$code"
  begun_by=$(date +%s%3N)  # the game's clock starts after this (ms since the epoch)
  click_in "$id" 373 425
  gid=$(wait_for_window "^Velmora Sudoku - Puzzle ${code^^}$" 20) || { fail "the game ${code^^} did not begin"; exit 1; }
  sleep 1
}

# A scratch folder ($work) for a script, removed with its X server and window
# manager when the script ends. Scripts that must also stop programs of their own
# set a trap of their own instead.
make_work_folder() {
  work=$(mktemp -d)
  trap 'stop_window_manager; stop_display; rm -rf "$work"' EXIT
}

# `need COMMAND...` stops the script when a check that everything after it relies on fails.
need() { "$@" || { echo "FAIL (stopping): $*"; exit 1; }; }

# The window menu's entries by their keys: `menu_keys KEY... [-- KEY...]` right-clicks
# off the board of $gid (process $pid), presses each key once its menu is open (menus
# are windows of the game's own), the keys after -- at once, and waits for the menus to close.
windows_are() { [ "$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l)" = "$1" ]; }
menu_keys() {
  local before open ox oy
  before=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l) open=$before
  focus_window "$gid"
  read -r ox oy < <(origin_of "$gid")
  xdotool mousemove $((ox + 600)) $((oy + 300)) click 3
  while [ $# -gt 0 ]; do
    open=$((open + 1))
    poll 20 windows_are "$open" || { fail "no menu for the key $1"; return 1; }
    [ "$1" = -- ] && { shift; xdotool key "$@"; break; }
    xdotool key "$1"
    shift
  done
  poll 20 windows_are "$before" || fail "the menus stayed open"
}

# Presses Enter in the window titled TITLE (a pattern): `answer TITLE [WHAT]`.
answer() {
  local id
  id=$(wait_for_window "$1" 30) || { fail "no dialog $1${2:+: $2}"; return 1; }
  focus_window "$id"
  xdotool key Return
  sleep 0.3
}
