#!/usr/bin/env bash
# Runs the whole suite once more inside another Debian release, and installs
# and starts a package built outside it:
#   scripts/test-release.sh CODENAME [PACKAGE.deb | --prepare]
# --prepare makes the system and installs what the suite needs, and stops
# there.
# VOLLEON_LANES and VOLLEON_CROSS choose the lanes of scripts/test.sh run
# there (all by default).
# The release's system is made by scripts/make-system.sh under
# build/release/CODENAME, and kept there between runs; scripts/in-release.sh
# runs each step inside it, the tests without a network. Needs root.
set -euo pipefail
cd "$(dirname "$0")/.."
release=$1
package=${2:-}
prepare=
if [ "$package" = --prepare ]; then
  prepare=1
  package=
fi
root=build/release/$release/root
bash scripts/make-system.sh "$release" "$release"

# The source as it stands here (without its build folders), at /volleon.
# The release keeps its own build folders there between runs: only files
# whose content differs are copied, and they get the time of the copy, so
# that those builds see what changed.
mkdir -p "$root/volleon"
rsync -r --checksum --delete --exclude=/build --exclude=/.git ./ "$root/volleon/"
if [ -n "$package" ]; then
  cp "$package" "$root/volleon/$(basename "$package")"
fi

export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct 2>/dev/null || echo 0)}

echo "== $release: installing what the suite needs"
bash scripts/in-release.sh "$release" bash /volleon/scripts/test.sh --install
[ -z "$prepare" ] || exit 0
if [ -n "$package" ]; then
  echo "== $release: installing $(basename "$package")"
  bash scripts/in-release.sh "$release" bash -c "cd /volleon && DEBIAN_FRONTEND=noninteractive apt-get install -y -q ./$(basename "$package")"
fi

# From here on the release has no network but its own loopback.
if [ -n "$package" ]; then
  echo "== $release: the installed game starts"
  bash scripts/in-release.sh "$release" --offline python3 /volleon/tests/e2e/test_startup.py --binary /usr/games/volleon --dpi 96 \
    --home-page /usr/share/volleon/index.html
fi
echo "== $release: the whole suite"
bash scripts/in-release.sh "$release" --offline bash /volleon/scripts/test.sh
