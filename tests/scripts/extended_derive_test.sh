#!/usr/bin/env bash
# The extended table's tools: derive_extended.py on small product tables
# written here (the product table wins field by field, a field no source
# gives stays empty, a typo'd clock is dropped, the output is byte-stable)
# and on damaged ones (each refused with its message and exit code 1); the
# build's generator on the committed files and on damaged copies; and, when
# the shared data lie beside the repository, the committed files re-derived.
set -u
source_dir="${WEXMORA_SOURCE_DIR:?}"
tool="$source_dir/tools/extended/derive_extended.py"
embed="${WEXMORA_BINARY_DIR:?}/resources/extended/wexmora_embed_extended"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
passed=0 failed=0
fail() { failed=$((failed + 1)); echo "FAIL $*"; }
pass() { passed=$((passed + 1)); }

intel_header='ProcessorNumber,CpuName,CoreCount,ThreadCount,ClockSpeed,ClockSpeedMax,Cache,CodeNameText,Lithography,MarketSegment,SocketsSupported,TCase,DigitalThermalSensorTemperatureMax,ThermalJunctionRateCode,MemoryTypes,ProcessorGraphicsModelId,PCIExpressRevision,InstructionSetExtensions,VTX,AESTech,EM64,HyperThreading'
write_inputs() {
  cat >"$scratch/intel.csv" <<CSV
$intel_header
i5-8250U,Intel® Core™ i5-8250U Processor,4,8,1.60 GHz,3.40 GHz,6 MB Intel® Smart Cache,Products formerly Kaby Lake R,14 nm,Mobile,FCBGA1356,,100°C,,"DDR4-2400, LPDDR3-2133",Intel® UHD Graphics 620,3,Intel® SSE4.1. Intel® SSE4.2. Intel® AVX2,Yes,Yes,Yes,Yes
CSV
  cat >"$scratch/amd.csv" <<'CSV'
,,Model,Family,Line,Platform,"# of CPU Cores","# of Threads","Base Clock","Max. Boost Clock ¹ ²","L3 Cache","Processor Technology for CPU Cores","CPU Socket","PCI Express® Version","Max. Operating Temperature (Tjmax)","System Memory Type","Graphics Model","Supported Technologies"
,on,"AMD Ryzen™ 5 3600","AMD Ryzen™ Processors","AMD Ryzen™ 5 Desktop Processors",Boxed Processor,6,12,3.6GHz,"Up to 4.2GHz",32MB,"TSMC 7nm FinFET",AM4,"PCIe 4.0",95°C,DDR4,"Discrete Graphics Card Required","AES, Virtualization"
CSV
  cat >"$scratch/basics.csv" <<'CSV'
CpuName,Socket,ClockSpeed,TurboSpeed,Cores,Threads,TDP,ReleaseDate
Intel Core i5-8250U @ 1.60GHz,FC-BGA1356,1.6 GHz,3.4 GHz,2,2,15 W,Q3 2017
Intel Core2 Duo E8400 @ 3.00GHz,LGA775,3.0 GHz,,2,2,65 W,Q4 2008
AMD Athlon 64 X2 Dual Core 4200+,AM2,2.112.0 GHz,,2,2,89 W,Q4 2008
CSV
  printf 'brand\tvendor\tfamily\tmodel\tstepping\tprobes\n%s\n%s\n' \
    $'Intel(R) Core(TM) i5-8250U CPU @ 1.60GHz\tIntel\t6\t142\t10\t5' \
    $'AMD Ryzen 5 3600 6-Core Processor\tAMD\t23\t113\t0\t3' >"$scratch/machines.tsv"
}
derive() {  # derive OUT-DIR, the inputs of $scratch
  python3 "$tool" --intel "$scratch/intel.csv" --amd "$scratch/amd.csv" --basics "$scratch/basics.csv" \
    --machines "$scratch/machines.tsv" --out-dir "$1" 2>"$scratch/err"
}
row() { awk -F'\t' -v key="$2" '$1 == key' "$1/processors.tsv"; }

write_inputs
if derive "$scratch/one" && derive "$scratch/two"; then pass; else fail "good inputs refused: $(cat "$scratch/err")"; fi
cmp -s "$scratch/one/processors.tsv" "$scratch/two/processors.tsv" &&
  cmp -s "$scratch/one/family_models.tsv" "$scratch/two/family_models.tsv" && pass || fail "two runs differ"

# key => the row expected, field by field (tabs written \t)
while IFS= read -r line; do
  [ -z "$line" ] && continue
  key="${line%% => *}" expected="${line#* => }"
  got=$(row "$scratch/one" "$key")
  [ "$got" = "$(printf '%b' "$expected")" ] && pass || fail "row $key: got ‹$got›"
done <<'ROWS'
i5-8250U => i5-8250U\tIntel\tIntel Core i5\t1.60 GHz\t3.40 GHz\t4\t8\tFCBGA1356\tMobile\tМобильного\tKaby Lake R\t100°C\t14 nm\tDDR4-2400, LPDDR3-2133\tIntel UHD Graphics 620\t6 Mb\t3.0\tAVX2, HT, SSE4.1, SSE4.2, EM64T, AES, VT-x\tintel+basics
Ryzen 5 3600 => Ryzen 5 3600\tAMD\tAMD Ryzen 5\t3.60 GHz\t4.20 GHz\t6\t12\tAM4\tDesktop\tНастольного\t\t95°C\t7 nm\tDDR4\t-\t32 Mb\t4.0\tAES, AMD-V\tamd
Core2 E8400 => Core2 E8400\tIntel\tIntel Core2 Duo\t3.00 GHz\t\t2\t2\tLGA775\t\t\t\t\t\t\t\t\t\t\tbasics
Athlon 64 X2 4200+ => Athlon 64 X2 4200+\tAMD\tAMD Athlon 64 X2\t\t\t2\t2\tAM2\t\t\t\t\t\t\t\t\t\t\tbasics
ROWS
[ "$(sed -n 2p "$scratch/one/family_models.tsv")" = "$(printf 'AMD\t23\t113\t\t7 nm')" ] && pass ||
  fail "family/model row: $(cat "$scratch/one/family_models.tsv")"

# damage (a sed script on one input file) => words the message must hold
while IFS= read -r line; do
  [ -z "$line" ] && continue
  file="${line%%: *}" rest="${line#*: }" script="${rest%% => *}" expected="${rest#* => }"
  write_inputs
  sed -i "$script" "$scratch/$file"
  rm -rf "$scratch/bad"
  derive "$scratch/bad"
  code=$?
  if [ "$code" -eq 1 ] && grep -qF -- "$expected" "$scratch/err" && [ ! -e "$scratch/bad/processors.tsv" ]; then
    pass
  else
    fail "$file $script: exit $code, ‹$(cat "$scratch/err")›"
  fi
done <<'DAMAGE'
intel.csv: 1s/CoreCount,// => missing column(s) CoreCount
intel.csv: 2s/,4,8,/,four,8,/ => CoreCount 'four' is not a number
amd.csv: 1s/"# of Threads",// => missing column(s) # of Threads
basics.csv: 3s/,2,2,65/,2,x2,65/ => Threads 'x2' is not a number
machines.tsv: 2s/\t142\t/\tabc\t/ => model 'abc' is not a number
machines.tsv: 1s/probes/weight/ => missing column(s) probes
basics.csv: 1,$d => basics.csv: empty
intel.csv: 2s/,Yes,Yes,Yes,Yes$// => intel.csv:2: 18 fields, expected 22
DAMAGE
write_inputs
python3 "$tool" --intel "$scratch/none.csv" --amd "$scratch/amd.csv" --basics "$scratch/basics.csv" \
  --machines "$scratch/machines.tsv" --out-dir "$scratch/bad" 2>"$scratch/err"
[ $? -eq 1 ] && grep -q "none.csv: cannot be read" "$scratch/err" && pass || fail "a missing file: $(cat "$scratch/err")"

# The build's generator: the committed files, then damaged copies.
if [ -x "$embed" ]; then
  tables="$source_dir/resources/extended"
  "$embed" "$tables/processors.tsv" "$tables/family_models.tsv" "$scratch/rows.cpp" 2>"$scratch/err" &&
    [ "$(grep -c 'sv,$' "$scratch/rows.cpp")" -eq "$(grep -vc '^#' "$tables/processors.tsv" | awk -v f="$(grep -vc '^#' "$tables/family_models.tsv")" '{print $1 + f}')" ] &&
    pass || fail "the committed tables: $(cat "$scratch/err")"
  while IFS= read -r line; do
    [ -z "$line" ] && continue
    script="${line%% => *}" expected="${line#* => }"
    sed "$script" "$tables/processors.tsv" >"$scratch/damaged.tsv"
    rm -f "$scratch/out.cpp"
    "$embed" "$scratch/damaged.tsv" "$tables/family_models.tsv" "$scratch/out.cpp" 2>"$scratch/err"
    code=$?
    [ "$code" -eq 1 ] && grep -qF -- "$expected" "$scratch/err" && [ ! -e "$scratch/out.cpp" ] && pass ||
      fail "generator, $script: exit $code, ‹$(cat "$scratch/err")›"
  done <<'DAMAGE'
3{h;d};4G => in ascending order
3p => in ascending order
5s/\t[^\t]*$// => 18 fields, expected 19
5s/^[^\t]*// => the key is empty
2,$d => no rows
DAMAGE
else
  fail "no generator at $embed"
fi

# The committed tables are what the shared data give.
data="$source_dir/../shared/data"
if [ -r "$data/intel-processors.csv" ]; then
  python3 "$tool" --intel "$data/intel-processors.csv" --amd "$data/amd-processors.csv" \
    --basics "$data/processor-basics.csv" --machines "$data/machines-sample.tsv" --out-dir "$scratch/real" 2>/dev/null &&
    diff -q "$source_dir/resources/extended/processors.tsv" "$scratch/real/processors.tsv" >/dev/null &&
    diff -q "$source_dir/resources/extended/family_models.tsv" "$scratch/real/family_models.tsv" >/dev/null &&
    pass || fail "resources/extended differs from what the shared data give; run tools/extended/derive_extended.py"
else
  echo "skipped the re-derivation: no shared data at $data"
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
