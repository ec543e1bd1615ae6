#!/usr/bin/env bash
# Builds the program alone and opens its window.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh grainpit
exec build/grainpit
