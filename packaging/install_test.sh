#!/usr/bin/env bash
# Installs the build into a fresh prefix and checks it is a desktop program:
# exactly the program, its menu entry, its icon in three sizes, its licence,
# changelog, man page and AppStream metainfo; a menu entry that is valid and
# names that program and icon; metainfo that AppStream's validator accepts
# and whose launchable is that menu entry; a man page that groff renders
# without a warning, with every particle type of the README's table; icons
# of the right sizes with a picture in them; and, when WINDOW is 1, the
# installed program opens its window under X and closes on SIGTERM with
# status 0.
#   install_test.sh CMAKE BUILDDIR WINDOW
set -u
cmake=$1
build=$2
window=${3:-1}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A prefix that looks like a system's /usr, so AppStream can check the tree.
prefix=$work/root/usr
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

if ! "$cmake" --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1; then
  cat "$work/install.log"
  echo "FAIL: cmake --install failed"
  exit 1
fi

# Nothing else: no tools, tests or benchmarks.
id=org.example.grainpit
expected="bin/grainpit
share/applications/$id.desktop
share/doc/grainpit/changelog.gz
share/doc/grainpit/copyright
share/icons/hicolor/128x128/apps/grainpit.png
share/icons/hicolor/256x256/apps/grainpit.png
share/icons/hicolor/48x48/apps/grainpit.png
share/man/man6/grainpit.6.gz
share/metainfo/$id.metainfo.xml"
installed=$(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort)
[ "$installed" = "$expected" ] || fail "installed files differ:$(diff <(echo "$expected") <(echo "$installed") | grep '^[<>]' | sed 's/^/ /' | tr '\n' ' ')"
[ -x "$prefix/bin/grainpit" ] || fail "bin/grainpit is not executable"

entry=$prefix/share/applications/$id.desktop
if [ -f "$entry" ]; then
  desktop-file-validate "$entry" || fail "desktop-file-validate rejects the menu entry"
  key() { sed -n "s/^$1=//p" "$entry"; }
  [ "$(key Exec)" = grainpit ] || fail "Exec is '$(key Exec)', not the installed program"
  [ "$(key Icon)" = grainpit ] || fail "Icon is '$(key Icon)', not the installed icon"
  [[ ";$(key Categories);" == *";Game;"* ]] || fail "Categories '$(key Categories)' lack Game"
fi

# --strict fails on infos as well as errors and warnings; validate-tree also
# checks that the launchable names the installed menu entry.
metainfo=$prefix/share/metainfo/$id.metainfo.xml
if [ -f "$metainfo" ]; then
  appstreamcli validate --no-net --pedantic --strict "$metainfo" || fail "appstreamcli validate rejects the metainfo"
  appstreamcli validate-tree --no-net --pedantic --strict "$work/root" || fail "appstreamcli validate-tree rejects the installed tree"
fi

page=$prefix/share/man/man6/grainpit.6.gz
if [ -f "$page" ]; then
  warnings=$(zcat "$page" | groff -t -man -ww -z 2>&1) || fail "groff failed on the man page"
  [ -z "$warnings" ] || fail "groff warns about the man page: $warnings"
  text=$(zcat "$page" | groff -t -man -Tutf8 -P-cbou 2>/dev/null)
  types=$(sed -n '/^## The particles/,/^## /s/^| \([^|]*[^ |]\) *|.*/\1/p' "$here/../README.md" | tail -n +2)
  [ -n "$types" ] || fail "no particle table found in README.md"
  while read -r type; do
    grep -q "^ *$type  " <<<"$text" || fail "the man page has no row for '$type'"
  done <<<"$types"
fi

# Each icon has its size and is a picture, not a blank square: the pit's
# walls, sand, water, oil, tree and flames give well over six colours.
for size in 48 128 256; do
  icon=$prefix/share/icons/hicolor/${size}x${size}/apps/grainpit.png
  [ -f "$icon" ] || continue
  read -r format width height colours < <(identify -format '%m %w %h %k\n' "$icon")
  [ "$format $width $height" = "PNG $size $size" ] || fail "$icon is $format ${width}x$height"
  [ "$colours" -gt 6 ] || fail "$icon has only $colours colours"
done

if [ "$window" = 1 ]; then
  "$here/window-check.sh" "$prefix/bin/grainpit" || fail "the installed program"
fi

if [ "$failures" -ne 0 ]; then
  echo "$failures failed"
  exit 1
fi
echo "install: all checks passed"
