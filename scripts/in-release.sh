#!/usr/bin/env bash
# Runs a command inside a Debian system that scripts/make-system.sh made
# under build/release/NAME:
#   scripts/in-release.sh NAME [--offline] COMMAND...
# It gets its own /proc, /sys, /dev/pts and /dev/shm and a clean
# environment (but for CI, SOURCE_DATE_EPOCH and the lanes chosen by
# VOLLEON_LANES and VOLLEON_CROSS), in new mount and process namespaces:
# its mounts and every process it starts end with it. --offline gives it a
# network namespace of its own too, with nothing but its loopback, so that
# X servers inside cannot meet this machine's through their abstract
# sockets. Needs root.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD/build/release/$1/root
shift
[ -x "$root/usr/bin/env" ] || { echo "error: no system at $root: run scripts/make-system.sh first" >&2; exit 1; }
namespaces=(--mount --propagation private --pid --fork)
if [ "${1:-}" = --offline ]; then
  namespaces+=(--net)
  shift
fi
exec unshare "${namespaces[@]}" bash -c '
  set -e
  root=$1
  shift
  mount -t proc proc "$root/proc"
  mount --rbind /sys "$root/sys"
  mount --bind /dev "$root/dev"
  mount -t devpts -o newinstance,ptmxmode=0666 devpts "$root/dev/pts"
  mount --bind "$root/dev/pts/ptmx" "$root/dev/ptmx"
  mount -t tmpfs -o mode=1777 tmpfs "$root/dev/shm"
  if command -v ip >/dev/null; then ip link set lo up 2>/dev/null || true; fi
  exec chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root \
    LANG=C.UTF-8 TERM=dumb ${CI:+CI="$CI"} ${SOURCE_DATE_EPOCH:+SOURCE_DATE_EPOCH="$SOURCE_DATE_EPOCH"} \
    ${VOLLEON_LANES:+VOLLEON_LANES="$VOLLEON_LANES"} \
    ${VOLLEON_CROSS:+VOLLEON_CROSS="$VOLLEON_CROSS"} "$@"
' in-release "$root" "$@"
