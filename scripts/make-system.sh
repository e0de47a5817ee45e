#!/usr/bin/env bash
# Makes a Debian system with debootstrap, from the package mirror this
# machine's apt uses, under build/release/NAME/root, unless one is there:
#   scripts/make-system.sh NAME CODENAME [ARCH]
# A system of another architecture (ARCH) needs qemu-user through
# binfmt_misc to run its programs. Needs root.
set -euo pipefail
cd "$(dirname "$0")/.."
name=$1
release=$2
arch=${3:-}
home=build/release/$name
root=$home/root

[ "$(id -u)" -eq 0 ] || { echo "error: making a $name system needs root" >&2; exit 1; }
bash scripts/deps.sh debootstrap rsync
mirror=${VOLLEON_MIRROR:-$(apt-get indextargets --format '$(REPO_URI)' 'Created-By: Packages' |
  grep -m1 -E '/debian/?$' || true)}
mirror=${mirror:-http://deb.debian.org/debian}
if [ ! -e "$home/ready" ]; then
  echo "== making a $name system from $mirror"
  rm -rf "$root"
  mkdir -p "$root"
  debootstrap ${arch:+--arch "$arch"} --variant=minbase "$release" "$root" "$mirror"
  touch "$home/ready"
fi
cp /etc/resolv.conf "$root/etc/resolv.conf"
