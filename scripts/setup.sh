#!/usr/bin/env bash
# Installs every Debian package Tamsel needs to build, test and run.
# Quick when everything is already there: apt is only called for what is missing.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-serialport-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools
  libqt6svg6 qt6-qpa-plugins
  libsimpleini-dev libicu-dev
  libbenchmark-dev
  fonts-liberation fonts-noto-cjk
  xvfb imagemagick
  clang libclang-rt-14-dev llvm
  dpkg-dev file lintian desktop-file-utils appstream
  poppler-utils
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update
$SUDO apt-get install -y --no-install-recommends "${missing[@]}"
