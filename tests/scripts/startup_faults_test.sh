#!/usr/bin/env bash
# Start-up faults: a /proc/cpuinfo that is unreadable, empty, without "model
# name", 1 MB long, or with a brand string of 4,096 characters, control bytes
# and invalid UTF-8 (each through wexmora-info and the window program); then
# 100 simultaneous starts, which leave one instance with one window, a
# killed instance, which never blocks the next start, and a display that
# cannot be reached, which ends the program with a message and exit code 1.
set -u
here=$(cd "$(dirname "$0")" && pwd)
source "$here/fault_support.sh"
program="${WEXMORA_BINARY_DIR:?}/app/wexmora"
info="$WEXMORA_BINARY_DIR/app/wexmora-info"
require_window_program "$program"

scratch=$(mktemp -d)
pids=()
cleanup() { for p in "${pids[@]}"; do kill -9 "$p" 2>/dev/null; done; stop_x; rm -rf "$scratch"; }
trap cleanup EXIT
export XDG_RUNTIME_DIR="$scratch/run" XDG_CONFIG_HOME="$scratch/config" HOME="$scratch"
# The instances are killed, not closed: the sanitizers' leak check at exit
# has nothing to say about them (and stops the process to look).
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
start_x || exit 1

# --- hostile processor descriptions -------------------------------------
make_hostile_cpuinfo "$scratch/cpuinfo"

# The brand string the pass must show, and whether the catalogue identifies the processor.
declare -A brand_of=([unreadable]='???' [empty]='' [no-model-name]='' [one-megabyte]="$i5"
                     [long-brand]="$long_brand" [hostile-brand]="$hostile_brand")
declare -A identified_of=([unreadable]=False [empty]=False [no-model-name]=False [one-megabyte]=True
                          [long-brand]=True [hostile-brand]=False)
skipped=""
if ! can_replace_cpuinfo; then
  skipped="cannot put a file in place of /proc/cpuinfo here (no mount namespace): the processor cases did not run"
else
  for name in "${hostile_cases[@]}"; do
    file="$scratch/cpuinfo/$name"
    # What the pass read: wexmora-info shows the brand (bytes that are not
    # UTF-8 as U+FFFD) and whether the processor was identified.
    if (with_cpuinfo "$file" "${unprivileged[@]}" "$info" --json) >"$scratch/out.json" 2>"$scratch/err"; then
      check "$name: data sheet" python3 - "$scratch/out.json" "${brand_of[$name]}" "${identified_of[$name]}" <<'PY'
import json, os, sys
sheet = json.load(open(sys.argv[1], encoding="utf-8"))
brand = os.fsencode(sys.argv[2]).decode("utf-8", errors="replace")
assert sheet["brand"] == brand, (sheet["brand"][:80], brand[:80])
# The catalogue identifies what it holds; without a catalogue entry the sheet
# may come from the extended table or the machine's own facts, which read
# the same hostile /proc/cpuinfo.
if sys.argv[3] == "True":
    assert sheet["identified"] and sheet["source"] == "catalogue", (sheet["identified"], sheet["source"])
else:
    assert sheet["source"] in (None, "extended", "machine"), sheet["source"]
    assert sheet["identified"] == (sheet["source"] is not None), (sheet["identified"], sheet["source"])
PY
    else
      fail "$name: wexmora-info ended with an error: $(head -c 300 "$scratch/err")"
    fi
    # The window opens, shows no error and keeps running.
    rm -rf "$XDG_CONFIG_HOME"
    with_cpuinfo "$file" "${unprivileged[@]}" "$program" >"$scratch/window.log" 2>&1 &
    window=$!; pids+=("$window")
    if wait_for_window "$main_window_title" 60 "$window"; then
      pass
      sleep 0.5
      check "$name: no error box" [ "$(window_count "$error_box_title")" -eq 0 ]
      if kill -0 "$window" 2>/dev/null; then pass; else fail "$name: the window did not keep running"; fi
    else
      fail "$name: no main window"
    fi
    kill -0 "$window" 2>/dev/null || report_program "$window" "$scratch/window.log"
    kill -9 "$window" 2>/dev/null; wait "$window" 2>/dev/null
    sleep 0.5
    check "$name: the window is gone with its process" [ "$(window_count "$main_window_title")" -eq 0 ]
  done
fi

# --- 100 simultaneous starts -------------------------------------------
rm -rf "$XDG_CONFIG_HOME"
starters=()
for _ in $(seq 100); do
  "$program" >/dev/null 2>&1 &
  starters+=($!)
done
pids+=("${starters[@]}")
running=100
for _ in $(seq 600); do  # until all but one have ended, at most 60 s
  running=0
  for p in "${starters[@]}"; do kill -0 "$p" 2>/dev/null && running=$((running + 1)); done
  [ "$running" -le 1 ] && break
  sleep 0.1
done
check "100 starts leave one running instance, not $running" [ "$running" -eq 1 ]
survivor=""
ended_well=0
for p in "${starters[@]}"; do
  if kill -0 "$p" 2>/dev/null; then survivor=$p; else wait "$p" && ended_well=$((ended_well + 1)); fi
done
check "the 99 other starts end with exit code 0 (only $ended_well did)" [ "$ended_well" -eq 99 ]
wait_for_window "$main_window_title" 60
sleep 1
check "100 starts show one window, not $(window_count "$main_window_title")" [ "$(window_count "$main_window_title")" -eq 1 ]

# --- a killed instance does not block the next start ---------------------
[ -n "$survivor" ] && kill -9 "$survivor" && wait "$survivor" 2>/dev/null
"$program" >/dev/null 2>"$scratch/next.err" &
next=$!; pids+=("$next")
if wait_for_window "$main_window_title" 60 "$next"; then
  pass
else
  fail "no window after the first instance was killed"
fi
if kill -0 "$next" 2>/dev/null; then
  pass
else
  fail "the start after a killed instance did not keep running"
  report_program "$next" "$scratch/next.err"
fi

# --- a display that cannot be reached -------------------------------------
# Qt ends such a program with abort(); the window program says which display
# it could not reach and ends with exit code 1.
kill -9 "$next" 2>/dev/null && wait "$next" 2>/dev/null
absent=7000
while [ -e "/tmp/.X11-unix/X$absent" ]; do absent=$((absent + 1)); done
rm -rf "$XDG_CONFIG_HOME"
DISPLAY=":$absent" QT_QPA_PLATFORM=xcb WAYLAND_DISPLAY= timeout 60 "$program" >/dev/null 2>"$scratch/nodisplay.err"
ended=$?
if [ "$ended" -eq 1 ] && grep -q "wexmora: the window cannot open: no display could be reached (DISPLAY=:$absent" \
  "$scratch/nodisplay.err"; then
  pass
else
  fail "without a reachable display the program ended with $ended: $(head -c 600 "$scratch/nodisplay.err")"
fi
finish || exit 1
[ -z "$skipped" ] || skip "$skipped"
