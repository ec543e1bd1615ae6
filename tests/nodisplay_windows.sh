#!/usr/bin/env bash
# The Windows program, where no window can be shown: on an X server without
# OpenGL, under Wine, it says why in a message box and on stderr, on one
# line, waits until the box is closed and exits 1.
#   nodisplay_windows.sh LAUNCHER... PROGRAM
set -u
work=$(mktemp -d)
xvfb=""
program=""
cleanup() {
  [ -n "$program" ] && kill "$program" 2>/dev/null && wait "$program"
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; cat "$work/err" 2>/dev/null; exit 1; }

exec 3<> "$work/displayfd"
Xvfb -displayfd 3 -extension GLX -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/displayfd" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n 1 "$work/displayfd")"

"$@" >/dev/null 2>"$work/err" &
program=$!
box=""
for _ in $(seq 300); do
  box=$(xdotool search --name '^Grainpit$' 2>/dev/null | head -n 1)
  [ -n "$box" ] && break
  kill -0 "$program" 2>/dev/null || fail "the program ended without a message box"
  sleep 0.1
done
[ -n "$box" ] || fail "no message box within 30 s"
size=$(xwininfo -id "$box" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }')
[ "$size" != 512x512 ] || fail "a 512 x 512 window, not a message box"
sleep 0.5
kill -0 "$program" 2>/dev/null || fail "the program did not wait for the message box"
if [ -n "${GRAINPIT_E2E_SHOTS:-}" ]; then
  mkdir -p "$GRAINPIT_E2E_SHOTS" && import -window root "$GRAINPIT_E2E_SHOTS/nodisplay-windows.png"
fi

xdotool windowfocus --sync "$box" key Return
for _ in $(seq 300); do kill -0 "$program" 2>/dev/null || break; sleep 0.1; done
kill -0 "$program" 2>/dev/null && fail "still running 30 s after the message box was closed"
wait "$program"
status=$?
program=""
[ "$status" -eq 1 ] || fail "exit status $status, expected 1"
expected="grainpit: cannot open the window: no OpenGL on this display: "
[ "$(wc -l <"$work/err")" -eq 1 ] && [[ "$(cat "$work/err")" == "$expected"?* ]] ||
  fail "stderr is not one line starting '$expected'"
echo "ok: $(cat "$work/err")"
