#!/usr/bin/env bash
# Installs the game into a temporary prefix and starts it through the installed
# launcher, as the desktop's menu entry would: the working folder is prepared,
# the game window opens, a player's file already there is left alone, and the
# game runs on X11 unless the player chose another platform. A second start
# while the game runs changes nothing there and ends with status 240.
# Usage: install_test.sh BUILD_FOLDER
set -u
build=$1
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/xvfb_session.sh"
work=$(mktemp -d)
trap 'stop_window_manager; stop_display; rm -rf "$work"' EXIT
status=0
fail() { echo "FAIL: $*"; status=1; }

cmake --install "$build" --prefix "$work/prefix" >/dev/null || { echo "FAIL: cmake --install"; exit 1; }
prefix="$work/prefix"
for file in bin/velmora-sudoku libexec/velmora-sudoku/velmora-sudoku share/velmora-sudoku/help.html \
            share/velmora-sudoku/art/background640x480.png share/velmora-sudoku/data/seeds/0000050000d3.seed \
            share/applications/velmora-sudoku.desktop share/icons/hicolor/64x64/apps/velmora-sudoku.png; do
  [ -e "$prefix/$file" ] || fail "$file was not installed"
done
grep -qx 'Exec=velmora-sudoku' "$prefix/share/applications/velmora-sudoku.desktop" || fail "menu entry without Exec"
grep -qx 'Icon=velmora-sudoku' "$prefix/share/applications/velmora-sudoku.desktop" || fail "menu entry without Icon"

home="$work/home"
mkdir -p "$home/data/users"
printf 'gameActive = false;\n' >"$home/data/users/Keep.user"
cp "$home/data/users/Keep.user" "$work/keep.before"

start_display 24 || exit 1
start_window_manager || fail "no window manager"
VELMORA_HOME="$home" "$prefix/bin/velmora-sudoku" >/dev/null 2>&1 &
pid=$!
wait_for_window "^Velmora Sudoku" 20 >/dev/null || fail "the installed game showed no window"

# A second start: the launcher refreshes nothing while the game runs.
find "$home" -printf '%p %s %T@ %i\n' | sort >"$work/home.before"
VELMORA_HOME="$home" "$prefix/bin/velmora-sudoku" >/dev/null 2>&1 &
second=$!
if box=$(wait_for_window_of "$second" 20); then enter_until_exit "$box" "$second"; else fail "the second start showed nothing"; fi
wait_for_exit "$second" 10
[ "$EXIT_STATUS" = "240" ] || fail "the second start ended with status $EXIT_STATUS, not 240"
find "$home" -printf '%p %s %T@ %i\n' | sort >"$work/home.after"
diff "$work/home.before" "$work/home.after" >/dev/null || fail "the second start changed the working folder"

kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null

[ -f "$home/art/background640x480.png" ] || fail "the working folder has no art"
[ -f "$home/help.html" ] || fail "the working folder has no help page"
[ "$(ls "$home/data/seeds" | wc -l)" = "100" ] || fail "the working folder lacks seed files"
cmp -s "$home/data/users/Keep.user" "$work/keep.before" || fail "a player's file was changed by the launcher"

# The launcher runs the game on X11 (XWayland on a Wayland desktop) unless the
# player chose a platform.
printf '#!/bin/sh\necho "${QT_QPA_PLATFORM:-unset}"\n' >"$work/platform-of"
chmod +x "$work/platform-of"
got=$(env -u QT_QPA_PLATFORM WAYLAND_DISPLAY=wayland-0 VELMORA_HOME="$home" VELMORA_GAME="$work/platform-of" \
      "$prefix/bin/velmora-sudoku")
[ "$got" = "xcb" ] || fail "on a Wayland desktop the launcher starts the game with the platform $got, not xcb"
got=$(QT_QPA_PLATFORM=wayland VELMORA_HOME="$home" VELMORA_GAME="$work/platform-of" "$prefix/bin/velmora-sudoku")
[ "$got" = "wayland" ] || fail "the launcher overrode the player's QT_QPA_PLATFORM=wayland with $got"
exit $status
