#!/usr/bin/env bash
# Without a display the program says why it cannot open its window, on one
# line, and exits 1.
set -u
program=$1
out=$(mktemp); trap 'rm -f "$out"' EXIT
env -u DISPLAY -u WAYLAND_DISPLAY SDL_VIDEODRIVER=x11 timeout 20 "$program" 2>"$out" >/dev/null
status=$?
if [ "$status" -ne 1 ]; then echo "exit status $status, expected 1"; cat "$out"; exit 1; fi
if [ "$(wc -l <"$out")" -ne 1 ] || ! grep -q '^grainpit: cannot open the window: .' "$out"; then
  echo "unexpected stderr:"; cat "$out"; exit 1
fi
echo "ok: $(cat "$out")"
