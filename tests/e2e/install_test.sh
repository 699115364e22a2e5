#!/usr/bin/env bash
# Unpacks the Debian package into a temporary root and starts the game through the
# installed launcher, as the desktop's menu entry would: a new player's working
# folder is made and the game window opens; a player's file already there is left
# alone by a later start.
# Usage: install_test.sh BUILD_FOLDER VERSION (the package test makes the package)
set -u
build=$1 version=$2
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/xvfb_session.sh"
work=$(mktemp -d)
trap 'stop_display; rm -rf "$work"' EXIT
status=0
fail() { echo "FAIL: $*"; status=1; }

deb="$build/velmora-sudoku_${version}_$(dpkg --print-architecture).deb"
dpkg -x "$deb" "$work/root" || { echo "FAIL: dpkg -x $deb"; exit 1; }
prefix="$work/root/usr"
grep -qx 'Exec=velmora-sudoku' "$prefix/share/applications/io.github.velmora.Sudoku.desktop" || fail "menu entry without Exec"
grep -qx 'Icon=io.github.velmora.Sudoku' "$prefix/share/applications/io.github.velmora.Sudoku.desktop" ||
  fail "menu entry without the icon"

start_display 24 || exit 1
start_game() {  # HOME_FOLDER: starts the installed game there and waits for its window
  VELMORA_HOME="$1" "$prefix/games/velmora-sudoku" >/dev/null 2>&1 &
  local pid=$!
  wait_for_window "^Velmora Sudoku" 20 >/dev/null || fail "the installed game showed no window ($1)"
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
}

# A first start: nothing exists yet.
home="$work/home"
start_game "$home"
[ -d "$home/data/users" ] || fail "the first start made no players folder"
[ -z "$(ls -A "$home/data/users" 2>/dev/null)" ] || fail "the first start found players already"
[ -f "$home/art/background640x480.png" ] || fail "the working folder has no art"
[ -f "$home/help.html" ] || fail "the working folder has no help page"
[ "$(ls "$home/data/seeds" | wc -l)" = "100" ] || fail "the working folder lacks seed files"

# A later start leaves a player's file alone.
printf 'gameActive = false;\n' >"$home/data/users/Keep.user"
cp "$home/data/users/Keep.user" "$work/keep.before"
start_game "$home"
cmp -s "$home/data/users/Keep.user" "$work/keep.before" || fail "a player's file was changed by the launcher"
exit $status
