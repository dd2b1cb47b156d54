#!/usr/bin/env bash
# The dies told apart by model number: the committed table passes its checker,
# real model numbers name the die their vendor lists them under (and the ones
# that cannot be told apart name none), and the checker refuses damaged
# copies, each for its own fault.
set -u
source_dir="${WEXMORA_SOURCE_DIR:?}"
checker="$source_dir/tools/extended/check_dies_by_model_number.py"
table="$source_dir/resources/extended/dies_by_model_number.tsv"
family_models="$source_dir/resources/extended/x86_family_models.tsv"
processors="$source_dir/resources/extended/processors.tsv"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
passed=0 failed=0
fail() { failed=$((failed + 1)); echo "FAIL $*"; }
pass() { passed=$((passed + 1)); }

if python3 "$checker" "$table" >"$scratch/out" 2>&1; then pass; else fail "the committed table: $(cat "$scratch/out")"; fi

# vendor|family|model|extended-table key|the die ("" where the key cannot tell it)
while IFS='|' read -r vendor family model key expected; do
  got=$(python3 "$checker" --die "$vendor" "$family" "$model" "$key" "$table")
  if [ "$got" = "$expected" ]; then pass; else fail "$vendor $family/$model '$key': '$got', expected '$expected'"; fi
done <<'DIES'
AMD|23|8|Ryzen 7 2700X|Pinnacle Ridge
AMD|23|8|Ryzen Threadripper 2950X|Colfax
AMD|23|1|Ryzen 5 1600|Summit Ridge
AMD|23|1|Ryzen Threadripper 1950X|Whitehaven
AMD|23|1|EPYC 7401P|Naples
AMD|23|49|EPYC 7742|Rome
AMD|23|49|Ryzen Threadripper 3970X|Castle Peak
AMD|21|2|FX-8350|Vishera
AMD|21|2|Opteron 6380|Abu Dhabi
AMD|21|2|Opteron 4386|Seoul
AMD|21|1|FX-8120|Zambezi
AMD|21|1|Opteron 6272|Interlagos
AMD|20|2|E-450|Zacate
AMD|20|2|C-60|Ontario
AMD|20|2|G-T56N|
AMD|22|0|A4-5000|Kabini
AMD|22|0|A4-1200|Temash
AMD|22|48|A4-6210|Beema
AMD|22|48|A6-7310|Carrizo-L
AMD|16|6|Athlon II X2 250|Regor
AMD|16|6|Sempron 140|Sargas
AMD|16|6|Turion II M500|Caspian
AMD|16|6|Turion II P520|Champlain
AMD|16|6|Athlon II Neo K325|
AMD|16|6|Phenom II X2 521|
AMD|16|5|Athlon II X4 640|Propus
AMD|16|5|Athlon II X3 450|Rana
AMD|16|5|Phenom II N830|Champlain
Intel|6|79|E5-2630 v4|Broadwell-EP
Intel|6|79|E7-8880 v4|Broadwell-EX
AMD|16|4|Phenom II X4 965|Deneb
AMD|16|4|Phenom II X3 720|Heka
AMD|16|4|Phenom II X2 555|Callisto
AMD|16|2|Phenom 9650|Agena
AMD|16|2|Phenom 8750|Toliman
AMD|16|2|Athlon 7750|Kuma
AMD|16|10|Phenom II X6 1090T|Thuban
AMD|16|10|Phenom II X4 960T|Zosma
AMD|15|47|Athlon 64 3200+|Venice
AMD|15|72|Turion 64 X2 TL-50|Taylor
AMD|15|72|Turion 64 X2 TL-60|Trinidad
AMD|15|127|Sempron LE-1250|Sparta
AMD|15|127|Athlon Neo MV-40|
Intel|6|23|Core2 E8400|Wolfdale
Intel|6|23|Core2 E8435|Penryn
Intel|6|23|Core2 T9600|Penryn
Intel|6|23|Core2 Q9550|Yorkfield
Intel|6|23|Core2 Q9000|Penryn
Intel|6|23|Core2 Q9300|
Intel|6|23|E5450|Harpertown
Intel|6|23|E5400|Wolfdale
Intel|6|23|E5200|Wolfdale
Intel|6|23|T4500|Penryn
Intel|6|15|Core2 E6600|Conroe
Intel|6|15|Core2 E6300|
Intel|6|15|Core2 T7200|Merom
Intel|6|15|Core2 Q6600|Kentsfield
Intel|6|15|Xeon 5150|Woodcrest
Intel|6|15|E5345|Clovertown
Intel|6|15|E7340|Tigerton
Intel|6|14|T2500|Yonah
Intel|6|62|E5-2670 v2|Ivy Bridge-EP
Intel|6|62|E5-2420 v2|
Intel|6|63|i7-5820K|Haswell-E
Intel|6|63|E5-2680 v3|Haswell-EP
Intel|6|42|i7-2600K|
DIES

# damage: how (edit: a sed expression on the lines matching the pattern;
# raise: the line matching the pattern one place up), the message it must give;
# fields apart by "@"
while IFS='@' read -r what how pattern expression message; do
  case "$how" in
    edit) sed -E "/$pattern/$expression" "$table" >"$scratch/damaged.tsv" ;;
    raise) awk -v pattern="$pattern" '{ line[NR] = $0 }
             END { for (i = 3; i <= NR; i++) if (line[i] ~ pattern) { t = line[i - 1]; line[i - 1] = line[i]; line[i] = t; break }
                   for (i = 1; i <= NR; i++) print line[i] }' "$table" >"$scratch/damaged.tsv" ;;
  esac
  if cmp -s "$table" "$scratch/damaged.tsv"; then
    fail "$what: the damage changed nothing"
  elif python3 "$checker" "$scratch/damaged.tsv" "$family_models" "$processors" >"$scratch/out" 2>&1; then
    fail "$what: accepted"
  elif grep -q -- "$message" "$scratch/out"; then
    pass
  else
    fail "$what: no '$message' in: $(head -c 300 "$scratch/out")"
  fi
done <<'CASES'
no header@edit@^# vendor@d@missing header
column missing@edit@Colfax@s/\t[^\t]*$//@6 columns, expected 7
not a number@edit@Colfax@s/^AMD\t23/AMD\tseventeen/@family 'seventeen' is not a decimal number
reversed range@edit@Colfax@s/^AMD\t23\t8\t8/AMD\t23\t9\t8/@model_first 9 > model_last 8
unknown vendor@edit@Colfax@s/^AMD/Cyrix/@unknown vendor 'Cyrix'
no source@edit@Colfax@s/\t[^\t]*$/\t/@empty source
no code name@edit@Colfax@s/\tColfax\t/\t\t/@empty code_name
a die of another family/model@edit@Colfax@s/\tColfax\t/\tVishera\t/@'Vishera' is not a die of AMD 23/8
die misspelt@edit@Pinnacle Ridge@s/Pinnacle Ridge/Pinnacle ridge/@'Pinnacle ridge' is not a die of AMD 23/8
no family/model row@edit@Yonah@s/^Intel\t6\t14\t14/Intel\t6\t2\t2/@no family/model row for Intel 6/2
one die for sure@edit@Yonah@s/^Intel\t6\t14\t14\t([^\t]*)\tYonah/Intel\t6\t60\t60\t\1\tHaswell/@names one die for sure
general row first@raise@Pinnacle Ridge@@unreachable: 'Ryzen' of line
general prefix first@edit@Core2 E8135@s/\tCore2 E8135/\tCore2 E|Core2 E8135/@prefix 'Core2 E7' unreachable: 'Core2 E' of line
prefix twice in a row@edit@Zambezi@s/\tFX-\t/\tFX-|FX-8\t/@prefix 'FX-8' already covered by 'FX-' of its own row
prefix misspelt@edit@Pinnacle Ridge@s/\tRyzen\t/\tRyzne\t/@prefix 'Ryzne' begins no AMD key
empty prefix@edit@Zambezi@s/\tFX-\t/\tFX-|\t/@prefix '' is empty
blank after a prefix@edit@Thuban@s/\tPhenom II X6 1\t/\tPhenom II X6 1 \t/@prefix 'Phenom II X6 1 ' is empty or has blanks
rows of one family/model apart@edit@Kuma@{h;d};$G@AMD 16/2 apart from its other rows
CASES

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
