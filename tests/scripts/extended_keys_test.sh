#!/usr/bin/env bash
# The extended table's tool joins the machines of the sample with the table's
# rows through its own plain reading of their brand strings (brand_key in
# tools/extended/derive_extended.py); the window looks rows up with the
# model-number reader (core/identify/model_number). For every brand string
# of the sample that the join reads (Intel and AMD, family and model known)
# both must give the same key, except where the join is known to read
# otherwise, listed below; a listed brand string that now reads alike fails
# too, so that the list only shrinks. Fails without the shared data.
set -u
source_dir="${WEXMORA_SOURCE_DIR:?}"
keys="${WEXMORA_BINARY_DIR:?}/tests/wexmora-model-number-keys"
source "$(dirname "$0")/shared_data.sh"
data=$(find_shared_data) || exit 1
sample="$data/machines-sample.tsv"
[ -x "$keys" ] || { echo "FAIL no reader at $keys"; exit 1; }
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# brand<TAB>family<TAB>model<TAB>the join's key, for every machine the join reads
python3 - "$source_dir/tools/extended" "$sample" >"$scratch/join.tsv" <<'PY' || { echo "FAIL the join's keys"; exit 1; }
import sys
sys.path.insert(0, sys.argv[1])
import derive_extended as tool
for m in tool.read_machines(sys.argv[2]):
    if m.get("vendor") in ("Intel", "AMD") and m["family"] and m["model"]:
        print("\t".join([m["brand"], m["family"], m["model"], tool.brand_key(m["brand"], m["vendor"])]))
PY
cut -f1-3 "$scratch/join.tsv" | "$keys" >"$scratch/reader.txt" || { echo "FAIL the reader's keys"; exit 1; }
[ "$(wc -l <"$scratch/join.tsv")" -eq "$(wc -l <"$scratch/reader.txt")" ] || { echo "FAIL line counts differ"; exit 1; }

# The join's key => the reader's key ("-" for none), where the join reads
# otherwise today; the last ones are the reader's numbers known under another
# name (core/identify/number_aliases.cpp), which the join does not know.
known=$(cat <<'KNOWN'
Core2 4300 => Core2 E4300
Core2 6300 => Core2 E6300
Core2 6320 => Core2 E6320
Core2 6600 => Core2 E6600
Core2 6700 => Core2 E6700
Core 990 => i7-990X
E31220L => E3-1220L
E31230 => E3-1230
E31235 => E3-1235
E31240 => E3-1240
E31245 => E3-1245
E31270 => E3-1270
Xeon 4850 => E7-4850
M-5Y10c => Core 5Y10c
M-5Y51 => Core 5Y51
M-5Y71 => Core 5Y71
- => Core 5Y70
Embedded G-Series GX-215JJ => GX-215JJ
Embedded G-Series GX-420GI => GX-420GI
Embedded R-Series RX-421BD => RX-421BD
mobile Athlon XP 2500+ => Athlon XP 2500+
mobile Athlon XP-M 2600+ => Athlon XP-M 2600+
Athlon => -
Sempron => -
Duron processor => -
Model Unknown => -
Hammer Family processor - Model Unknown => -
Eng Sample, ZS288145TCG54_34/28/20_2/16 => -
HP => -
310 => -
410 => -
+8G => -
U7300 => Core2 U7300
U4100 => SU4100
U2700 => SU2700
U2300 => SU2300
- => E2140
- => Celeron 585
Core2 L9400 => Core2 SL9400
KNOWN
)
passed=0 failed=0
declare -A listed seen
while IFS= read -r line; do listed[$line]=1; done <<<"$known"
while IFS=$'\t' read -r brand _ _ join <&3 && IFS= read -r reader <&4; do
  if [ "$join" = "$reader" ]; then
    passed=$((passed + 1))
    continue
  fi
  pair="${join:--} => ${reader:--}"
  seen[$pair]=1
  if [ -n "${listed[$pair]:-}" ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAIL ‹$brand›: the join reads '$join', the model-number reader '$reader'"
  fi
done 3<"$scratch/join.tsv" 4<"$scratch/reader.txt"
for pair in "${!listed[@]}"; do
  [ -n "${seen[$pair]:-}" ] || { failed=$((failed + 1)); echo "FAIL listed but no longer read otherwise: $pair"; }
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
