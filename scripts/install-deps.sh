#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the window need, and only those missing.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-multimedia-dev libgl-dev
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good libgstreamer1.0-dev
  gstreamer1.0-pulseaudio pulseaudio pulseaudio-utils
  libgtest-dev libbenchmark-dev
  clang libclang-rt-14-dev
  minimodem xvfb xauth xdotool imagemagick x11-utils
  fonts-ipaexfont-gothic
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
