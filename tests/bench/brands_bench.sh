#!/usr/bin/env bash
# How long wexmora-info --brands takes for a large batch (100,000 lines by
# default): brand strings as Intel writes them for every catalogue key, with
# foreign and malformed lines mixed in, repeated to the requested count.
# Prints the lines per second and the time for text and for --json.
#   tests/bench/brands_bench.sh [PATH/TO/wexmora-info] [LINES]
# Build a release binary first (cmake --preset release, or a build with
# CMAKE_BUILD_TYPE=Release): the sanitizer build of the tests is far slower.
set -euo pipefail
program=${1:-build/release/app/wexmora-info}
count=${2:-100000}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

{
  "$program" --list | sed 's/.*/Intel(R) Core(TM) & CPU @ 3.00GHz/'
  printf '%s\n' 'AMD Ryzen 5 3600 6-Core Processor' '' '   ' 'Intel(R) Xeon(R) CPU E3-1231 v3 @ 3.40GHz' \
    'Intel(R) Core(TM) i5 CPU       K 655  @ 3.20GHz' '12th Gen Intel(R) Core(TM) i5-12600KF'
} >"$scratch/one"
: >"$scratch/brands"
while [ "$(wc -l <"$scratch/brands")" -lt "$count" ]; do cat "$scratch/one" >>"$scratch/brands"; done
head -n "$count" "$scratch/brands" >"$scratch/input"

for mode in text json; do
  args=(--brands "$scratch/input" --stored-language 1)
  [ "$mode" = json ] && args+=(--json)
  start=$(date +%s.%N)
  "$program" "${args[@]}" >"$scratch/out"
  end=$(date +%s.%N)
  lines=$(wc -l <"$scratch/out")
  [ "$lines" -eq "$count" ] || { echo "expected $count output lines, got $lines" >&2; exit 1; }
  awk -v s="$start" -v e="$end" -v n="$count" -v m="$mode" \
    'BEGIN { t = e - s; printf "%-4s %d lines in %.2f s (%.0f lines/s)\n", m, n, t, n / t }'
done
