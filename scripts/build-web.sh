#!/usr/bin/env bash
# Builds Grainpit as a web page into build-web/site/: index.html beside
# grainpit.js and grainpit.wasm, a plain folder that any static file server
# or web host can serve as it is.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh web
# emscripten's optimiser runs on node and needs Debian's acorn module, which
# a node not installed by Debian does not look for.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
# emcmake tells its command line on stderr: shown only when it fails.
if ! out=$(emcmake cmake -S platform/web -B build-web -G Ninja -DCMAKE_BUILD_TYPE=Release 2>&1); then
  echo "$out" >&2
  exit 1
fi
cmake --build build-web
