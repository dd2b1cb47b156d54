#!/usr/bin/env bash
# Starts the window program many times with each hostile /proc/cpuinfo of the
# start-up tests, under a CPU load, and counts the starts that die or never
# show a window. Every death is kept: the program's own output (Qt's
# messages, a sanitizer's report), how it ended, and for a build without
# sanitizers its core file and gdb's backtrace of every thread. Not a CTest
# test: a run of the defaults takes most of an hour.
#
# Usage: tests/stress/start_stress.sh [options] PROGRAM
#   --starts N       starts per case (default 200)
#   --busy N         busy processes beside it (default 2)
#   --cases A,B      the cases to run (default all: unreadable, empty,
#                    no-model-name, one-megabyte, long-brand, hostile-brand)
#   --keep DIR       where the deaths are kept (default a new folder in /tmp)
#   --xvfb-reset     let the X server reset when its last client leaves, as
#                    the test scripts' server did before it ran with -noreset
# PROGRAM: build/test/app/wexmora (ASan and UBSan), build/tsan/app/wexmora
# (ThreadSanitizer: any report counts as a death), or any other build.
# Needs root or user namespaces (the file is put in place of /proc/cpuinfo
# in a mount namespace of its own), Xvfb and xdotool. Exit code 0 when no
# start died and no sanitizer reported anything, 1 otherwise.
set -u
here=$(cd "$(dirname "$0")" && pwd)
starts=200 busy=2 cases="" keep="" reset=0
while [ $# -gt 0 ]; do
  case $1 in
    --starts) starts=$2; shift 2 ;;
    --busy) busy=$2; shift 2 ;;
    --cases) cases=$2; shift 2 ;;
    --keep) keep=$2; shift 2 ;;
    --xvfb-reset) reset=1; shift ;;
    -*) echo "unknown option $1" >&2; exit 2 ;;
    *) break ;;
  esac
done
[ $# -eq 1 ] || { sed -n '/^# Usage/,/^# start died/p' "$0" | sed 's/^# \{0,1\}//' >&2; exit 2; }
program=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
[ -x "$program" ] || { echo "no program at $program" >&2; exit 2; }
for tool in Xvfb xdotool unshare; do command -v "$tool" >/dev/null || { echo "$tool is missing" >&2; exit 2; }; done

source "$here/../scripts/fault_support.sh"
scratch=$(mktemp -d)
keep=${keep:-$(mktemp -d /tmp/start-stress.XXXXXX)}
mkdir -p "$keep"
load=() window=""
cleanup() {
  [ -n "$window" ] && kill -9 "$window" 2>/dev/null
  for p in "${load[@]}"; do kill "$p" 2>/dev/null; done
  stop_x
  chmod -R u+w "$scratch" 2>/dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT
export XDG_RUNTIME_DIR="$scratch/run" XDG_CONFIG_HOME="$scratch/config" HOME="$scratch"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
# Killed windows leave no leak report; a sanitizer's report on SIGABRT shows
# where the abort came from; TSan ends a reporting run with exit code 66.
# Debian's Qt and GLib are not built with TSan: their threads hand memory
# over through atomics TSan cannot see, so every start would report their
# own allocations and copies as races. TSan therefore ignores the allocator
# and string calls made from uninstrumented libraries; every access of the
# program's own code, and every race it has with those threads, is still
# checked.
export ASAN_OPTIONS="detect_leaks=0:handle_abort=1${ASAN_OPTIONS:+:$ASAN_OPTIONS}"
export UBSAN_OPTIONS="print_stacktrace=1${UBSAN_OPTIONS:+:$UBSAN_OPTIONS}"
export TSAN_OPTIONS="exitcode=66:handle_abort=1:second_deadlock_stack=1:ignore_noninstrumented_modules=1${TSAN_OPTIONS:+:$TSAN_OPTIONS}"
sanitized=$(grep -c -a -E '__asan_init|__tsan_init' "$program" || true)
[ "$sanitized" -eq 0 ] && ulimit -c unlimited

if [ "$reset" -eq 1 ]; then
  # The server as the test scripts started it before: it resets whenever its
  # last client leaves.
  start_x() {
    local fifo="$scratch/displayfd"
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    xvfb_pid=$!
    local number
    read -r -t 20 number <"$fifo" || { echo "Xvfb did not start"; return 1; }
    export DISPLAY=":$number" QT_QPA_PLATFORM=xcb
  }
fi
start_x || exit 1
can_replace_cpuinfo || { echo "cannot put a file in place of /proc/cpuinfo here (no mount namespace)" >&2; exit 2; }
make_hostile_cpuinfo "$scratch/cpuinfo"
[ -n "$cases" ] && IFS=, read -r -a hostile_cases <<<"$cases"
for _ in $(seq "$busy"); do
  (while :; do :; done) &
  load+=($!)
done

echo "$program: $starts starts per case, $busy busy processes, X server $([ $reset -eq 1 ] && echo resetting || echo 'with -noreset'), deaths kept in $keep"
total_deaths=0 total_reports=0
for name in "${hostile_cases[@]}"; do
  deaths=0 reports=0 slowest=0
  for start in $(seq "$starts"); do
    run="$scratch/run-$name-$start"
    mkdir -p "$run"
    rm -rf "$XDG_CONFIG_HOME"
    began=$(date +%s%N)
    (cd "$run" && with_cpuinfo "$scratch/cpuinfo/$name" "${unprivileged[@]}" "$program") >"$run/output" 2>&1 &
    window=$!
    shown=0
    wait_for_window "$main_window_title" 120 "$window" && shown=1
    elapsed=$((($(date +%s%N) - began) / 1000000))
    [ "$elapsed" -gt "$slowest" ] && slowest=$elapsed
    sleep 0.3
    ended=$(how_it_ended "$window")
    [ "$ended" = "still running" ] && { kill -9 "$window"; wait "$window" 2>/dev/null; }
    window=""
    report=$(grep -c -E '^(==[0-9]+==ERROR|WARNING: ThreadSanitizer|SUMMARY: (Address|Thread|UndefinedBehavior)Sanitizer)|runtime error:' "$run/output")
    if [ "$shown" -eq 1 ] && [ "$ended" = "still running" ] && [ "$report" -eq 0 ]; then
      rm -rf "$run"
      continue
    fi
    [ "$report" -gt 0 ] && reports=$((reports + 1))
    [ "$shown" -eq 0 ] || [ "$ended" != "still running" ] && deaths=$((deaths + 1))
    kept="$keep/$name-$start"
    mv "$run" "$kept"
    {
      echo "case $name, start $start: window shown: $shown; the program: $ended"
      if [ -f "$kept/core" ] && command -v gdb >/dev/null; then
        gdb -batch -ex 'thread apply all bt' "$program" "$kept/core" 2>&1
      fi
    } >"$kept/what"
    echo "  $name #$start: window shown: $shown; the program: $ended; $(grep -c . "$kept/output") lines of output in $kept"
  done
  echo "$name: $starts starts, $deaths deaths, $reports with a sanitizer's report; slowest window ${slowest} ms"
  total_deaths=$((total_deaths + deaths)) total_reports=$((total_reports + reports))
done
echo "all cases: $total_deaths deaths, $total_reports with a sanitizer's report"
[ "$total_deaths" -eq 0 ] && [ "$total_reports" -eq 0 ]
