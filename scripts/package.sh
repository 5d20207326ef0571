#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds what the package ships and makes the Debian
# package build/package/tamsel_<version>_<arch>.deb (install it with apt, see the README).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build -j2 --target Tamsel tamsel-station tamsel-export tamsel_packaging_files
rm -rf build/package
if ! (cd build && cpack -G DEB >cpack.log 2>&1); then
  cat build/cpack.log >&2
  exit 1
fi
ls build/package/tamsel_*.deb
