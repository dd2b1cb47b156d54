#!/usr/bin/env bash
# The metrics as a fleet collects them, with the real engines on loopback:
# wexmora-info writes its file into the textfile folder of a
# prometheus-node-exporter, a Prometheus scrapes that exporter, and its HTTP
# API answers a query for the processor's cores. Each server gets a free port
# and a temporary folder; both are stopped at the end, and every wait is
# bounded.
set -u
program="${WEXMORA_BINARY_DIR:?}/app/wexmora-info"
for tool in prometheus prometheus-node-exporter python3; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed (make test installs it)"; exit 1; }
done
scratch=$(mktemp -d)
pids=()
stop() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null; done
  rm -rf "$scratch"
}
trap stop EXIT
export XDG_CONFIG_HOME="$scratch/config" HOME="$scratch"

free_port() {
  python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}
# get URL: the body, or nothing once 2 s have passed.
get() {
  python3 - "$1" <<'PY' 2>/dev/null
import sys, urllib.request
print(urllib.request.urlopen(sys.argv[1], timeout=2).read().decode())
PY
}

mkdir -p "$scratch/textfile" "$scratch/data"
"$program" --prometheus-file "$scratch/textfile/wexmora.prom" --brand "Intel(R) Core(TM) i5-8400 CPU @ 2.80GHz" ||
  { echo "FAIL: wexmora-info --prometheus-file"; exit 1; }
"$program" --prometheus-file "$scratch/textfile/this-machine.prom" ||
  { echo "FAIL: wexmora-info --prometheus-file for this machine"; exit 1; }
# This machine's metrics under names of their own, so that both files fit one exporter.
sed -i 's/wexmora_/wexmora_this_/g' "$scratch/textfile/this-machine.prom"

exporter_port=$(free_port)
timeout 120 prometheus-node-exporter --web.listen-address="127.0.0.1:$exporter_port" --collector.disable-defaults \
  --collector.textfile --collector.textfile.directory="$scratch/textfile" >"$scratch/exporter.log" 2>&1 &
pids+=($!)
prometheus_port=$(free_port)
cat >"$scratch/prometheus.yml" <<YAML
global:
  scrape_interval: 1s
scrape_configs:
  - job_name: node
    static_configs:
      - targets: ["127.0.0.1:$exporter_port"]
YAML
timeout 120 prometheus --config.file="$scratch/prometheus.yml" --storage.tsdb.path="$scratch/data" \
  --web.listen-address="127.0.0.1:$prometheus_port" >"$scratch/prometheus.log" 2>&1 &
pids+=($!)

# Up to 60 s for the exporter to serve the file and Prometheus to have scraped it.
query="http://127.0.0.1:$prometheus_port/api/v1/query?query=wexmora_processor_cores"
answer=""
for _ in $(seq 1 120); do
  answer=$(get "$query")
  case "$answer" in *'"result":[{'*) break ;; esac
  sleep 0.5
done
echo "query wexmora_processor_cores: $answer"
python3 - "$answer" <<'PY' || { echo "FAIL: Prometheus did not answer the query"; tail -n 5 "$scratch/exporter.log" "$scratch/prometheus.log"; exit 1; }
import json, sys
answer = json.loads(sys.argv[1])
assert answer["status"] == "success", answer
[sample] = answer["data"]["result"]
assert sample["metric"]["job"] == "node", sample
assert sample["value"][1] == "6", sample
PY
# The exporter read both files without an error, and the info metric's labels arrived whole.
errors=$(get "http://127.0.0.1:$exporter_port/metrics" | grep '^node_textfile_scrape_error ')
[ "$errors" = "node_textfile_scrape_error 0" ] || { echo "FAIL: textfile collector: '$errors'"; exit 1; }
info=$(get "http://127.0.0.1:$prometheus_port/api/v1/query?query=wexmora_processor_info")
python3 - "$info" <<'PY' || { echo "FAIL: the info metric: $info"; exit 1; }
import json, sys
[sample] = json.loads(sys.argv[1])["data"]["result"]
labels = sample["metric"]
assert labels["brand"] == "Intel(R) Core(TM) i5-8400 CPU @ 2.80GHz", labels
assert labels["model_key"] == "i5-8400" and labels["source"] == "catalogue", labels
assert sample["value"][1] == "1", sample
PY
echo "prometheus_scrape_test: passed"
