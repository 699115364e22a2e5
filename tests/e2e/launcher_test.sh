#!/usr/bin/env bash
# The installed launcher when the working folder cannot be refreshed or its lock
# file is not a plain file. A stand-in game records where and how it was started
# and what art, seed tables and lock it found, and ends with status 7; no display is needed.
#  - A full disk: the art, a seed table or the art or tables of a first start does not fit.
#    The game still starts with its own status, the old files are whole, nothing
#    half-written is left, and stderr says why; a first start plays with the
#    installed copy.
#  - The lock goes to the game it starts: a second start meanwhile refreshes nothing.
#  - A read-only home: the same; a working folder that cannot be made is named.
#  - A lock file that is a link, a FIFO or a folder: it is not opened (a dangling
#    link's target is not made, a FIFO does not hang the start) and nothing is
#    refreshed, since whether a copy runs there cannot be told.
#  - Arguments (which the game answers or refuses without touching a file) go
#    to the game as they are, and no working folder is made for them.
# Runs as root: the full disk and the read-only home are small tmpfs mounts.
# Usage: launcher_test.sh LAUNCHER   (scripts/velmora-sudoku.in)
set -u
launcher=$(realpath "$1")
here="$(cd "$(dirname "$0")" && pwd)"
source "$here/xvfb_session.sh"  # fail and status only; no display is started
work=$(mktemp -d)
mounts=()
cleanup() {
  local m
  for m in "${mounts[@]}"; do umount "$m" 2>/dev/null || umount -l "$m"; done
  rm -rf "$work"
}
trap cleanup EXIT

mount_tmpfs() {  # FOLDER SIZE
  mkdir -p "$1" && mount -t tmpfs -o "size=$2" tmpfs "$1" 2>/dev/null || return 1
  mounts+=("$1")
}
if ! mount_tmpfs "$work/probe" 64k; then
  echo "SKIP: cannot mount a tmpfs here (the test needs root)"
  exit 77
fi

# An installed share folder: art (one file of KIB KiB and two small ones, one in a
# subfolder), two seed tables (the first of SEED_KIB KiB) and a help page.
make_share() {  # FOLDER ART_KIB SEED_KIB
  mkdir -p "$1/art/fonts" "$1/data/seeds"
  head -c $(($2 * 1024)) /dev/urandom >"$1/art/background640x480.png"
  head -c 3000 /dev/urandom >"$1/art/tiles.png"
  head -c 500 /dev/urandom >"$1/art/fonts/digits.png"
  head -c $(($3 * 1024)) /dev/urandom >"$1/data/seeds/easy01.seed"
  head -c 800 /dev/urandom >"$1/data/seeds/easy02.seed"
  head -c 900 /dev/urandom >"$1/help.html"
}
# The stand-in game: its folder, its arguments, the checksums of the art and seed tables
# it finds, and the lock ("held": not to be had anew; "handed": VELMORA_LOCK_FD names it),
# to STANDIN_OUT.*; with STANDIN_WAIT (a FIFO) it says it is waiting and waits there.
cat >"$work/game" <<EOF
#!/bin/sh
out=\${STANDIN_OUT:-$work/game}
{ pwd; printf '%s|' "\$@"; echo; } >"\$out.out"
(cd art && find -L . -type f | LC_ALL=C sort | xargs md5sum) >"\$out.art" 2>&1
(cd data/seeds && find -L . -type f | LC_ALL=C sort | xargs md5sum) >"\$out.seeds" 2>&1
lock=; [ -f velmora-sudoku.lock ] && [ ! -L velmora-sudoku.lock ] && ! flock -n velmora-sudoku.lock true && lock=held
[ "\$(readlink "/proc/\$\$/fd/\${VELMORA_LOCK_FD:-none}")" = "\$(pwd)/velmora-sudoku.lock" ] && lock="\$lock handed"
echo "\$lock" >"\$out.lock"
if [ -n "\${STANDIN_WAIT:-}" ]; then : >"\$out.waiting"; read -r _ <"\$STANDIN_WAIT"; fi
exit 7
EOF
chmod +x "$work/game"

sums() { (cd "$1" && find -L . -type f -print0 | LC_ALL=C sort -z | xargs -0 md5sum); }
same() { [ "$(sums "$1")" = "$(sums "$2")" ]; }

# Runs the launcher on HOME with the share folder SHARE; sets rc, err holds its stderr.
launch() {  # HOME SHARE
  rm -f "$work/game.out" "$work/game.art"
  VELMORA_HOME="$1" VELMORA_SHARE_DIR="$2" VELMORA_GAME="$work/game" \
    timeout 30 "$launcher" >/dev/null 2>"$work/err"
  rc=$?
  err=$(cat "$work/err")
}
# The game was started in HOME with the arguments and the launcher ended with its status.
check_started() {  # HOME CASE
  [ "$rc" = 7 ] || fail "$2: the launcher ended with status $rc, not the game's 7 ($err)"
  [ "$(sed -n 1p "$work/game.out" 2>/dev/null)" = "$1" ] || fail "$2: the game was not started in $1"
  [ "$(sed -n 2p "$work/game.out" 2>/dev/null)" = "|" ] || fail "$2: the game was given arguments"
}
check_nothing_partial() {  # HOME CASE
  local left
  left=$(find "$1" -name '*.new')
  [ -z "$left" ] || fail "$2: half-made copies are left: $left"
}
check_said() {  # TEXT CASE
  grep -qF -e "$1" "$work/err" || fail "$2: stderr does not say \"$1\": $err"
}

make_share "$work/share1" 400 1

# Arguments: the game gets them as they are, from where the launcher was started.
mkdir -p "$work/caller"
rm -f "$work/game.out"
(cd "$work/caller" && VELMORA_HOME="$work/args-home" VELMORA_SHARE_DIR="$work/share1" VELMORA_GAME="$work/game" \
  timeout 30 "$launcher" --bogus "two words" >/dev/null 2>"$work/err")
rc=$?
[ "$rc" = 7 ] || fail "arguments: the launcher ended with status $rc, not the game's 7"
[ "$(sed -n 2p "$work/game.out" 2>/dev/null)" = "--bogus|two words|" ] || fail "arguments: the game did not get them"
[ ! -e "$work/args-home" ] || fail "arguments: the launcher made the working folder"
[ -z "$(ls -A "$work/caller")" ] || fail "arguments: the launcher made files where it was started: $(ls -A "$work/caller")"
# share2: larger art, share1's seed tables and help page.
make_share "$work/share2" 700 1
rm -rf "$work/share2/data" "$work/share2/help.html"
cp -r "$work/share1/data" "$work/share1/help.html" "$work/share2/"
# share2b: share1's art and help page, a seed table too big for the disk.
make_share "$work/share2b" 1 900
rm -rf "$work/share2b/art" "$work/share2b/help.html"
cp -r "$work/share1/art" "$work/share1/help.html" "$work/share2b/"

# A full disk of 1 MiB: share1's art (400 KiB) fits; share2's (700 KiB) does not fit
# beside it, nor, with the first home there, in a second home.
mount_tmpfs "$work/full" 1m || { echo "FAIL: cannot mount the small disk"; exit 1; }
home="$work/full/home"
launch "$home" "$work/share1"
check_started "$home" "a first start"
same "$work/share1/art" "$home/art" || fail "a first start did not copy the art"
cp -r "$home" "$work/home1"  # how the folder is after a refresh from share1

launch "$home" "$work/share2"
check_started "$home" "new art on a full disk"
same "$work/home1" "$home" || fail "new art on a full disk: the working folder changed"
[ "$(cat "$work/game.art" 2>/dev/null)" = "$(sums "$work/share1/art")" ] || fail "new art on a full disk: the game did not find the old art"
check_nothing_partial "$home" "new art on a full disk"
check_said "No space left on device" "new art on a full disk"

launch "$home" "$work/share2b"
check_started "$home" "a new seed table on a full disk"
cmp -s "$work/home1/data/seeds/easy01.seed" "$home/data/seeds/easy01.seed" ||
  fail "a new seed table on a full disk: the old seed table is not whole"
check_nothing_partial "$home" "a new seed table on a full disk"
check_said "No space left on device" "a new seed table on a full disk"

# A first start whose art does not fit: the game plays with the installed art.
launch "$work/full/second" "$work/share2"
check_started "$work/full/second" "a first start on a full disk"
[ "$(cat "$work/game.art" 2>/dev/null)" = "$(sums "$work/share2/art")" ] ||
  fail "a first start on a full disk: the game did not find the installed art"
check_nothing_partial "$work/full/second" "a first start on a full disk"
check_said "No space left on device" "a first start on a full disk"
# Once there is room, the next start puts a copy of the art there.
mount -o remount,size=4m "$work/full"
launch "$work/full/second" "$work/share2"
if [ -L "$work/full/second/art" ] || ! same "$work/share2/art" "$work/full/second/art"; then
  fail "a start with room again did not copy the art"
fi

# A first start whose seed tables do not all fit: the game plays with the installed ones.
make_share "$work/share3" 1 1
head -c 2M /dev/urandom >"$work/share3/data/seeds/easy02.seed"
mount_tmpfs "$work/seedfull" 1m || { echo "FAIL: cannot mount the small disk"; exit 1; }
launch "$work/seedfull/home" "$work/share3"
check_started "$work/seedfull/home" "seed tables that do not fit"
[ "$(cat "$work/game.seeds" 2>/dev/null)" = "$(sums "$work/share3/data/seeds")" ] ||
  fail "seed tables that do not fit: the game did not find the installed tables: $(cat "$work/game.seeds")"
check_nothing_partial "$work/seedfull/home" "seed tables that do not fit"
check_said "No space left on device" "seed tables that do not fit"

# The lock goes from the launcher to the game it starts without ever being free:
# a second start while that game starts refreshes nothing under it.
home="$work/handover"
mkfifo "$work/go"
STANDIN_WAIT="$work/go" STANDIN_OUT="$work/first" VELMORA_HOME="$home" VELMORA_SHARE_DIR="$work/share1" \
  VELMORA_GAME="$work/game" timeout 60 "$launcher" >/dev/null 2>&1 &
first=$!
if poll 30 test -e "$work/first.waiting"; then
  [ "$(cat "$work/first.lock")" = "held handed" ] || fail "the lock was not handed to the game: $(cat "$work/first.lock")"
  STANDIN_OUT="$work/second" launch "$home" "$work/share2"
  same "$work/share1/art" "$home/art" || fail "a second start refreshed the art under a starting game"
  [ "$(cat "$work/second.lock" 2>/dev/null)" = "held" ] || fail "the second game found the folder free"
else
  fail "the first game did not start"
fi
echo go >"$work/go"
wait "$first"

# A read-only home that had share1's files: the game starts with them.
mount_tmpfs "$work/ro" 4m || { echo "FAIL: cannot mount the home"; exit 1; }
home="$work/ro/home"
launch "$home" "$work/share1"
mount -o remount,ro "$work/ro"
launch "$home" "$work/share2"
check_started "$home" "a read-only home"
same "$work/home1" "$home" || fail "a read-only home: the working folder changed"
check_said "Read-only file system" "a read-only home"
# A working folder that cannot be made: the launcher says which and why.
launch "$work/ro/none/home" "$work/share1"
[ "$rc" = 1 ] || fail "a working folder that cannot be made: status $rc, not 1"
check_said "cannot make the working folder $work/ro/none/home: Read-only file system" "a working folder that cannot be made"

# A lock file that is not a plain file: never opened, nothing refreshed.
mkdir -p "$work/outside"
for kind in dangling-link link fifo folder; do
  home="$work/lock-$kind"
  launch "$home" "$work/share1"
  cp -r "$home/art" "$work/art-before"
  rm -f "$home/velmora-sudoku.lock"
  case $kind in
    dangling-link) ln -s "$work/outside/made" "$home/velmora-sudoku.lock" ;;
    link) : >"$work/outside/plain"; ln -s "$work/outside/plain" "$home/velmora-sudoku.lock" ;;
    fifo) mkfifo "$home/velmora-sudoku.lock" ;;
    folder) mkdir "$home/velmora-sudoku.lock" ;;
  esac
  launch "$home" "$work/share2"
  [ "$rc" = 124 ] && fail "a lock file that is a $kind: the launcher hung"
  check_started "$home" "a lock file that is a $kind"
  same "$work/art-before" "$home/art" || fail "a lock file that is a $kind: the art was refreshed"
  check_said "velmora-sudoku.lock is not a plain file" "a lock file that is a $kind"
  rm -rf "$work/art-before"
done
[ ! -e "$work/outside/made" ] || fail "the target of a dangling lock link was made"
[ -L "$work/lock-dangling-link/velmora-sudoku.lock" ] || fail "the dangling lock link was replaced"

[ "$status" = 0 ] && echo "launcher checks passed"
exit $status
