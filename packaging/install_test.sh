#!/usr/bin/env bash
# Installs the build into a fresh prefix and checks it is a desktop program:
# exactly the program, its menu entry and its icon in three sizes; a menu
# entry that is valid and names that program and icon; icons of the right
# sizes with a picture in them; and, when WINDOW is 1, the installed program
# opens its window under X and closes on SIGTERM with status 0.
#   install_test.sh CMAKE BUILDDIR WINDOW
set -u
cmake=$1
build=$2
window=${3:-1}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
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
expected="bin/grainpit
share/applications/grainpit.desktop
share/icons/hicolor/128x128/apps/grainpit.png
share/icons/hicolor/256x256/apps/grainpit.png
share/icons/hicolor/48x48/apps/grainpit.png"
installed=$(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort)
[ "$installed" = "$expected" ] || fail "installed files differ:$(diff <(echo "$expected") <(echo "$installed") | grep '^[<>]' | sed 's/^/ /' | tr '\n' ' ')"
[ -x "$prefix/bin/grainpit" ] || fail "bin/grainpit is not executable"

entry=$prefix/share/applications/grainpit.desktop
if [ -f "$entry" ]; then
  desktop-file-validate "$entry" || fail "desktop-file-validate rejects the menu entry"
  key() { sed -n "s/^$1=//p" "$entry"; }
  [ "$(key Exec)" = grainpit ] || fail "Exec is '$(key Exec)', not the installed program"
  [ "$(key Icon)" = grainpit ] || fail "Icon is '$(key Icon)', not the installed icon"
  [[ ";$(key Categories);" == *";Game;"* ]] || fail "Categories '$(key Categories)' lack Game"
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
