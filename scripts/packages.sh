# Debian packages, by purpose. Sourced by the play and test scripts.
# Names that differ between the releases the project supports (Debian 12
# and 13) are chosen by the release this runs on.
release=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
case $release in
  bookworm) clang_runtime=libclang-rt-14-dev ;;  # no unversioned name before Debian 13
  *) clang_runtime=libclang-rt-dev ;;
esac
BUILD_PACKAGES=(cmake make g++ pkg-config qt6-base-dev libgl-dev libxcb1-dev libxcb-ewmh-dev
  libxkbcommon-dev libxkbcommon-x11-dev libxcb-xkb-dev libfontconfig-dev fonts-liberation)
TEST_PACKAGES=(libgtest-dev libgmock-dev libbenchmark-dev clang "$clang_runtime" clang-tidy
  xvfb xauth xdotool x11-utils x11-apps x11-xserver-utils openbox weston xwayland python3
  xkb-data x11-xkb-utils lintian desktop-file-utils appstream)
WINDOWS_PACKAGES=(g++-mingw-w64-x86-64 wine wine64 googletest)
unset release clang_runtime
