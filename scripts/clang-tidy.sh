#!/usr/bin/env bash
# Runs clang-tidy (the checks of .clang-tidy) over the rules and the program
# as a configured build compiles them: the files of game/ and shell/ in the
# build's compile database. Fails on any finding.
#   scripts/clang-tidy.sh BUILD_FOLDER [TARGET_TRIPLE]
# A cross build names its target: clang then parses for that target, with
# the C++ library headers and the C runtime headers that the build's own
# compiler uses (clang does not find those of Debian's mingw-w64 g++ by
# itself) and without the host's headers.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$1
target=${2:-}
[ -f "$build/compile_commands.json" ] || { echo "error: no $build/compile_commands.json" >&2; exit 1; }

extra=()
if [ -n "$target" ]; then
  compiler=$(python3 -c 'import json, shlex, sys
entry = json.load(open(sys.argv[1]))[0]
print(entry["arguments"][0] if "arguments" in entry else shlex.split(entry["command"])[0])' \
    "$build/compile_commands.json")
  extra+=(-extra-arg=--target="$target")
  # The compiler's include search list: its C++ library folders go first,
  # the C runtime's folder gives the sysroot; its own folders (intrinsics,
  # fixed headers) are left to clang's.
  while read -r dir; do
    dir=$(realpath -m "$dir")
    case $dir in
      */include/c++*) extra+=(-extra-arg=-isystem"$dir") ;;
      */lib/gcc/*) ;;
      */include) extra+=(-extra-arg=--sysroot="${dir%/include}") ;;
    esac
  done < <("$compiler" -x c++ -E -v - </dev/null 2>&1 |
    sed -n '/^#include <...> search starts here:/,/^End of search list/{/^ /p}')
  case "${extra[*]}" in
    *-isystem*--sysroot=*) ;;
    *) echo "error: no C++ and C runtime headers found in the search list of $compiler" >&2; exit 1 ;;
  esac
fi

# The database's C++ files of game/ and shell/ (not the build's generated
# ones, nor the resource scripts that Ninja lists too), as one pattern of
# their exact paths for run-clang-tidy.
files=$(python3 -c 'import json, os, re, sys
top = os.path.realpath(".")
paths = {os.path.normpath(os.path.join(e["directory"], e["file"]))
         for e in json.load(open(sys.argv[1]))}
wanted = sorted(p for p in paths
                if re.match(re.escape(top) + "/(game|shell)/.*\\.cpp$", os.path.realpath(p)))
print(len(wanted))
print("^(" + "|".join(re.escape(f) for f in wanted) + ")$")' "$build/compile_commands.json")
count=${files%%$'\n'*}
[ "$count" -gt 0 ] || { echo "error: no file of game/ or shell/ in $build/compile_commands.json" >&2; exit 1; }
echo "clang-tidy: $count files of game/ and shell/ in $build"
run-clang-tidy -quiet -p "$build" -j "${JOBS:-$(nproc)}" "${extra[@]}" "${files#*$'\n'}"
