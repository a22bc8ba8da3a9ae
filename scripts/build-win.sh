#!/usr/bin/env bash
# Configures and builds the Windows cross build into build-win/: the COM
# server QuillAsp.dll and the test host that plays the ASP host under Wine.
# Needs the MinGW-w64 and Wine packages that scripts/setup.sh --tests installs.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=Release -DQUILL_BUILD_TESTS=OFF -DQUILL_BUILD_BENCH=OFF >/dev/null
cmake --build build-win -j "$(nproc)" --target "${@:-quillcore}"
