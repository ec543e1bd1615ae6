#!/usr/bin/env bash
# Cross-builds Grainpit for 64-bit Windows into build-windows/: grainpit.exe,
# the portable zip and the installer. Installs what is missing; SDL2 for
# Windows is built from Debian's SDL2 source once and cached
# (packaging/windows/sdl2.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh windows
sdl2=$(packaging/windows/sdl2.sh)
cmake -S . -B build-windows -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE=packaging/windows/mingw-w64.cmake -DSDL2_DIR="$sdl2/lib/cmake/SDL2" >/dev/null
cmake --build build-windows
(cd build-windows && cpack >/dev/null)
ls -l build-windows/grainpit.exe build-windows/grainpit-1.0.0-win64.zip build-windows/grainpit-1.0.0-win64.exe
