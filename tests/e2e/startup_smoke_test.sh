#!/usr/bin/env bash
# The real program under Xvfb: it starts, shows its 640 x 480 window and the
# splash, then the background; a deep-colour (30-bit) screen starts it too; on a
# 16-bit screen it refuses to run (status 252); without its art it stops with status 244.
# An unknown argument gets the usage on stderr and status 2, and the game touches no file.
# Usage: startup_smoke_test.sh GAME RUNTIME_FOLDER SCREENSHOT_FOLDER
set -u
game=$1 runtime=$2 shots=$3
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/xvfb_session.sh"
mkdir -p "$shots"
work=$(mktemp -d)
trap 'stop_display; rm -rf "$work"' EXIT

# Presses Enter on a message box until its program ends (a busy machine may drop
# the first key); sets EXIT_STATUS, 124 when it never ended.
dismiss_until_exit() {
  local id=$1 pid=$2
  for _ in 1 2 3; do
    xdotool windowfocus --sync "$id" key Return 2>/dev/null || xdotool key Return
    poll 5 ended "$pid" && break
  done
  wait_for_exit "$pid" 1
}

# A start that must end at a message box (title TITLE), answered with Enter, with
# the exit status STATUS. Usage: refused_start DEPTH TITLE STATUS SCREENSHOT WHAT [FILE TO REMOVE]
refused_start() {
  start_display "$1" || exit 1
  fresh_runtime
  [ -z "${6:-}" ] || rm -f "$work/run/$6"
  (cd "$work/run" && exec "$game") &
  pid=$!
  if id=$(wait_for_window "$2" 20); then
    import -window root "$shots/$4"
    dismiss_until_exit "$id" "$pid"
  else
    fail "no message box: $5"
    wait_for_exit "$pid" 5
  fi
  [ "$EXIT_STATUS" = "$3" ] || fail "$5 ended with status $EXIT_STATUS, not $3"
  stop_display
}

# 0. An unknown argument, with a display there to start on: refused before any
# file is made (no lock file, no data folder) where the game was started.
start_display 24 || exit 1
mkdir -p "$work/caller"
(cd "$work/caller" && timeout 20 "$game" --bogus >"$work/bogus.out" 2>"$work/bogus.err")
rc=$?
[ "$rc" = 2 ] || fail "--bogus ended with status $rc, not 2"
grep -q "^usage: velmora-sudoku" "$work/bogus.err" || fail "--bogus printed no usage on stderr: $(cat "$work/bogus.err")"
[ ! -s "$work/bogus.out" ] || fail "--bogus printed on stdout: $(cat "$work/bogus.out")"
[ -z "$(ls -A "$work/caller")" ] || fail "--bogus left files where it was started: $(ls -A "$work/caller")"

# 1. A normal start on a 24-bit screen.
fresh_runtime
(cd "$work/run" && VELMORA_LOG="$work/game.log" exec "$game") &
pid=$!
if id=$(wait_for_window "^Velmora Sudoku" 20); then
  size=$(xwininfo -id "$id" | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w "x" h}')
  [ "$size" = "640x480" ] || fail "the game window is $size, not 640x480"
  wait_for_text "$work/game.log" "; splash effect drawn" 20 || fail "the splash was never drawn"
  sleep 1.2
  import -window root "$shots/startup-splash.png"
  wait_for_text "$work/game.log" "timer event received: id=1" 20 || fail "the splash never ended"
  wait_for_window "^(Choose Player|Create New Player)$" 20 >/dev/null || fail "no player window after the splash"
  sleep 0.5
  import -window root "$shots/startup-after-splash.png"
  # The left of the board shows the background picture exactly: no tile is shown before a
  # game, and the Choose Player dialog stands centred on the window, clear of it.
  read -r ox oy < <(origin_of "$id")
  convert "$shots/startup-after-splash.png" -crop "120x400+$((ox + 40))+$((oy + 40))" +repage "$work/board.png"
  convert "$runtime/art/background640x480.png" -crop 120x400+40+40 +repage "$work/expected.png"
  diff_pixels=$(compare -metric AE "$work/board.png" "$work/expected.png" null: 2>&1 || true)
  [ "${diff_pixels%% *}" = "0" ] || fail "the board area differs from the background in $diff_pixels pixels"
  # The splash was drawn while it ran.
  splash_pixels=$(compare -metric AE "$shots/startup-splash.png" "$shots/startup-after-splash.png" null: 2>&1 || true)
  [ "${splash_pixels%% *}" != "0" ] || fail "nothing changed between the splash and after it"
else
  fail "no game window appeared"
fi
stop_process "$pid"
for line in ": app started" ": client visible" ": draw pass 0; region; " "timer event received: id=5" \
            "; splash effect drawn" "timer event received: id=1" "load data result: data path: "; do
  grep -q -F "$line" "$work/game.log" || fail "the log lacks \"$line\""
done
grep -q $'\r$' "$work/game.log" || fail "log lines do not end in CR LF"
stop_display

# 2. A deep-colour screen (30 bits): the game window opens.
start_display 30 || exit 1
fresh_runtime
(cd "$work/run" && exec "$game") &
pid=$!
if id=$(wait_for_window "^(Velmora Sudoku|Invalid Desktop Format)$" 20); then
  size=$(xwininfo -id "$id" | awk '/Width:/{w=$2} /Height:/{h=$2} END{print w "x" h}')
  name=$(xprop -id "$id" WM_NAME)
  [ "$size" = "640x480" ] || fail "a 30-bit screen shows $name at $size, not the 640x480 game window"
else
  fail "no window on a 30-bit screen"
fi
stop_process "$pid"
stop_display

# 3. A 16-bit screen: the colour-depth box, then status 252.
refused_start 16 "Invalid Desktop Format" 252 startup-16bit.png "a 16-bit screen"

# 4. Missing art: the re-install message, then status 244.
refused_start 24 "^Velmora Sudoku" 244 startup-no-art.png "missing art" art/background640x480.png
exit $status
