#!/usr/bin/env bash
# Builds Grainpit and opens its window.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
exec build/grainpit
