#!/usr/bin/env bash
# Re-derives the catalogue records from the product-page export and fails if
# they differ from the committed resources/catalogue/records.txt. The export
# is not part of the repository (shared_data.sh finds it).
set -euo pipefail

source_dir="${WEXMORA_SOURCE_DIR:?WEXMORA_SOURCE_DIR is not set}"
source "$(dirname "$0")/shared_data.sh"
data=$(find_shared_data)
csv="$data/intel-processors.csv"

derived="$(mktemp)"
trap 'rm -f "$derived"' EXIT
python3 "$source_dir/tools/catalogue/derive_records.py" "$csv" --out "$derived"
if ! diff -u "$source_dir/resources/catalogue/records.txt" "$derived"; then
  echo "records.txt differs from what the product pages give; run tools/catalogue/derive_records.py" >&2
  exit 1
fi
echo "records.txt matches the product pages ($(wc -l <"$derived") records)"
