#!/usr/bin/env bash
# Installs the Debian packages Tessellon needs when they are missing.
# Usage: scripts/deps.sh build|test
set -euo pipefail

build_packages=(
    cmake ninja-build g++ pkg-config
    libsdl2-dev libsdl2-ttf-dev libsdl2-image-dev libsdl2-gfx-dev
    libphysfs-dev zlib1g-dev nlohmann-json3-dev libcairo2-dev libfreetype-dev
    fonts-dejavu-core fonts-osifont
)
test_packages=(
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth xfonts-base xdotool x11-utils imagemagick python3
    # the install check: desktop entry, manual page, file type
    desktop-file-utils man-db shared-mime-info xdg-utils libfile-mimeinfo-perl
    clang-14 libclang-rt-14-dev
    # exported PDFs drawn back into pixels and checked
    poppler-utils
)

wanted=("${build_packages[@]}")
if [[ "${1:-build}" == "test" ]]; then
    wanted+=("${test_packages[@]}")
fi

missing=()
for package in "${wanted[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if ((${#missing[@]} == 0)); then
    exit 0
fi

echo "Installing missing packages: ${missing[*]}"
sudo_cmd=()
if [[ $(id -u) -ne 0 ]]; then
    sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
