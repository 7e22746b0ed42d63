#!/usr/bin/env bash
# Sets up, builds and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
# Only the program itself: the tests and benchmarks are built by scripts/test.sh.
KORVANE_BUILD_TARGET=korvane bash scripts/build.sh build
exec ./build/korvane "$@"
