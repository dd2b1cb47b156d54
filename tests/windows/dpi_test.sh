#!/usr/bin/env bash
# The window at the display scales of Windows laptops, under Wine and Xvfb:
# with Wine's LogPixels at 96, 120, 144 and 192 the window's client area is
# the design's 468 pixels wide (and its height at 100 %) times 1, 1.25, 1.5
# and 2, within 2 pixels; in both languages every caption (push buttons, the
# frames, the language list) fits its box as the window measures it, and
# every field whose value fits at 100 % fits at the other scales too; the
# screenshot button saves the window as shown (its outer width by its outer
# height plus 2, as at 100 %). With
# WEXMORA_SHOTS=DIR (and ImageMagick's import) it keeps a screenshot of the
# display per scale and language there.
set -u
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
program="${WEXMORA_BINARY_DIR:?}/app/wexmora.exe"
probe="${WEXMORA_BINARY_DIR:?}/tests/window_probe.exe"
caption="WEXMORA v.1.5   - https://wexmora.example"
[ -n "${WEXMORA_EMULATOR:-}" ] || { echo "skipped: the display scale is set through Wine's registry"; exit 77; }
source "$here/wine_display.sh"
cpu='HKLM\HARDWARE\DESCRIPTION\System\CentralProcessor\0'
desktop='HKCU\Control Panel\Desktop'
fonts='HKCC\Software\Fonts'
set_dpi() {
  wine_ reg add "$desktop" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null
  wine_ reg add "$fonts" /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null
  restart_session
  # The processor of the window test, so that the fields show real values
  # (the new session has just written the machine's own).
  wine_ reg add "$cpu" /v ProcessorNameString /d "Intel(R) Core(TM) i5-8400 CPU @ 2.80GHz" /f >/dev/null
  wine_ reg add "$cpu" /v Identifier /d "Intel64 Family 6 Model 158 Stepping 10" /f >/dev/null
}
cleanup() {
  set_dpi 96 >/dev/null 2>&1
  wine_ reg delete 'HKCU\SOFTWARE\Wex_mora' /f >/dev/null 2>&1
  cleanup_display
}
trap cleanup EXIT
passed=0 failed=0
pass() { passed=$((passed + 1)); }
fail() { failed=$((failed + 1)); echo "FAIL $*"; }

start() {  # the window program in the background; waits until its window is there
  "${run[@]}" "$program" >/dev/null 2>&1 &
  pids+=($!)
  last=$!
  wine_ "$probe" client "$caption" >/dev/null
}
declare -A checked_at_100 fields_at_100
fits() {  # fits LANGUAGE PERCENT
  local out checked captions fields
  out=$(wine_ "$probe" fits "$caption" | tr -d '\r')
  checked=$(sed -n 's/^checked //p' <<<"$out")
  captions=$(grep -v -e '^checked' -e '^Edit|' <<<"$out")
  # A field's value wider than the field at 100 % too scrolls, as designed.
  fields=$(grep '^Edit|' <<<"$out" | sed 's/ needs .*//' | sort)
  if [ "$2" = 100 ]; then
    checked_at_100[$1]=$checked
    fields_at_100[$1]=$fields
  fi
  [ -z "$captions" ] && pass || fail "$2 %, $1: captions do not fit: $(tr '\n' ';' <<<"$captions")"
  local more
  more=$(comm -23 <(echo "$fields") <(echo "${fields_at_100[$1]}") | grep .)
  [ -z "$more" ] && pass || fail "$2 %, $1: fields that fit at 100 % do not: $(tr '\n' ';' <<<"$more")"
  [ "${checked:-0}" -ge 10 ] && [ "$checked" = "${checked_at_100[$1]}" ] && pass ||
    fail "$2 %, $1: ${checked:-no} texts measured, ${checked_at_100[$1]} at 100 %"
}
shoot() {
  [ -n "${WEXMORA_SHOTS:-}" ] && command -v import >/dev/null || return 0
  mkdir -p "$WEXMORA_SHOTS"
  xdotool mousemove 0 0  # no tooltip over the window
  sleep 1
  import -window root "$WEXMORA_SHOTS/$1.png"
}
# within EXPECTED MEASURED: |difference| <= 2
within() { [ $(($1 - $2)) -le 2 ] && [ $(($2 - $1)) -le 2 ]; }

# LogPixels : scale in percent
scales=(96:100 120:125 144:150 192:200)
design_height=""
for entry in "${scales[@]}"; do
  dpi=${entry%%:*} percent=${entry##*:}
  wine_ reg delete 'HKCU\SOFTWARE\Wex_mora' /f >/dev/null 2>&1
  set_dpi "$dpi"
  if ! start; then fail "$percent %: the window did not open"; continue; fi
  read -r _ _ width height < <(wine_ "$probe" client "$caption" | tr -d '\r')
  echo "$percent %: client area ${width}x${height}"
  [ -z "$design_height" ] && design_height=$height
  expect_width=$(((468 * dpi + 48) / 96)) expect_height=$(((design_height * dpi + 48) / 96))
  within "$expect_width" "$width" && within "$expect_height" "$height" && pass ||
    fail "$percent %: the client area is ${width}x${height}, not ${expect_width}x${expect_height}"
  fits Russian "$percent"
  shoot "dpi-$percent-ru"
  if [ "$dpi" != 96 ]; then  # at 100 % the window test does it
    read -r cx cy _ < <(wine_ "$probe" client "$caption" | tr -d '\r')
    # The screenshot button, 412, 292 in the design's client area.
    check_screenshot "$percent %" $((cx + (412 * dpi + 48) / 96)) $((cy + (292 * dpi + 48) / 96))
  fi
  wine_ "$probe" select "$caption" 1 || fail "$percent %: no language selector"
  sleep 0.5
  fits English "$percent"
  shoot "dpi-$percent-en"
  wine_ "$probe" close "$caption"
  wine_ "$probe" gone "$caption" || { fail "$percent %: the window did not close"; kill -9 "$last"; }
  wait "$last" 2>/dev/null
done
[ "$design_height" ] && [ "$design_height" -gt 300 ] && pass || fail "the window at 100 % is ${design_height:-no} pixels high"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
