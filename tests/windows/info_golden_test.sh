#!/usr/bin/env bash
# wexmora-info.exe as a user runs it: every command line of
# tests/golden/cases.txt prints its golden file byte for byte (the files the
# Linux program prints), Russian and non-ASCII arguments included, file
# arguments relative to the golden folder; usage errors go to stderr with
# exit code 2. Under Wine when cross-compiled.
set -u
program="${WEXMORA_BINARY_DIR:?}/app/wexmora-info.exe"
run=()
[ -n "${WEXMORA_EMULATOR:-}" ] && run=("$WEXMORA_EMULATOR")
golden="${WEXMORA_SOURCE_DIR:?}/tests/golden"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
passed=0 failed=0
pass() { passed=$((passed + 1)); }
fail() { failed=$((failed + 1)); echo "FAIL $*"; }

while IFS= read -r line || [ -n "$line" ]; do
  case "$line" in '' | '#'*) continue ;; esac
  fields=() rest="$line"
  while [ -n "$rest" ]; do fields+=("${rest%%|*}"); rest="${rest#*|}"; done
  name=${fields[0]}
  (cd "$golden" && "${run[@]}" "$program" "${fields[@]:1}" >"$scratch/out" 2>"$scratch/err" </dev/null)
  code=$?
  if [ "$code" -ne 0 ]; then fail "$name: exit code $code"; cat "$scratch/err"; continue; fi
  if [ -s "$scratch/err" ]; then fail "$name: wrote to stderr"; cat "$scratch/err"; continue; fi
  if cmp -s "$scratch/out" "$golden/$name"; then pass; else
    fail "$name: output differs from the golden file"
    diff "$golden/$name" "$scratch/out" | head -n 10
  fi
done <"$golden/cases.txt"

# check NAME EXPECTED_CODE EXPECTED_STDERR ARGUMENTS...
check() {
  local name=$1 expected=$2 message=$3; shift 3
  "${run[@]}" "$program" "$@" >"$scratch/out" 2>"$scratch/err" </dev/null
  local code=$?
  [ "$code" -eq "$expected" ] || { fail "$name: exit code $code, expected $expected"; return; }
  [ "$(cat "$scratch/err")" = "$message" ] || { fail "$name: stderr is '$(cat "$scratch/err")'"; return; }
  [ -s "$scratch/out" ] && { fail "$name: wrote to stdout"; return; }
  pass
}
check "unknown option with Cyrillic" 2 "wexmora-info: unknown option '--язык'
Try 'wexmora-info --help'." --язык
check "missing value" 2 "wexmora-info: option --brand needs a value
Try 'wexmora-info --help'." --brand
check "unknown key" 1 "wexmora-info: no catalogue entry and no extended-table row has the key 'Ядро-1'" --key Ядро-1
check "unknown key, catalogue only" 1 "wexmora-info: no catalogue entry has the key 'Ядро-1'" --key Ядро-1 --catalogue-only

# No carriage return anywhere: "\n" must reach the file as it is.
"${run[@]}" "$program" --help >"$scratch/out" 2>/dev/null </dev/null
if LC_ALL=C grep -q $'\r' "$scratch/out"; then fail "--help: the output holds carriage returns"; else pass; fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
