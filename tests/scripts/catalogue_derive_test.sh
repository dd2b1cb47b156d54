#!/usr/bin/env bash
# Re-derives the catalogue records from the product-page export and fails if
# they differ from the committed resources/catalogue/records.txt. The export
# is not part of the repository; without it the check is skipped.
set -euo pipefail

source_dir="${WEXMORA_SOURCE_DIR:?WEXMORA_SOURCE_DIR is not set}"
csv="$source_dir/../shared/data/intel-processors.csv"
if [[ ! -r "$csv" ]]; then
  echo "skipped: no product-page export at $csv"
  exit 0
fi

derived="$(mktemp)"
trap 'rm -f "$derived"' EXIT
python3 "$source_dir/tools/catalogue/derive_records.py" "$csv" --out "$derived"
if ! diff -u "$source_dir/resources/catalogue/records.txt" "$derived"; then
  echo "records.txt differs from what the product pages give; run tools/catalogue/derive_records.py" >&2
  exit 1
fi
echo "records.txt matches the product pages ($(wc -l <"$derived") records)"
