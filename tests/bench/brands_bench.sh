#!/usr/bin/env bash
# How long wexmora-info --brands takes for a large batch (100,000 lines by
# default): brand strings as Intel writes them for every catalogue key, with
# foreign and malformed lines mixed in, repeated to the requested count.
# Prints the lines per second and the time for text and for --json; with a
# BASELINE program (a build of an earlier commit) that one is timed in the
# same run, its output must be the same bytes, and the ratio is printed.
#   tests/bench/brands_bench.sh [PATH/TO/wexmora-info] [LINES] [BASELINE]
# With --distinct SAMPLE.tsv first (a table of real machines' brand strings
# and identifiers, such as ../shared/data/machines-sample.tsv), every line is
# another: each brand string with its identifier at 100 steppings, as
# "brand<TAB>identifier", so that no answer is remembered. The baseline's
# output then may differ (its tables are older): the bytes are compared and
# the difference reported, not refused.
# Build a release binary first (cmake --preset release, or a build with
# CMAKE_BUILD_TYPE=Release): the sanitizer build of the tests is far slower.
set -euo pipefail
sample=""
if [ "${1:-}" = --distinct ]; then
  sample=$2
  shift 2
fi
program=${1:-build/release/app/wexmora-info}
count=${2:-100000}
baseline=${3:-}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

if [ -n "$sample" ]; then
  python3 - "$sample" >"$scratch/one" <<'PY'
import csv, sys
makers = {"Intel": "Intel64", "AMD": "AMD64", "VIA": "x86"}
with open(sys.argv[1], newline="", encoding="utf-8") as f:
    rows = [r for r in csv.DictReader(f, delimiter="\t") if r["vendor"] in makers and r["family"] and r["model"]]
for stepping in range(100):
    for r in rows:
        print(f"{r['brand']}\t{makers[r['vendor']]} Family {r['family']} Model {r['model']} Stepping {stepping}")
PY
else
  {
    "$program" --list | sed 's/.*/Intel(R) Core(TM) & CPU @ 3.00GHz/'
    printf '%s\n' 'AMD Ryzen 5 3600 6-Core Processor' '' '   ' 'Intel(R) Xeon(R) CPU E3-1231 v3 @ 3.40GHz' \
      'Intel(R) Core(TM) i5 CPU       K 655  @ 3.20GHz' '12th Gen Intel(R) Core(TM) i5-12600KF'
  } >"$scratch/one"
fi
: >"$scratch/brands"
while [ "$(wc -l <"$scratch/brands")" -lt "$count" ]; do cat "$scratch/one" >>"$scratch/brands"; done
head -n "$count" "$scratch/brands" >"$scratch/input"

# timed PROGRAM MODE OUT: runs it on the input, prints the seconds it took.
timed() {
  local args=(--brands "$scratch/input" --stored-language 1) start end
  [ "$2" = json ] && args+=(--json)
  start=$(date +%s.%N)
  "$1" "${args[@]}" >"$3"
  end=$(date +%s.%N)
  local lines
  lines=$(wc -l <"$3")
  [ "$lines" -eq "$count" ] || { echo "expected $count output lines, got $lines" >&2; exit 1; }
  awk -v s="$start" -v e="$end" 'BEGIN { printf "%.3f", e - s }'
}

for mode in text json; do
  t=$(timed "$program" "$mode" "$scratch/out")
  awk -v t="$t" -v n="$count" -v m="$mode" 'BEGIN { printf "%-4s %d lines in %.3f s (%.0f lines/s)", m, n, t, n / t }'
  if [ -n "$baseline" ]; then
    b=$(timed "$baseline" "$mode" "$scratch/base")
    if cmp -s "$scratch/out" "$scratch/base"; then
      same="same bytes"
    elif [ -n "$sample" ]; then
      same="$(diff "$scratch/out" "$scratch/base" | grep -c '^<' || true) lines differ"
    else
      echo; echo "the output differs from the baseline's" >&2; exit 1
    fi
    awk -v t="$t" -v b="$b" -v same="$same" 'BEGIN { printf "; baseline %.3f s, %.1f times faster, %s", b, b / t, same }'
  fi
  echo
done
