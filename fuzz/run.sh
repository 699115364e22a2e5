#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for a bounded time.
#   fuzz/run.sh [SECONDS]   (default 60; FUZZ_SECONDS works too)
# The working corpus and any crash inputs stay in build/fuzz/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-${FUZZ_SECONDS:-60}}"
out=build/fuzz

cmake -S fuzz -B "$out" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$out" -j2

mkdir -p "$out/corpus/user_file" "$out/artifacts"
cp -n fuzz/corpus/*.user "$out/corpus/user_file/" 2>/dev/null || true
"$out/user_file_fuzz" "$out/corpus/user_file" \
  -dict=fuzz/user_file.dict \
  -max_total_time="$seconds" \
  -max_len=65536 \
  -timeout=10 \
  -rss_limit_mb=2048 \
  -print_final_stats=1 \
  -artifact_prefix="$out/artifacts/"
