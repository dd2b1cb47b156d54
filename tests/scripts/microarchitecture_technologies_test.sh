#!/usr/bin/env bash
# The microarchitecture technologies table: the committed table passes its
# checker (vocabulary and order of the names, one "*" row for every
# microarchitecture of the family/model table, product lines the catalogue
# writes), and the checker refuses damaged copies, each for its own fault.
set -u
source_dir="${WEXMORA_SOURCE_DIR:?}"
checker="$source_dir/tools/extended/check_microarchitecture_technologies.py"
table="$source_dir/resources/extended/microarchitecture_technologies.tsv"
family_models="$source_dir/resources/extended/x86_family_models.tsv"
catalogue="$source_dir/resources/extended/processors.tsv"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
passed=0 failed=0
fail() { failed=$((failed + 1)); echo "FAIL $*"; }
pass() { passed=$((passed + 1)); }

if python3 "$checker" "$table" "$family_models" "$catalogue" >"$scratch/out" 2>&1; then pass
else fail "the committed table: $(cat "$scratch/out")"; fi

# damage: a sed script applied to the whole table, and the message it must give
while IFS='@' read -r what script message; do
  sed -E "$script" "$table" >"$scratch/damaged.tsv"
  if cmp -s "$table" "$scratch/damaged.tsv"; then
    fail "$what: the damage changed nothing"
  elif python3 "$checker" "$scratch/damaged.tsv" "$family_models" "$catalogue" >"$scratch/out" 2>&1; then
    fail "$what: accepted"
  elif grep -q -- "$message" "$scratch/out"; then
    pass
  else
    fail "$what: no '$message' in: $(head -c 300 "$scratch/out")"
  fi
done <<'CASES'
no header@1d@missing header
column missing@/^AMD\tK10\t/s/\t[^\t]*$//@columns, expected 5
unknown name@/^Intel\tHaswell\t\*/s/SSE4.2/SSE4_2/@'SSE4_2' is not in the technology vocabulary
threads are not a technology@/^Intel\tHaswell\t\*/s/, EM64T/, HT, EM64T/@'HT' is not in the technology vocabulary
out of order@/^AMD\tK10\t/s/SSE2, SSE3/SSE3, SSE2/@technologies out of order
named twice@/^AMD\tK10\t/s/SSE3, /SSE3, SSE3, /@a technology named twice
other maker's 64-bit name@/^Intel\tSkylake\t\*/s/EM64T/AMD64/@Intel processors do not report 'AMD64'
other maker's virtualisation@/^AMD\tZen 2\t/s/AMD-V/VT-x/@AMD processors do not report 'VT-x'
no technologies@/^AMD\tK10\t/s/\t[^\t]*\t([^\t]*)$/\t\t\1/@empty technologies
no source@/^AMD\tK10\t/s/\t[^\t]*$/\t/@empty source
no star row@/^AMD\tK10\t/d@no '\*' row for AMD 'K10'
star row of a hybrid@/^Intel\tGolden Cove \+ Gracemont\t\*/d@no '\*' row for Intel 'Golden Cove + Gracemont'
duplicate star row@/^AMD\tK10\t/p@duplicates line
duplicate lines in another order@s/^(Intel\tIvy Bridge\t)Intel Core i5\|Intel Core i7\|Intel Xeon(\t.*)$/&\n\1Intel Xeon|Intel Core i5|Intel Core i7\2/@duplicates line
unknown microarchitecture@s/^AMD\tK10\t/AMD\tK11\t/@'K11' is no microarchitecture
vendor of another table@s/^Hygon\tZen\t/Zhaoxin\tZen\t/@Zhaoxin 'Zen' is no microarchitecture
unknown product line@/^Intel\tWestmere\tIntel Core i7/s/Intel Core i7/Intel Core i11/@'Intel Core i11' is not a product line
line named twice@/^Intel\tWestmere\tIntel Core i7/s/\tIntel Core i7\t/\tIntel Core i7|Intel Core i7\t/@names a line twice
CASES

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
