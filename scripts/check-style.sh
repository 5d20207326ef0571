#!/usr/bin/env bash
# The habits CI keeps: every C/C++ file formatted as .clang-format says, and no finding of
# .clang-tidy's checks in the program's own code (src/ and tools/).
# Usage: scripts/check-style.sh [BUILD_DIR]   (a configured build with compile_commands.json)
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${1:-build}

mapfile -t sources < <(git ls-files '*.c' '*.cpp' '*.h')
if ! clang-format --dry-run --Werror "${sources[@]}"; then
  echo "check-style: files differ from .clang-format (run: clang-format -i <file>)" >&2
  exit 1
fi

[ -f "$BUILD/compile_commands.json" ] || { echo "check-style: no $BUILD/compile_commands.json" >&2; exit 1; }
# Only translation units of this platform are in the compile database.
if ! run-clang-tidy -p "$BUILD" -quiet -j "$(nproc)" "$PWD/(src|tools)/" > "$BUILD/clang-tidy.log" 2>&1; then
  grep -E "(warning|error):" "$BUILD/clang-tidy.log" | sort -u >&2 || tail -40 "$BUILD/clang-tidy.log" >&2
  echo "check-style: clang-tidy found the problems above (full log: $BUILD/clang-tidy.log)" >&2
  exit 1
fi
echo "check-style: format and clang-tidy clean"
