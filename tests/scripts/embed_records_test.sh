#!/usr/bin/env bash
# The generator of the key list and the record list: the committed record
# file gives both lists, and each kind of damage to a copy of it is refused
# with its own message, with no list written.
set -u
source_dir="${WEXMORA_SOURCE_DIR:?}"
program="${WEXMORA_BINARY_DIR:?}/resources/catalogue/wexmora_embed_records"
records="$source_dir/resources/catalogue/records.txt"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
passed=0 failed=0
fail() { failed=$((failed + 1)); echo "FAIL $*"; }

"$program" "$records" "$scratch/stored.cpp" "$scratch/keys.cpp" 2>"$scratch/err" || fail "the committed file: $(cat "$scratch/err")"
if [ "$(grep -c '^    "' "$scratch/keys.cpp")" -eq 578 ] && grep -q '^    "E5405",$' "$scratch/keys.cpp" &&
   grep -q '^    "E3-1230 V2",$' "$scratch/keys.cpp" && [ "$(grep -c '^    "' "$scratch/stored.cpp")" -eq 578 ]; then
  passed=$((passed + 1))
else
  fail "the generated lists do not hold 578 keys and records"
fi
# The keys come out in record order, each exactly field 1.
if diff <(cut -d'|' -f1 "$records") <(sed -n 's/^    "\(.*\)",$/\1/p' "$scratch/keys.cpp") >/dev/null; then
  passed=$((passed + 1))
else
  fail "the key list is not field 1 of the records in order"
fi

# damage (a Python expression turning the list `lines` into the damaged list) => the message expected
while IFS= read -r row; do
  [ -z "$row" ] && continue
  damage="${row%% => *}" expected="${row#* => }"
  python3 -c "
import sys
lines = open(sys.argv[1], encoding='utf-8').read().split('\n')[:-1]
lines = $damage
open(sys.argv[2], 'w', encoding='utf-8').write(''.join(l + '\n' for l in lines))
" "$records" "$scratch/damaged.txt" || { fail "$damage: cannot be applied"; continue; }
  rm -f "$scratch/out1.cpp" "$scratch/out2.cpp"
  "$program" "$scratch/damaged.txt" "$scratch/out1.cpp" "$scratch/out2.cpp" 2>"$scratch/err"
  code=$?
  if [ "$code" -eq 1 ] && grep -qF -- "$expected" "$scratch/err" && [ ! -e "$scratch/out1.cpp" ] && [ ! -e "$scratch/out2.cpp" ]; then
    passed=$((passed + 1))
  else
    fail "$damage: exit $code, expected 1 and '$expected' with no list written; got: $(cat "$scratch/err")"
  fi
done <<'TABLE'
lines[:-1] => 577 records, expected 578
lines + [lines[0].replace('E5405|', 'E5499|')] => more than 578 records
[lines[1]] + lines[1:] => the key E5410 is already the key of line 1
[lines[0].replace('E5405|', 'E54|')] + lines[1:] => damaged.txt:1: the key "E54" is not 4 to 11 characters long
[lines[0].replace('E5405|', 'e5405|')] + lines[1:] => the key "e5405" holds a character no model key has
lines[:2] + [lines[2].replace('E5420|', 'E3-1220 V 2|')] + lines[3:] => damaged.txt:3: the key "E3-1220 V 2" holds more than one blank
[lines[0].replace('Intel', 'Intl')] + lines[1:] => the record does not contain "Intel"
[lines[0].replace('|45 nm', '|45\tnm')] + lines[1:] => the record holds a tab or carriage return
[lines[0].replace('|-|12 Mb', '|12 Mb')] + lines[1:] => the record has 14 separators, not 15
[lines[0] + 'x'] + lines[1:] => text after the 15th separator is not a base-clock field
[lines[0].replace('Server', 'Сервер\u4e2d')] + lines[1:] => a character has no CP1251 byte
TABLE
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
