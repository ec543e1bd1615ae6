#!/usr/bin/env bash
# Opens PROGRAM on an X server of its own, waits until its window "Grainpit"
# is shown, asks it to close with SIGTERM and expects exit status 0. Every
# process it starts is stopped when it ends, also after a failure.
#   window-check.sh PROGRAM
set -u
program=$1
timeout=30  # seconds for the server and the window to show

work=$(mktemp -d)
xvfb=""
app=""
cleanup() {
  [ -n "$app" ] && kill -KILL "$app" 2>/dev/null && wait "$app" 2>/dev/null
  [ -n "$xvfb" ] && kill -TERM "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP
fail() {
  echo "FAIL: $*"
  exit 1
}

# The server picks a free display itself and writes its number when ready.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
start=$SECONDS
until [ -s "$work/display" ]; do
  kill -0 "$xvfb" 2>/dev/null || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
  [ $((SECONDS - start)) -lt "$timeout" ] || fail "Xvfb gave no display within ${timeout} s"
  sleep 0.1
done
DISPLAY=":$(cat "$work/display")"
export DISPLAY

env -u WAYLAND_DISPLAY SDL_VIDEODRIVER=x11 "$program" >/dev/null 2>"$work/stderr" &
app=$!
start=$SECONDS
until window=$(xdotool search --onlyvisible --name '^Grainpit$' 2>/dev/null); do
  if ! kill -0 "$app" 2>/dev/null; then
    wait "$app"
    status=$?
    app=""
    fail "$program exited with status $status before its window showed: $(cat "$work/stderr")"
  fi
  [ $((SECONDS - start)) -lt "$timeout" ] || fail "no window named Grainpit within ${timeout} s"
  sleep 0.1
done

kill -TERM "$app"
start=$SECONDS
while kill -0 "$app" 2>/dev/null; do
  [ $((SECONDS - start)) -lt 10 ] || fail "$program did not exit within 10 s of SIGTERM"
  sleep 0.1
done
wait "$app"
status=$?
app=""
[ "$status" -eq 0 ] || fail "$program exited with status $status after SIGTERM: $(cat "$work/stderr")"
echo "ok: window $window on $DISPLAY shown, closed by SIGTERM with status 0"
