# Debian packages, by purpose. Sourced by the play and test scripts.
BUILD_PACKAGES=(cmake make g++ pkg-config qt6-base-dev libgl-dev libxcb1-dev libxcb-ewmh-dev
  libxkbcommon-dev libxkbcommon-x11-dev libxcb-xkb-dev libfontconfig-dev fonts-liberation)
TEST_PACKAGES=(libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev clang-tidy
  xvfb xauth xdotool x11-utils x11-apps x11-xserver-utils openbox weston xwayland python3
  xkb-data x11-xkb-utils lintian desktop-file-utils appstream)
WINDOWS_PACKAGES=(g++-mingw-w64-x86-64 wine wine64 googletest)
