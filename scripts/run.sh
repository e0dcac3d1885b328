#!/usr/bin/env bash
# What `make run` starts: the most useful program that exists so far.
set -euo pipefail
build=${1:-build}
echo "Tessarine core built in $build."
