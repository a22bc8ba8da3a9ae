#!/usr/bin/env bash
# Sets up and builds (see scripts/setup.sh), then runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh --tests
ctest --test-dir build --output-on-failure -j "$(nproc)"
