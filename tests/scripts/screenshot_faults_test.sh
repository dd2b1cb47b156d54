#!/usr/bin/env bash
# Screenshot faults: saving to a full disk (a tiny tmpfs, and a full device),
# to a read-only folder, to a name that is a folder, over an existing file,
# and to paths of 4,000 characters. A failed save shows one clear error and
# leaves the old file as it was and no temporary file behind; a save that can
# succeed writes a JPEG.
set -u
here=$(cd "$(dirname "$0")" && pwd)
source "$here/fault_support.sh"
driver="${WEXMORA_BINARY_DIR:?}/tests/wexmora-window-driver"
require_window_program "$driver"
scratch=$(mktemp -d)
trap 'chmod -R u+w "$scratch"; rm -rf "$scratch"' EXIT
export HOME="$scratch" XDG_CONFIG_HOME="$scratch/config" XDG_RUNTIME_DIR="$scratch/run" QT_QPA_PLATFORM=offscreen
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
old_picture() { printf 'the old picture, which must survive\n' >"$1"; }
skipped=""
old_sum=$(printf 'the old picture, which must survive\n' | md5sum)
is_jpeg() { [ "$(head -c 3 "$1" | od -An -tx1 | tr -d ' ')" = ffd8ff ]; }
others_in() { find "$1" -mindepth 1 -maxdepth 1 ! -name "$2" | wc -l; }

# save NAME PATH EXPECTED_REASON [PREFIX...]: one save that must fail with
# one error naming the reason.
save_fails() {
  local name=$1 path=$2 reason=$3; shift 3
  "$@" "$driver" --save "$path" >"$scratch/out" 2>"$scratch/err"
  local errors
  errors=$(grep -c '^error: ' "$scratch/out")
  check "$name: one error shown, not $errors" [ "$errors" -eq 1 ]
  check "$name: the error says '$reason': $(grep '^error: ' "$scratch/out" | head -c 300)" \
    grep -q "^error: .*$reason" "$scratch/out"
}

# --- a full disk: a 64 KiB tmpfs that holds the old picture and is full -------
if unshare -m --propagation private true 2>/dev/null; then
  mkdir -p "$scratch/tiny"
  unshare -m --propagation private sh -c '
    mount -t tmpfs -o size=64k tmpfs "$1" || exit 99
    printf "the old picture, which must survive\n" >"$1/shot.jpg"
    head -c 1048576 /dev/zero >"$1/filler" 2>/dev/null
    "$2" --save "$1/shot.jpg" >"$3/out" 2>"$3/err"
    md5sum <"$1/shot.jpg" >"$3/sum"; ls -A "$1" >"$3/listing"' sh "$scratch/tiny" "$driver" "$scratch"
  if [ $? -ne 99 ]; then
    check "full tmpfs: one error" [ "$(grep -c '^error: ' "$scratch/out")" -eq 1 ]
    check "full tmpfs: the error says the disk is full: $(grep '^error: ' "$scratch/out")" \
      grep -q '^error: .*No space left on device' "$scratch/out"
    check "full tmpfs: the old picture survives" [ "$(cat "$scratch/sum")" = "$old_sum" ]
    check "full tmpfs: no temporary file left: $(tr '\n' ' ' <"$scratch/listing")" \
      [ "$(sort "$scratch/listing" | tr '\n' ' ')" = "filler shot.jpg " ]
  else
    echo "no tmpfs can be mounted here: the full-disk case runs on the device only"
  fi
fi

# --- a full device (one of our own, named like a picture: a name without an
# extension gets ".jpg") -------------------------------------------------------
mkdir -p "$scratch/devices"
if mknod "$scratch/devices/full.jpg" c 1 7 2>/dev/null; then
  save_fails "full device" "$scratch/devices/full.jpg" 'No space left on device'
  check "full device: still the device" [ -c "$scratch/devices/full.jpg" ]
  check "full device: no temporary file beside it" [ "$(others_in "$scratch/devices" full.jpg)" -eq 0 ]
else
  skipped="no device files can be made here: the full-device case did not run"
fi

# --- a read-only folder with an old picture ----------------------------------
mkdir -p "$scratch/read-only"
old_picture "$scratch/read-only/shot.jpg"
chmod 555 "$scratch/read-only"
save_fails "read-only folder" "$scratch/read-only/shot.jpg" 'Permission denied' "${unprivileged[@]}"
check "read-only folder: the old picture survives" [ "$(md5sum <"$scratch/read-only/shot.jpg")" = "$old_sum" ]
check "read-only folder: nothing added" [ "$(others_in "$scratch/read-only" shot.jpg)" -eq 0 ]

# --- a name that is a folder -------------------------------------------------
mkdir -p "$scratch/shots/shot.jpg/inside"
save_fails "name of a folder" "$scratch/shots/shot.jpg" 'Is a directory'
check "name of a folder: the folder stays" [ -d "$scratch/shots/shot.jpg/inside" ]
check "name of a folder: no temporary file left" [ "$(others_in "$scratch/shots" shot.jpg)" -eq 0 ]

# --- a name of 4,000 characters ----------------------------------------------
long_name=$(head -c 4000 /dev/zero | tr '\0' 'n')
mkdir -p "$scratch/long"
save_fails "4,000-character name" "$scratch/long/$long_name" 'File name too long'
check "4,000-character name: nothing created" [ "$(others_in "$scratch/long" none)" -eq 0 ]

# --- saves that can succeed --------------------------------------------------
mkdir -p "$scratch/good"
old_picture "$scratch/good/shot.jpg"
"$driver" --save "$scratch/good/shot.jpg" >"$scratch/out" 2>&1
check "over an old picture: no error" [ "$(grep -c '^error: ' "$scratch/out")" -eq 0 ]
check "over an old picture: replaced by a JPEG" is_jpeg "$scratch/good/shot.jpg"
check "over an old picture: no temporary file left" [ "$(others_in "$scratch/good" shot.jpg)" -eq 0 ]

# A path of 4,000 characters through folders of 200 that exist.
deep="$scratch/deep"
while [ ${#deep} -lt 3780 ]; do deep="$deep/$(head -c 199 /dev/zero | tr '\0' 'd')"; done
mkdir -p "$deep"
deep_file="$deep/$(head -c $((4000 - ${#deep} - 5)) /dev/zero | tr '\0' 'f').jpg"
"$driver" --save "$deep_file" >"$scratch/out" 2>&1
check "4,000-character path (${#deep_file}): no error: $(head -c 200 "$scratch/out")" \
  [ "$(grep -c '^error: ' "$scratch/out")" -eq 0 ]
check "4,000-character path: a JPEG" is_jpeg "$deep_file"
check "4,000-character path: no temporary file left" [ "$(others_in "$deep" "$(basename "$deep_file")")" -eq 0 ]
finish || exit 1
[ -z "$skipped" ] || skip "$skipped"
