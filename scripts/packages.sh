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
# The architectures the program is cross-built for and tested on under
# qemu-user, from an amd64 machine: arm64, armhf and s390x the program with
# its tests (the libraries of each installed through multiarch), riscv64
# and ppc64el the rules with their tests.
CROSS_ARCHES=(arm64 armhf s390x riscv64 ppc64el)
CROSS_PROGRAM_ARCHES=(arm64 armhf s390x)
# Those whose Debian package is built and checked too.
CROSS_DEB_ARCHES=(arm64 armhf)

# cross_packages ARCH...: the packages that building for and running on
# each ARCH takes here, one a line.
cross_packages() {
  local arch triplet pkg
  printf '%s\n' qemu-user dpkg-dev
  for arch in "$@"; do
    case $arch in
      arm64) triplet=aarch64-linux-gnu ;;
      armhf) triplet=arm-linux-gnueabihf ;;
      ppc64el) triplet=powerpc64le-linux-gnu ;;
      *) triplet=$arch-linux-gnu ;;
    esac
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
