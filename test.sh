#!/usr/bin/env bash
# Sets up and builds (see scripts/setup.sh), then runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh --tests
ctest --test-dir build --output-on-failure -j "$(nproc)"
# About a minute of fuzzing the design reader and the render path, in a
# clang build folder of its own (build-fuzz/).
scripts/fuzz.sh 60
