#!/usr/bin/env bash
# Runs every benchmark executable of a build folder.
set -euo pipefail
build=${1:-build-bench}
found=0
for exe in "$build"/bench/bench_*; do
  [ -f "$exe" ] && [ -x "$exe" ] || continue  # not the *_autogen folders
  found=1
  echo "== $(basename "$exe")"
  # Some benchmarks talk to a loopback server or need a private bus; give them the test desktop.
  bash "$(dirname "$0")/test-env.sh" "$exe" --benchmark_counters_tabular=true
done
[ "$found" -eq 1 ] || { echo "no benchmarks in $build/bench" >&2; exit 1; }
