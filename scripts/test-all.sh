#!/usr/bin/env bash
# Sets up the machine, builds everything (native, Windows cross build) and
# runs every test: once normally (Wine tests included) and once natively
# under AddressSanitizer and UndefinedBehaviorSanitizer. Both builds (and
# the Windows cross build) treat compiler warnings as errors; the tree is
# held to .clang-format and .clang-tidy before the tests run.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
bash scripts/setup-debian.sh

jobs=$(nproc)
cmake -S . -B build -G Ninja -DQR_WERROR=ON
cmake --build build -j "$jobs"
# Format and clang-tidy gates over the native build's compile commands.
bash scripts/check-style.sh build
ctest --test-dir build --output-on-failure -j "$jobs"

cmake -S . -B build-asan -G Ninja -DQR_SANITIZE=ON -DQR_WERROR=ON -DCMAKE_BUILD_TYPE=Debug \
      -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++
cmake --build build-asan -j "$jobs"
ctest --test-dir build-asan --output-on-failure -j "$jobs"
