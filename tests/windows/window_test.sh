#!/usr/bin/env bash
# The Win32 window program as a user meets it, under Wine and Xvfb (or
# natively on Windows): it opens with its caption and shows the processor of
# the registry; a second start ends at once with exit code 0 while the first
# runs; the first run writes Site_Url and License; choosing English writes
# Languages = "1" and the next start is English; the screenshot button saves
# a JPEG of the window's outer width by its outer height plus 2.
set -u
program="${WEXMORA_BINARY_DIR:?}/app/wexmora.exe"
probe="${WEXMORA_BINARY_DIR:?}/tests/window_probe.exe"
run=()
[ -n "${WEXMORA_EMULATOR:-}" ] && run=("$WEXMORA_EMULATOR")
caption="WEXMORA v.1.5   - https://wexmora.example"
brand="Intel(R) Core(TM) i5-8400 CPU @ 2.80GHz"
scratch=$(mktemp -d)
source "$(dirname "${BASH_SOURCE[0]}")/jpeg_size.sh"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill -9 "$pid" 2>/dev/null; done
  rm -rf "$scratch"
}
trap cleanup EXIT
passed=0 failed=0
pass() { passed=$((passed + 1)); }
fail() { failed=$((failed + 1)); echo "FAIL $*"; }
wine_() { "${run[@]}" "$@"; }

if [ ${#run[@]} -gt 0 ]; then
  for tool in Xvfb xdotool python3; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is missing (make test-windows installs it)"; exit 77; }
  done
  # A display of our own, on a free number.
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$scratch/display" </dev/null >/dev/null 2>&1 &
  pids+=($!)
  for _ in $(seq 100); do [ -s "$scratch/display" ] && break; sleep 0.1; done
  export DISPLAY=":$(cat "$scratch/display")"
  # Wine writes the processor description afresh when its session starts:
  # keep the session alive while the test changes it.
  prefix="${WINEPREFIX:-$(dirname "$WEXMORA_EMULATOR")/../../build/windows/wineprefix}"
  # A session left running by the headless tests just before has no display:
  # windows made in it would never reach this Xvfb. End it and start afresh.
  WINEPREFIX="$prefix" wineserver -k </dev/null >/dev/null 2>&1 || true
  WINEPREFIX="$prefix" wineserver -w </dev/null >/dev/null 2>&1 || true
  WINEPREFIX="$prefix" wineserver -p 60 </dev/null >/dev/null 2>&1
  # The session's services outlive the test: they must not hold its output.
  wine_ reg query 'HKCU\Software' </dev/null >/dev/null 2>&1
fi

reg_value() {  # reg_value KEY NAME: the data of a string value, or nothing
  wine_ reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -v n="$2" '{ sub(/^ +/, "") }
    $1 == n && $2 ~ /^REG_/ { sub(/^[^ ]+ +[^ ]+ +/, ""); print }'
}
start() {  # the window program in the background; waits until its window is there
  # Not through a function: $! must be the program's own process.
  "${run[@]}" "$program" >/dev/null 2>&1 &
  pids+=($!)
  last=$!
  wine_ "$probe" client "$caption" >/dev/null || return 1
}
has_text() {  # has_text NAME "Class|text"
  if wine_ "$probe" texts "$caption" | tr -d '\r' | grep -qxF -- "$2"; then pass; else fail "$1: no control shows '$2'"; fi
}

cpu='HKLM\HARDWARE\DESCRIPTION\System\CentralProcessor\0'
wine_ reg add "$cpu" /v ProcessorNameString /d "$brand" /f >/dev/null
wine_ reg add "$cpu" /v Identifier /d "Intel64 Family 6 Model 158 Stepping 10" /f >/dev/null
[ "$(reg_value "$cpu" ProcessorNameString)" = "$brand" ] || echo "note: the registry holds '$(reg_value "$cpu" ProcessorNameString)'"
wine_ reg delete 'HKCU\SOFTWARE\Wex_mora' /f >/dev/null 2>&1

# First start: caption, processor, first-run values.
if start; then pass; else fail "the window did not open with the caption '$caption'"; fi
first=$last
if [ ${#run[@]} -gt 0 ]; then
  if xdotool search --name "^$(printf '%s' "$caption" | sed 's/[.]/\\./g')\$" >/dev/null; then pass; else
    fail "no X window has the caption"; fi
fi
has_text "brand field" "Edit|$brand"
has_text "processor field" "Edit|i5-8400"
has_text "Russian design texts" "Button|Закрыть"
[ "$(reg_value 'HKCU\SOFTWARE\Wex_mora' Site_Url)" = "https://wexmora.example/index.html" ] && pass ||
  fail "Site_Url is '$(reg_value 'HKCU\SOFTWARE\Wex_mora' Site_Url)'"
[ "$(reg_value 'HKCU\SOFTWARE\Wex_mora' License)" = "FreeWare" ] && pass || fail "License was not written"
[ -z "$(reg_value 'HKCU\SOFTWARE\Wex_mora' Languages)" ] && pass || fail "Languages was written before any choice"

# A second start while the first runs: exit code 0 at once, the first stays.
started=$SECONDS
timeout 30 "${run[@]}" "$program" >/dev/null 2>&1
status=$?
[ "$status" -eq 0 ] && pass || fail "the second instance ended with $status"
[ $((SECONDS - started)) -lt 15 ] && pass || fail "the second instance took $((SECONDS - started)) s"
kill -0 "$first" 2>/dev/null && pass || fail "the first instance ended"

# The screenshot button, then the save dialog with a name without extension.
read -r cx cy _ < <(wine_ "$probe" client "$caption" | tr -d '\r')
read -r _ _ ow oh < <(wine_ "$probe" outer "$caption" | tr -d '\r')
shot="wexmora-shot-$$"
target="${prefix:-}/drive_c/$shot.jpg"
if [ ${#run[@]} -gt 0 ]; then
  # SpeedButton3 lies at 360, 152 in the data sheet (8, 120 in the frame at 8, 0).
  xdotool mousemove $((cx + 8 + 8 + 360 + 36)) $((cy + 120 + 152 + 20)) click 1
  wine_ "$probe" save "C:\\$shot" || fail "the save dialog did not open"
  for _ in $(seq 100); do [ -s "$target" ] && break; sleep 0.1; done
  if [ -s "$target" ]; then
    size=$(jpeg_size "$target")
    [ "$size" = "$ow $((oh + 2)) baseline" ] && pass || fail "the screenshot is '$size', not '$ow $((oh + 2)) baseline'"
    rm -f "$target"
  else
    fail "no screenshot was saved as $target"
  fi
fi

# English: stored as "1", and the next start is English.
wine_ "$probe" select "$caption" 1 || fail "no language selector"
sleep 0.5
[ "$(reg_value 'HKCU\SOFTWARE\Wex_mora' Languages)" = "1" ] && pass ||
  fail "Languages is '$(reg_value 'HKCU\SOFTWARE\Wex_mora' Languages)' after choosing English"
has_text "English after the choice" "Button|Close"
kill -9 "$first"  # killed, not closed: the mutex is abandoned
wait "$first" 2>/dev/null
kill -0 "$first" 2>/dev/null && fail "the first instance survived kill -9"
if start; then pass; else fail "after the first instance was killed, the window did not open again"; fi
has_text "English on the next start" "Button|Close"
has_text "English data sheet" "Edit|Desktop"
kill -9 "$last"

wine_ reg delete 'HKCU\SOFTWARE\Wex_mora' /f >/dev/null 2>&1
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
