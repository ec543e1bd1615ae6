#!/usr/bin/env bash
# Builds Grainpit's web page and serves it at http://127.0.0.1:8000/ until
# stopped with Ctrl+C.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build-web.sh
echo "Grainpit: http://127.0.0.1:8000/"
exec python3 -m http.server 8000 --bind 127.0.0.1 --directory build-web/site
