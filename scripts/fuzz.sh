#!/usr/bin/env bash
# fuzz.sh [seconds] [target...]: builds the libFuzzer targets with clang into build-fuzz/ and
# runs each for the given time (default 60 s; at most 1,000,000 executions), starting from the
# seed corpus in fuzz/corpus/<target>/ (new finds go to build-fuzz/corpus/<target>/). A crash,
# an input that takes over 2 s (no file may hang the program) or an out-of-memory fails the script and leaves the input in build-fuzz/.
# fuzz.sh --seeds rewrites the seed corpora with the project's own writers.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
# The set-up installs clang, whose libFuzzer builds the targets.
bash scripts/setup.sh
launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$root}"
fi
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
      -DKORVANE_FUZZ=ON -DKORVANE_TESTS=OFF -DKORVANE_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build build-fuzz --parallel "$(nproc)"

if [ "${1:-}" = "--seeds" ]; then
  rm -rf fuzz/corpus
  ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen build-fuzz/fuzz/make_fuzz_seeds fuzz/corpus
  exit 0
fi

seconds=${1:-60}
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for src in fuzz/fuzz_*.cpp; do
    name=$(basename "$src" .cpp)
    [ "$name" = fuzz_support ] || targets+=("$name")
  done
fi

export QT_QPA_PLATFORM=offscreen
# Leaks of the one-off application objects are not findings; every other error is.
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
status=0
for t in "${targets[@]}"; do
  mkdir -p "build-fuzz/corpus/$t" "build-fuzz/findings/$t"
  echo "== $t ($seconds s)"
  if ! "build-fuzz/fuzz/$t" -max_total_time="$seconds" -runs=1000000 -timeout=2 -rss_limit_mb=2048 \
       -max_len=65536 -print_final_stats=1 -artifact_prefix="build-fuzz/findings/$t/" \
       "build-fuzz/corpus/$t" "fuzz/corpus/$t" >"build-fuzz/$t.log" 2>&1; then
    echo "!! $t failed: see build-fuzz/$t.log and build-fuzz/findings/$t/"
    status=1
  fi
  grep -E "^stat::number_of_executed_units|^stat::peak_rss_mb|cov: " "build-fuzz/$t.log" | tail -3 || true
done
exit $status
