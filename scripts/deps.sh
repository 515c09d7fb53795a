#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages the program needs, only those that are missing.
#   scripts/deps.sh run    to build and run the program
#   scripts/deps.sh test   to build and run every test (adds the tools the tests use: Xvfb,
#                          openbox, xdotool and the X utilities for the desktop tests)
#   scripts/deps.sh calc   LibreOffice Calc alone (about 290 MB), for the test that opens an
#                          exported spreadsheet file with a real spreadsheet program
set -euo pipefail

what=${1:-run}
packages=(build-essential cmake ninja-build pkg-config ccache go-md2man libqpdf-dev
          qt6-base-dev qt6-svg-dev libqt6opengl6-dev qt6-translations-l10n
          libgtest-dev libgmock-dev libbenchmark-dev
          fonts-liberation2 fonts-dejavu-core xdg-utils libxcb1-dev)
if [ "$what" = test ]; then
  packages+=(xvfb xauth poppler-utils qpdf imagemagick clang-format openbox xdotool x11-utils)
elif [ "$what" = calc ]; then
  packages=(libreoffice-calc)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "Missing packages: ${missing[*]} (run this script as root)" >&2; exit 1; }
  sudo=sudo
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
