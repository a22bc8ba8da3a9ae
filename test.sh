#!/usr/bin/env bash
# Sets up and builds (see scripts/setup.sh), then runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh --tests
ctest --test-dir build --output-on-failure -j "$(nproc)"
# About a minute of fuzzing the design reader and the render path, in a
# clang build folder of its own (build-fuzz/).
scripts/fuzz.sh 60

# The native suite again with AddressSanitizer and UndefinedBehaviorSanitizer,
# in a build folder of its own so that build/ stays a plain build.
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILL_SANITIZE=ON -DQUILL_BUILD_BENCH=OFF >/dev/null
cmake --build build-asan -j "$(nproc)" --target quill_tests quill
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 LSAN_OPTIONS="suppressions=$PWD/fuzz/lsan.supp" UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j "$(nproc)" -L native
