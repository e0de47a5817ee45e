#!/bin/sh
# Runs a Windows program under Wine in a private prefix, making the prefix on
# first use:  wine-run.sh PREFIX PROGRAM [ARGUMENTS...]
# Without a program it only makes the prefix.
# The prefix is made offline: the .NET and HTML engine installers are
# switched off, so Wine neither asks for them nor downloads them. Wine's
# debug output is off, so only the program's own output remains.
set -eu
prefix=$1
shift
export WINEPREFIX="$prefix" WINEDEBUG=-all

if [ ! -f "$prefix/.ready" ]; then
  mkdir -p "$(dirname "$prefix")"
  # Several programs may start at once on a fresh prefix: the first one makes
  # it, the others wait for it.
  (
    flock 9
    if [ ! -f "$prefix/.ready" ]; then
      if ! WINEDLLOVERRIDES="mscoree,mshtml=" wineboot --init >"$prefix.log" 2>&1 \
          || ! wineserver --wait; then
        cat "$prefix.log" >&2
        echo "wine-run.sh: could not make the Wine prefix $prefix" >&2
        exit 1
      fi
      touch "$prefix/.ready"
    fi
  ) 9>"$prefix.lock"
fi

[ $# -gt 0 ] || exit 0

# Wine's server and background programs stay a few seconds after the last
# program ends. Started here without standard streams, they cannot hold the
# caller's output open meanwhile (CTest waits for it to close). wineserver
# exits with 0 only when it started a new server.
if wineserver -p3 </dev/null >/dev/null 2>&1; then
  wine wineboot </dev/null >/dev/null 2>&1 || true
fi
exec wine "$@"
