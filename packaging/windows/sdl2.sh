#!/usr/bin/env bash
# SDL2 for Windows, built from Debian's own SDL2 source package, the same
# version as the libsdl2-dev the Linux build uses. The source comes through
# apt-get source from a private apt directory (the machine's apt sources are
# left alone), so apt checks it against Debian's signed index. The static
# library is built once per version and build recipe and cached outside the
# clone; prints the cached prefix.
#   sdl2.sh [CACHEDIR]     default ${XDG_CACHE_HOME:-~/.cache}/grainpit
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cache=${1:-${XDG_CACHE_HOME:-$HOME/.cache}/grainpit}
toolchain=$here/mingw-w64.cmake

version=$(dpkg-query -W -f '${source:Version}' libsdl2-dev)
upstream=${version%-*}
upstream=${upstream%+dfsg}
# Only what Grainpit uses: video with OpenGL, events, timers. No audio,
# joystick or renderer, which would only add code and imports.
options=(-DCMAKE_BUILD_TYPE=Release -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF
  -DSDL_AUDIO=OFF -DSDL_JOYSTICK=OFF -DSDL_HAPTIC=OFF -DSDL_HIDAPI=OFF -DSDL_SENSOR=OFF
  -DSDL_POWER=OFF -DSDL_RENDER=OFF -DSDL_VULKAN=OFF)
# Other options or another toolchain make another build.
recipe=$( (echo "${options[*]}"; cat "$toolchain") | sha256sum | cut -c1-12)
prefix=$cache/sdl2-$version-win64-$recipe
if [ -f "$prefix/done" ]; then
  echo "$prefix"
  exit 0
fi

mkdir -p "$cache"
exec 9>"$cache/sdl2.lock"
flock 9  # another build of the same cache waits here
if [ -f "$prefix/done" ]; then
  echo "$prefix"
  exit 0
fi

work=$(mktemp -d "$cache/sdl2-work.XXXXXX")
chmod 755 "$work"
trap 'rm -rf "$work"' EXIT
apt=$work/apt
mkdir -p "$apt/lists/partial" "$apt/cache/archives/partial" "$work/src"
. /etc/os-release
mirror=http://deb.debian.org/debian
keyring=/usr/share/keyrings/debian-archive-keyring.gpg
{
  echo "deb-src [signed-by=$keyring] $mirror $VERSION_CODENAME main"
  echo "deb-src [signed-by=$keyring] $mirror $VERSION_CODENAME-updates main"
  echo "deb-src [signed-by=$keyring] http://deb.debian.org/debian-security $VERSION_CODENAME-security main"
} >"$apt/sources.list"
aptopts=(-q -o Dir::Etc::sourcelist="$apt/sources.list" -o Dir::Etc::sourceparts=-
  -o Dir::State::lists="$apt/lists" -o Dir::Cache="$apt/cache" -o Dir::Etc::preferencesparts=-)
# apt downloads as the user _apt when it runs as root.
if [ "$(id -u)" -eq 0 ] && id _apt >/dev/null 2>&1; then chown -R _apt "$apt" "$work/src"; fi
echo "sdl2: fetching libsdl2 $version source" >&2
apt-get "${aptopts[@]}" update >&2
(cd "$work/src" && apt-get "${aptopts[@]}" source "libsdl2=$version" >&2)
src=$(echo "$work"/src/libsdl2-*/)

echo "sdl2: building SDL2 $upstream for Windows into $prefix" >&2
cmake -S "$src" -B "$work/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_INSTALL_PREFIX="$work/prefix" "${options[@]}" >"$work/configure.log" 2>&1 \
  || { cat "$work/configure.log" >&2; exit 1; }
cmake --build "$work/build" -j2 >"$work/build.log" 2>&1 || { tail -50 "$work/build.log" >&2; exit 1; }
cmake --install "$work/build" >/dev/null
echo "$version" >"$work/prefix/done"
rm -rf "$prefix"
mv "$work/prefix" "$prefix"
echo "$prefix"
