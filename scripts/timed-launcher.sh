#!/usr/bin/env bash
# A compiler, linker and custom-command launcher that logs the wall time of each
# step of a build: one line "<seconds> <kind> <output or command>" appended to
# $VELMORA_BUILD_TIMES (default: build-times.log in the current folder).
# Used by scripts/build-times.sh; not part of an ordinary build.
kind=$1; shift
log=${VELMORA_BUILD_TIMES:-build-times.log}
out=""
prev=""
for a in "$@"; do
  if [ "$prev" = "-o" ]; then out=$a; fi
  prev=$a
done
[ -n "$out" ] || out="$*"
start=$(date +%s.%N)
"$@"
rc=$?
end=$(date +%s.%N)
printf '%.2f %s %s\n' "$(echo "$end - $start" | bc)" "$kind" "${out:0:200}" >>"$log"
exit $rc
