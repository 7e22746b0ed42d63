#!/usr/bin/env bash
# Sets up, builds and runs every test: once in the normal build, once under
# AddressSanitizer + UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
export QT_QPA_PLATFORM=offscreen
bash scripts/build.sh build-asan -DKORVANE_SANITIZE=ON -DKORVANE_BENCH=OFF
ctest --test-dir build-asan --output-on-failure --parallel "$(nproc)"
bash scripts/build.sh build
ctest --test-dir build --output-on-failure --parallel "$(nproc)"
