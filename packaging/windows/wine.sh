#!/usr/bin/env bash
# Runs a Windows program under Wine in a prefix of its own, as a fresh
# Windows session: a copy of the set-up prefix TEMPLATE (hard links, but
# the registry, which Wine rewrites, is copied), removed again afterwards
# together with every Wine process it started. Wine keeps one desktop per
# prefix, tied to the X display it first saw, so programs that open windows
# on different displays, one after another or side by side, each need
# their own. Exits with the program's status.
#   wine.sh TEMPLATE PROGRAM [ARG...]
set -u
template=$1
shift
# Beside the template: hard links need the same file system.
prefix=$(mktemp -d "$(dirname "$template")/wine-run.XXXXXX")
cp -al "$template/." "$prefix/"
for reg in "$template"/*.reg; do
  rm -f "$prefix/$(basename "$reg")"
  cp -p "$reg" "$prefix/"
done
export WINEPREFIX=$prefix WINEDLLOVERRIDES="mscoree,mshtml=" WINEDEBUG=${WINEDEBUG:--all}

child=""
cleanup() {
  wineserver -k 2>/dev/null
  wineserver -w 2>/dev/null
  rm -rf "$prefix"
}
trap '[ -n "$child" ] && kill -TERM "$child" 2>/dev/null && wait "$child"; cleanup; exit 143' TERM INT
# In the background, so that a stop request reaches the trap at once; with
# our standard input, which a background command would otherwise lose to
# /dev/null (grainpit-sim reads its scene from it).
wine "$@" <&0 &
child=$!
wait "$child"
status=$?
cleanup
exit "$status"
