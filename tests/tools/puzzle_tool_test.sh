#!/usr/bin/env bash
# Drives the puzzle tool as another program would and compares its fixed output.
set -u
tool="$1"
root="$2"  # commands run from the source folder, where data/seeds lives
here="$(cd "$(dirname "$0")" && pwd)"
status=0
fail() { echo "FAIL: $*"; status=1; }

# Expected outputs: each block starts with "$ velmora-puzzle ARGS" and ends at a blank line.
actual=$(mktemp)
trap 'rm -f "$actual"' EXIT
while IFS= read -r line; do
  case "$line" in
    '$ velmora-puzzle '*)
      args=${line#'$ velmora-puzzle '}
      echo "$line" >>"$actual"
      # shellcheck disable=SC2086
      (cd "$root" && "$tool" $args) >>"$actual" 2>&1 || echo "exit $?" >>"$actual"
      echo >>"$actual"
      ;;
  esac
done <"$here/puzzle_tool_expected.txt"
if ! diff -u "$here/puzzle_tool_expected.txt" "$actual"; then fail "output differs from puzzle_tool_expected.txt"; fi

expect_exit() {
  local want=$1; shift
  "$tool" "$@" >/dev/null 2>"$actual.err"
  local got=$?
  [ "$got" -eq "$want" ] || fail "velmora-puzzle $* exited $got, expected $want"
  if [ "$want" -ne 0 ] && [ ! -s "$actual.err" ]; then fail "velmora-puzzle $* printed nothing to stderr"; fi
  rm -f "$actual.err"
}
expect_exit 2
expect_exit 2 aa1
expect_exit 2 AD50000
expect_exit 2 AA000000
expect_exit 2 AA1 AA2
expect_exit 2 --counter
expect_exit 2 --counter x --type 0 --difficulty 0
expect_exit 2 --counter 5x --type 0 --difficulty 0
expect_exit 2 --counter 4294967296 --type 0 --difficulty 0
expect_exit 2 --counter 5 --type 3 --difficulty 0
expect_exit 2 --counter 5 --type 0 --difficulty 4
expect_exit 2 --counter 5 --type 0
expect_exit 2 --bogus
expect_exit 0 --counter 4294967295 --type 2 --difficulty 3
# With the zero-filled table most Expert codes cannot be prepared.
"$tool" AD123 >/dev/null 2>"$actual.err"; got=$?
[ "$got" -eq 3 ] || fail "AD123 without seeds exited $got, expected 3"
grep -qx 'PREPARE LIMIT EXCEEDED!' "$actual.err" || fail "AD123 without seeds did not print PREPARE LIMIT EXCEEDED!"
rm -f "$actual.err"
# With the seed tables every Hard and Expert code builds; a sample of them.
for code in AC0 AD0 BC49999 BD49999 AD1 BC777 AD31415 BD27182 AC12345 BD999; do
  (cd "$root" && "$tool" "$code" --seeds data/seeds) >/dev/null 2>&1 || fail "$code with --seeds did not build"
done
expect_exit 2 AA1 --seeds /nonexistent-folder
expect_exit 2 AA1 --seeds ""
# A pipe in a seed file's place is passed over, named, and never waited on.
fifo_dir=$(mktemp -d)
mkfifo "$fifo_dir/0000001000d2.seed"
timeout 20 "$tool" AA1 --seeds "$fifo_dir" >/dev/null 2>"$actual.err"; got=$?
[ "$got" -eq 2 ] || fail "a pipe as the only seed file: exited $got, expected 2 (124 means it hung)"
grep -q "$fifo_dir/0000001000d2.seed" "$actual.err" || fail "the pipe's path was not named on stderr"
rm -rf "$fifo_dir" "$actual.err"
exit $status
