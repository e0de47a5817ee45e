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
# On Debian 12 all of it runs again inside a Debian 13 system (see the end).
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
# again FOLDER GENERATOR PACKAGE [CMAKE_OPTION...]: makes the package once
# more, from a build in FOLDER without the tests, and fails unless it is
# PACKAGE to the bit.
again() {
  local folder=$1 generator=$2 first=$3
  shift 3
  cmake -S . -B "$folder" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVOLLEON_WERROR=ON -DVOLLEON_BUILD_TESTS=OFF "$@"
  cmake --build "$folder" -j "$jobs"
  local second
  second="$folder/$(basename "$first")"
  rm -f "$second"
  (cd "$folder" && cpack -G "$generator")
  cmp "$first" "$second"
  echo "$(basename "$first"): the same $(stat -c %s "$first") bytes from $(dirname "$first") and $folder"
}
again build/reproduce/linux DEB build/test/volleon_*.deb -DVOLLEON_BUILD_BENCH=OFF
again build/reproduce/windows ZIP build/windows/volleon-*.zip \
  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake

# On Debian 12 the same suite runs once more in a Debian 13 system that
# scripts/test-release.sh makes, where the Debian package built above is
# installed and started too. On Debian 13 the run above is that run.
if [ "$(. /etc/os-release && echo "${VERSION_CODENAME:-}")" = bookworm ]; then
  echo "== Debian 13"
  bash scripts/test-release.sh trixie build/test/volleon_*.deb
fi
