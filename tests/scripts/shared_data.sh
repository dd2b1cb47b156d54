# The public data the derived tables come from (sourced, not a test itself).
# They are not part of the repository: they lie beside it (../shared/data),
# or beside the repository it was cloned from, or where WEXMORA_SHARED_DATA
# says. CI always has them, so a test that needs them fails without them.
find_shared_data() {  # prints the folder, or fails naming where it looked
  local source_dir=${WEXMORA_SOURCE_DIR:?} origin candidates=() dir
  [ -n "${WEXMORA_SHARED_DATA:-}" ] && candidates+=("$WEXMORA_SHARED_DATA")
  candidates+=("$source_dir/../shared/data")
  origin=$(git -C "$source_dir" config --get remote.origin.url 2>/dev/null || true)
  [ -n "$origin" ] && [ -d "$origin" ] && candidates+=("$origin/../shared/data")
  for dir in "${candidates[@]}"; do
    [ -r "$dir/machines-sample.tsv" ] && { (cd "$dir" && pwd); return 0; }
  done
  echo "FAIL: no shared data (looked in ${candidates[*]}); set WEXMORA_SHARED_DATA to its folder" >&2
  return 1
}
