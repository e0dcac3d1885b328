#!/usr/bin/env bash
# Runs every fuzz target of a fuzz build for a while, one after the other, starting from the
# checked-in inputs. New inputs go to the build folder; a finding is saved there and named.
#
#   scripts/run-fuzz.sh build-fuzz 60
set -uo pipefail

build=${1:?usage: $0 BUILD_FOLDER [SECONDS]}
seconds=${2:-60}
here=$(cd "$(dirname "$0")/.." && pwd)
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$here/scripts/lsan.supp:print_suppressions=0}"

failed=()
ran=0
for exe in "$build"/fuzz/fuzz_*; do
  [ -f "$exe" ] && [ -x "$exe" ] || continue
  name=${exe##*/fuzz_}
  ran=$((ran + 1))
  corpus="$build/corpus/$name"
  artifacts="$build/findings/$name/"
  mkdir -p "$corpus" "$artifacts"
  echo "fuzz: $name for ${seconds}s"
  if ! "$exe" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 -print_final_stats=1 \
    -artifact_prefix="$artifacts" "$corpus" "$here/fuzz/corpus/$name" >"$build/fuzz-$name.log" 2>&1; then
    failed+=("$name")
    echo "fuzz: $name found a fault; see $build/fuzz-$name.log and $artifacts" >&2
    tail -n 30 "$build/fuzz-$name.log" >&2
  else
    grep -E '^stat::number_of_executed_units' "$build/fuzz-$name.log" | sed "s/^/fuzz: $name /"
  fi
done
[ "$ran" -gt 0 ] || { echo "fuzz: no fuzz targets in $build/fuzz" >&2; exit 1; }
[ ${#failed[@]} -eq 0 ] || { echo "fuzz: findings in ${failed[*]}" >&2; exit 1; }
echo "fuzz: no findings"
