#!/usr/bin/env bash
# The program's logic must run headless: its library may use no SDL or GL
# symbol, whatever headers it could reach.
set -u
lib=$1
found=$(nm -u "$lib" | grep -E ' (SDL_|gl[A-Z]|glX)' || true)
if [ -n "$found" ]; then
  echo "the core library uses SDL or GL:"; echo "$found"; exit 1
fi
echo "ok: no SDL or GL symbol in $(basename "$lib")"
