#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds everything (a new compiler warning is an error),
# runs every test through CTest, checks the Debian package and the code's style.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAMSEL_WERROR=ON
cmake --build build -j2
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j2
# The Debian package: built, checked by lintian, unpacked and run.
./scripts/check-package.sh build
# Format and clang-tidy.
./scripts/check-style.sh build
