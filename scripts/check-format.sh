#!/usr/bin/env bash
# Fails, naming the places, when a C++ file in src, tools, tests, bench or fuzz
# is not formatted as .clang-format says (run by .ci/run). To format them:
#   scripts/check-format.sh --fix
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -d '' files < <(find src tools tests bench fuzz -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z)
if [ "${1:-}" = "--fix" ]; then
  clang-format -i "${files[@]}"
else
  clang-format --dry-run --Werror "${files[@]}"
fi
