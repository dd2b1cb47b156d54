#!/usr/bin/env bash
# Single instance: while one window program runs, a second start ends at once
# with exit code 0; after the first is killed, the next start runs again.
set -u
program="${WEXMORA_BINARY_DIR:?}/app/wexmora"
source "$(dirname "$0")/fault_support.sh"
require_window_program "$program"

scratch=$(mktemp -d)
trap 'kill -9 $first $third 2>/dev/null; rm -rf "$scratch"' EXIT
export XDG_RUNTIME_DIR="$scratch/run" XDG_CONFIG_HOME="$scratch/config" HOME="$scratch"
export QT_QPA_PLATFORM=offscreen
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
lock="$XDG_RUNTIME_DIR/RegWexmora.lock"
fail() { echo "FAIL: $*"; exit 1; }

"$program" & first=$!
for _ in $(seq 100); do   # wait until the first instance holds the flag
  [ -e "$lock" ] && ! flock -n "$lock" true && break
  sleep 0.1
done
flock -n "$lock" true && fail "the first instance does not hold $lock"

timeout 10 "$program"; status=$?
[ "$status" -eq 0 ] || fail "the second instance ended with $status, not 0 at once"
kill -0 "$first" 2>/dev/null || fail "the first instance ended"

kill -9 "$first"; wait "$first" 2>/dev/null
"$program" & third=$!
sleep 2
kill -0 "$third" 2>/dev/null || fail "after the first was killed, a new instance did not keep running"
echo "1 passed, 0 failed"
