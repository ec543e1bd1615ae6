#!/usr/bin/env bash
# Installs every Debian package Grainpit needs to build, test, benchmark and
# package, skipping what is already present. Uses sudo when not root.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  libsdl2-dev libgl-dev libstb-dev
  googletest libgtest-dev libbenchmark-dev
  xvfb openbox xdotool x11-utils wmctrl imagemagick libx11-dev libxfixes-dev
  desktop-file-utils dpkg-dev file python3
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "setup: installing ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
