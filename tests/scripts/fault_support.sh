# Shared by the fault tests (sourced, not a test itself): a private X server,
# windows counted by title, a processor description of our own in place of
# /proc/cpuinfo, and a run without root's right to ignore file permissions.

passed=0 failed=0
pass() { passed=$((passed + 1)); }
fail() { failed=$((failed + 1)); echo "FAIL: $*"; }
check() {  # check DESCRIPTION COMMAND...: passes when the command succeeds
  local what=$1; shift
  if "$@"; then pass; else fail "$what"; fi
}
finish() {
  echo "$passed passed, $failed failed"
  [ "$failed" -eq 0 ]
}

# The main window's caption and the error box's (the application title).
main_window_title='^WEXMORA v\.'
error_box_title='^WEXMORA \( '

# Starts Xvfb on a free display and exports DISPLAY; the X server ends with
# the test (stop_x is called from the caller's EXIT trap).
start_x() {
  local fifo="$scratch/displayfd"
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  xvfb_pid=$!
  local number
  read -r -t 20 number <"$fifo" || { echo "Xvfb did not start"; return 1; }
  export DISPLAY=":$number" QT_QPA_PLATFORM=xcb
}
stop_x() { [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null; }

# Number of visible top-level windows whose title matches the pattern.
window_count() { xdotool search --onlyvisible --name "$1" 2>/dev/null | wc -l; }

# Waits up to SECONDS for a visible window whose title matches PATTERN.
wait_for_window() {  # wait_for_window PATTERN SECONDS
  local tries=$(($2 * 10))
  while [ "$tries" -gt 0 ]; do
    [ "$(window_count "$1")" -gt 0 ] && return 0
    sleep 0.1; tries=$((tries - 1))
  done
  return 1
}

# Runs COMMAND with FILE in place of /proc/cpuinfo, in a mount namespace of
# its own (nothing outside it sees the change). Needs root or user namespaces.
# Run it in a subshell or in the background: COMMAND takes over the process.
with_cpuinfo() {  # with_cpuinfo FILE COMMAND...
  local file=$1; shift
  exec unshare -m --propagation private sh -c 'mount --bind "$0" /proc/cpuinfo && exec "$@"' "$file" "$@"
}
can_replace_cpuinfo() { unshare -m --propagation private sh -c 'mount --bind /dev/null /proc/cpuinfo' 2>/dev/null; }

# A command prefix under which file permissions hold even for root (who could
# otherwise read an unreadable file or write into a read-only folder):
#   "${unprivileged[@]}" COMMAND...
if [ "$(id -u)" -eq 0 ]; then
  unprivileged=(setpriv --bounding-set=-dac_override,-dac_read_search,-fowner --)
else
  unprivileged=()
fi
