#!/usr/bin/env bash
# Installs the Debian packages Pressmoor builds, runs and tests with.
# Does nothing when they are all present already.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  libsqlite3-dev
  libgtest-dev libgmock-dev
  qt6-base-dev
  libreoffice-core libreoffice-writer libreoffice-calc libreoffice-dev
  poppler-utils
  xvfb xauth
  fonts-liberation2 fonts-dejavu-core
  clang libclang-rt-14-dev
  procps time
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
