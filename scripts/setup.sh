#!/usr/bin/env bash
# Installs every Debian package the project needs; quick when they are all there.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config clang-format
  libegl-dev libgl-dev libegl-mesa0 libgl1-mesa-dri
  libpng-dev libtiff-dev libfreetype-dev libfontconfig-dev fonts-dejavu-core
  libpugixml-dev libgtest-dev libgmock-dev libbenchmark-dev libopenimageio-dev
  qt6-base-dev libqt6opengl6-dev qt6-qpa-plugins
  xvfb xauth xdotool imagemagick
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
