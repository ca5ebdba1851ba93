#!/usr/bin/env bash
# Installs the Debian packages Pressmoor builds, runs and tests with.
# Does nothing when they are all present already.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  libsqlite3-dev libuchardet-dev libpaper-dev
  libgtest-dev libgmock-dev
  qt6-base-dev
  libreoffice-core libreoffice-writer libreoffice-calc libreoffice-impress libreoffice-dev
  poppler-utils
  xvfb xauth
  # Fonts for every script a document may use, so that no character prints
  # as an empty box (emoji from an outline font: the office prints those of
  # a colour bitmap font blank), and fonts with the metrics of the ones
  # office documents name most (Calibri, Cambria, Arial, Times New Roman,
  # Courier New), so that lines and pages break where their author saw them.
  fonts-liberation2 fonts-dejavu-core fonts-crosextra-carlito fonts-crosextra-caladea
  fonts-noto-core fonts-noto-cjk fonts-symbola
  clang libclang-rt-14-dev
  procps time
  bubblewrap
  # systemd-analyze checks the units; strace counts a benchmark's calls.
  systemd strace
  scdoc lintian desktop-file-utils dpkg-dev fakeroot
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
