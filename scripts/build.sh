#!/usr/bin/env bash
# Installs what building needs and builds into build/ (Release): every
# target, or only the targets given.
#   scripts/build.sh [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh build
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build ${1:+--target "$@"}
