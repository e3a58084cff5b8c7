#!/usr/bin/env bash
# Installs the Debian packages that are missing, and only those.
#   install-deps.sh run    what building and running the program needs
#   install-deps.sh test   that, and what the tests, the fuzzer and the benchmark need
# As root it calls apt-get; otherwise through sudo. Without either it names what is missing and
# the command that installs it, and fails.
set -euo pipefail

run_packages=(
  build-essential cmake pkg-config
  qt6-base-dev libgl-dev
  libgstreamer1.0-dev gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-pulseaudio
  fonts-ipaexfont-gothic
)
test_packages=(
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev clang-format
  minimodem xvfb xauth xdotool imagemagick x11-utils
  qt6-gtk-platformtheme gnome-themes-extra qt6ct
  pulseaudio pulseaudio-utils
)

case "${1:-}" in
  run) wanted=("${run_packages[@]}") ;;
  test) wanted=("${run_packages[@]}" "${test_packages[@]}") ;;
  *) echo "usage: $0 run|test" >&2; exit 2 ;;
esac

missing=()
for p in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

install=(apt-get install -y -q --no-install-recommends "${missing[@]}")
if [ "$(id -u)" -eq 0 ]; then
  as_root=(env DEBIAN_FRONTEND=noninteractive)
elif command -v sudo > /dev/null; then
  # sudo drops the environment: the variable goes through env on its far side.
  as_root=(sudo env DEBIAN_FRONTEND=noninteractive)
else
  echo "Missing Debian packages: ${missing[*]}. Install them as root with: apt-get update && ${install[*]}" >&2
  exit 1
fi

echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update -q
"${as_root[@]}" "${install[@]}"
