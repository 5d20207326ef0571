#!/usr/bin/env bash
# Fuzzes every parser: builds the targets of tests/fuzz with clang, libFuzzer,
# AddressSanitizer and UndefinedBehaviorSanitizer into build-sanitize/ (the folder of
# `scripts/test.sh --sanitize`, configured the same way), then runs each in turn for
# SECONDS (default 60) starting from its seed corpus. Any crash, sanitizer report or failed
# check fails the script; the input that caused it is left in build-sanitize/findings/<target>/.
#   scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
./scripts/setup.sh

targets=(record_file record_journal profile_file command_blocks ini_settings frame_path text_codec user_list operation_log report_template)
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_FLAGS_DEBUG='-O1 -gline-tables-only' -DCMAKE_CXX_FLAGS_DEBUG='-O1 -gline-tables-only' \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DTAMSEL_FUZZ=ON "${launcher[@]}"
cmake --build build-sanitize -j2 --target "${targets[@]/#/fuzz_}"

export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen
failed=()
for t in "${targets[@]}"; do
  corpus="build-sanitize/corpus/$t"
  findings="build-sanitize/findings/$t"
  mkdir -p "$corpus" "$findings"
  echo "== fuzz_$t for ${seconds}s"
  # New inputs go to the working corpus; the committed seeds are only read.
  if build-sanitize/fuzz/fuzz_$t -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$findings/" -print_final_stats=1 "$corpus" "tests/fuzz/corpus/$t" \
      > "build-sanitize/fuzz_$t.log" 2>&1; then
    grep -E '^stat::number_of_executed_units|^Done ' "build-sanitize/fuzz_$t.log" || true
  else
    echo "fuzz_$t: FINDING, see build-sanitize/fuzz_$t.log and $findings/"
    tail -n 40 "build-sanitize/fuzz_$t.log"
    failed+=("$t")
  fi
done
if [ ${#failed[@]} -ne 0 ]; then
  echo "findings in: ${failed[*]}"
  exit 1
fi
echo "no findings"
