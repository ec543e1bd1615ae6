#!/usr/bin/env bash
# Where no window can be shown, the program says why on one line of stderr
# and exits 1 by itself, without ever running unseen. Each case is the
# environment a user could really start it in: no display at all, a display
# with no server behind it, a video driver that shows nothing, an X server
# without OpenGL.
set -u
program=$1
work=$(mktemp -d)
xvfb=""
cleanup() { [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
failures=0

# An X server without the GLX extension, on a display number it picks itself.
exec 3<> "$work/displayfd"
Xvfb -displayfd 3 -extension GLX -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/displayfd" ] && break; sleep 0.1; done
noglx=":$(head -n 1 "$work/displayfd")"

# A display number with no server behind it.
free=90
while [ -e "/tmp/.X11-unix/X$free" ] || [ -e "/tmp/.X$free-lock" ]; do free=$((free + 1)); done

mkdir -m 700 "$work/runtime"

# case | environment (besides no DISPLAY, WAYLAND_DISPLAY, XDG_RUNTIME_DIR or SDL_VIDEODRIVER) | reason
while IFS='|' read -r what vars reason; do
  [ -z "$what" ] && continue
  eval "vars=($vars)"
  env -u DISPLAY -u WAYLAND_DISPLAY -u XDG_RUNTIME_DIR -u SDL_VIDEODRIVER "${vars[@]}" \
    timeout 20 "$program" >/dev/null 2>"$work/err"
  status=$?
  expected="grainpit: cannot open the window: $reason"
  if [ "$status" -eq 124 ]; then
    echo "FAIL $what: still running after 20 s"; failures=$((failures + 1))
  elif [ "$status" -ne 1 ] || [ "$(cat "$work/err")" != "$expected" ]; then
    echo "FAIL $what: exit status $status, stderr:"; cat "$work/err"; echo "expected: $expected"
    failures=$((failures + 1))
  else
    echo "ok   $what: $(cat "$work/err")"
  fi
done <<CASES
no display||no display (neither DISPLAY nor WAYLAND_DISPLAY is set)
no display, a runtime directory|XDG_RUNTIME_DIR=$work/runtime|no display (neither DISPLAY nor WAYLAND_DISPLAY is set)
no X server on the display|DISPLAY=:$free|the X display :$free does not answer
no X server, a runtime directory|DISPLAY=:$free XDG_RUNTIME_DIR=$work/runtime|the X display :$free does not answer
no X server, SDL_VIDEODRIVER empty|DISPLAY=:$free SDL_VIDEODRIVER=|the X display :$free does not answer
no Wayland compositor|WAYLAND_DISPLAY=wayland-$free XDG_RUNTIME_DIR=$work/runtime|the Wayland display wayland-$free does not answer
Wayland display, no runtime directory|WAYLAND_DISPLAY=wayland-0|WAYLAND_DISPLAY=wayland-0 is set but XDG_RUNTIME_DIR is not
neither display answers|DISPLAY=:$free WAYLAND_DISPLAY=wayland-$free XDG_RUNTIME_DIR=$work/runtime|neither the X display :$free nor the Wayland display wayland-$free answers
off-screen driver|SDL_VIDEODRIVER=offscreen|SDL_VIDEODRIVER=offscreen shows no window
off-screen driver, a display|SDL_VIDEODRIVER=offscreen DISPLAY=:$free|SDL_VIDEODRIVER=offscreen shows no window
dummy driver|SDL_VIDEODRIVER=dummy|SDL_VIDEODRIVER=dummy shows no window
X server without OpenGL|DISPLAY=$noglx|no OpenGL on this display: GLX is not supported
CASES

[ "$failures" -eq 0 ] || { echo "$failures failed"; exit 1; }
