#!/usr/bin/env bash
# `make play`: the launcher of an installed game, pointed at the build.
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
VELMORA_SHARE_DIR="$build/runtime" VELMORA_GAME="$build/velmora-sudoku" exec "$here/velmora-sudoku.in"
