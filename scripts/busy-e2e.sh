#!/usr/bin/env bash
# Runs the end-to-end tests of a build several times while two CPU-bound
# processes run beside them, as on a busy machine, and lists every failure:
#   scripts/busy-e2e.sh BUILD_FOLDER [RUNS] [CTEST_LABEL]
# (10 runs of the tests labelled e2e by default). Exits 1 if any run failed.
set -euo pipefail
build=$1
runs=${2:-10}
label=${3:-e2e}
hogs=()
for _ in 1 2; do
  sh -c 'while :; do :; done' &
  hogs+=($!)
done
trap 'kill "${hogs[@]}" 2>/dev/null || true' EXIT

failed=0
for run in $(seq 1 "$runs"); do
  log=$(mktemp)
  start=$(date +%s)
  if ctest --test-dir "$build" -L "$label" --output-on-failure >"$log" 2>&1; then
    echo "run $run: passed ($(($(date +%s) - start)) s)"
  else
    failed=$((failed + 1))
    echo "run $run: FAILED ($(($(date +%s) - start)) s):"
    grep -E '^\s*[0-9]+ - ' "$log" | sed 's/^/  /'
    grep -E '^(FAIL|ERROR):|Error: |AssertionError: ' "$log" | sort | uniq -c | sed 's/^/    /'
  fi
  rm -f "$log"
done
echo "$failed of $runs runs failed"
[ "$failed" -eq 0 ]
