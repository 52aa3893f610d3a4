#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Nocturnia need, only those
# that are missing. Runs apt-get through sudo when not root.
set -euo pipefail

packages=(
    cmake ninja-build g++ make clang-format clang-tidy
    clang-14 libclang-rt-14-dev
    qt6-base-dev qt6-multimedia-dev libgl-dev
    gstreamer1.0-plugins-base gstreamer1.0-plugins-good
    libgstreamer1.0-dev pulseaudio pulseaudio-utils libpulse-dev sox lame
    dbus python3-dbusmock iproute2
    xvfb xauth imagemagick trayer xdotool
    xdg-utils desktop-file-utils
    fp-utils groff poppler-utils xchm
    appstream dpkg-dev at-spi2-core python3-pyatspi
    fonts-wine fonts-dejavu-core
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
