#!/usr/bin/env bash
# Sets everything up and starts the game on the user's display.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
bash scripts/deps.sh "${BUILD_PACKAGES[@]}"
CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)} cmake --workflow --preset play
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Volleon needs a graphical display; to try it without one, run: xvfb-run -s '-screen 0 1920x1080x24' scripts/play.sh" >&2
  exit 1
fi
exec build/play/shell/volleon
