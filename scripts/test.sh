#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine, builds everything (a new compiler warning is an error),
# runs every test through CTest and checks the Debian package.
#   scripts/test.sh             the plain build in build/
#   scripts/test.sh --sanitize  every test again, built with AddressSanitizer and
#                               UndefinedBehaviorSanitizer in build-sanitize/; any finding fails
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/setup.sh
if [ "${1:-}" = "--sanitize" ]; then
  # clang with the fuzz targets: the same build serves scripts/fuzz.sh afterwards.
  cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_FLAGS_DEBUG='-O1 -gline-tables-only' -DCMAKE_CXX_FLAGS_DEBUG='-O1 -gline-tables-only' \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DTAMSEL_FUZZ=ON
  cmake --build build-sanitize -j2
  # Leaks are not checked: Qt and fontconfig keep caches until the process ends.
  ASAN_OPTIONS=detect_leaks=0:abort_on_error=1:strict_string_checks=1 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  QT_QPA_PLATFORM=offscreen ctest --test-dir build-sanitize --output-on-failure -j2
  exit 0
fi
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAMSEL_WERROR=ON
cmake --build build -j2
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j2
# The Debian package: built, checked by lintian, unpacked and run.
./scripts/check-package.sh build
