#!/usr/bin/env bash
# Installs the Debian packages named on the command line that are missing.
# A name with an architecture (qt6-base-dev:arm64) adds that architecture
# to dpkg's foreign ones first, as multiarch needs. Runs apt-get through
# sudo when not root; does nothing when all are there.
set -euo pipefail

missing=()
for pkg in "$@"; do
  if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$pkg")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "error: need root or sudo to install ${missing[*]}" >&2; exit 1; }
  as_root=(sudo)
fi
native=$(dpkg --print-architecture)
for arch in $(printf '%s\n' "${missing[@]}" | sed -n 's/^[^:]*:\([a-z0-9]*\)$/\1/p' | sort -u); do
  if [ "$arch" != "$native" ] && ! dpkg --print-foreign-architectures | grep -qx "$arch"; then
    echo "Adding the architecture $arch to dpkg"
    "${as_root[@]}" dpkg --add-architecture "$arch"
  fi
done

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -q
# Another architecture's libraries come without what they only recommend
# (themes, translations), which nothing of this machine would run.
native_missing=() foreign_missing=()
for pkg in "${missing[@]}"; do
  case $pkg in
    *:*) foreign_missing+=("$pkg") ;;
    *) native_missing+=("$pkg") ;;
  esac
done
if [ ${#native_missing[@]} -gt 0 ]; then
  "${as_root[@]}" apt-get install -y -q "${native_missing[@]}"
fi
if [ ${#foreign_missing[@]} -gt 0 ]; then
  "${as_root[@]}" apt-get install -y -q --no-install-recommends "${foreign_missing[@]}"
fi
