#!/usr/bin/env bash
# Settings faults: 1,000 writes killed half-way, then a configuration folder
# that is missing or read-only, a settings path that is a folder, 10 MB of
# garbage and a file that is not UTF-8. Each time the window starts, in
# Russian unless English is stored, shows the error of a failed write once,
# and loses nothing that was stored.
set -u
here=$(cd "$(dirname "$0")" && pwd)
source "$here/fault_support.sh"
killer="${WEXMORA_BINARY_DIR:?}/tests/wexmora-settings-kill-loop"
driver="$WEXMORA_BINARY_DIR/tests/wexmora-window-driver"
program="$WEXMORA_BINARY_DIR/app/wexmora"
scratch=$(mktemp -d)
window=""
cleanup() { [ -n "$window" ] && kill -9 "$window" 2>/dev/null; stop_x; chmod -R u+w "$scratch"; rm -rf "$scratch"; }
trap cleanup EXIT
export HOME="$scratch" XDG_RUNTIME_DIR="$scratch/run"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
russian='Процессор' english='CPU'
site='Site_Url=https://wexmora.example/index.html'

# --- writes killed half-way ------------------------------------------------
export XDG_CONFIG_HOME="$scratch/killed"
check "settings survive 1,000 killed writes" "$killer" 1000
require_window_program "$driver"
require_window_program "$program"
# The next write of the window cleans up what a killed write left.
QT_QPA_PLATFORM=offscreen "$driver" --choose 1 >"$scratch/out" 2>&1
check "after the kills a write stores English" grep -qx 'Languages=1' "$XDG_CONFIG_HOME/wexmora/settings.ini"
leftovers=$(find "$XDG_CONFIG_HOME/wexmora" -mindepth 1 ! -name settings.ini | wc -l)
check "no temporary file left after the next write ($leftovers)" [ "$leftovers" -eq 0 ]

# --- start-up with a damaged settings store ----------------------------------
# Each case prepares $config (the XDG configuration folder).
prepare_missing() { config="$scratch/missing/not/yet"; }
prepare_read_only() { config="$scratch/ro"; mkdir -p "$config/wexmora"; chmod 555 "$config/wexmora" "$config"; }
prepare_read_only_english() {
  config="$scratch/ro-en"; mkdir -p "$config/wexmora"
  printf '# Wexmora settings\nLanguages=1\n%s\nLicense=FreeWare\n' "$site" >"$config/wexmora/settings.ini"
  chmod 444 "$config/wexmora/settings.ini"; chmod 555 "$config/wexmora"
}
prepare_directory() { config="$scratch/dir"; mkdir -p "$config/wexmora/settings.ini/inside"; }
prepare_garbage() { config="$scratch/garbage"; mkdir -p "$config/wexmora"; head -c 10485760 /dev/urandom >"$config/wexmora/settings.ini"; }
# A Latin-1 comment written by hand costs nothing stored; a value that is not
# UTF-8 is not read.
prepare_not_utf8_comment() {
  config="$scratch/latin1-comment"; mkdir -p "$config/wexmora"
  printf '# r\xe9glages\nLanguages=1\n%s\nLicense=FreeWare\n' "$site" >"$config/wexmora/settings.ini"
}
prepare_not_utf8_value() {
  config="$scratch/latin1-value"; mkdir -p "$config/wexmora"
  printf 'Languages=1\xff\n%s\nLicense=FreeWare\n' "$site" >"$config/wexmora/settings.ini"
}

# case | language at start | errors at start | errors when English is then chosen | file kept as it was
cases=(
  "missing|0|0|0|no"
  "read_only|0|1|1|yes"
  "read_only_english|1|0|1|yes"
  "directory|0|1|1|yes"
  "garbage|0|0|0|no"
  "not_utf8_comment|1|0|0|no"
  "not_utf8_value|0|0|0|no"
)
snapshot() { if [ -d "$1" ]; then find "$1" | sort; elif [ -e "$1" ]; then md5sum <"$1"; else echo none; fi; }
for entry in "${cases[@]}"; do
  IFS='|' read -r name language start_errors choose_errors kept <<<"$entry"
  "prepare_$name"
  export XDG_CONFIG_HOME="$config"
  file="$config/wexmora/settings.ini"
  before=$(snapshot "$file")

  QT_QPA_PLATFORM=offscreen "${unprivileged[@]}" "$driver" >"$scratch/out" 2>"$scratch/err"
  errors=$(grep -c '^error: ' "$scratch/out")
  check "$name: $errors errors shown at start, expected $start_errors" [ "$errors" -eq "$start_errors" ]
  expected_caption=$russian; [ "$language" -eq 1 ] && expected_caption=$english
  check "$name: starts with language $language ($(tail -1 "$scratch/out"))" \
    grep -qx "language $language caption $expected_caption" "$scratch/out"

  QT_QPA_PLATFORM=offscreen "${unprivileged[@]}" "$driver" --choose 1 >"$scratch/out" 2>"$scratch/err"
  errors=$(grep -c '^error: ' "$scratch/out")
  check "$name: choosing English shows $errors errors, expected $((start_errors + choose_errors))" \
    [ "$errors" -eq $((start_errors + choose_errors)) ]
  check "$name: English switched on" grep -qx "language 1 caption $english" "$scratch/out"
  if [ "$kept" = yes ]; then
    check "$name: the stored settings are kept" [ "$(snapshot "$file")" = "$before" ]
  elif [ "$choose_errors" -eq 0 ]; then
    check "$name: English is stored" grep -qx 'Languages=1' "$file"
    check "$name: Site_Url is kept" grep -q '^Site_Url=https://' "$file"
  fi
  if [ -d "$config/wexmora" ]; then
    leftovers=$(find "$config/wexmora" -mindepth 1 -maxdepth 1 ! -name settings.ini | wc -l)
    check "$name: no temporary file left ($leftovers)" [ "$leftovers" -eq 0 ]
  fi
done

# --- the window program shows the error box once ---------------------------
if start_x; then
  for name in read_only missing; do
    "prepare_$name"; chmod -R u+w "$config" 2>/dev/null; rm -rf "$config"; "prepare_$name"
    XDG_CONFIG_HOME="$config" "${unprivileged[@]}" "$program" >"$scratch/window.log" 2>&1 &
    window=$!
    if ! wait_for_window "$main_window_title" 60 "$window"; then
      fail "$name: no main window"
      report_program "$window" "$scratch/window.log"
      window=""
      continue
    fi
    expected=0; [ "$name" = read_only ] && { expected=1; wait_for_window "$error_box_title" 20; }
    sleep 1
    check "$name: $(window_count "$error_box_title") error boxes, expected $expected" \
      [ "$(window_count "$error_box_title")" -eq "$expected" ]
    check "$name: the window runs" kill -0 "$window"
    kill -9 "$window"; wait "$window" 2>/dev/null; window=""
  done
else
  fail "Xvfb did not start"
fi
finish
