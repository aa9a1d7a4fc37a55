#!/usr/bin/env bash
# Installs what Slopekit needs to build, test and run on Debian 12, skipping the
# package manager entirely when everything is already there.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev
  qt6-base-dev libchm-dev fp-utils
  qt6-charts-dev libqt6opengl6-dev qt6-svg-dev libeigen3-dev nlohmann-json3-dev
  libgtest-dev libgmock-dev libbenchmark-dev libmuparser-dev
  xvfb xauth imagemagick poppler-utils
  fonts-dejavu-core fonts-liberation2
  dpkg-dev lintian desktop-file-utils appstream bash-completion man-db
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
