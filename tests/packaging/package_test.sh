#!/usr/bin/env bash
# Builds the Debian package from the build folder's install rules (as `make deb`
# does) and checks it as a distribution would: its contents and Depends, lintian,
# the menu entry, the AppStream metainfo, the icons, the manual pages, and the
# installed programs' --version and --help (which must not need a display), and
# an unknown argument refused with status 2 before anything is made.
# Usage: package_test.sh BUILD_FOLDER SOURCE_FOLDER VERSION
set -u
build=$(cd "$1" && pwd) source=$(cd "$2" && pwd) version=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
fail() { echo "FAIL: $*"; status=1; }

deb="$build/velmora-sudoku_${version}_$(dpkg --print-architecture).deb"
rm -f "$deb"
(cd "$build" && cpack -G DEB >"$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; echo "FAIL: cpack"; exit 1; }
[ -f "$deb" ] || { echo "FAIL: $deb was not made"; exit 1; }
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"

dpkg-deb --contents "$deb" | awk '{print $NF}' | sed 's|^\./||' >"$work/contents"
for file in usr/games/velmora-sudoku usr/games/velmora-puzzle usr/libexec/velmora-sudoku/velmora-sudoku \
            usr/share/velmora-sudoku/help.html usr/share/velmora-sudoku/art/background640x480.png \
            usr/share/velmora-sudoku/data/seeds/0000001000d2.seed usr/share/velmora-sudoku/data/seeds/0000050000d3.seed \
            usr/share/applications/io.github.velmora.Sudoku.desktop \
            usr/share/metainfo/io.github.velmora.Sudoku.metainfo.xml \
            usr/share/man/man6/velmora-sudoku.6.gz usr/share/man/man6/velmora-puzzle.6.gz \
            usr/share/doc/velmora-sudoku/copyright usr/share/doc/velmora-sudoku/changelog.gz; do
  grep -qx "$file" "$work/contents" || fail "$file is not in the package"
done
[ "$(grep -c '^usr/share/velmora-sudoku/data/seeds/.*\.seed$' "$work/contents")" = 100 ] || fail "the package lacks seed files"
[ "$(grep -c '^usr/share/velmora-sudoku/art/.*\.png$' "$work/contents")" = 12 ] || fail "the package lacks art files"

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for dep in fonts-dejavu-core fonts-urw-base35 xdg-utils libqt6widgets6 libqt6gui6 libpng16-16 libc6; do
  echo "$depends" | grep -q "\\b$dep\\b" || fail "Depends lacks $dep"
done
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the package's version is not $version"

lintian --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 || fail "lintian: $(grep -E '^(E|W):' "$work/lintian.log")"

dpkg-deb -x "$deb" "$work/root"
root="$work/root/usr"
desktop-file-validate "$root/share/applications/io.github.velmora.Sudoku.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$root/share/metainfo/io.github.velmora.Sudoku.metainfo.xml" >"$work/as.log" 2>&1 ||
  fail "appstreamcli validate: $(cat "$work/as.log")"
grep -q "<release version=\"$version\"" "$root/share/metainfo/io.github.velmora.Sudoku.metainfo.xml" ||
  fail "the metainfo's release is not $version"
for shot in $(grep -o 'docs/[a-z-]*\.png' "$root/share/metainfo/io.github.velmora.Sudoku.metainfo.xml"); do
  [ -f "$source/$shot" ] || fail "the metainfo names $shot, which is not in the repository"
done

for size in 16 24 32 48 64 128 256; do
  icon="$root/share/icons/hicolor/${size}x${size}/apps/io.github.velmora.Sudoku.png"
  [ "$(identify -format '%wx%h' "$icon" 2>/dev/null)" = "${size}x${size}" ] || fail "no ${size}x${size} icon"
done

for page in velmora-sudoku velmora-puzzle; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$root/share/man/man6/$page.6.gz" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "$page(6) has formatting warnings: $warnings"
done
# The puzzle tool's page says what the README says about exit statuses and the seed tables.
LC_ALL=C.UTF-8 MANWIDTH=4000 man -E UTF-8 -l "$root/share/man/man6/velmora-puzzle.6.gz" 2>/dev/null |
  tr -s ' \n' ' ' >"$work/page.txt"
readme_paragraph() {  # the README paragraph that starts with $1, on one line, without backticks
  awk -v start="$1" 'index($0, start) == 1 {on = 1} on && /^$/ {exit} on {print}' "$source/README.md" |
    tr -d '`' | tr -s ' \n' ' ' | sed 's/ $//'
}
for start in "Exit status:" "Hard and Expert puzzles take"; do
  text=$(readme_paragraph "$start")
  [ -n "$text" ] || fail "the README has no paragraph starting '$start'"
  grep -qF -- "$text" "$work/page.txt" || fail "velmora-puzzle(6) does not say: $text"
done

# --version and --help answer without a display and without touching any folder.
for program in velmora-sudoku velmora-puzzle; do
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM HOME="$work/nohome" "$root/games/$program" --version 2>&1) ||
    fail "$program --version failed: $out"
  [ "$out" = "$program $version" ] || fail "$program --version printed '$out'"
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM HOME="$work/nohome" "$root/games/$program" --help 2>&1) ||
    fail "$program --help failed: $out"
  echo "$out" | grep -q "^usage: $program" || fail "$program --help printed no usage"
done
# An unknown argument: the usage on stderr and status 2, and nothing made.
out=$(cd "$work" && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM HOME="$work/nohome" \
  "$root/games/velmora-sudoku" --bogus 2>&1 >/dev/null)
rc=$?
[ "$rc" = 2 ] || fail "velmora-sudoku --bogus ended with status $rc, not 2: $out"
echo "$out" | grep -q "^usage: velmora-sudoku" || fail "velmora-sudoku --bogus printed no usage on stderr: $out"
[ ! -e "$work/velmora-sudoku.lock" ] || fail "velmora-sudoku --bogus made a lock file where it was started"
[ ! -e "$work/nohome" ] || fail "--help, --version or an unknown argument made a folder in the home folder"
exit $status
