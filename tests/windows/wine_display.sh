# Sourced by the Windows tests that show windows: a display of their own
# under Xvfb and a fresh Wine session bound to it. Sets run (the emulator
# as an array, empty on Windows), prefix, scratch and pids, and wine_().
# The sourcing test adds its own clean-up after cleanup_display.
run=()
[ -n "${WEXMORA_EMULATOR:-}" ] && run=("$WEXMORA_EMULATOR")
scratch=$(mktemp -d)
pids=()
cleanup_display() {
  for pid in "${pids[@]}"; do { kill -9 "$pid" && wait "$pid"; } 2>/dev/null; done
  rm -rf "$scratch"
}
wine_() { "${run[@]}" "$@"; }
prefix="${WINEPREFIX:-$(dirname "${WEXMORA_EMULATOR:-.}")/../../build/windows/wineprefix}"

# restart_session: ends the Wine session and starts one that reads the
# registry afresh (the display scale is read when a session starts).
restart_session() {
  [ ${#run[@]} -gt 0 ] || return 0
  WINEPREFIX="$prefix" wineserver -k </dev/null >/dev/null 2>&1 || true
  WINEPREFIX="$prefix" wineserver -w </dev/null >/dev/null 2>&1 || true
  WINEPREFIX="$prefix" wineserver -p 60 </dev/null >/dev/null 2>&1
  # The session's services outlive the test: they must not hold its output.
  wine_ reg query 'HKCU\Software' </dev/null >/dev/null 2>&1
}

# check_screenshot WHAT X Y: clicks the screenshot button at X, Y of the
# display, saves through the dialog under C:\, and passes when the JPEG is
# the window's outer width by its outer height plus 2 (Wine only; uses the
# sourcing test's probe, caption, pass and fail).
check_screenshot() {
  local what=$1 shot="wexmora-shot-$$" ow oh size
  local file="$prefix/drive_c/$shot.jpg"
  read -r _ _ ow oh < <(wine_ "$probe" outer "$caption" | tr -d '\r')
  xdotool mousemove "$2" "$3" click 1
  wine_ "$probe" save "C:\\$shot" || fail "$what: the save dialog did not open"
  for _ in $(seq 100); do [ -s "$file" ] && break; sleep 0.1; done
  if [ ! -s "$file" ]; then fail "$what: no screenshot was saved as $file"; return; fi
  size=$(jpeg_size "$file")
  echo "$what: screenshot $size of the outer window ${ow}x${oh}"
  [ "$size" = "$ow $((oh + 2)) baseline" ] && pass || fail "$what: the screenshot is '$size', not '$ow $((oh + 2)) baseline'"
  rm -f "$file"
}

if [ ${#run[@]} -gt 0 ]; then
  for tool in Xvfb xdotool; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is missing (make test-windows installs it)"; exit 77; }
  done
  # -noreset: a server that resets when its last client leaves drops the
  # clients that connect meanwhile. The server ends with the test: on its
  # exit (a sourcing test that sets its own trap calls cleanup_display), and
  # through the parent-death signal when the test is killed outright.
  trap cleanup_display EXIT
  setpriv --pdeathsig KILL Xvfb -noreset -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp 3>"$scratch/display" \
    </dev/null >/dev/null 2>&1 &
  pids+=($!)
  for _ in $(seq 100); do [ -s "$scratch/display" ] && break; sleep 0.1; done
  export DISPLAY=":$(cat "$scratch/display")"
  # A session left running by the headless tests has no display.
  wine_ cmd /c exit 0 </dev/null >/dev/null 2>&1  # makes the prefix on first use
  # Every window test starts at 100 %, whatever scale a test before it left
  # in the prefix (the display scale test sets its own afterwards).
  for key in 'HKCU\Control Panel\Desktop' 'HKCC\Software\Fonts'; do
    wine_ reg add "$key" /v LogPixels /t REG_DWORD /d 96 /f </dev/null >/dev/null 2>&1
  done
  restart_session
fi

source "$(dirname "${BASH_SOURCE[0]}")/jpeg_size.sh"
