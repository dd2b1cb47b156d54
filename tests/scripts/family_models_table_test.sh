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
CASES

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
