#!/usr/bin/env bash
# Prints a booklet of four known puzzles, four to a page, with their solutions,
# and reads the PDF back as positioned words (pdftotext -bbox): each Puzzle Code
# sits under its grid and every digit of the puzzle (then of the solution) stands
# in its own row and column. Bad arguments end with status 2 and leave no file,
# nor replace one that is not a regular file.
# Usage: booklet_test.sh PUZZLE_TOOL EXPECTED_OUTPUTS (the puzzle tool's expected text)
set -u
tool=$1 expected=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
fail() { echo "FAIL: $*"; status=1; }

codes=(AA AB41 AB007 BA7)
# Expected grids from the independently made outputs: CODE, then nine rows.
for code in "${codes[@]}"; do
  block=$(awk -v head="\$ velmora-puzzle $code" '$0 == head {on = 1; next} on && /^$/ {exit} on {print}' "$expected")
  [ -n "$block" ] || { echo "FAIL: no expected output for $code"; exit 1; }
  echo "$code $(echo "$block" | sed -n 12,20p | tr '\n' ' ')" >>"$work/puzzles"
  echo "$code $(echo "$block" | sed -n 3,11p | tr '\n' ' ')" >>"$work/solutions"
done

LC_ALL=C "$tool" --booklet "$work/b.pdf" "${codes[@]}" --per-page 4 --solutions || fail "the booklet was not made"
[ "$(pdfinfo "$work/b.pdf" | awk '/^Pages:/ {print $2}')" = 2 ] || fail "not one page of puzzles and one of solutions"
pdfinfo "$work/b.pdf" | grep -q '^Page size: *595 x 842 pts (A4)' || fail "the C locale's paper is not A4"

# Checks one page against the expected grids: the digits above each code, ranked by
# position, must be exactly the grid's digits in their rows and columns.
check_page() {
  local page=$1 grids=$2
  pdftotext -bbox -f "$page" -l "$page" "$work/b.pdf" "$work/page$page.html" || { fail "pdftotext page $page"; return; }
  awk -v page="$page" '
    function num(s, key) { match(s, key "=\"[0-9.]+\""); return substr(s, RSTART + length(key) + 2, RLENGTH - length(key) - 3) + 0 }
    FNR == NR {  # expected grids
      code[++n] = $1; for (r = 1; r <= 9; r++) row[n, r] = $(r + 1); next
    }
    /<word / {
      w = $0; sub(/.*">/, "", w); sub(/<\/word>.*/, "", w)
      x = (num($0, "xMin") + num($0, "xMax")) / 2; y = (num($0, "yMin") + num($0, "yMax")) / 2
      if (w ~ /^[1-9]$/) { dn++; dv[dn] = w; dx[dn] = x; dy[dn] = y }
      else if (w ~ /^[A-C][A-D][0-9]*$/) { ln++; lw[ln] = w; lx[ln] = x; ly[ln] = num($0, "yMin") }
    }
    END {
      bad = 0
      for (i = 1; i <= n; i++) {
        found = 0
        for (l = 1; l <= ln; l++) if (lw[l] == code[i]) found = l
        if (!found) { print "FAIL: page " page " has no code " code[i]; bad = 1; continue }
        label[i] = found
      }
      if (bad) exit 1
      # Each digit belongs to the nearest code below it in its column of grids.
      for (d = 1; d <= dn; d++) {
        best = 0; near = -1
        for (i = 1; i <= n; i++) {
          l = label[i]; if (ly[l] <= dy[d]) continue
          ax = dx[d] > lx[l] ? dx[d] - lx[l] : lx[l] - dx[d]
          if (near < 0 || ax < near) near = ax
        }
        for (i = 1; i <= n; i++) {
          l = label[i]; if (ly[l] <= dy[d]) continue
          ax = dx[d] > lx[l] ? dx[d] - lx[l] : lx[l] - dx[d]
          if (ax <= near + 1 && (!best || ly[l] - dy[d] < gap)) { best = i; gap = ly[l] - dy[d] }
        }
        owner[d] = best  # 0 below every grid: the page number
      }
      for (i = 1; i <= n; i++) {
        # Occupied rows and columns of the expected grid, in order.
        delete rowUsed; delete colUsed; givens = 0
        for (r = 1; r <= 9; r++) for (c = 1; c <= 9; c++) if (substr(row[i, r], c, 1) != ".") { rowUsed[r] = 1; colUsed[c] = 1; givens++ }
        nr = 0; nc = 0; delete rowAt; delete colAt
        for (r = 1; r <= 9; r++) if (r in rowUsed) rowAt[++nr] = r
        for (c = 1; c <= 9; c++) if (c in colUsed) colAt[++nc] = c
        # Distinct positions of the digits (within 2 points), ranked.
        delete xs; delete ys; nx = 0; ny = 0; count = 0
        for (d = 1; d <= dn; d++) if (owner[d] == i) {
          count++
          hit = 0; for (k = 1; k <= nx; k++) if (dx[d] - xs[k] < 2 && xs[k] - dx[d] < 2) hit = 1
          if (!hit) xs[++nx] = dx[d]
          hit = 0; for (k = 1; k <= ny; k++) if (dy[d] - ys[k] < 2 && ys[k] - dy[d] < 2) hit = 1
          if (!hit) ys[++ny] = dy[d]
        }
        if (count != givens || nx != nc || ny != nr) {
          printf "FAIL: page %d, %s: %d digits in %d columns and %d rows, expected %d in %d and %d\n", page, code[i], count, nx, ny, givens, nc, nr
          bad = 1; continue
        }
        delete seen
        for (d = 1; d <= dn; d++) if (owner[d] == i) {
          cr = 1; for (k = 1; k <= nx; k++) if (xs[k] < dx[d] - 2) cr++
          rr = 1; for (k = 1; k <= ny; k++) if (ys[k] < dy[d] - 2) rr++
          r = rowAt[rr]; c = colAt[cr]
          if (substr(row[i, r], c, 1) != dv[d] || ((r, c) in seen)) {
            printf "FAIL: page %d, %s: digit %s at row %d column %d, expected %s\n", page, code[i], dv[d], r, c, substr(row[i, r], c, 1)
            bad = 1
          }
          seen[r, c] = 1
        }
      }
      exit bad
    }' "$grids" "$work/page$page.html" || status=1
}
check_page 1 "$work/puzzles"
check_page 2 "$work/solutions"

"$tool" --booklet "$work/letter.pdf" --type 0 --difficulty 1 --counter 7 --count 3 --per-page 6 --paper letter ||
  fail "a booklet from a counter was not made"
pdfinfo "$work/letter.pdf" 2>/dev/null | grep -q '^Page size: *612 x 792 pts (letter)' || fail "--paper letter is not Letter"
[ "$(pdftotext "$work/letter.pdf" - | grep -c '^Puzzle AB')" = 3 ] || fail "a counter booklet lacks its three codes"

# Bad arguments: status 2 with a message; a failed build: status 3. No file either way.
expect_refusal() {
  local want=$1; shift
  rm -rf "$work/out"; mkdir "$work/out"
  "$tool" --booklet "$work/out/x.pdf" "$@" >/dev/null 2>"$work/err"
  local got=$?
  [ "$got" = "$want" ] || fail "--booklet $* exited $got, expected $want"
  [ -s "$work/err" ] || fail "--booklet $* gave no message"
  [ -z "$(ls -A "$work/out")" ] || fail "--booklet $* left $(ls "$work/out")"
}
expect_refusal 2 --type 0 --difficulty 0 --count 0
expect_refusal 2 --type 0 --difficulty 0 --count 101
expect_refusal 2 --type 0 --difficulty 0 --per-page 3
expect_refusal 2 --type 0 --difficulty 0 --paper a5
expect_refusal 2 --type 0
expect_refusal 2 AA aa1
expect_refusal 2 AA --type 0 --difficulty 0
expect_refusal 2 AA --frobnicate
expect_refusal 3 AA AD1500   # Expert without the seed tables cannot be prepared
expect_refusal 2 AD1500 --seeds ""
# A missing file name: the option after --booklet is not taken for one.
rm -rf "$work/out"; mkdir "$work/out"
(cd "$work/out" && "$tool" --booklet --solutions AA) >/dev/null 2>&1
[ $? = 2 ] || fail "--booklet --solutions AA did not exit 2"
[ -z "$(ls -A "$work/out")" ] || fail "--booklet --solutions AA left $(ls -A "$work/out")"
# The booklet is renamed over its name when complete, so a name taken by anything
# but a regular file is refused and left as it was: a pipe, a device node made like
# /dev/null (here, never the real one; root only) and links to them.
mkdir "$work/taken"
mkfifo "$work/taken/pipe" && ln -s pipe "$work/taken/to-pipe"
mknod "$work/taken/null" c 1 3 2>/dev/null && ln -s null "$work/taken/to-null"
before=$(stat -c '%n %F' "$work/taken"/*)
for name in pipe to-pipe null to-null; do
  [ -L "$work/taken/$name" ] || [ -e "$work/taken/$name" ] || continue
  timeout 20 "$tool" --booklet "$work/taken/$name" AA >/dev/null 2>"$work/err"
  got=$?
  [ "$got" = 2 ] || fail "a booklet over $name exited $got, expected 2"
  [ -s "$work/err" ] || fail "a booklet over $name gave no message"
done
[ "$(stat -c '%n %F' "$work/taken"/*)" = "$before" ] || fail "a booklet replaced: $(stat -c '%n %F' "$work/taken"/*)"
# A link to a regular file is written through: the file gets the booklet, the link stays.
echo old >"$work/taken/file" && ln -s file "$work/taken/to-file"
"$tool" --booklet "$work/taken/to-file" AA >/dev/null 2>&1 || fail "a booklet through a link to a file was refused"
[ -L "$work/taken/to-file" ] && pdfinfo "$work/taken/file" >/dev/null 2>&1 ||
  fail "a booklet through a link to a file did not land in the file"
"$tool" --booklet "$work/missing/x.pdf" AA >/dev/null 2>&1
[ $? = 2 ] || fail "a booklet into a missing folder did not exit 2"
exit $status
