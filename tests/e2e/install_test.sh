#!/usr/bin/env bash
# Unpacks the Debian package into a temporary root and starts the game through the
# installed launcher, as the desktop's menu entry would: a new player's working
# folder is made and the game window opens; a player's file already there is left
# alone by a later start; a second start while the game runs changes nothing there
# and ends with status 240; the game runs on X11 unless the player chose another
# platform.
# Usage: install_test.sh BUILD_FOLDER VERSION (the package test makes the package)
set -u
build=$1 version=$2
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/xvfb_session.sh"
make_work_folder

deb="$build/velmora-sudoku_${version}_$(dpkg --print-architecture).deb"
dpkg -x "$deb" "$work/root" || { echo "FAIL: dpkg -x $deb"; exit 1; }
prefix="$work/root/usr"
grep -qx 'Exec=velmora-sudoku' "$prefix/share/applications/io.github.velmora.Sudoku.desktop" || fail "menu entry without Exec"
grep -qx 'Icon=io.github.velmora.Sudoku' "$prefix/share/applications/io.github.velmora.Sudoku.desktop" ||
  fail "menu entry without the icon"

start_display 24 || exit 1
start_window_manager || fail "no window manager"
start_game() {  # HOME_FOLDER: starts the installed game there and waits for its window
  VELMORA_HOME="$1" "$prefix/games/velmora-sudoku" >/dev/null 2>"$work/game.err" &
  game_pid=$!
  wait_for_window_while "$game_pid" "^Velmora Sudoku" 120 >/dev/null ||
    fail "the installed game showed no window ($1): $(cat "$work/game.err")"
}
stop_game() { stop_process "$game_pid"; }

# A first start: nothing exists yet.
home="$work/home"
start_game "$home"

# A second start while the game runs: the launcher refreshes nothing.
find "$home" -printf '%p %s %T@ %i\n' | sort >"$work/home.before"
VELMORA_HOME="$home" "$prefix/games/velmora-sudoku" >/dev/null 2>&1 &
second=$!
if box=$(wait_for_window_of "$second" 120); then enter_until_exit "$box" "$second"; else fail "the second start showed nothing"; fi
wait_for_exit "$second" 60
[ "$EXIT_STATUS" = "240" ] || fail "the second start ended with status $EXIT_STATUS, not 240"
find "$home" -printf '%p %s %T@ %i\n' | sort >"$work/home.after"
diff "$work/home.before" "$work/home.after" >/dev/null || fail "the second start changed the working folder"
stop_game
[ -d "$home/data/users" ] || fail "the first start made no players folder"
[ -z "$(ls -A "$home/data/users" 2>/dev/null)" ] || fail "the first start found players already"
[ -f "$home/art/background640x480.png" ] || fail "the working folder has no art"
[ -f "$home/help.html" ] || fail "the working folder has no help page"
[ "$(ls "$home/data/seeds" | wc -l)" = "100" ] || fail "the working folder lacks seed files"

# A later start leaves a player's file alone.
printf 'gameActive = false;\n' >"$home/data/users/Keep.user"
cp "$home/data/users/Keep.user" "$work/keep.before"
start_game "$home"
stop_game
cmp -s "$home/data/users/Keep.user" "$work/keep.before" || fail "a player's file was changed by the launcher"

# The launcher runs the game on X11 (XWayland on a Wayland desktop) unless the
# player chose a platform.
printf '#!/bin/sh\necho "${QT_QPA_PLATFORM:-unset}"\n' >"$work/platform-of"
chmod +x "$work/platform-of"
got=$(env -u QT_QPA_PLATFORM WAYLAND_DISPLAY=wayland-0 VELMORA_HOME="$home" VELMORA_GAME="$work/platform-of" \
      "$prefix/games/velmora-sudoku")
[ "$got" = "xcb" ] || fail "on a Wayland desktop the launcher starts the game with the platform $got, not xcb"
got=$(QT_QPA_PLATFORM=wayland VELMORA_HOME="$home" VELMORA_GAME="$work/platform-of" "$prefix/games/velmora-sudoku")
[ "$got" = "wayland" ] || fail "the launcher overrode the player's QT_QPA_PLATFORM=wayland with $got"
exit $status
