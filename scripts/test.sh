#!/usr/bin/env bash
# Sets everything up and runs every test: the main build (warnings as
# errors) with its unit, widget and end-to-end tests, the rules under
# AddressSanitizer and UndefinedBehaviorSanitizer, and a bounded fuzz run.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
bash scripts/deps.sh "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
jobs=$(nproc)

echo "== main build and tests"
cmake -S . -B build/test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVOLLEON_WERROR=ON
cmake --build build/test -j "$jobs"
ctest --test-dir build/test --output-on-failure -j "$jobs"

echo "== rules under sanitizers"
cmake -S . -B build/sanitize -DCMAKE_BUILD_TYPE=Debug -DVOLLEON_WERROR=ON -DVOLLEON_SANITIZE=ON \
  -DVOLLEON_BUILD_SHELL=OFF -DVOLLEON_BUILD_BENCH=OFF
cmake --build build/sanitize -j "$jobs"
ctest --test-dir build/sanitize --output-on-failure -j "$jobs"

echo "== fuzzing the rules"
cmake -S . -B build/fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVOLLEON_WERROR=ON \
  -DVOLLEON_BUILD_FUZZ=ON -DVOLLEON_BUILD_SHELL=OFF -DVOLLEON_BUILD_TESTS=OFF -DVOLLEON_BUILD_BENCH=OFF
cmake --build build/fuzz -j "$jobs"
ctest --test-dir build/fuzz --output-on-failure
