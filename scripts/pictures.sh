#!/usr/bin/env bash
# Makes the README's screenshot and animation from the real program, through
# the window tests, and puts them into docs/.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
mkdir -p docs
GRAINPIT_PICTURES="$PWD/docs" python3 -B tests/e2e/pictures_test.py build/grainpit
ls -l docs/grainpit.png docs/grainpit.gif
