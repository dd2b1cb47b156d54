#!/usr/bin/env bash
# The x86 family/model table: the committed table passes its checker (columns,
# numbers, ranges, no two rows covering one family, model and stepping), and
# the checker refuses damaged copies, each for its own fault.
set -u
source_dir="${WEXMORA_SOURCE_DIR:?}"
checker="$source_dir/tools/extended/check_family_models.py"
table="$source_dir/resources/extended/x86_family_models.tsv"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
passed=0 failed=0
fail() { failed=$((failed + 1)); echo "FAIL $*"; }
pass() { passed=$((passed + 1)); }

if python3 "$checker" "$table" >"$scratch/out" 2>&1; then pass; else fail "the committed table: $(cat "$scratch/out")"; fi

# damage: a sed expression applied to the first data row, and the message it must give
while IFS='|' read -r what expression message; do
  { head -n 1 "$table"; sed -n '2p' "$table" | sed -E "$expression"; sed -n '2p' "$table"; tail -n +3 "$table"; } \
    >"$scratch/damaged.tsv"
  if [ "$what" != "overlap" ]; then
    { head -n 1 "$table"; sed -n '2p' "$table" | sed -E "$expression"; tail -n +3 "$table"; } >"$scratch/damaged.tsv"
  fi
  if python3 "$checker" "$scratch/damaged.tsv" >"$scratch/out" 2>&1; then
    fail "$what: accepted"
  elif grep -q -- "$message" "$scratch/out"; then
    pass
  else
    fail "$what: no '$message' in: $(head -c 300 "$scratch/out")"
  fi
done <<'CASES'
overlap|s/x/x/|overlap
column missing|s/\t[^\t]*$//|columns
not a number|s/^([^\t]*)\t[0-9]+/\1\tsix/|not a decimal number
reversed range|s/^([^\t]*\t[^\t]*)\t[0-9]+\t[0-9]+/\1\t9\t1/|model_first 9 > model_last 1
no code name|s/^(([^\t]*\t){6})[^\t]*/\1/|empty code_name
no source|s/\t[^\t]*$/\t/|empty source
intel 7 is written 10 nm|s/\t350 nm\t/\tIntel 7\t/|lithography 'Intel 7'
node without unit|s/\t350 nm\t/\t350\t/|lithography '350'
unknown vendor|s/^AMD/Cyrix/|unknown vendor 'Cyrix'
unknown segment|s/\tDesktop\t/\tLaptop\t/|unknown segment 'Laptop'
stepping beyond 15|s/^(([^\t]*\t){5})[0-9]+/\116/|stepping_last 16 > 15
certainty word|s/\tyes\t/\tsure\t/|certain must be yes or no
CASES

# The models inside each family's range that no row names: every one is
# unassigned as far as the vendors' lists go. A row added or taken away
# shows up here, and must be answered by a change to this list.
python3 "$checker" --holes "$table" >"$scratch/holes" 2>&1
if diff -u - "$scratch/holes" >"$scratch/holes.diff" <<'HOLES'
AMD 5: 4-5, 10-12
AMD 6: 5, 9
AMD 15: 6, 8-11, 13-14, 16-30, 32, 34, 38, 40-42, 45-46, 48-64, 66, 68-71, 73-74, 77-78, 80-94, 96-103, 105-106, 108-110, 112-123, 125-126
AMD 16: 3, 7
AMD 21: 3-15, 17-18, 20-47, 49-55, 57-95, 97-100, 102-111
AMD 22: 1-47
AMD 23: 2-7, 9-16, 18-23, 25-31, 33-48, 50-95, 97-103, 105-112, 114-143, 145-159
AMD 25: 2-7, 9-16, 18-23, 25-32, 34-63, 65-67, 69-79, 81-96, 98-111, 129-143, 145-159
AMD 26: 48-63, 80-95
Intel 5: 5-6
Intel 6: 2, 4, 12, 16-21, 24-25, 27, 32-36, 40-41, 43, 48-52, 56-57, 59, 64-68, 72-73, 75, 80-84, 88-89, 91, 93, 96-101, 103-105, 107, 109-116, 118-121, 123-124, 127-132, 135-137, 139, 144-149, 152-153, 155, 159-164, 168-169, 171, 176-180, 184-185, 187-188, 192-196, 199-203, 205-206, 208-220
Intel 15: 5
VIA 6: 11-12, 14
Zhaoxin 6: 16-24
Zhaoxin 7: 28-58, 60-106
HOLES
then pass; else fail "unassigned models differ: $(cat "$scratch/holes.diff")"; fi

# a row taken away opens a hole
grep -v -P '^Intel\t6\t60\t' "$table" >"$scratch/damaged.tsv"
python3 "$checker" --holes "$scratch/damaged.tsv" >"$scratch/holes" 2>&1
if grep -q '^Intel 6: .*, 59-60, ' "$scratch/holes"; then pass; else fail "no hole 59-60 without the Haswell row"; fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
