#!/usr/bin/env bash
# Arguments the seed table tool must refuse with its usage text and status 2
# before doing any work: numbers that are not whole numbers in range, and a folder
# that is empty or is really an option.
# Usage: seedgen_test.sh SEEDGEN_TOOL SOURCE_ROOT (where data/seeds lives)
set -u
tool=$1 root=$2
status=0
fail() { echo "FAIL: $*"; status=1; }
err=$(mktemp)
trap 'rm -f "$err"' EXIT

# RUNNER... -- ARGS: the tool, run through RUNNER if one is given, must exit 2 with its usage.
expect_usage() {
  local runner=()
  while [ "$1" != -- ]; do runner+=("$1"); shift; done
  shift
  (cd "$root" && timeout 20 "${runner[@]}" "$tool" "$@") >/dev/null 2>"$err"
  local got=$?
  [ "$got" = 2 ] || fail "velmora-seedgen ${*@Q} exited $got, expected 2"
  grep -q '^usage: velmora-seedgen' "$err" || fail "velmora-seedgen ${*@Q} did not print its usage"
}
# Each of these would check one entry and succeed if the number were read only in part
# or wrapped round.
expect_usage -- check data/seeds --sample 1 --jobs 2x
expect_usage -- check data/seeds --sample 4294967297
expect_usage -- check ""
expect_usage -- check --first
# An empty folder once became "/": run generate where "/" cannot be written (as
# nobody when root), so that a fault shows as a failed write, never as files in "/".
unprivileged=()
[ "$(id -u)" = 0 ] && unprivileged=(setpriv --reuid=65534 --regid=65534 --clear-groups)
if "${unprivileged[@]}" "$tool" >/dev/null 2>&1; [ $? = 2 ]; then
  expect_usage "${unprivileged[@]}" -- generate "" --jobs 1
else
  echo "skipped: generate \"\" (the tool cannot be run unprivileged here)"
fi
exit $status
