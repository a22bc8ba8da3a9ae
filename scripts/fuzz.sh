#!/usr/bin/env bash
# Builds the design fuzzer with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer in build-fuzz/, then fuzzes the design reader
# and the render path for SECONDS (default 60), starting from the project's
# designs. Every input that crashes, leaks or hangs is kept in
# build-fuzz/findings/; check each in under tests/fuzz-regressions/.
#   scripts/fuzz.sh [SECONDS] [extra libFuzzer options...]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
shift || true

cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DQUILL_SANITIZE=ON -DQUILL_FUZZ=ON \
  -DQUILL_BUILD_TESTS=OFF -DQUILL_BUILD_BENCH=OFF >/dev/null
cmake --build build-fuzz -j "$(nproc)" --target quill_design_fuzzer

# The corpus grows in build-fuzz/corpus; the seeds stay untouched.
corpus=build-fuzz/corpus
findings=build-fuzz/findings
mkdir -p "$corpus" "$findings"
seeds=(examples/*.form.json src/aspserver/PageOne.form.json)
while IFS= read -r -d '' f; do seeds+=("$f"); done \
  < <(find tests -name '*.json' -print0)
cp -n "${seeds[@]}" "$corpus"/ 2>/dev/null || true

export ASAN_OPTIONS="detect_leaks=1:allocator_may_return_null=1${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
export LSAN_OPTIONS="suppressions=$PWD/fuzz/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
exec build-fuzz/bin/quill_design_fuzzer "$corpus" \
  -dict=fuzz/design.dict -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
  -max_len=65536 -artifact_prefix="$findings/" -print_final_stats=1 "$@"
