#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a while on its seed corpus.
# Usage: scripts/fuzz.sh [seconds per target]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
scripts/deps.sh
if [ ! -f build-fuzz/build.ninja ]; then
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVZ_BUILD_GUI=OFF -DVZ_BUILD_TESTS=OFF -DVZ_FUZZERS=ON -DVZ_WERROR=ON \
    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all"
fi
cmake --build build-fuzz
for fuzzer in build-fuzz/tools/*_fuzzer; do
  target=$(basename "$fuzzer" _fuzzer)
  work=$(mktemp -d)
  mkdir "$work/corpus_in_place"
  cp tests/fuzz/corpus/"$target"/* "$work/corpus_in_place"/
  echo "fuzzing $target for ${seconds}s"
  if ! (cd "$work" && "$OLDPWD/$fuzzer" -max_total_time="$seconds" -max_len=131072 \
        -rss_limit_mb=1024 -print_final_stats=1 corpus_in_place >log 2>&1); then
    tail -n 40 "$work/log"
    echo "fuzz: $target failed; the input is in $work"
    exit 1
  fi
  grep -E "stat::number_of_executed_units" "$work/log"
  rm -rf "$work"
done
