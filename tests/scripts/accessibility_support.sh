# The real window program under Xvfb with Qt's accessibility on, read over
# AT-SPI in a private D-Bus session, for the accessibility tests. A test
# sources this file first: it runs the test again inside `dbus-run-session`,
# bounded in time, and skips (77) where a tool is missing. start_window
# starts the program with a recording xdg-open in front of the real one; the
# trap stops the program and the X server.
program="${WEXMORA_BINARY_DIR:?}/app/wexmora"
atspi_python=/usr/bin/python3
tree_tool="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/accessibility_tree.py"
source "$(dirname "${BASH_SOURCE[0]}")/fault_support.sh"
require_window_program "$program"
for tool in Xvfb dbus-run-session xdotool; do command -v "$tool" >/dev/null || skip "no $tool"; done
[ -x /usr/libexec/at-spi-bus-launcher ] || skip "no at-spi-bus-launcher (at-spi2-core)"
"$atspi_python" -c 'import pyatspi' 2>/dev/null || skip "no pyatspi (python3-pyatspi)"
if [ -z "${WEXMORA_ATSPI_SESSION:-}" ]; then
  # The session's bus starts the accessibility bus, which keeps its socket
  # under the home and runtime folders it inherits: a pair of its own, so
  # that tests running side by side never share one.
  session_home=$(mktemp -d)
  mkdir -m 700 "$session_home/run"
  WEXMORA_ATSPI_SESSION=1 HOME="$session_home" XDG_RUNTIME_DIR="$session_home/run" \
    timeout -k 5 240 dbus-run-session -- bash "$0" "$@" 2>&1 |
    grep -v -e '^dbus-daemon\[' -e '^SpiRegistry daemon'
  status=${PIPESTATUS[0]}
  rm -rf "$session_home"
  exit "$status"
fi

passed=0 failed=0
check() {
  local name=$1; shift
  if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL: $name"; fi
}
finish() { echo "$passed passed, $failed failed"; [ "$failed" -eq 0 ]; }

scratch=$(mktemp -d)
app="" xvfb="" window=""
stop_window() {
  [ -n "$app" ] && kill "$app" 2>/dev/null && wait "$app" 2>/dev/null
  app=""
}
trap 'stop_window; [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null; rm -rf "$scratch"' EXIT
export HOME="$scratch" XDG_CONFIG_HOME="$scratch/config" XDG_RUNTIME_DIR="$scratch/run"
mkdir -p "$XDG_RUNTIME_DIR" "$scratch/bin" && chmod 700 "$XDG_RUNTIME_DIR"
# The links' browser: records the address instead of opening it.
printf '#!/bin/sh\nprintf "%%s\\n" "$1" >>"%s/opened"\n' "$scratch" >"$scratch/bin/xdg-open"
chmod +x "$scratch/bin/xdg-open"
export PATH="$scratch/bin:$PATH"

# -noreset: see start_x in fault_support.sh.
setpriv --pdeathsig KILL Xvfb -noreset -displayfd 5 -screen 0 1024x768x24 -nolisten tcp 5>"$scratch/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 100); do [ -s "$scratch/display" ] && break; sleep 0.1; done
[ -s "$scratch/display" ] || { echo "FAIL: Xvfb did not start"; exit 1; }
export DISPLAY=":$(cat "$scratch/display")" QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1

tree() { "$atspi_python" "$tree_tool" "$@"; }

# start_window [LANGUAGE_INDEX]: the program with that stored language, shown
# and in the accessibility tree.
start_window() {
  mkdir -p "$XDG_CONFIG_HOME/wexmora"
  [ -n "${1:-}" ] && printf 'Languages=%s\n' "$1" >"$XDG_CONFIG_HOME/wexmora/settings.ini"
  "$program" >"$scratch/program.log" 2>&1 &
  app=$!
  tree wait "$app" 30 || { echo "FAIL: the window did not appear"; cat "$scratch/program.log"; exit 1; }
  window=$(xdotool search --sync --onlyvisible --pid "$app" | head -n 1)
  # No window manager: the window takes the keyboard itself.
  xdotool windowfocus --sync "$window"
  sleep 0.5  # the first paint and the initial focus
}

# The focused object's role and name.
focused() { tree focus "$app"; }
# Gives the keyboard back to the main window, as a window manager would when
# a dialog closes.
refocus() { xdotool windowfocus --sync "$window"; sleep 0.3; }
# Presses KEY and waits for the window to answer.
key() { xdotool key --clearmodifiers "$@"; sleep 0.3; }
# Presses Tab until the object named NAME has the focus (at most 40 times).
tab_to() {
  local _
  for _ in $(seq 40); do
    [ "$(focused | cut -f2)" = "$1" ] && return 0
    key Tab
  done
  echo "Tab never reached \"$1\""
  return 1
}
