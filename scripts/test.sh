#!/usr/bin/env bash
# Builds Grainpit and runs every test: the unit and tool tests, the tests in
# a real window (which start their own X server), and the unit and tool
# tests once more under AddressSanitizer and UndefinedBehaviorSanitizer, the
# web page in a headless browser, and the Windows build under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
(cd build && ctest --output-on-failure -j2)

cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DGRAINPIT_SANITIZE=ON \
  -DGRAINPIT_WINDOW_TESTS=OFF >/dev/null
cmake --build build-sanitize
(cd build-sanitize && ctest --output-on-failure -j2)

# The web page, built with emscripten and tested in headless Chromium.
scripts/build-web.sh
(cd build-web && ctest --output-on-failure)

# The Windows build under Wine: unit and tool tests, window tests and the
# installer. A window test that fails is run once more: under load, Wine
# once handed the program a pointer position made of the old x and the new y
# of one X pointer move, which no real mouse reports.
scripts/build-windows.sh
(cd build-windows && ctest --output-on-failure -j2 -LE window &&
  ctest --output-on-failure -j2 -L window --repeat until-pass:2)
