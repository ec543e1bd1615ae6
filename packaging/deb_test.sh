#!/usr/bin/env bash
# Builds the Debian package into a scratch directory and checks it holds
# exactly the installed files under /usr, with the game in /usr/games where
# the menu entry's Exec finds it on Debian's PATH; that its Depends line
# names what the program needs at run time: the libraries dpkg-shlibdeps
# found (SDL among them) and libGL, which SDL opens itself; and that lintian,
# Debian's package checker, finds no error or warning (infos may stay).
#   deb_test.sh CPACK CPACKCONFIG
set -u
cpack=$1
config=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

if ! "$cpack" -G DEB --config "$config" -B "$work" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log"
  echo "FAIL: cpack -G DEB failed"
  exit 1
fi
debs=("$work"/*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
  echo "FAIL: not one package: ${debs[*]}"
  exit 1
fi
deb=${debs[0]}

expected="/usr/games/grainpit
/usr/share/applications/org.example.grainpit.desktop
/usr/share/doc/grainpit/changelog.gz
/usr/share/doc/grainpit/copyright
/usr/share/icons/hicolor/128x128/apps/grainpit.png
/usr/share/icons/hicolor/256x256/apps/grainpit.png
/usr/share/icons/hicolor/48x48/apps/grainpit.png
/usr/share/man/man6/grainpit.6.gz
/usr/share/metainfo/org.example.grainpit.metainfo.xml"
files=$(dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sed 's|^\./|/|' | LC_ALL=C sort)
[ "$files" = "$expected" ] || fail "the package holds:$(echo "$files" | tr '\n' ' ')"

dpkg-deb -x "$deb" "$work/root"
exec=$(sed -n 's/^Exec=//p' "$work/root/usr/share/applications/org.example.grainpit.desktop")
[ -x "$work/root/usr/games/$exec" ] || fail "the menu entry runs '$exec', which is not in /usr/games"

lintian --display-info --fail-on error,warning "$deb" 2>&1 | grep -v '^running with root privileges'
[ "${PIPESTATUS[0]}" -eq 0 ] || fail "lintian reports errors or warnings"

depends=$(dpkg-deb -f "$deb" Depends)
for lib in libsdl2-2.0-0 libgl1 libc6; do
  [[ ", $depends," == *", $lib "* || ", $depends," == *", $lib,"* ]] || fail "Depends lacks $lib: $depends"
done

if [ "$failures" -ne 0 ]; then
  echo "$failures failed"
  exit 1
fi
echo "$(basename "$deb"): Depends: $depends"
