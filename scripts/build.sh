#!/usr/bin/env bash
# build.sh DIR [cmake options...]: configures (once) and builds the tree into DIR
# (KORVANE_JOBS compile jobs at once, default one per core).
set -euo pipefail
cd "$(dirname "$0")/.."
dir=$1; shift
launcher=()
# A compiler cache, where one is installed, makes rebuilds of other checkouts cheap.
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(pwd)}"
fi
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@" >/dev/null
cmake --build "$dir" --parallel "${KORVANE_JOBS:-$(nproc)}" ${KORVANE_BUILD_TARGET:+--target "$KORVANE_BUILD_TARGET"}
