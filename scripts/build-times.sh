#!/usr/bin/env bash
# Times a fresh Release build step by step: configures DIR (build-times/ unless
# given) from nothing with every compile, link and custom command going through
# scripts/timed-launcher.sh, builds it with -j2, and prints the wall time, the
# time summed by kind and by target, and the slowest steps. Extra arguments go to
# cmake (for example -DVELMORA_WERROR=ON).
# Usage: scripts/build-times.sh [DIR] [CMAKE ARGUMENTS...]
set -euo pipefail
cd "$(dirname "$0")/.."
dir=$(realpath -m "${1:-build-times}")
shift || true
rm -rf "$dir"
mkdir -p "$dir"
export VELMORA_BUILD_TIMES="$dir/build-times.log"
start=$(date +%s.%N)
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DCMAKE_PROJECT_INCLUDE="$PWD/scripts/build-times.cmake" "$@" >"$dir/configure.log"
cmake --build "$dir" -j2 >"$dir/build.log" 2>&1
end=$(date +%s.%N)
printf 'configure and build, -j2: %.0f s wall\n' "$(echo "$end - $start" | bc)"
echo "summed by kind (seconds):"
awk '{s[$2] += $1} END {for (k in s) printf "  %-8s %7.1f\n", k, s[k]}' "$VELMORA_BUILD_TIMES"
echo "compile time summed by target (seconds, files):"
awk '$2 == "compile" {n = split($3, a, "/"); t = "?"; for (i = 1; i <= n; i++) if (a[i] ~ /\.dir$/) t = a[i];
     sub(/\.dir$/, "", t); s[t] += $1; c[t]++}
     END {for (k in s) printf "  %7.1f %3d %s\n", s[k], c[k], k}' "$VELMORA_BUILD_TIMES" | sort -rn | head -15
echo "slowest steps (seconds):"
sort -rn "$VELMORA_BUILD_TIMES" | head -10 | sed 's/^/  /'
