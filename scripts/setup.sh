#!/usr/bin/env bash
# Installs the Debian packages Grainpit needs, skipping what is already
# present. Uses sudo when not root.
#   scripts/setup.sh build   what building, packaging and running the program needs
#   scripts/setup.sh web     what building the web page and its tests need
#   scripts/setup.sh windows what building and testing the Windows program needs
#   scripts/setup.sh         all of it: also what the tests, benchmarks and
#                            packages need to run
set -euo pipefail

# To build every target, run the program and make its Debian package.
build=(
  g++ cmake ninja-build pkg-config python3
  libsdl2-dev libgl-dev libstb-dev googletest libgtest-dev libbenchmark-dev
  libx11-dev libxfixes-dev imagemagick
  libdecor-0-plugin-1-cairo  # the window's frame under Wayland
  dpkg-dev file  # cpack's Debian package
)
# To test and measure it, and to check the package.
tests=(
  xvfb openbox xdotool x11-utils wmctrl
  desktop-file-utils
  lintian appstream groff-base  # checking the package, its metainfo and man page
)

# To build the web page (scripts/build-web.sh), serve it and test it in a
# browser.
web=(emscripten node-acorn cmake ninja-build python3 chromium imagemagick)

# To cross-build the Windows program, zip and installer
# (scripts/build-windows.sh), and to run and test them under Wine. SDL2 for
# Windows is built from its Debian source, which dpkg-dev unpacks.
windows=(g++-mingw-w64-x86-64-posix wine wine64 nsis)

packages=("${build[@]}")
[ "${1:-}" = build ] || packages+=("${tests[@]}")
case "${1:-}" in
  web) packages=("${web[@]}") ;;
  windows) packages+=("${windows[@]}") ;;
  "") packages+=("${web[@]}" "${windows[@]}") ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "setup: installing ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
