#!/usr/bin/env bash
# fuzz.sh [SECONDS]: builds the libFuzzer target (preset fuzz, clang) and runs it from the seed
# corpus in fuzz/corpus for a bounded time (default 60 s). New inputs go to a scratch corpus, so
# the seeds kept in the repository do not change. A crash leaves its input in build/fuzz/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd build/fuzz
status=0
./names_and_writers_fuzzer -max_total_time="$seconds" -max_len=6000 -print_final_stats=1 \
  "$scratch" ../../fuzz/corpus >"$scratch.log" 2>&1 || status=$?
grep -E 'stat::number_of_executed_units|^Done|ERROR|SUMMARY|broken|Test unit written' "$scratch.log" || true
rm -f "$scratch.log"
exit "$status"
