#!/usr/bin/env bash
# Checks a Debian package of the game as a distribution would:
#   validate-deb.sh PACKAGE.deb
# lintian, then desktop-file-validate on its menu entries and appstreamcli on
# its AppStream metadata. Fails on any error or warning; informational notes
# are shown and pass.
set -euo pipefail
deb=$1

lintian --fail-on error,warning --display-info "$deb"

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"

entries=("$unpacked"/usr/share/applications/*.desktop)
metainfo=("$unpacked"/usr/share/metainfo/*.metainfo.xml)
[ -f "${entries[0]}" ] || { echo "no menu entry in $deb" >&2; exit 1; }
[ -f "${metainfo[0]}" ] || { echo "no AppStream metadata in $deb" >&2; exit 1; }

# desktop-file-validate fails on errors only; its warnings count here too.
report=$(desktop-file-validate "${entries[@]}" 2>&1) || { echo "$report" >&2; exit 1; }
if grep -E '(error|warning):' <<<"$report" >&2; then
  exit 1
fi
[ -z "$report" ] || echo "$report"

appstreamcli validate --no-net "${metainfo[@]}"
echo "$(basename "$deb"): lintian, desktop-file-validate and appstreamcli passed"
