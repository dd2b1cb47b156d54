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

# A test that cannot run here says why and is counted as skipped (CTest's
# SKIP_RETURN_CODE), never as passed.
skip() { echo "skipped: $*"; exit 77; }

# The window program and the helpers that drive it are built whenever the
# build has the Qt window (WEXMORA_GUI): then a missing one is a failure.
require_window_program() {  # require_window_program PATH
  [ -x "$1" ] && return 0
  [ "${WEXMORA_GUI:-ON}" = OFF ] && skip "this build has no Qt window (WEXMORA_GUI=OFF): no $1"
  echo "FAIL: no window program at $1, although this build makes it"
  exit 1
}

# Starts Xvfb on a free display and exports DISPLAY; the X server ends with
# the test (stop_x is called from the caller's EXIT trap; the parent-death
# signal ends it when the test is killed outright). -noreset: by
# default the server resets whenever its last client leaves, and drops a
# client that connects during the reset; the window program, which starts
# while xdotool's short connections come and go, then could not open its
# display (Qt ends such a program with abort()).
start_x() {
  local fifo="$scratch/displayfd"
  mkfifo "$fifo"
  setpriv --pdeathsig KILL Xvfb -noreset -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  xvfb_pid=$!
  local number
  read -r -t 20 number <"$fifo" || { echo "Xvfb did not start"; return 1; }
  export DISPLAY=":$number" QT_QPA_PLATFORM=xcb
}
stop_x() { [ -n "${xvfb_pid:-}" ] && kill "$xvfb_pid" 2>/dev/null; }

# Number of visible top-level windows whose title matches the pattern.
window_count() { xdotool search --onlyvisible --name "$1" 2>/dev/null | wc -l; }

# Waits up to SECONDS for a visible window whose title matches PATTERN; with
# PID, no longer than that process lives.
wait_for_window() {  # wait_for_window PATTERN SECONDS [PID]
  local tries=$(($2 * 10))
  while [ "$tries" -gt 0 ]; do
    [ "$(window_count "$1")" -gt 0 ] && return 0
    [ -n "${3:-}" ] && ! kill -0 "$3" 2>/dev/null && return 1
    sleep 0.1; tries=$((tries - 1))
  done
  return 1
}

# How a child process of this shell ended, or that it still runs: "exit code
# 1", "killed by SIGABRT (exit status 134)". Reaps the process.
how_it_ended() {  # how_it_ended PID
  if kill -0 "$1" 2>/dev/null; then echo "still running"; return; fi
  local status=0
  wait "$1" 2>/dev/null || status=$?
  if [ "$status" -gt 128 ] && [ "$status" -lt 160 ]; then
    echo "killed by SIG$(kill -l $((status - 128))) (exit status $status)"
  else
    echo "exit code $status"
  fi
}

# What a failed start tells: how the program ended and the end of its own
# output (Qt's messages, a sanitizer's report).
report_program() {  # report_program PID LOG
  echo "    the program: $(how_it_ended "$1")"
  if [ -s "$2" ]; then
    echo "    its output (last 40 lines):"
    tail -n 40 "$2" | sed 's/^/      /'
  else
    echo "    its output: nothing"
  fi
}

# The hostile processor descriptions of the start-up tests, as files in DIR:
# unreadable, empty, without "model name", 1 MB long, a brand string of
# 4,096 characters, one with control bytes and invalid UTF-8. Sets
# hostile_cases (their names, in order) and the brand strings used.
make_hostile_cpuinfo() {  # make_hostile_cpuinfo DIR
  local dir=$1
  block() {  # block BRAND: one processor block as Linux writes it
    printf 'processor\t: 0\nvendor_id\t: GenuineIntel\ncpu family\t: 6\nmodel\t\t: 158\n'
    printf 'model name\t: %s\nstepping\t: 10\ncpu MHz\t\t: 3799.982\n' "$1"
  }
  i5='Intel(R) Core(TM) i5-8400 CPU @ 2.80GHz'
  long_brand="$i5 $(head -c 4096 /dev/zero | tr '\0' 'X')"
  long_brand=${long_brand:0:4096}
  hostile_brand=$'Intel(R)\x01\x7f Core(TM)\x1b[31m i5-8400\xff\xfe CPU @ 2.80GHz\xc3'
  mkdir -p "$dir"
  block "$i5" >"$dir/unreadable"; chmod 000 "$dir/unreadable"
  : >"$dir/empty"
  block "$i5" | grep -v '^model name' >"$dir/no-model-name"
  { block "$i5"; printf 'flags\t\t: '; head -c 1048576 /dev/zero | tr '\0' 'f'; printf '\n\n'; } >"$dir/one-megabyte"
  block "$long_brand" >"$dir/long-brand"
  block "$hostile_brand" >"$dir/hostile-brand"
  hostile_cases=(unreadable empty no-model-name one-megabyte long-brand hostile-brand)
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
