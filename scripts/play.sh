#!/usr/bin/env bash
# Sets everything up and starts the game on the user's display.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/packages.sh
bash scripts/deps.sh "${BUILD_PACKAGES[@]}"
cmake -S . -B build/play -DCMAKE_BUILD_TYPE=Release -DVOLLEON_BUILD_TESTS=OFF -DVOLLEON_BUILD_BENCH=OFF
cmake --build build/play -j "$(nproc)" --target volleon
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Volleon needs a graphical display; to try it without one, run: xvfb-run -s '-screen 0 1920x1080x24' scripts/play.sh" >&2
  exit 1
fi
exec build/play/shell/volleon
