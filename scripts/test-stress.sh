#!/usr/bin/env bash
# Runs the test suite again and again while two busy loops take the machine's cores, the way a
# shared CI machine can be loaded, to find tests that pass or fail by chance.
#
#   scripts/test-stress.sh BUILD_FOLDER RUNS [ctest options...]
#   scripts/test-stress.sh build-test 10 -L 'x11|ui|e2e|wayland'
set -euo pipefail

build=${1:?usage: $0 BUILD_FOLDER RUNS [ctest options...]}
runs=${2:?usage: $0 BUILD_FOLDER RUNS [ctest options...]}
shift 2
here=$(cd "$(dirname "$0")" && pwd)

busy=()
stop_busy() { for pid in "${busy[@]}"; do kill "$pid" 2>/dev/null || true; done; }
trap stop_busy EXIT
run_pid=
interrupted() {
  # test-env.sh ends everything its run started when told to stop.
  [ -z "$run_pid" ] || { kill "$run_pid" 2>/dev/null; wait "$run_pid" 2>/dev/null || true; }
  echo "stress: interrupted" >&2
  exit 130
}
trap interrupted INT TERM
for _ in 1 2; do
  ( while :; do :; done ) &
  busy+=($!)
done

failed=0
for run in $(seq 1 "$runs"); do
  log="$build/stress-run-$run.log"
  # In the background, so that a kill or Ctrl+C is handled at once, not after the run.
  bash "$here/test-env.sh" ctest --test-dir "$build" --output-on-failure -j"$(nproc)" "$@" \
    >"$log" 2>&1 &
  run_pid=$!
  if wait "$run_pid"; then
    echo "stress: run $run of $runs passed"
  else
    failed=$((failed + 1))
    echo "stress: run $run of $runs failed:" >&2
    grep -E '\((Failed|Timeout|SEGFAULT|Subprocess aborted)\)' "$log" | sed 's/^/  /' >&2 || true
  fi
done
echo "stress: $((runs - failed)) of $runs runs passed (logs: $build/stress-run-*.log)"
[ "$failed" -eq 0 ]
