#!/usr/bin/env bash
# Checks a Debian package of the game as a distribution would:
#   validate-deb.sh PACKAGE.deb
# lintian, then desktop-file-validate on its menu entries and appstreamcli on
# its AppStream metadata. Fails on any error or warning; informational notes
# are shown and pass.
set -euo pipefail
deb=$1

# A build given no web address (VOLLEON_HOME_PAGE_URL) names no home page
# in its AppStream metadata: the project has none to name, and an address
# that leads nowhere would be worse. AppStream 1.0 warns of that, and lintian
# passes the warning on as its own; appstreamcli below is run on the same
# file and fails on every other warning.
without_homepage=false
lintian_skip=()
if ! dpkg-deb --fsys-tarfile "$deb" | tar -xO --wildcards './usr/share/metainfo/*.metainfo.xml' |
    grep -q '<url type="homepage">'; then
  without_homepage=true
  # lintian before 2.117 has no such tag.
  if lintian-explain-tags appstream-metadata-validation-failed >/dev/null 2>&1; then
    lintian_skip=(--suppress-tags appstream-metadata-validation-failed)
  fi
fi
lintian --fail-on error,warning --display-info "${lintian_skip[@]}" "$deb"

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

report=$(appstreamcli validate --no-net "${metainfo[@]}" 2>&1) || {
  if ! $without_homepage || grep -E '^[EW]: ' <<<"$report" | grep -qv 'url-homepage-missing$'; then
    echo "$report" >&2
    exit 1
  fi
}
echo "$report"
echo "$(basename "$deb"): lintian, desktop-file-validate and appstreamcli passed"
