#!/usr/bin/env bash
# Installs the Debian packages Talvero needs to build and test, when any is missing.
# As root it runs apt-get itself; otherwise it prints the one apt-get line to run.
set -euo pipefail

packages=(g++ cmake make pkg-config qt6-base-dev libgtest-dev libbenchmark-dev fonts-dejavu-core fonts-liberation2)
# A real Amiga emulator for the bridge, and what it needs to render without a display.
packages+=(fs-uae libegl1 libegl-mesa0 libgl1-mesa-dri)
# CD images, the images the tests make, the fuzzers, and the package checks.
packages+=(libiso9660-dev libcdio-dev xorriso clang libclang-rt-14-dev desktop-file-utils appstream dpkg-dev file lintian)
packages+=("$@")

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
else
    echo "These packages are missing. Install them with:" >&2
    echo "  sudo apt-get install -y ${missing[*]}" >&2
    exit 1
fi
