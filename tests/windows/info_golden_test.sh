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

check "brands of a missing file" 2 "wexmora-info: cannot read 'no-such-file.txt': No such file or directory" \
  --brands no-such-file.txt
check "language by an unknown name" 2 "wexmora-info: option --language takes en or ru, not 'de'
Try 'wexmora-info --help'." --language de

# --version: the version of project(), as GNU tools print it.
version=$(sed -n 's/^project(Wexmora VERSION \([0-9.]*\).*/\1/p' "$WEXMORA_SOURCE_DIR/CMakeLists.txt")
[ "$("${run[@]}" "$program" --version </dev/null)" = "wexmora-info (Wexmora) $version" ] && pass ||
  fail "--version: $("${run[@]}" "$program" --version </dev/null)"

# --prometheus-file replaces the file whole (a Windows path) with what --prometheus prints.
"${run[@]}" "$program" --prometheus --brand "Intel(R) Core(TM) i5-8400 CPU @ 2.80GHz" >"$scratch/expected" </dev/null
mkdir "$scratch/textfile"
target=$scratch/textfile/wexmora.prom
[ -n "${WEXMORA_EMULATOR:-}" ] && target="Z:${target//\//\\}"
if "${run[@]}" "$program" --prometheus-file "$target" --brand "Intel(R) Core(TM) i5-8400 CPU @ 2.80GHz" </dev/null &&
  cmp -s "$scratch/expected" "$scratch/textfile/wexmora.prom"; then pass; else fail "--prometheus-file"; fi
[ "$(ls "$scratch/textfile")" = "wexmora.prom" ] && pass || fail "files left beside the metrics: $(ls "$scratch/textfile")"
# This machine's metrics (Wine's processor) as promtool reads them, where it is installed.
if command -v promtool >/dev/null; then
  "${run[@]}" "$program" --prometheus >"$scratch/metrics" </dev/null
  verdict=$(promtool check metrics <"$scratch/metrics" 2>&1)
  [ $? -eq 0 ] && [ -z "$verdict" ] && pass || fail "promtool: $verdict"
fi

# No carriage return anywhere: "\n" must reach the file as it is.
"${run[@]}" "$program" --help >"$scratch/out" 2>/dev/null </dev/null
if LC_ALL=C grep -q $'\r' "$scratch/out"; then fail "--help: the output holds carriage returns"; else pass; fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
