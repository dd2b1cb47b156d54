#!/usr/bin/env bash
# The extended table's tools: derive_extended.py on small product tables
# written here (the product table wins field by field, a field no source
# gives stays empty, a typo'd clock is dropped, the output is byte-stable,
# a second table of a kind adds rows and fills empty fields), the display
# forms of memory, graphics, threads and L3 on the sources' real shapes,
# and damaged inputs (each refused with its message and exit code 1); the
# build's generator on the committed files and on damaged copies; and, when
# the committed files re-derived from the shared data (shared_data.sh).
set -u
here=$(cd "$(dirname "$0")" && pwd)
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
}
derive() {  # derive OUT-DIR, the inputs of $scratch
  python3 "$tool" --intel "$scratch/intel.csv" --amd "$scratch/amd.csv" --basics "$scratch/basics.csv" \
    --hand-kept "" "${@:2}" --out-dir "$1" 2>"$scratch/err"
}
row() { awk -F'\t' -v key="$2" '$1 == key' "$1/processors.tsv"; }

write_inputs
if derive "$scratch/one" && derive "$scratch/two"; then pass; else fail "good inputs refused: $(cat "$scratch/err")"; fi
cmp -s "$scratch/one/processors.tsv" "$scratch/two/processors.tsv" && pass || fail "two runs differ"

# key => the row expected, field by field (tabs written \t)
while IFS= read -r line; do
  [ -z "$line" ] && continue
  key="${line%% => *}" expected="${line#* => }"
  got=$(row "$scratch/one" "$key")
  [ "$got" = "$(printf '%b' "$expected")" ] && pass || fail "row $key: got ‹$got›"
done <<'ROWS'
i5-8250U => i5-8250U\tIntel\tIntel Core i5\t1.60 GHz\t3.40 GHz\t4\t8\t\t\t\tFCBGA1356\tMobile\tМобильного\tKaby Lake R\t100°C\t14 nm\tLPDDR3-2133 MHz, DDR4-2400 MHz\tIntel UHD Graphics 620\t6 Mb\t3.0\tAVX2, HT, SSE4.1, SSE4.2, EM64T, AES, VT-x\tintel+basics
Ryzen 5 3600 => Ryzen 5 3600\tAMD\tAMD Ryzen 5\t3.60 GHz\t4.20 GHz\t6\t12\t\t\t\tAM4\tDesktop\tНастольного\t\t95°C\t7 nm\tDDR4\t-\t32 Mb\t4.0\tAES, AMD-V\tamd
Core2 E8400 => Core2 E8400\tIntel\tIntel Core2 Duo\t3.00 GHz\t\t2\t2\t\t\t\tLGA775\t\t\t\t\t\t\t\t\t\t\tbasics
Athlon 64 X2 4200+ => Athlon 64 X2 4200+\tAMD\tAMD Athlon 64 X2\t\t\t2\t2\t\t\t\tAM2\t\t\t\t\t\t\t\t\t\t\tbasics
ROWS

# A second table of a kind: its new key is added; for a key the first holds
# it fills only what the first left empty (code name, temperature), the
# first's values stand (cores 4, not 6).
cat >"$scratch/intel2.csv" <<CSV
$intel_header
i5-8250U,Intel® Core™ i5-8250U Processor,6,12,1.60 GHz,3.40 GHz,6 MB Intel® Smart Cache,Products formerly Other,14 nm,Mobile,FCBGA1356,,90°C,,DDR4-2400,Intel® UHD Graphics 620,3,,Yes,Yes,Yes,Yes
N4000,Intel® Celeron® Processor N4000,2,,1.10 GHz,2.60 GHz,4 MB,Products formerly Gemini Lake,14 nm,Mobile,FCBGA1090,,105°C,,"DDR4/LPDDR4 upto 2400 MT/s",Intel® UHD Graphics 600,,,Yes,Yes,Yes,No
CSV
sed -i 's/,Products formerly Kaby Lake R,/,,/; s/,100°C,/,,/' "$scratch/intel.csv"
derive "$scratch/more" --intel "$scratch/intel2.csv" && pass || fail "two Intel tables refused: $(cat "$scratch/err")"
while IFS= read -r line; do
  [ -z "$line" ] && continue
  key="${line%% => *}" expected="${line#* => }"
  got=$(row "$scratch/more" "$key" | cut -f1,6,7,14,15,17,19,22)
  [ "$got" = "$(printf '%b' "$expected")" ] && pass || fail "two tables, row $key: got ‹$got›"
done <<'ROWS'
i5-8250U => i5-8250U\t4\t8\tOther\t90°C\tLPDDR3-2133 MHz, DDR4-2400 MHz\t6 Mb\tintel+basics
N4000 => N4000\t2\t2\tGemini Lake\t105°C\tDDR4-2400 MHz, LPDDR4-2400 MHz\t4 Mb L2\tintel
ROWS
write_inputs

# The newer table's columns (both makers in one file, Intel's hybrids with
# their kinds of core), given as --intel and --amd, and a row kept by hand
# in the same columns: each row read as its maker's older table's.
cat >"$scratch/newer.csv" <<'CSV'
name,source,Processor Number,Code Name,Vertical Segment,Lithography,CPU Lithography,Total Cores,# of Performance-cores,# of Efficient-cores,# of Low Power Efficient-cores,Total Threads,Performance-core Base Frequency,Max Turbo Frequency,Cache,Sockets Supported,Memory Types,PCI Support,Max Operating Temperature,GPU Name‡,Instruction Set,Instruction Set Extensions,Intel® Hyper-Threading Technology ‡,Intel® AES New Instructions,Intel® Virtualization Technology (VT-x) ‡,Family,Series,Form Factor,intended_usage,# of CPU Cores,# of Threads,Base Clock,Max. Boost Clock,L3 Cache,Processor Technology for CPU Cores,CPU Socket,PCI Express® Version,System Memory Type,System Memory Specification,Graphics Model,Max. Operating Temperature (Tjmax)
Intel® Core™ Ultra 7 Processor 155H,page,155H,Products formerly Meteor Lake,Mobile,Intel 4,,16,6,8,2,22,1.4 GHz,4.8 GHz,24 MB Intel® Smart Cache,FCBGA2049,Up to LPDDR5/x 7467 MT/s Up to DDR5 5600 MT/s,5.0 and 4.0,110 °C,Intel® Arc™ graphics,64-bit,"Intel® SSE4.1, Intel® SSE4.2, Intel® AVX2",Yes,Yes,Yes,,,,,,,,,,,,,,,,
Intel® Core™ Ultra 9 Processor 285K,page,285K,Products formerly Arrow Lake,Desktop,,TSMC N3B,24,8,16,,24,3.7 GHz,5.7 GHz,36 MB Intel® Smart Cache,FCLGA1851,Up to DDR5 6400 MT/s,5.0 and 4.0,105 °C,Intel® Graphics,64-bit,"Intel® SSE4.1, Intel® SSE4.2, Intel® AVX2",No,Yes,Yes,,,,,,,,,,,,,,,,
AMD Ryzen™ 7 9700X,page,,,,,,,,,,,,,,,,,,,,,,,,Ryzen,Ryzen 9000 Series,"Desktops , Boxed Processor",local,8,16,3.8 GHz,Up to 5.5 GHz,32 MB,TSMC 4nm FinFET,AM5,PCIe® 5.0,DDR5,,AMD Radeon™ Graphics,95°C
AMD EPYC™ 4244P,page,,,,,,,,,,,,,,,,,,,,,,,,,EPYC 4004 Series,,server,6,12,3.8 GHz,Up to 5.1 GHz,32 MB,,AM5,PCIe® 5.0 x28,DDR5,Up to 5200 MT/s,,
CSV
cat >"$scratch/hand.csv" <<'CSV'
# Kept by hand: the processors the tables lack.
name,source,Processor Number,Code Name,Vertical Segment,Lithography,Total Cores,Total Threads,Processor Base Frequency,Max Turbo Frequency,Cache,Sockets Supported,Family,Series,# of CPU Cores,# of Threads,L3 Cache
Intel® Xeon® 6710E Processor,press release,6710E,Products formerly Sierra Forest,Server,Intel 3,64,64,2.40 GHz,3.20 GHz,96 MB,FCLGA4710,,,,,
CSV
python3 "$tool" --intel "$scratch/intel.csv" --intel "$scratch/newer.csv" --amd "$scratch/amd.csv" --amd "$scratch/newer.csv" \
  --basics "$scratch/basics.csv" --hand-kept "$scratch/hand.csv" --out-dir "$scratch/newer" 2>"$scratch/err" &&
  pass || fail "the newer table refused: $(cat "$scratch/err")"
while IFS= read -r line; do
  [ -z "$line" ] && continue
  key="${line%% => *}" expected="${line#* => }"
  got=$(row "$scratch/newer" "$key")
  [ "$got" = "$(printf '%b' "$expected")" ] && pass || fail "newer table, row $key: got ‹$got›"
done <<'ROWS'
Core 155H => Core 155H\tIntel\tIntel Core Ultra 7\t1.40 GHz\t4.80 GHz\t16\t22\t6\t8\t2\tFCBGA2049\tMobile\tМобильного\tMeteor Lake\t110°C\tIntel 4\tDDR5-5600 MHz, LPDDR5-7467 MHz, LPDDR5x-7467 MHz\tIntel Arc Graphics\t24 Mb\t4.0, 5.0\tAVX2, HT, SSE4.1, SSE4.2, EM64T, AES, VT-x\tspecs
Core 285K => Core 285K\tIntel\tIntel Core Ultra 9\t3.70 GHz\t5.70 GHz\t24\t24\t8\t16\t0\tFCLGA1851\tDesktop\tНастольного\tArrow Lake\t105°C\t3 nm\tDDR5-6400 MHz\tIntel Graphics\t36 Mb\t4.0, 5.0\tAVX2, SSE4.1, SSE4.2, EM64T, AES, VT-x\tspecs
Ryzen 7 9700X => Ryzen 7 9700X\tAMD\tAMD Ryzen 7\t3.80 GHz\t5.50 GHz\t8\t16\t\t\t\tAM5\tDesktop\tНастольного\t\t95°C\t4 nm\tDDR5\tAMD Radeon Graphics\t32 Mb\t5.0\t\tspecs
EPYC 4244P => EPYC 4244P\tAMD\tAMD EPYC\t3.80 GHz\t5.10 GHz\t6\t12\t\t\t\tAM5\tServer\tСервера\t\t\t\tDDR5-5200 MHz\t\t32 Mb\t5.0\t\tspecs
Xeon 6710E => Xeon 6710E\tIntel\tIntel Xeon\t2.40 GHz\t3.20 GHz\t64\t64\t\t\t\tFCLGA4710\tServer\tСервера\tSierra Forest\t\tIntel 3\t\t\t96 Mb\t\t\thand
ROWS

# The display forms, each rule on the shapes the product tables write.
python3 - "$source_dir/tools/extended" <<'PY' >"$scratch/forms" 2>&1
import sys
sys.path.insert(0, sys.argv[1])
import derive_extended as t
cases = [
    # memory: type-speed, speeds of a type joined, MT/s as MHz, a type alone kept;
    # the value whole (MHz after each type): the window shortens it where it must
    ("memory", t.memory_form, "DDR4 - Up to 3200MHz, LPDDR4 - Up to 4266MHz", "DDR4-3200 MHz, LPDDR4-4266 MHz"),
    ("memory", t.memory_form, "DDR4/LPDDR4 upto 2400 MT/s", "DDR4-2400 MHz, LPDDR4-2400 MHz"),
    ("memory", t.memory_form, "DDR4-2400. DDR3L-1866", "DDR3L-1866 MHz, DDR4-2400 MHz"),
    ("memory", t.memory_form, "DDR3 1066/1333", "DDR3-1066/1333 MHz"),
    ("memory", t.memory_form, "Up to DDR5 4800 MT/s Up to DDR4 3200 MT/s", "DDR4-3200 MHz, DDR5-4800 MHz"),
    ("memory", t.memory_form, "Up to DDR5 4800 MT/s 1DPC Up to DDR5 4400 MT/s 2DPC", "DDR5-4400/4800 MHz"),
    ("memory", t.memory_form, "DDR3-1333/1600. DDR3L-1333/1600 @ 1.5V", "DDR3-1333/1600 MHz, DDR3L-1333/1600 MHz"),
    ("memory", t.memory_form, "DDR3 800/978/1066/1333 (Max Speed 1066 MHz)", "DDR3-800/978/1066 MHz"),
    ("memory", t.memory_form, "DDR3L, DDR4 2133MHz at 1.2V", "DDR3L, DDR4-2133 MHz"),
    ("memory", t.memory_form, "DDR3L-1333, 1600; LPDDR3-1333, 1600", "DDR3L-1333/1600 MHz, LPDDR3-1333/1600 MHz"),
    ("memory", t.memory_form, "DDR2/3", "DDR2, DDR3"),
    ("memory", t.memory_form, "DDR5 (FP7r2), LPDDR5/x (FP7, FP8)", "DDR5, LPDDR5, LPDDR5x"),
    ("memory", t.memory_form, "DDR4", "DDR4"),
    ("memory", t.memory_form, "Not Listed", ""),
    ("memory", t.memory_form, "DDR3 800/1066/1333/1600/1866", "DDR3-800/1066/1333/1600/1866 MHz"),  # whole
    # graphics: AMD's full names, none, unknown; Intel's generation names
    ("graphics", t.amd_graphics, "R5", "AMD Radeon R5 Graphics"),
    ("graphics", t.amd_graphics, "Radeon™  Graphics", "AMD Radeon Graphics"),
    ("graphics", t.amd_graphics, "Radeon™ Vega 8 Graphics", "AMD Radeon Vega 8 Graphics"),
    ("graphics", t.amd_graphics, "AMD Radeon™ 680M", "AMD Radeon 680M"),
    ("graphics", t.amd_graphics, "Discrete Graphics Card Required", "-"),
    ("graphics", t.amd_graphics, "", ""),
    ("graphics", lambda v: t.intel_graphics(v, {}), "Intel® UHD Graphics for 10th Gen Intel® Processors", "Intel UHD Graphics"),
    ("graphics", lambda v: t.intel_graphics(v, {}), "", "-"),
    ("graphics", lambda v: t.intel_graphics(v, {"GraphicsFreq": "400 MHz"}), "", ""),
    # threads: given, from SMT/HT and cores, unknown
    ("threads", lambda v: t.threads_of(*v), ("", "4", True), "8"),
    ("threads", lambda v: t.threads_of(*v), ("", "4", False), "4"),
    ("threads", lambda v: t.threads_of(*v), ("", "4", None), ""),
    ("threads", lambda v: t.threads_of(*v), ("16", "10", None), "16"),
    ("threads", lambda v: t.threads_of(*v), ("", "", False), ""),
    # L3: the L2 of a line without L3, the L3 alone, unsure left empty
    ("l3", lambda v: t.intel_l3(*v), ("4 MB", "Gemini Lake"), "4 Mb L2"),
    ("l3", lambda v: t.intel_l3(*v), ("512 KB L2 Cache", "Diamondville"), "512 Kb L2"),
    ("l3", lambda v: t.intel_l3(*v), ("", "Apollo Lake"), "-"),
    ("l3", lambda v: t.intel_l3(*v), ("6 MB Intel® Smart Cache", "Coffee Lake"), "6 Mb"),
    ("l3", lambda v: t.intel_l3(*v), ("9 MB L2 Cache", "Dunnington"), ""),
    ("l3", lambda v: t.intel_l3(*v), ("16 KB", "Clanton"), ""),
    ("l3", lambda v: t.intel_l3(*v), ("1.5 MB L2 Cache", "Elkhart Lake"), "1.5 Mb L2"),
    ("l3", t.amd_l3, {"L3 Cache": "", "L2 Cache": "2MB", "Line": "AMD PRO A-Series A10 APU for Laptops"}, "2 Mb L2"),
    ("l3", t.amd_l3, {"L3 Cache": "", "L2 Cache": "2MB", "Line": "AMD Phenom™ II X4 Black"}, ""),
    ("l3", t.amd_l3, {"L3 Cache": "32MB", "L2 Cache": "3MB", "Line": "AMD Ryzen™ 5 Desktop Processors"}, "32 Mb"),
]
for rule, function, given, expected in cases:
    got = function(given)
    print("pass" if got == expected else f"{rule} {given!r}: got {got!r}, expected {expected!r}")
PY
while IFS= read -r line; do
  [ "$line" = pass ] && pass || fail "$line"
done <"$scratch/forms"

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
basics.csv: 1,$d => basics.csv: empty
intel.csv: 2s/,Yes,Yes,Yes,Yes$// => intel.csv:2: 18 fields, expected 22
DAMAGE
write_inputs
python3 "$tool" --intel "$scratch/none.csv" --amd "$scratch/amd.csv" --basics "$scratch/basics.csv" \
  --out-dir "$scratch/bad" 2>"$scratch/err"
[ $? -eq 1 ] && grep -q "none.csv: cannot be read" "$scratch/err" && pass || fail "a missing file: $(cat "$scratch/err")"

# The build's generator: the committed files, then damaged copies.
if [ -x "$embed" ]; then
  tables="$source_dir/resources/extended"
  others=("$tables/x86_family_models.tsv" "$tables/microarchitecture_technologies.tsv" "$tables/dies_by_model_number.tsv")
  "$embed" "$tables/processors.tsv" "${others[@]}" "$scratch/rows.cpp" 2>"$scratch/err" &&
    pass || fail "the committed tables: $(cat "$scratch/err")"
  while IFS= read -r line; do
    [ -z "$line" ] && continue
    script="${line%% => *}" expected="${line#* => }"
    sed "$script" "$tables/processors.tsv" >"$scratch/damaged.tsv"
    rm -f "$scratch/out.cpp"
    "$embed" "$scratch/damaged.tsv" "${others[@]}" "$scratch/out.cpp" 2>"$scratch/err"
    code=$?
    [ "$code" -eq 1 ] && grep -qF -- "$expected" "$scratch/err" && [ ! -e "$scratch/out.cpp" ] && pass ||
      fail "generator, $script: exit $code, ‹$(cat "$scratch/err")›"
  done <<'DAMAGE'
3{h;d};4G => in ascending order
3p => in ascending order
5s/\t[^\t]*$// => 21 fields, expected 22
1s/\tcores\tthreads\t/\tthreads\tcores\t/ => the header is not the columns
5s/^[^\t]*// => the key is empty
2,$d => no rows
DAMAGE
else
  fail "no generator at $embed"
fi

# The committed tables are what the shared data give.
source "$here/shared_data.sh"
if data=$(find_shared_data); then
  python3 "$tool" --intel "$data/intel-processors.csv" --intel "$data/processor-specifications-2025.csv" \
    --amd "$data/amd-processors.csv" --amd "$data/processor-specifications-2025.csv" \
    --basics "$data/processor-basics.csv" --out-dir "$scratch/real" 2>/dev/null &&
    diff -q "$source_dir/resources/extended/processors.tsv" "$scratch/real/processors.tsv" >/dev/null &&
    pass || fail "resources/extended differs from what the shared data give; run tools/extended/derive_extended.py"
else
  fail "the re-derivation needs the shared data"
fi

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
