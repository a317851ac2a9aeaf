#!/usr/bin/env bash
# Sets up the machine, builds everything (native, Windows cross build) and
# runs every test: once normally (Wine tests included) and once natively
# under AddressSanitizer and UndefinedBehaviorSanitizer. Both builds (and
# the Windows cross build) treat compiler warnings as errors; the tree is
# held to .clang-format and .clang-tidy before the tests run.
#
# Scratch files go to a fresh folder on tmpfs (/dev/shm), removed at the
# end, unless TMPDIR is set: the batch tests write thousands of small files.
# The Windows build takes the libraries it compiles from Debian's sources
# from the machine's cache once built (cmake/WinLibCache.cmake), and every
# compiler goes through ccache. Each step's time is printed at the end.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
scratch=""
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then
  scratch=$(mktemp -d /dev/shm/qrbatch-tests.XXXXXX)
  export TMPDIR=$scratch
fi
timings=""
trap 'printf "%s" "$timings"; [ -z "$scratch" ] || rm -rf "$scratch"' EXIT
step() {  # step NAME COMMAND...: runs it and notes how long it took
  local start=$SECONDS
  "${@:2}"
  timings+="$(printf '%5ds  %s' $((SECONDS - start)) "$1")"$'\n'
}

step setup bash scripts/setup-debian.sh
# Compiled objects are kept in ccache's folder; paths taken relative to the
# clone and the build folder left out of the key, so that another clone of
# the tree hits them too (its debug information may then name the folder
# of the clone that compiled them first).
if command -v ccache >/dev/null; then
  export CMAKE_C_COMPILER_LAUNCHER=ccache CMAKE_CXX_COMPILER_LAUNCHER=ccache
  export CCACHE_BASEDIR=$here CCACHE_NOHASHDIR=1
fi

jobs=$(nproc)
step configure cmake -S . -B build -G Ninja -DQR_WERROR=ON
step build cmake --build build -j "$jobs"
# Format and clang-tidy gates over the native build's compile commands.
step style bash scripts/check-style.sh build
step ctest ctest --test-dir build --output-on-failure -j "$jobs"

step asan-configure cmake -S . -B build-asan -G Ninja -DQR_SANITIZE=ON -DQR_WERROR=ON \
  -DCMAKE_BUILD_TYPE=Debug -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
step asan-build cmake --build build-asan -j "$jobs"
step asan-ctest ctest --test-dir build-asan --output-on-failure -j "$jobs"
