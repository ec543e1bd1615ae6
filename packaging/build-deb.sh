#!/usr/bin/env bash
# Builds the Debian package with CPack and shows what went into it: the
# files, the control fields with the Depends line dpkg-shlibdeps found, and
# how long each step took.
#   packaging/build-deb.sh [--install] [BUILDDIR]
# BUILDDIR defaults to build/. With --install it then also installs the
# package with dpkg -i (as root, or through sudo), checks that the program
# the menu entry starts, looked up on the PATH Debian gives a login session,
# opens its window under Xvfb, and removes the package again. It refuses to
# when grainpit is already installed on the machine.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
install=0
if [ "${1:-}" = --install ]; then
  install=1
  shift
fi
build=$(cd "${1:-$here/../build}" && pwd)

# Runs a command and says how long it took, in milliseconds, on the
# terminal's standard error whatever the command's output goes to.
exec 3>&2
step() {
  local what=$1 start=${EPOCHREALTIME/./}
  shift
  "$@"
  echo "$what: $(((${EPOCHREALTIME/./} - start) / 1000)) ms" >&3
}

step "build" cmake --build "$build" >/dev/null
cd "$build"
step "cpack -G DEB" cpack -G DEB >cpack.log 2>&1 || { cat cpack.log; exit 1; }
deb=$(sed -n 's/^CPack: - package: \(.*\.deb\) generated\.$/\1/p' cpack.log)
echo "package: $deb ($(stat -c %s "$deb") bytes)"
echo
echo "== dpkg-deb -c"
dpkg-deb -c "$deb"
echo
echo "== dpkg-deb -I"
dpkg-deb -I "$deb"

[ "$install" = 1 ] || exit 0
echo
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
if dpkg-query -W -f='${Status}' grainpit 2>/dev/null | grep -q 'install ok installed'; then
  echo "grainpit is already installed here; not installing over it"
  exit 1
fi
echo "== dpkg -i"
step "dpkg -i" $sudo dpkg -i "$deb"
status=0
exec=$(sed -n 's/^Exec=//p' /usr/share/applications/org.example.grainpit.desktop)
path=$(sed -n 's/^ENV_PATH[[:space:]]*PATH=//p' /etc/login.defs)
if program=$(PATH=$path command -v "$exec"); then
  echo "the menu entry's $exec is $program"
  "$here/window-check.sh" "$program" || status=1
else
  echo "FAIL: the menu entry's $exec is not on $path"
  status=1
fi
echo "== dpkg -r"
step "dpkg -r" $sudo dpkg -r grainpit
exit "$status"
