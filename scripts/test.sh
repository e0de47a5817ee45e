#!/usr/bin/env bash
# Sets everything up and runs every test: the main build (warnings as
# errors) with its unit, widget and end-to-end tests, clang-tidy over the
# rules and the Qt program as that build compiles them, its Debian package
# checked by lintian, desktop-file-validate and appstreamcli, the whole
# program with all its tests under AddressSanitizer (leaks checked at exit)
# and UndefinedBehaviorSanitizer, a bounded fuzz run, the Windows build with
# its tests under Wine and its ZIP archive, clang-tidy over the Windows
# program as the mingw-w64 build compiles it, and both packages built a
# second time in other folders, which must come out the same to the bit.
set -euo pipefail
cd "$(dirname "$0")/.."
# Packages carry the time of the commit they are built from, not the time of
# the build.
SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || echo 0)}
export SOURCE_DATE_EPOCH
source scripts/packages.sh
bash scripts/deps.sh "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
jobs=$(nproc)

echo "== main build and tests"
cmake -S . -B build/test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVOLLEON_WERROR=ON
cmake --build build/test -j "$jobs"
ctest --test-dir build/test --output-on-failure -j "$jobs"

echo "== clang-tidy: the rules and the Qt program"
JOBS=$jobs bash scripts/clang-tidy.sh build/test

echo "== the Debian package and its validators"
rm -f build/test/volleon_*.deb
(cd build/test && cpack -G DEB)
bash scripts/validate-deb.sh build/test/volleon_*.deb

echo "== the whole program under sanitizers"
# Every test of this build, end-to-end ones included, runs the code built
# with AddressSanitizer and UndefinedBehaviorSanitizer; the options and the
# leak suppressions come from the tests' environment (tests/CMakeLists.txt).
cmake -S . -B build/sanitize -DCMAKE_BUILD_TYPE=Debug -DVOLLEON_WERROR=ON -DVOLLEON_SANITIZE=ON \
  -DVOLLEON_BUILD_SHELL=ON -DVOLLEON_BUILD_BENCH=OFF
cmake --build build/sanitize -j "$jobs"
ctest --test-dir build/sanitize --output-on-failure -j "$jobs"

echo "== fuzzing the rules"
cmake -S . -B build/fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVOLLEON_WERROR=ON \
  -DVOLLEON_BUILD_FUZZ=ON -DVOLLEON_BUILD_SHELL=OFF -DVOLLEON_BUILD_TESTS=OFF -DVOLLEON_BUILD_BENCH=OFF
cmake --build build/fuzz -j "$jobs"
ctest --test-dir build/fuzz --output-on-failure

echo "== Windows build under Wine"
bash scripts/deps.sh "${WINDOWS_PACKAGES[@]}"
# A fresh Wine prefix in the build tree: cmake/wine-run.sh makes it, offline,
# when the first Windows program runs.
rm -rf build/windows/wineprefix build/windows/wineprefix.lock build/windows/wineprefix.log
cmake -S . -B build/windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVOLLEON_WERROR=ON
cmake --build build/windows -j "$jobs"
ctest --test-dir build/windows --output-on-failure -j "$jobs"
rm -f build/windows/volleon-*.zip
(cd build/windows && cpack -G ZIP)
python3 -m zipfile -l build/windows/volleon-*.zip
WINEPREFIX="$PWD/build/windows/wineprefix" wineserver -k 2>/dev/null || true

echo "== clang-tidy: the Windows program"
JOBS=$jobs bash scripts/clang-tidy.sh build/windows x86_64-w64-mingw32

echo "== reproducible packages"
# Each package again, from a build in another folder without the tests.
same() {
  cmp "$1" "$2"
  echo "$(basename "$2"): the same $(stat -c %s "$2") bytes from $(dirname "$1") and $(dirname "$2")"
}
cmake -S . -B build/reproduce/linux -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVOLLEON_WERROR=ON \
  -DVOLLEON_BUILD_TESTS=OFF -DVOLLEON_BUILD_BENCH=OFF
cmake --build build/reproduce/linux -j "$jobs"
rm -f build/reproduce/linux/volleon_*.deb
(cd build/reproduce/linux && cpack -G DEB)
same build/test/volleon_*.deb build/reproduce/linux/volleon_*.deb
cmake -S . -B build/reproduce/windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVOLLEON_WERROR=ON -DVOLLEON_BUILD_TESTS=OFF
cmake --build build/reproduce/windows -j "$jobs"
rm -f build/reproduce/windows/volleon-*.zip
(cd build/reproduce/windows && cpack -G ZIP)
same build/windows/volleon-*.zip build/reproduce/windows/volleon-*.zip
