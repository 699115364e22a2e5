#!/usr/bin/env bash
# Starts the game in the player's own working folder, refreshed from the build:
# the art, the seed tables and the help page are replaced at every start, the
# players' files in data/users/ are never touched.
set -euo pipefail
build=${1:-build}
home=${VELMORA_HOME:-${XDG_DATA_HOME:-$HOME/.local/share}/velmora-sudoku}
runtime="$build/runtime"

mkdir -p "$home/data/users" "$home/data/seeds"
rm -rf "$home/art"
cp -r "$runtime/art" "$home/art"
cp "$runtime"/data/seeds/*.seed "$home/data/seeds/"
if [ -f "$runtime/help.html" ]; then cp "$runtime/help.html" "$home/help.html"; fi

game="$(cd "$build" && pwd)/velmora-sudoku"
cd "$home"
exec "$game"
