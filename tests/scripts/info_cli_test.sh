#!/usr/bin/env bash
# wexmora-info as a user runs it: exit codes, messages on stderr, and JSON
# that a real parser reads back with its Russian texts and degree signs.
set -u
program="${WEXMORA_BINARY_DIR:?}/app/wexmora-info"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export XDG_CONFIG_HOME="$scratch/config" HOME="$scratch"
passed=0 failed=0
check() {  # check NAME EXPECTED_CODE COMMAND...
  local name=$1 expected=$2; shift 2
  "$@" >"$scratch/out" 2>"$scratch/err"; local code=$?
  if [ "$code" -eq "$expected" ]; then passed=$((passed + 1)); else
    failed=$((failed + 1)); echo "FAIL $name: exit $code, expected $expected"; cat "$scratch/err"; fi
}
stderr_has() {  # stderr_has NAME TEXT
  if grep -qF -- "$2" "$scratch/err"; then passed=$((passed + 1)); else
    failed=$((failed + 1)); echo "FAIL $1: stderr lacks '$2'"; cat "$scratch/err"; fi
}

check "bad option" 2 "$program" --frobnicate
stderr_has "bad option" "unknown option '--frobnicate'"
check "missing value" 2 "$program" --brand
stderr_has "missing value" "option --brand needs a value"
check "help" 0 "$program" --help
check "unknown key" 1 "$program" --key Q9999
stderr_has "unknown key" "no catalogue entry and no extended-table row has the key 'Q9999'"
check "unknown key, catalogue only" 1 "$program" --key Q9999 --catalogue-only
stderr_has "unknown key, catalogue only" "no catalogue entry has the key 'Q9999'"
check "key of the extended table" 0 "$program" --key i5-8250U --json
check "key of the extended table, catalogue only" 1 "$program" --key i5-8250U --catalogue-only
check "this machine" 0 "$program"
check "this machine as json" 0 "$program" --json
python3 -c 'import json,sys; json.load(open(sys.argv[1]))' "$scratch/out" && passed=$((passed + 1)) ||
  { failed=$((failed + 1)); echo "FAIL: this machine's JSON does not parse"; }

check "i5-8400 json" 0 "$program" --brand "Intel(R) Core(TM) i5-8400 CPU @ 2.80GHz" --json
python3 - "$scratch/out" <<'PY' && passed=$((passed + 1)) || { failed=$((failed + 1)); echo "FAIL: i5-8400 JSON"; }
import json, sys
sheet = json.load(open(sys.argv[1], encoding="utf-8"))
assert sheet["model_key"] == "i5-8400", sheet["model_key"]
assert sheet["segment"] == "Настольного", sheet["segment"]
assert sheet["max_temperature"] == "100°C", sheet["max_temperature"]
assert sheet["identified"] is True and sheet["badge"] == 26
assert json.loads(json.dumps(sheet, ensure_ascii=False)) == sheet
PY

check "controls with a hostile brand" 0 "$program" --brand $'Intel(R) Core(TM) i5-8400 "x"\t\x01 CPU @ 2.80GHz' --dump-controls
python3 - "$scratch/out" <<'PY' && passed=$((passed + 1)) || { failed=$((failed + 1)); echo "FAIL: control dump"; }
import json, sys
dump = json.load(open(sys.argv[1], encoding="utf-8"))
assert dump["controls"]["Edit1"]["text"] == 'Intel(R) Core(TM) i5-8400 "x"\t\x01 CPU @ 2.80GHz'
assert dump["controls"]["ComboBox1"]["index"] == 0
PY
# --brands from standard input, JSON Lines read back line by line by Python's parser.
printf 'Intel(R) Core(TM) i5-8400 CPU @ 2.80GHz\r\n\nAMD Ryzen 5 3600 6-Core Processor' >"$scratch/brands"
check "brands from stdin" 0 "$program" --brands - --json --explain --stored-language 1 <"$scratch/brands"
python3 - "$scratch/out" <<'PY' && passed=$((passed + 1)) || { failed=$((failed + 1)); echo "FAIL: --brands JSON Lines"; }
import json, sys
lines = open(sys.argv[1], encoding="utf-8").read().split("\n")
assert lines[-1] == "" and len(lines) == 4, lines
sheets = [json.loads(line) for line in lines[:-1]]
assert [s["brand"] for s in sheets] == ["Intel(R) Core(TM) i5-8400 CPU @ 2.80GHz", "", "AMD Ryzen 5 3600 6-Core Processor"]
assert sheets[0]["explain"]["model_key"]["rules"][0]["rule"] == "25"
assert sheets[0]["explain"]["catalogue"]["key"] == "i5-8400"
assert sheets[1]["explain"]["model_key"]["ran"] is False
assert sheets[2]["explain"]["catalogue"] is None and sheets[2]["model_key"] == "R5 3600"
assert [s["source"] for s in sheets] == ["catalogue", None, "extended"]
assert sheets[2]["explain"]["source"] == "extended"
PY
check "brands text" 0 "$program" --brands "$scratch/brands" --stored-language 1
[ "$(cut -f2-4,6 "$scratch/out" | tr '\t\n' ',;')" = "i5-8400,i5-8400,26,catalogue;-,-,46,-;R5 3600,-,-,extended;" ] &&
  passed=$((passed + 1)) || { failed=$((failed + 1)); echo "FAIL: --brands text columns"; cat "$scratch/out"; }
check "brands text, catalogue only" 0 "$program" --brands "$scratch/brands" --stored-language 1 --catalogue-only
[ "$(awk -F'\t' 'NF != 5' "$scratch/out" | wc -l)" -eq 0 ] &&
  [ "$(cut -f2-4 "$scratch/out" | tr '\t\n' ',;')" = "i5-8400,i5-8400,26;-,-,46;-,-,46;" ] && passed=$((passed + 1)) ||
  { failed=$((failed + 1)); echo "FAIL: --brands text columns, catalogue only"; cat "$scratch/out"; }
check "brands unreadable" 2 "$program" --brands "$scratch/no-such-file"
stderr_has "brands unreadable" "cannot read '$scratch/no-such-file'"
check "brands with brand" 2 "$program" --brands - --brand X
stderr_has "brands with brand" "option --brands cannot be combined with --brand"

[ ! -e "$XDG_CONFIG_HOME/wexmora" ] && passed=$((passed + 1)) ||
  { failed=$((failed + 1)); echo "FAIL: wexmora-info wrote settings"; }
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
