#!/usr/bin/env bash
# wexmora-info as fleets run it: promtool accepts the metrics of this machine
# and of odd brand strings, the metrics file is replaced whole, Python's csv
# module reads --csv back, ansible-core's setup module returns the local
# fact, systemd-analyze accepts the units, and --version prints the
# project's version.
set -u
program="${WEXMORA_BINARY_DIR:?}/app/wexmora-info"
source_dir="${WEXMORA_SOURCE_DIR:?}"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export XDG_CONFIG_HOME="$scratch/config" HOME="$scratch"
passed=0 failed=0
pass() { passed=$((passed + 1)); }
fail() { failed=$((failed + 1)); echo "FAIL $*"; }
for tool in promtool ansible systemd-analyze python3; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed (make test installs it)"; exit 1; }
done

# promtool check metrics prints nothing and exits 0 for good metrics.
for brand in "" "Intel(R) Core(TM) i5-8400 CPU @ 2.80GHz" "AMD Ryzen 5 3600 6-Core Processor" \
  $'Odd "quoted" \\ brand\n\xff' "???"; do
  args=(--prometheus)
  [ -n "$brand" ] && args+=(--brand "$brand")
  "$program" "${args[@]}" >"$scratch/metrics" 2>"$scratch/err" || { fail "--prometheus ${brand:-this machine}"; continue; }
  verdict=$(promtool check metrics <"$scratch/metrics" 2>&1)
  if [ $? -eq 0 ] && [ -z "$verdict" ]; then pass; else fail "promtool on '${brand:-this machine}': $verdict"; fi
done
grep -q '^wexmora_machine_cores ' "$scratch/metrics" && fail "a brand string that is not this machine's got machine metrics" || pass

# The file: written whole with the same bytes, readable by the exporter's user, no temporary file left.
"$program" --prometheus >"$scratch/expected"
mkdir "$scratch/textfile"
if "$program" --prometheus-file "$scratch/textfile/wexmora.prom" && cmp -s "$scratch/expected" "$scratch/textfile/wexmora.prom"; then
  pass
else fail "--prometheus-file differs from --prometheus"; fi
[ "$(ls "$scratch/textfile")" = "wexmora.prom" ] && pass || fail "files left beside the metrics: $(ls "$scratch/textfile")"
[ "$(stat -c %A "$scratch/textfile/wexmora.prom" | cut -c8)" = "r" ] && pass || fail "the metrics file is not readable by others"
"$program" --prometheus-file "$scratch/no-folder/wexmora.prom" 2>"$scratch/err"
[ $? -eq 2 ] && grep -q "cannot write '$scratch/no-folder/wexmora.prom'" "$scratch/err" && pass ||
  fail "--prometheus-file into a missing folder: $(cat "$scratch/err")"

# --csv read back by Python's csv module: the header, then the text form's columns.
for input in brands-input.txt brands-bad-input.txt; do
  "$program" --brands "$source_dir/tests/golden/$input" --csv --language en >"$scratch/csv" &&
    "$program" --brands "$source_dir/tests/golden/$input" --language en >"$scratch/tsv" || { fail "--csv $input"; continue; }
  python3 - "$scratch/csv" "$scratch/tsv" "$source_dir/tests/golden/$input" <<'PY' && pass || fail "csv module on $input"
import csv, sys
with open(sys.argv[1], newline="", encoding="utf-8", errors="surrogateescape") as f:
    records = list(csv.reader(f, strict=True))
assert records[0] == ["brand", "model_key", "catalogue_key", "badge", "product_line", "source"], records[0]
with open(sys.argv[2], encoding="utf-8", errors="surrogateescape", newline="\n") as f:
    rows = f.read().split("\n")[:-1]
lines = open(sys.argv[3], "rb").read().split(b"\n")
if lines[-1] == b"":
    lines.pop()
assert len(records) - 1 == len(rows) == len(lines), (len(records), len(rows), len(lines))
unescape = lambda s: s.replace("\\t", "\t").replace("\\\\", "\\")
for record, row in zip(records[1:], rows):
    assert record == [unescape(c) for c in row.split("\t")], (record, row)
PY
done

# Ansible: the setup module with a fact path holding the fact returns the sheet.
mkdir -p "$scratch/facts.d" "$scratch/bin"
ln -s "$(realpath "$program")" "$scratch/bin/wexmora-info"
install -m 755 "$source_dir/packaging/ansible/wexmora.fact" "$scratch/facts.d/wexmora.fact"
PATH="$scratch/bin:$PATH" ANSIBLE_LOCAL_TEMP="$scratch/ansible" ANSIBLE_HOME="$scratch/ansible-home" \
  timeout 120 ansible localhost -c local -m setup -a "fact_path=$scratch/facts.d filter=ansible_local" \
  >"$scratch/ansible.out" 2>"$scratch/ansible.err"
"$program" --json --language en >"$scratch/sheet.json"
python3 - "$scratch/ansible.out" "$scratch/sheet.json" <<'PY' && pass || { fail "ansible_local.wexmora"; head -c 2000 "$scratch/ansible.out" "$scratch/ansible.err"; }
import json, sys
text = open(sys.argv[1], encoding="utf-8").read()
facts = json.loads(text[text.index("{"):])["ansible_facts"]["ansible_local"]["wexmora"]
sheet = json.load(open(sys.argv[2], encoding="utf-8"))
assert facts["model_key"] == sheet["model_key"] and facts["model_key"], facts.get("model_key")
assert facts["brand"] == sheet["brand"] and facts["cores"] == sheet["cores"], facts
PY

# The units as installed: systemd-analyze verify accepts them.
mkdir "$scratch/units"
sed 's|@CMAKE_INSTALL_FULL_BINDIR@|'"$scratch/bin"'|' "$source_dir/packaging/systemd/wexmora-prometheus.service.in" \
  >"$scratch/units/wexmora-prometheus.service"
cp "$source_dir/packaging/systemd/wexmora-prometheus.timer" "$scratch/units/"
verdict=$(cd "$scratch/units" && SYSTEMD_LOG_LEVEL=warning timeout 60 systemd-analyze verify --man=no \
  "$scratch/units/wexmora-prometheus.service" "$scratch/units/wexmora-prometheus.timer" 2>&1)
[ $? -eq 0 ] && ! grep -q wexmora <<<"$verdict" && pass || fail "systemd-analyze verify: $verdict"
grep -q "^ExecStart=$scratch/bin/wexmora-info --prometheus-file /var/lib/prometheus/node-exporter/wexmora.prom$" \
  "$scratch/units/wexmora-prometheus.service" && pass || fail "the service's command"

# --version: the version of project() in CMakeLists.txt, as GNU tools print it.
version=$(sed -n 's/^project(Wexmora VERSION \([0-9.]*\).*/\1/p' "$source_dir/CMakeLists.txt")
[ "$("$program" --version)" = "wexmora-info (Wexmora) $version" ] && pass || fail "--version: $("$program" --version)"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
