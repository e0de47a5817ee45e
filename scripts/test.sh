#!/usr/bin/env bash
# Sets everything up and runs every test, lane by lane. Each lane's builds
# are presets of CMakePresets.json (cmake --workflow --preset NAME runs one
# alone):
#   main       the program (warnings as errors) with its unit, widget and
#              end-to-end tests, and its Debian package checked by lintian,
#              desktop-file-validate and appstreamcli;
#   tidy       clang-tidy over the rules, the Qt program and the Windows
#              program as their builds compile them;
#   sanitize   the whole program with all its tests under AddressSanitizer
#              (leaks checked at exit) and UndefinedBehaviorSanitizer;
#   fuzz       a bounded fuzz run of the rules;
#   windows    the Windows program with its tests under Wine, and its ZIP;
#   cross      on amd64, the program built for arm64, armhf and s390x and
#              the rules for riscv64 and ppc64el, with their tests under
#              qemu-user, and the arm64 and armhf Debian packages checked;
#   reproduce  the packages built a second time in other folders, which
#              must come out the same to the bit.
# VOLLEON_LANES="LANE ..." runs those lanes alone, VOLLEON_CROSS="ARCH ..."
# those architectures alone; --install only installs what they need.
# Without VOLLEON_LANES, Debian 13 runs every lane, and Debian 12 runs main,
# windows and reproduce, and the others in systems of their own (below).
set -euo pipefail
cd "$(dirname "$0")/.."
# Packages carry the time of the commit they are built from, not the time of
# the build.
SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || echo 0)}
export SOURCE_DATE_EPOCH
source scripts/packages.sh
CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}
CTEST_PARALLEL_LEVEL=${CTEST_PARALLEL_LEVEL:-$(nproc)}
export CMAKE_BUILD_PARALLEL_LEVEL CTEST_PARALLEL_LEVEL

release=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
all_lanes="main tidy sanitize fuzz windows cross reproduce"
elsewhere=
if [ -n "${VOLLEON_LANES:-}" ]; then
  lanes=$VOLLEON_LANES
elif [ "$release" = bookworm ]; then
  lanes="main windows reproduce"
  elsewhere=1
else
  lanes=$all_lanes
fi
read -r -a cross_arches <<<"${VOLLEON_CROSS:-${CROSS_ARCHES[*]}}"
# A name mistyped would otherwise leave its lane or architecture out
# without a word.
for name in $lanes; do
  [[ " $all_lanes " == *" $name "* ]] ||
    { echo "error: no lane '$name' in VOLLEON_LANES (the lanes: $all_lanes)" >&2; exit 1; }
done
for name in "${cross_arches[@]}"; do
  [[ " ${CROSS_ARCHES[*]} " == *" $name "* ]] ||
    { echo "error: no architecture '$name' in VOLLEON_CROSS (the architectures: ${CROSS_ARCHES[*]})" >&2; exit 1; }
done
lanes=" $lanes "
runs() { [[ $lanes == *" $1 "* ]]; }
[ "$ARCH" = amd64 ] || cross_arches=()

# What the lanes take, installed at once.
packages=("${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}")
runs tidy && packages+=("${TIDY_PACKAGES[@]}" "${MINGW_PACKAGES[@]}")
runs fuzz && packages+=("${FUZZ_PACKAGES[@]}")
runs windows && packages+=("${WINDOWS_PACKAGES[@]}")
if runs cross && [ ${#cross_arches[@]} -gt 0 ]; then
  mapfile -t -O ${#packages[@]} packages < <(cross_packages "${cross_arches[@]}")
fi
# What makes the systems of other releases (below), before two of them are
# made at once.
[ -z "$elsewhere" ] || packages+=(debootstrap rsync)
bash scripts/deps.sh "${packages[@]}"
[ "${1:-}" != --install ] || exit 0

# Debian 12 leaves the lanes that a newer toolchain proves no less to a
# Debian 13 system that scripts/test-release.sh makes, where the Debian
# package built here is installed and started too: clang-tidy and the
# sanitizers (they find more there), fuzzing, and the architectures whose
# libraries Debian 13 co-installs with amd64's. s390x and ppc64el are built
# in a system of Debian 12's main suite alone: the package mirror lacks
# files of Debian 13's current s390x and ppc64el packages, and holds Debian
# 12's updates for them behind those for amd64, which multiarch needs at
# the same versions. Both systems are made and their packages installed
# while the lanes here build and test, at a low priority, so that those
# lanes keep the machine first.
systems=(trixie bookworm)
declare -A system_lanes=([trixie]="main tidy sanitize fuzz cross reproduce" [bookworm]="cross")
declare -A system_cross=([trixie]="$(cross_arches_of trixie | xargs)" [bookworm]="$(cross_arches_of bookworm | xargs)")
declare -A system_name=([trixie]="Debian 13" [bookworm]="Debian 12, its main suite alone")
declare -A preparing=()
if [ -n "$elsewhere" ]; then
  trap 'kill $(jobs -p) 2>/dev/null || true' EXIT
  [ "$(id -u)" -eq 0 ] || { echo "error: the Debian 13 and Debian 12 systems need root" >&2; exit 1; }
  mkdir -p build/release
  for system in "${systems[@]}"; do
    VOLLEON_LANES=${system_lanes[$system]} VOLLEON_CROSS=${system_cross[$system]} \
      nice -n 15 bash scripts/test-release.sh "$system" --prepare >"build/release/$system.prepare.log" 2>&1 &
    preparing[$system]=$!
  done
fi

times=()
# lane NAME: runs NAME_lane where NAME is one of the lanes, and keeps the
# time it took.
lane() {
  runs "$1" || return 0
  echo "== $1"
  local start=$SECONDS
  "$1_lane"
  times+=("$1 $((SECONDS - start)) s")
}

# again PRESET FIRST: makes the package FIRST once more with the workflow
# PRESET, in its own folder, and fails unless it is the same to the bit.
again() {
  local second
  second="build/$1/$(basename "$2")"
  rm -f "$second"
  cmake --workflow --preset "$1"
  cmp "$2" "$second"
  echo "$(basename "$2"): the same $(stat -c %s "$2") bytes from $(dirname "$2") and $(dirname "$second")"
}

main_lane() {
  rm -f build/main/volleon_*.deb
  cmake --workflow --preset main
  bash scripts/validate-deb.sh build/main/volleon_*.deb
}

tidy_lane() {
  JOBS=$(nproc) bash scripts/clang-tidy.sh build/main
  cmake --preset windows >/dev/null
  JOBS=$(nproc) bash scripts/clang-tidy.sh build/windows x86_64-w64-mingw32
}

sanitize_lane() {
  # The options and the leak suppressions come from the tests' environment
  # (tests/CMakeLists.txt).
  cmake --workflow --preset sanitize
}

fuzz_lane() {
  cmake --workflow --preset fuzz
}

# Builds the Windows program and its tests, with a fresh Wine prefix. Where
# Wine does not run, the program alone: the build of the tests makes the
# Wine prefix and lists the tests through Wine.
windows_build() {
  rm -rf build/windows/wineprefix build/windows/wineprefix.lock build/windows/wineprefix.log
  if [ -n "$WINE_RUNS" ]; then
    cmake --preset windows
  else
    cmake --preset windows -DBUILD_TESTING=OFF
  fi
  cmake --build --preset windows
}

windows_lane() {
  rm -f build/windows/volleon-*.zip
  [ -n "${windows_built:-}" ] || windows_build
  if [ -n "$WINE_RUNS" ]; then
    ctest --preset windows
    WINEPREFIX="$PWD/build/windows/wineprefix" wineserver -k 2>/dev/null || true
  else
    echo "Wine runs x86 programs only: the Windows program is built on $ARCH, its tests are not run"
  fi
  cpack --preset windows
  python3 -m zipfile -l build/windows/volleon-*.zip
}

cross_lane() {
  if [ ${#cross_arches[@]} -eq 0 ]; then
    echo "The other architectures are built from amd64 only: none on $ARCH"
    return
  fi
  local arch start
  for arch in "${cross_arches[@]}"; do
    echo "== cross: $arch"
    start=$SECONDS
    if [ "$arch" = s390x ] && ! runs main; then
      # The program of this machine whose pictures the s390x one must show.
      cmake --preset main
      cmake --build --preset main --target volleon
    fi
    rm -f "build/$arch"/volleon_*.deb
    cmake --workflow --preset "$arch"
    # The preset of that name builds for the architecture of the table.
    grep -Eq "^VOLLEON_TARGET:[A-Z]+=$(cross_field "$arch" 2)\$" "build/$arch/CMakeCache.txt" ||
      { echo "error: the preset $arch does not build for $(cross_field "$arch" 2) (scripts/packages.sh)" >&2; exit 1; }
    if compgen -G "build/$arch/volleon_*.deb" >/dev/null; then
      bash scripts/validate-deb.sh "build/$arch"/volleon_*.deb
    fi
    times+=("cross: $arch $((SECONDS - start)) s")
  done
}

reproduce_lane() {
  if runs main; then
    again reproduce-main build/main/volleon_*.deb
  fi
  if runs windows; then
    again reproduce-windows build/windows/volleon-*.zip
  fi
  local arch
  for arch in "${cross_arches[@]}"; do
    if runs cross && [[ " ${CROSS_DEB_ARCHES[*]} " == *" $arch "* ]]; then
      again "reproduce-$arch" "build/$arch"/volleon_*.deb
    fi
  done
}

# Waits for the systems being prepared; fails with the log of one that
# could not be.
await_systems() {
  local system
  for system in "${!preparing[@]}"; do
    if ! wait "${preparing[$system]}"; then
      cat "build/release/$system.prepare.log"
      echo "error: making the $system system failed" >&2
      exit 1
    fi
    unset "preparing[$system]"
  done
}

for name in $all_lanes; do
  if [ "$name" = windows ] && [ ${#preparing[@]} -gt 0 ]; then
    # The Windows scenarios time the program's own timers, which run late
    # under Wine on a busy machine: they wait until the systems are
    # prepared, while the Windows build does not.
    start=$SECONDS
    if runs windows; then
      echo "== windows: the build"
      windows_build
      windows_built=1
      times+=("windows build $((SECONDS - start)) s")
    fi
    start=$SECONDS
    await_systems
    times+=("then the systems ready after $((SECONDS - start)) s")
  fi
  lane "$name"
done
echo "== lane times on Debian ${release:-?} ($ARCH):$(printf ' %s;' "${times[@]}")"

await_systems
for system in "${systems[@]}"; do
  [ -n "$elsewhere" ] || break
  echo "== ${system_name[$system]}"
  package=
  [ "$system" != trixie ] || package=$(echo build/main/volleon_*.deb)
  VOLLEON_LANES=${system_lanes[$system]} VOLLEON_CROSS=${system_cross[$system]} \
    bash scripts/test-release.sh "$system" $package
done
