#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang into build-fuzz/ and runs each for
# the given number of seconds (default 20) on its seed corpus in
# tests/fuzz/corpus/<name>. New inputs go to build-fuzz/corpus/<name>, so the
# seeds in the repository stay as they are. Fails on any crash, leak or
# sanitizer report; the input that caused it is left in build-fuzz/.
# A long run: bash scripts/fuzz.sh 0 -runs=1000000
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
shift || true
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
      -DQUORVEL_CORE_ONLY=ON -DQUORVEL_FUZZ=ON -DQUORVEL_DATA_ROOT="$PWD/build" >/dev/null
cmake --build build-fuzz -j "$(nproc)" --target fuzzers
status=0
for seeds in tests/fuzz/corpus/*/; do
  name=$(basename "$seeds")
  mkdir -p "build-fuzz/corpus/$name"
  echo "fuzzing $name for ${seconds} s"
  limit=()
  [ "$seconds" -gt 0 ] && limit=(-max_total_time="$seconds")
  if ! (cd build-fuzz && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        "./fuzz_$name" "${limit[@]}" -print_final_stats=1 -rss_limit_mb=2048 "$@" \
        "corpus/$name" "../$seeds" 2>"fuzz_$name.log"); then
    tail -n 40 "build-fuzz/fuzz_$name.log"
    status=1
  fi
  grep -E "stat::number_of_executed_units|stat::peak_rss_mb" "build-fuzz/fuzz_$name.log" | sed "s/^/  $name /"
done
exit "$status"
