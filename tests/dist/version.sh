#!/usr/bin/env bash
# Both programs answer --version with the project's version, without a display, and list it in
# their --help.
#   version.sh TESSARINE TESSARINE_CLI VERSION
set -uo pipefail
version=$3
fail=0
for program in "$1" "$2"; do
  name=$(basename "$program")
  out=$(env -u DISPLAY -u WAYLAND_DISPLAY "$program" --version)
  status=$?
  if [ "$status" -ne 0 ] || [ "$out" != "tessarine $version" ]; then
    echo "$name --version: status $status, printed '$out', expected 'tessarine $version'" >&2
    fail=1
  fi
  if ! env -u DISPLAY -u WAYLAND_DISPLAY "$program" --help | grep -q -- '--version'; then
    echo "$name --help does not list --version" >&2
    fail=1
  fi
done
exit $fail
