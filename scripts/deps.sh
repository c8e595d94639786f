#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the screenshot need, when missing;
# given package names, installs those instead.
set -euo pipefail
default=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libgl1-mesa-dev fonts-liberation
  zlib1g-dev libdeflate-dev
  libgtest-dev libgmock-dev
  clang libclang-rt-14-dev
  xorriso xvfb xauth imagemagick dpkg-dev
)
if [ $# -gt 0 ]; then packages=("$@"); else packages=("${default[@]}"); fi
missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi
