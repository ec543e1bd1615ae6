#!/usr/bin/env bash
# Builds Grainpit and runs every test: unit tests, tool tests and the tests
# in a real window (which start their own X server).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
cd build
ctest --output-on-failure -j2
