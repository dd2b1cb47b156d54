#!/usr/bin/env bash
# Runs each fuzz target of the fuzz build for a fixed time over its committed
# seed inputs and a growing working corpus in the build folder, and prints
# one line per target. A crash, a leak, a sanitizer report or a broken
# property stops that target; its input is kept under findings/ and the
# script ends with exit code 1 after the other targets have run.
#
#   run_fuzzers.sh BUILD_DIR SECONDS TARGET...
set -u
build=${1:?build folder}; seconds=${2:?seconds}; shift 2
here=$(cd "$(dirname "$0")" && pwd)
findings="$build/findings"
mkdir -p "$findings" "$build/logs"
failed=0
for name in "$@"; do
  program="$build/tests/fuzz/fuzz_$name"
  seeds="$here/corpus/$name"
  work="$build/corpus/$name"
  log="$build/logs/$name.log"
  mkdir -p "$work"
  # The cpuinfo seeds are whole files of several processors, the
  # machine_facts seeds such a file with a processor folder's files; the
  # others are single lines. A processor reports at most 48 characters of
  # brand string and a stored record is at most 301 characters (base64 of a
  # CP1251 line):
  # inputs of up to 1 KiB cover both many times over and keep the runs fast
  # (the start-up fault test tries a brand string of 4,096 characters).
  case $name in
    cpuinfo | machine_facts) max_len=16384 ;;
    model_key | model_number | probe | records) max_len=1024 ;;
    *) max_len=4096 ;;
  esac
  "$program" -max_total_time="$seconds" -max_len="$max_len" -timeout=25 -rss_limit_mb=2048 \
    -print_final_stats=1 -artifact_prefix="$findings/$name-" "$work" "$seeds" >"$log" 2>&1
  status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  took=$(sed -n 's/^Done [0-9]* runs in \([0-9]*\) second.*/\1/p' "$log" | tail -1)
  if [ "$status" -eq 0 ] && [ -n "$runs" ]; then
    echo "fuzz $name: $runs runs in ${took:-$seconds} s, no crash"
  else
    failed=1
    input=$(sed -n 's/.*Test unit written to \(.*\)$/\1/p' "$log" | tail -1)
    echo "fuzz $name: FINDING after ${runs:-?} runs (exit $status), input left at ${input:-$findings}, log $log"
    grep -m 12 -E 'broken property|ERROR:|runtime error|SUMMARY|^[^ ].*:[0-9]+:' "$log" | sed 's/^/    /'
  fi
done
exit "$failed"
