#!/usr/bin/env bash
# Tries the game in a whole Debian system of another architecture, every
# program of which runs under qemu-user:
#   scripts/test-foreign-system.sh ARCH CODENAME PACKAGE.deb [--suite]
#   (e.g. arm64 trixie build/arm64/volleon_0.1.0_arm64.deb)
# The system is made with debootstrap under build/release/CODENAME-ARCH
# and kept there. The package is installed into it with apt-get, which
# brings the libraries it depends on, and the game is started from it (the
# start-up scenario); then scripts/play.sh runs from a clone of this
# repository there, as a player on such a machine would run it, until the
# game's main window shows on an Xvfb, a picture of which is kept in
# build/release/CODENAME-ARCH/play.png. Emulated, the build takes far
# longer than here. With --suite, scripts/test.sh runs from the clone
# instead of play.sh, as on a slow machine of that architecture: the lanes
# of VOLLEON_LANES ("main windows cross" unless set), their packages
# installed first and the tests then run without a network. Needs root, and
# binfmt_misc (mounted here if it is not).
set -euo pipefail
cd "$(dirname "$0")/.."
arch=$1
release=$2
package=$3
suite=
[ "${4:-}" != --suite ] || suite=1
name=$release-$arch
home=build/release/$name
root=$home/root

[ "$(id -u)" -eq 0 ] || { echo "error: making a $name system needs root" >&2; exit 1; }
# The static qemu-user, which the kernel starts for each program of the
# system's architecture, inside the system too.
bash scripts/deps.sh qemu-user-static binfmt-support git python3
if [ ! -e /proc/sys/fs/binfmt_misc/register ]; then
  mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
fi
update-binfmts --enable >/dev/null 2>&1 || true

# Debian 12's qemu-user-static (7.2) runs a Debian 13 system's programs
# but for one thing: a program that Qt 6.8 starts from another (QProcess)
# never runs, so "Home Page" never starts the URL handler. Debian 13's qemu
# (10.0), static too, does, and on a Debian 12 machine it runs the system's
# programs instead: taken from a Debian 13 system made beside it, under a
# name of its own, the machine's own entry set aside until this ends.
if [ "$(. /etc/os-release && echo "${VERSION_CODENAME:-}")" = bookworm ]; then
  case $arch in
    arm64) qemu=aarch64 ;;
    armhf) qemu=arm ;;
    ppc64el) qemu=ppc64le ;;
    *) qemu=$arch ;;
  esac
  bash scripts/make-system.sh trixie trixie
  bash scripts/in-release.sh trixie bash -c \
    "dpkg-query -W qemu-user >/dev/null 2>&1 || DEBIAN_FRONTEND=noninteractive apt-get install -y -q qemu-user"
  entries=/proc/sys/fs/binfmt_misc
  hex() { sed 's/../\\x&/g'; }
  magic=$(sed -n 's/^magic //p' "$entries/qemu-$qemu" | hex)
  mask=$(sed -n 's/^mask //p' "$entries/qemu-$qemu" | hex)
  [ ! -e "$entries/volleon-$qemu" ] || echo -1 >"$entries/volleon-$qemu"
  echo 0 >"$entries/qemu-$qemu"
  trap 'echo -1 >"$entries/volleon-$qemu" 2>/dev/null; echo 1 >"$entries/qemu-$qemu"' EXIT
  # F: the kernel opens the interpreter now, wherever the system runs.
  echo ":volleon-$qemu:M::$magic:$mask:$PWD/build/release/trixie/root/usr/bin/qemu-$qemu:F" >"$entries/register"
fi

bash scripts/make-system.sh "$name" "$release" "$arch"
in_system() { bash scripts/in-release.sh "$name" "$@"; }

echo "== $name: installing $(basename "$package") with apt-get"
cp "$package" "$root/root/$(basename "$package")"
in_system bash -c "cd /root && DEBIAN_FRONTEND=noninteractive apt-get install -y -q ./$(basename "$package") \
  xvfb xauth x11-utils x11-apps xdotool python3"

echo "== $name: a clone of this repository"
rm -rf "$root/root/volleon"
git clone -q "$PWD" "$root/root/volleon"

echo "== $name: the installed game starts"
in_system --offline python3 /root/volleon/tests/e2e/test_startup.py --binary /usr/games/volleon \
  --dpi 96 --home-page /usr/share/volleon/index.html

if [ -n "$suite" ]; then
  lanes=${VOLLEON_LANES:-main windows cross}
  # The packages carry the time of the commit, which the system's clone
  # cannot tell without git.
  export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
  echo "== $name: scripts/test.sh from the clone, lanes: $lanes"
  VOLLEON_LANES=$lanes in_system bash /root/volleon/scripts/test.sh --install
  start=$SECONDS
  VOLLEON_LANES=$lanes in_system --offline bash /root/volleon/scripts/test.sh
  echo "$name: scripts/test.sh passed in $((SECONDS - start)) s"
  exit 0
fi

echo "== $name: scripts/play.sh from the clone"
# play.sh installs what it needs, builds, and starts the game, which then
# runs until it is ended: it is ended once its main window has shown.
in_system bash -c '
  set -eu
  cd /root/volleon
  # A server of an earlier run, ended with its namespace, leaves its lock.
  rm -f /tmp/.X7-lock /tmp/.X11-unix/X7
  Xvfb :7 -screen 0 1920x1080x24 -nolisten tcp &
  xvfb=$!
  trap "rc=\$?; kill \$xvfb 2>/dev/null; wait \$xvfb || true; exit \$rc" EXIT
  export DISPLAY=:7
  bash scripts/play.sh > /root/play.log 2>&1 &
  game=$!
  start=$SECONDS
  until xwininfo -root -tree 2>/dev/null | grep -q "\"Volleon!\""; do
    if ! kill -0 $game 2>/dev/null; then
      tail -40 /root/play.log
      echo "scripts/play.sh ended before the game showed its window" >&2
      exit 1
    fi
    sleep 5
  done
  echo "the main window showed $((SECONDS - start)) s after scripts/play.sh started"
  sleep 5
  xwd -root -silent > /root/play.xwd
  kill $game
'
python3 -c '
import sys
sys.path.insert(0, "tests/e2e")
from image import parse_xwd
open(sys.argv[2], "wb").write(parse_xwd(open(sys.argv[1], "rb").read()).to_png())
' "$root/root/play.xwd" "$home/play.png"
echo "$name: the package installed and started, and scripts/play.sh showed the game ($home/play.png)"
