# Debian packages, by purpose. Sourced by the play and test scripts.
# Names that differ between the releases the project supports (Debian 12
# and 13) are chosen by the release this runs on, and what an architecture
# lacks by the architecture.
release=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
ARCH=$(dpkg --print-architecture)
case $release in
  bookworm) clang_runtime=libclang-rt-14-dev ;;  # no unversioned name before Debian 13
  *) clang_runtime=libclang-rt-dev ;;
esac
# The libraries the program is built against, without the architecture's
# name: cross_packages names them for another one.
program_libraries=(qt6-base-dev libgl-dev libxcb1-dev libxcb-ewmh-dev libxkbcommon-dev
  libxkbcommon-x11-dev libxcb-xkb-dev libfontconfig-dev)
BUILD_PACKAGES=(cmake ninja-build make g++ pkg-config "${program_libraries[@]}" fonts-liberation)
TEST_PACKAGES=(libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth xdotool x11-utils x11-apps
  x11-xserver-utils openbox weston xwayland python3 xkb-data x11-xkb-utils lintian desktop-file-utils
  appstream)
# The static analyser, and the compiler with its runtime for fuzzing.
TIDY_PACKAGES=(clang clang-tidy)
FUZZ_PACKAGES=(clang "$clang_runtime")
# Wine runs x86 programs only: elsewhere the Windows program is built but
# not run.
MINGW_PACKAGES=(g++-mingw-w64-x86-64 googletest)
case $ARCH in
  amd64) WINE_RUNS=1; WINDOWS_PACKAGES=("${MINGW_PACKAGES[@]}" wine wine64) ;;
  *) WINE_RUNS=; WINDOWS_PACKAGES=("${MINGW_PACKAGES[@]}") ;;
esac
# The architectures the program is cross-built for from an amd64 machine
# and tested on under qemu-user, one a line: Debian's name, the GNU
# triplet (which names the cross compiler, the libraries' multiarch folder
# and the CMake preset's VOLLEON_TARGET), what is built (the program with
# all its tests, its Debian package too, or the rules with their tests),
# and the Debian release whose system builds it on a Debian 12 machine
# (scripts/test.sh says why). Every list below comes from this table, and
# scripts/test.sh checks the presets of the same name against it.
CROSS_TABLE="
arm64    aarch64-linux-gnu      program,deb  trixie
armhf    arm-linux-gnueabihf    program,deb  trixie
riscv64  riscv64-linux-gnu      rules        trixie
s390x    s390x-linux-gnu        program      bookworm
ppc64el  powerpc64le-linux-gnu  rules        bookworm
"
# cross_column N [WHAT]: column N of each line of the table, of the lines
# whose builds include WHAT where it is given.
cross_column() {
  local arch triplet builds system
  while read -r arch triplet builds system; do
    [ -n "$arch" ] || continue
    [ -z "${2:-}" ] || [[ ",$builds," == *",$2,"* ]] || continue
    case $1 in
      1) echo "$arch" ;;
      2) echo "$triplet" ;;
      4) echo "$system" ;;
    esac
  done <<<"$CROSS_TABLE"
}
# cross_field ARCH N: column N of ARCH's line.
cross_field() {
  awk -v arch="$1" -v n="$2" '$1 == arch { print $n }' <<<"$CROSS_TABLE"
}
# cross_arches_of RELEASE: the architectures that RELEASE's system builds.
cross_arches_of() {
  awk -v release="$1" '$4 == release { print $1 }' <<<"$CROSS_TABLE"
}
mapfile -t CROSS_ARCHES < <(cross_column 1)
mapfile -t CROSS_PROGRAM_ARCHES < <(cross_column 1 program)
mapfile -t CROSS_DEB_ARCHES < <(cross_column 1 deb)

# cross_packages ARCH...: the packages that building for and running on
# each ARCH takes here, one a line.
cross_packages() {
  local arch triplet pkg
  printf '%s\n' qemu-user dpkg-dev
  for arch in "$@"; do
    triplet=$(cross_field "$arch" 2)
    # The C and C++ libraries that qemu-user runs the programs with.
    printf '%s\n' "g++-$triplet" "libc6:$arch" "libstdc++6:$arch" "libgtest-dev:$arch" "libgmock-dev:$arch"
    case " ${CROSS_PROGRAM_ARCHES[*]} " in
      *" $arch "*)
        for pkg in "${program_libraries[@]}" qt6-qpa-plugins; do
          printf '%s\n' "$pkg:$arch"
        done ;;
    esac
  done
}
unset release clang_runtime
