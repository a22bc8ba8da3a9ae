#!/usr/bin/env bash
# Installs what the build needs (only what is missing), configures build/
# and builds. Shared by run.sh and test.sh so both set up alike.
#   scripts/setup.sh [TARGET...]          what the quill program and the demo
#                                         need; builds TARGETs (all when none)
#   scripts/setup.sh --tests [TARGET...]  also what the test suite needs
# Quiet when all is well: build output is kept in build/setup.log and shown
# only when the build fails.
set -euo pipefail
cd "$(dirname "$0")/.."

with_tests=0
if [ "${1:-}" = "--tests" ]; then
  with_tests=1
  shift
fi
targets=("$@")

packages=(
  g++ cmake make pkg-config
  nlohmann-json3-dev libstb-dev
  libfreetype-dev libfontconfig-dev fontconfig fonts-liberation2
  qt6-base-dev qt6-webengine-dev
)
if [ "$with_tests" = 1 ]; then
  packages+=(
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    g++-mingw-w64-x86-64-posix wine wine64 wine64-tools
    chromium
    # The CJK face that the measuring tests and Chromium fall back to for
    # Japanese: 16 MB where fonts-noto-cjk takes 90.
    fonts-wqy-zenhei
    clang libclang-rt-14-dev
    python3-jsonschema
  )
fi

# Another package install may hold apt's or dpkg's lock for a while: wait
# for it, five minutes at most, instead of failing at once.
apt_wait() {
  local deadline=$((SECONDS + 300)) log
  while ! log=$(apt-get -o DPkg::Lock::Timeout=60 "$@" 2>&1); do
    if ! grep -qi 'lock' <<<"$log" || [ "$SECONDS" -ge "$deadline" ]; then
      echo "$log" >&2
      return 1
    fi
    echo "Waiting for another package manager to let go of its lock..." >&2
    sleep 5
  done
}

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  if [ "$(id -u)" -ne 0 ]; then
    echo "error: packages missing and not running as root: ${missing[*]}" >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt_wait update -qq
  apt_wait install -y -qq --no-install-recommends "${missing[@]}"
fi

# Configure only when needed: the build reruns cmake by itself whenever a
# CMakeLists.txt changes. Without --tests a new build/ leaves the suite out,
# so rendering needs no test packages; --tests always brings it in.
build_type="${QUILL_BUILD_TYPE:-RelWithDebInfo}"
configure=()
if [ "$with_tests" = 1 ]; then
  configure=(-DQUILL_BUILD_TESTS=ON -DQUILL_BUILD_BENCH=ON)
elif [ ! -f build/CMakeCache.txt ]; then
  configure=(-DQUILL_BUILD_TESTS=OFF -DQUILL_BUILD_BENCH=OFF)
fi
if [ "${#configure[@]}" -gt 0 ] || [ -n "${QUILL_CMAKE_ARGS:-}" ]; then
  [ -f build/CMakeCache.txt ] || echo "Building into build/ for the first time; this takes a few minutes."
  # QUILL_SANITIZE is given every time so that a sanitized configure never
  # sticks in build/'s cache; test.sh builds the sanitized suite elsewhere.
  cmake -S . -B build -DCMAKE_BUILD_TYPE="$build_type" -DQUILL_SANITIZE=OFF "${configure[@]}" ${QUILL_CMAKE_ARGS:-} >/dev/null
fi

target_args=()
for t in "${targets[@]}"; do target_args+=(--target "$t"); done
if ! cmake --build build -j "$(nproc)" "${target_args[@]}" >build/setup.log 2>&1; then
  tail -n 60 build/setup.log >&2
  echo "error: the build failed; the whole output is in build/setup.log" >&2
  exit 1
fi
