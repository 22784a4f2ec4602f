#!/usr/bin/env bash
# Installs what building, running and testing the programs need on Debian 12.
# Does nothing when everything is there already.
set -euo pipefail
packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-qpa-plugins qt6-image-formats-plugins
  libgtest-dev libgmock-dev libbenchmark-dev libjpeg62-turbo-dev
  fonts-liberation2
  xvfb xauth xdotool x11-utils imagemagick libjpeg-turbo-progs
  clang-format clang libclang-rt-14-dev
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
echo "installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
