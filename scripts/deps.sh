#!/usr/bin/env bash
# Installs the Debian 12 packages that Pagula needs and that are missing. Quick when all are there.
#   scripts/deps.sh run    - to build and run the program
#   scripts/deps.sh test   - also what the tests and checks use
set -euo pipefail

run_pkgs=(cmake ninja-build g++ pkg-config ccache
          qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-image-formats-plugins
          qt6-gtk-platformtheme
          qt6-translations-l10n qt6-l10n-tools qt6-tools-dev
          libjpeg62-turbo-dev libtiff-dev libzip-dev libpoppler-qt6-dev libheif-dev libleptonica-dev
          libcups2-dev help2man locales
          fonts-liberation fonts-dejavu-core)
test_pkgs=(libgtest-dev libgmock-dev libbenchmark-dev
           xvfb xauth poppler-utils libjpeg-turbo-progs imagemagick img2pdf libtiff-tools
           libheif-examples
           clang-14 libclang-rt-14-dev clang-format qt6-base-private-dev
           libreoffice-writer-nogui
           tesseract-ocr tesseract-ocr-eng python3
           cups-daemon cups-client cups-filters
           openbox x11-utils xdotool desktop-file-utils dpkg-dev file man-db lintian)

pkgs=("${run_pkgs[@]}")
if [ "${1:-run}" = test ]; then
    pkgs+=("${test_pkgs[@]}")
fi

missing=()
for p in "${pkgs[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
