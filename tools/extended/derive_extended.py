#!/usr/bin/env python3
"""Derives the extended processor table and the family/model table.

Usage: derive_extended.py --intel INTEL.csv --amd AMD.csv --basics BASICS.csv
                          --machines MACHINES.tsv [--out-dir DIR]

Writes DIR/processors.tsv (by default resources/extended/): one row per
processor model, keyed by the model key that core/identify/model_number reads
from a brand string, with the data sheet's fields in the catalogue's display
forms. The product tables (Intel, AMD) win over the coarse list (basics),
field by field; a field no source gives stays empty.

Also writes DIR/family_models.tsv: vendor, family and model of the machines
list joined with the code name and lithography of the rows their brand
strings name; a value is kept only where every candidate agrees.

Both files are UTF-8, tab-separated, sorted and byte-stable. Damaged input
(an unreadable file, a missing column, a number that does not read) ends the
tool with a message and exit code 1. Standard library only.
"""

import argparse
import csv
import re
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
DEGREE = "\u00b0"

COLUMNS = [
    "key", "vendor", "product_line", "base", "turbo", "cores", "threads", "socket",
    "segment_en", "segment_ru", "code_name", "max_temperature", "lithography", "memory",
    "graphics", "l3_cache", "pcie", "technologies", "source",
]

# Segment words in both languages; the Russian forms are those the window's
# Russian routine puts into the segment field ("Workstation" stays as it is).
# fmt: off
SEGMENTS = {
    "Desktop":     "Настольного",
    "Mobile":      "Мобильного",
    "Server":      "Сервера",
    "Embedded":    "Встроенного",
    "Workstation": "Workstation",
}

# AMD's platform column -> segment.
AMD_PLATFORMS = {
    "Desktop": "Desktop", "Boxed Processor": "Desktop", "Laptop": "Mobile",
    "Laptop, Mobile Workstation": "Mobile", "Handheld": "Mobile", "Mobile": "Mobile",
    "Server": "Server", "Embedded": "Embedded", "Workstation": "Workstation",
}

# AMD's supported-technology names -> the catalogue's technology tokens.
AMD_TECHNOLOGIES = [
    ("AVX2", "AVX2"), ("AVX-512", "AVX-512"), ("AVX", "AVX"), ("FMA3", "FMA3"), ("FMA4", "FMA4"),
    ("SSE4.1", "SSE4.1"), ("SSE4.2", "SSE4.2"), ("SSE4a", "SSE4A"), ("AES", "AES"),
    ("SHA", "SHA"), ("Virtualization", "AMD-V"), ("AMD-V", "AMD-V"),
]

# Known errors of the sources, corrected here and nowhere else. Each row:
# source, column, the rows it applies to (the whole name, a pattern), the
# wrong text (a pattern in that column), the right text ("" for ".*" drops
# the row), and why.
CORRECTIONS = [
    ("intel",  "ProcessorNumber", r"Intel Core m[357]-\S+ Processor", r"^M(?=[357]-)", "m",
     "the pages write the numbers of Core m3, m5 and m7 with a capital M"),
    ("basics", "CpuName",         r"AMD Athlon 64 X2 QL-\d+",          r"Athlon 64 X2", "Athlon X2",
     "the QL models are Athlon X2, not Athlon 64 X2"),
    ("basics", "CpuName",         r"AMD Phenom II N830 3\+1",          r".*", "",
     "a second N830 row with four cores; the N830 has three"),
    ("basics", "CpuName",         r"AMD Athlon64 X2 .*",               r"Athlon64", "Athlon 64",
     "a blank missing in the line's name"),
]
# fmt: on


class DamagedInput(Exception):
    pass


def plain(text):
    """Drops trademark signs and zero-width blanks; squeezes blanks."""
    for mark in ("\u00ae", "\u2122", "\u200b", "(R)", "(TM)", "(tm)"):
        text = text.replace(mark, "")
    return re.sub(r"\s+", " ", text).strip()


def read_csv(path, required):
    try:
        with open(path, encoding="utf-8-sig", newline="") as handle:
            rows = list(csv.reader(handle))
    except (OSError, UnicodeDecodeError) as error:
        raise DamagedInput(f"{path}: cannot be read ({error})")
    if not rows:
        raise DamagedInput(f"{path}: empty")
    header = rows[0]
    missing = [c for c in required if c not in header]
    if missing:
        raise DamagedInput(f"{path}: missing column(s) {', '.join(missing)}")
    table = []
    for line, row in enumerate(rows[1:], 2):
        if not any(cell.strip() for cell in row):
            continue
        if len(row) < len(header):
            raise DamagedInput(f"{path}:{line}: {len(row)} fields, expected {len(header)}")
        table.append(dict(zip(header, row)))
    return table


def number(path, name, column, text, pattern=r"\d+"):
    text = text.strip()
    if text and not re.fullmatch(pattern, text):
        raise DamagedInput(f"{path}: {name}: {column} {text!r} is not a number")
    return text


def clock(text):
    """'2.8GHz', 'Up to 4.3GHz', '2.80 GHz', '800 MHz' -> '2.80 GHz'; '' when absent."""
    match = re.search(r"(\d+(?:\.\d+)?)\s*(GHz|MHz)", text)
    if not match:
        return ""
    value = float(match.group(1)) / (1000 if match.group(2) == "MHz" else 1)
    return f"{value:.2f} GHz"


def megabytes(text):
    match = re.match(r"\s*(\d+(?:\.\d+)?)\s*MB", text)
    if not match:
        return ""
    value = match.group(1)
    return (value[:-2] if value.endswith(".0") else value) + " Mb"


def nanometres(text):
    match = re.search(r"(\d+)\s*nm", text)
    if match:
        return match.group(1) + " nm"
    return {"Intel 7": "10 nm", "Intel 4": "7 nm"}.get(text.strip(), "")


def degrees(text):
    """'100°C', '64.0 °C', '105 C' -> '100°C'; a value below 10 is no temperature of a processor."""
    match = re.search(r"(\d+(?:\.\d+)?)", text)
    if not match or float(match.group(1)) < 10:
        return ""
    return str(int(float(match.group(1)))) + DEGREE + "C"


def intel_pcie(text):
    """'3', '2.0/3.0', 'Up to 3.0' -> '3.0', '2.0, 3.0'."""
    revisions = [r if "." in r else r + ".0" for r in re.findall(r"\d(?:\.\d)?", plain(text))]
    return ", ".join(revisions)


# ---- keys -----------------------------------------------------------------

def intel_key(number_text, name):
    """The model key of an Intel processor, as core/identify/model_number reads it:
    a number that begins with a letter stands alone (unique across Intel's
    lines), except Core 2's ("Core2 E6600" is not the Pentium E6600); a number
    that begins with a digit follows its line ("Celeron 1000M", "Xeon Gold 6248")."""
    number_text = re.sub(r"\s+[vV](\d)$", r" v\1", number_text.strip())
    if not number_text:
        return ""
    name = re.sub(r"^Mobile ", "", name)
    if name.startswith("Intel Core2 "):
        return "Core2 " + number_text
    if number_text[0].isalpha():
        return number_text
    line = re.match(r"Intel (Celeron M|Celeron D|Celeron|Pentium 4|Pentium D|Pentium M|Pentium|Atom|Xeon Gold|"
                    r"Xeon Silver|Xeon Platinum|Xeon Bronze|Xeon Phi|Xeon|Core)\b", name)
    return line.group(1) + " " + number_text if line else ""


# Words AMD puts between the line and the number, or after the number, that
# name no different chip.
AMD_NOISE = {
    "Processor", "Processors", "Dual-Core", "Dual", "Core", "DualCore", "Quad-Core", "Quad", "Triple-Core",
    "Six-Core", "Eight-Core", "Mobile", "Technology", "Ultra", "APU", "SOC",
}


def amd_key(name):
    """The model key of an AMD name: the name without 'AMD', trademarks,
    noise words and whatever follows the number (graphics, core counts)."""
    name = plain(name)
    name = re.sub(r"^\d+(st|nd|rd|th) Gen ", "", name)
    name = re.sub(r"\s*\(OEM Only\)|\s*\(AF\)|\s+with .*|\s+w/ .*| Microsoft Surface Edition| Creator Edition", "",
                  name)
    words = [w for w in name.split(" ") if w not in ("AMD",)]
    kept = []
    for index, word in enumerate(words):
        if word in AMD_NOISE or re.fullmatch(r"\d+-Cores?|[A-Z][a-z]+-Core", word):
            continue
        kept.append(word)
        if re.fullmatch(r"A\d+", word) and index + 1 < len(words) and re.match(r"(PRO|Micro)-", words[index + 1]):
            continue  # "A10 PRO-7800B" and "A10 Micro-6700T" are one number
        if sum(c.isdigit() for c in word) >= 2 and word not in ("64",) and not re.fullmatch(r"X\d", word):
            break
    key = " ".join(kept)
    # Opteron's power grades follow the number as a word of their own.
    grade = re.search(r"\b\d{3,4} (HE|SE|EE)\b", name)
    if grade and key.startswith("Opteron") and not key.endswith(grade.group(1)):
        key += " " + grade.group(1)
    return key


# ---- sources --------------------------------------------------------------

INTEL_COLUMNS = ["ProcessorNumber", "CpuName", "CoreCount", "ThreadCount", "ClockSpeed", "ClockSpeedMax",
                 "Cache", "CodeNameText", "Lithography", "MarketSegment", "SocketsSupported", "TCase",
                 "DigitalThermalSensorTemperatureMax", "ThermalJunctionRateCode", "MemoryTypes",
                 "ProcessorGraphicsModelId", "PCIExpressRevision", "InstructionSetExtensions", "VTX", "AESTech",
                 "EM64", "HyperThreading"]


def intel_product_line(name, key):
    name = plain(name)
    match = re.match(r"Intel (Core2 Duo|Core2 Quad|Core2 Extreme|Core2 Solo|Core Duo|Core Solo|Core|"
                     r"Pentium Gold|Pentium Silver|Pentium 4|Pentium D|Pentium M|Pentium|Celeron M|Celeron D|"
                     r"Celeron|Atom|Xeon Phi|Xeon Gold|Xeon Silver|Xeon Platinum|Xeon Bronze|Xeon|Processor)\b", name)
    if not match:
        return ""
    line = match.group(1)
    if line == "Core":
        tier = re.match(r"(i[3579]|m[357])-", key)
        line += " " + (tier.group(1) if tier else "M")
    return "Intel " + line if line != "Processor" else ""


def intel_graphics(text):
    """The catalogue's graphics forms: "-" for none, the maker's name otherwise."""
    name = plain(text)
    if not name:
        return "-"
    if re.fullmatch(r"Intel HD Graphics for .* Processors", name):
        return "Intel HD Graphics"
    return name


def amd_graphics(text):
    name = plain(text)
    return "-" if not name or name == "Discrete Graphics Card Required" else name


def amd_pcie(text):
    revision = re.search(r"(\d\.\d)", plain(text))
    return revision.group(1) if revision else ""


# Instruction-set extensions the pages list, and the page columns of the
# other technologies, as the catalogue's tokens, in the catalogue's order.
INTEL_EXTENSIONS = ["AVX2", "AVX-512", "SSE", "SSE2", "SSE3", "SSSE3", "SSE4.1", "SSE4.2", "AVX"]
INTEL_FLAGS = [("HT", "HyperThreading"), ("EM64T", "EM64"), ("AES", "AESTech"), ("VT-x", "VTX")]
INTEL_ORDER = ["AVX2", "AVX-512", "HT", "SSE", "SSE2", "SSE3", "SSSE3", "SSE4.1", "SSE4.2", "EM64T", "AES", "VT-x", "AVX"]


def intel_technologies(row):
    listed = set()
    for part in re.split(r"\.\s+|,\s*", plain(row.get("InstructionSetExtensions", ""))):
        name = part.replace("Intel ", "").strip()
        if name == "SSE4.1/4.2":
            listed |= {"SSE4.1", "SSE4.2"}
        elif name in INTEL_EXTENSIONS:
            listed.add(name)
    for token, column in INTEL_FLAGS:
        if row.get(column, "").startswith("Yes"):
            listed.add(token)
    return ", ".join(token for token in INTEL_ORDER if token in listed)


def intel_socket(text):
    first = plain(text).replace(". ", ", ").split(", ")[0].strip()
    return first


def intel_memory(text):
    text = plain(text)
    return re.sub(r"\.\s+", ", ", text)


def read_intel(path):
    rows = {}
    for row in corrected_rows(path, INTEL_COLUMNS, "intel"):
        name = plain(row["CpuName"])
        if "+" in name or not row["ProcessorNumber"].strip():
            continue
        key = intel_key(row["ProcessorNumber"], name)
        if not key:
            continue
        cores = number(path, name, "CoreCount", row["CoreCount"])
        threads = number(path, name, "ThreadCount", row["ThreadCount"])
        cache = row["Cache"]
        sheet = {
            "vendor": "Intel",
            "product_line": intel_product_line(name, key),
            "base": clock(row["ClockSpeed"]),
            "turbo": clock(row["ClockSpeedMax"]),
            "cores": cores,
            "threads": threads,
            "socket": intel_socket(row["SocketsSupported"]),
            "segment_en": row["MarketSegment"].strip() if row["MarketSegment"].strip() in SEGMENTS else "",
            "code_name": row["CodeNameText"].replace("Products formerly ", "").strip(),
            "max_temperature": degrees(row["TCase"] or row["DigitalThermalSensorTemperatureMax"]
                                       or row["ThermalJunctionRateCode"]),
            "lithography": nanometres(row["Lithography"]),
            "memory": intel_memory(row["MemoryTypes"]),
            "graphics": intel_graphics(row["ProcessorGraphicsModelId"]),
            # Older pages give the last-level cache as L2; only a shared cache that is not L2 counts as L3.
            "l3_cache": "" if re.search(r"L2|L1", cache) else megabytes(cache),
            "pcie": intel_pcie(row["PCIExpressRevision"]),
            "technologies": intel_technologies(row),
            "source": "intel",
        }
        rows.setdefault(key, sheet)
    return rows


AMD_COLUMNS = ["Model", "Platform", "# of CPU Cores", "# of Threads", "Base Clock", "Max. Boost Clock ¹ ²",
               "L3 Cache", "Processor Technology for CPU Cores", "CPU Socket", "PCI Express® Version",
               "Max. Operating Temperature (Tjmax)", "System Memory Type", "Graphics Model", "Supported Technologies",
               "Family", "Line"]


def amd_name(row):
    """AMD's model column, completed with the line where it holds the number alone."""
    model = plain(row["Model"])
    if model.startswith("AMD") or re.match(r"\d+(st|nd|rd|th) Gen", model):
        return model
    line = plain(row["Line"]).replace(" Processors", "").replace(" Processor", "")
    family = plain(row["Family"]).replace(" Processors", "")
    for prefix in (family, line):
        head = re.sub(r"\s+(Series|with).*$", "", prefix)
        if re.match(r"AMD (Opteron|Athlon|Phenom|Sempron|Turion|FX|A-Series|E-Series|EPYC)", head):
            if re.match(r"[A-Z]+\d*-", model) or head.endswith("A-Series") or head.endswith("E-Series"):
                return "AMD " + model
            return head + " " + model
    return "AMD " + model


def amd_product_line(key):
    """"AMD" and the key's words before the number: "AMD Ryzen 5 PRO"; for a
    lone number its letters before the hyphen: "AMD FX", "AMD A10 PRO"."""
    words = key.split(" ")
    number, line = words[-1], words[:-1]
    if number in ("HE", "SE", "EE") and line:
        number, line = line[-1], line[:-1]
    head = number.split("-")[0] if "-" in number else ""
    if head and (not line or head == "PRO" or line == ["PRO"]):
        line.append(head)
    return " ".join(["AMD"] + line)


def amd_technologies(text):
    names = [plain(part) for part in text.split(",")]
    tokens = []
    for source, token in AMD_TECHNOLOGIES:
        if any(name == source or name.startswith(source + " ") for name in names) and token not in tokens:
            tokens.append(token)
    return ", ".join(tokens)


def read_amd(path):
    rows = {}
    for row in read_csv(path, AMD_COLUMNS):
        if not row["Model"].strip():
            continue
        name = amd_name(row)
        key = amd_key(name)
        if not key or not re.search(r"\d", key):
            continue
        sheet = {
            "vendor": "AMD",
            "product_line": amd_product_line(key),
            "base": clock(row["Base Clock"]),
            "turbo": clock(row["Max. Boost Clock ¹ ²"]),
            "cores": number(path, name, "# of CPU Cores", row["# of CPU Cores"]),
            "threads": number(path, name, "# of Threads", row["# of Threads"]),
            "socket": plain(row["CPU Socket"]),
            "segment_en": AMD_PLATFORMS.get(plain(row["Platform"]), ""),
            "code_name": "",
            "max_temperature": degrees(row["Max. Operating Temperature (Tjmax)"]),
            "lithography": nanometres(row["Processor Technology for CPU Cores"]),
            "memory": plain(row["System Memory Type"]),
            "graphics": amd_graphics(row["Graphics Model"]),
            "l3_cache": megabytes(row["L3 Cache"]),
            "pcie": amd_pcie(row["PCI Express® Version"]),
            "technologies": amd_technologies(row["Supported Technologies"]),
            "source": "amd",
        }
        rows.setdefault(key, sheet)
    return rows


BASICS_COLUMNS = ["CpuName", "Socket", "ClockSpeed", "TurboSpeed", "Cores", "Threads"]


def is_number(word):
    """A word that can be a model number: letters, digits, '-' and '+', two digits or more, no clock."""
    return bool(re.fullmatch(r"[A-Za-z0-9+-]+", word)) and sum(c.isdigit() for c in word) >= 2 \
        and not word.endswith("Hz")


def basics_key(name):
    name = plain(name)
    if name.startswith("[") or not re.search(r"\d", name):
        return "", ""
    name = re.sub(r"\s*@.*$", "", name)
    if name.startswith("AMD "):
        return "AMD", amd_key(name)
    if name.startswith("Intel "):
        words = name.split(" ")
        for index, word in enumerate(words[1:], 1):
            if is_number(word):
                version = words[index + 1] if index + 1 < len(words) and re.fullmatch(r"[vV][1-9]", words[index + 1]) else ""
                return "Intel", intel_key(word + (" " + version if version else ""), name)
    return "", ""


def corrected(source, row, name_column):
    """The row after the corrections of CORRECTIONS, or None when one drops it."""
    name = plain(row.get(name_column, ""))
    for where, column, names, wrong, right, _ in CORRECTIONS:
        if where == source and re.fullmatch(names, name):
            if wrong == ".*" and right == "":
                return None
            row = dict(row)
            row[column] = re.sub(wrong, right, row[column])
    return row


def corrected_rows(path, columns, source):
    """The rows of a CSV table after the corrections; the rows they drop left out."""
    for row in read_csv(path, columns):
        row = corrected(source, row, "CpuName")
        if row is not None:
            yield row


def read_basics(path):
    rows = {}
    for row in corrected_rows(path, BASICS_COLUMNS, "basics"):
        name = plain(row["CpuName"])
        vendor, key = basics_key(row["CpuName"])
        if not key:
            continue
        values = {c: row[c].strip() for c in BASICS_COLUMNS}
        cores = number(path, name, "Cores", values["Cores"])
        threads = number(path, name, "Threads", values["Threads"])
        # The coarse list holds typos such as '2.112.0 GHz': a clock that does not read stays empty.
        base = clock(values["ClockSpeed"]) if re.fullmatch(r"\d+(\.\d+)? GHz", values["ClockSpeed"]) else ""
        turbo = clock(values["TurboSpeed"]) if re.fullmatch(r"\d+(\.\d+)? GHz", values["TurboSpeed"]) else ""
        sheet = {
            "vendor": vendor,
            "product_line": amd_product_line(key) if vendor == "AMD" else intel_product_line(name, key),
            "base": base, "turbo": turbo, "cores": cores, "threads": threads,
            "socket": plain(values["Socket"]).split(". ")[0] if values["Socket"] else "",
            "source": "basics",
        }
        rows.setdefault(key, sheet)
    return rows


def merge(intel, amd, basics):
    table = {}
    for key in sorted(set(intel) | set(amd) | set(basics)):
        product = intel.get(key) or amd.get(key) or {}
        coarse = basics.get(key, {})
        if product and coarse and product["vendor"] != coarse["vendor"]:
            coarse = {}
        row = {c: "" for c in COLUMNS}
        row["key"] = key
        for column in COLUMNS[1:]:
            row[column] = product.get(column, "") or coarse.get(column, "")
        row["segment_ru"] = SEGMENTS.get(row["segment_en"], "")
        sources = [s for s in (product.get("source"), coarse.get("source")) if s]
        row["source"] = "+".join(sources)
        if any("\t" in v or "\n" in v for v in row.values()):
            raise DamagedInput(f"{key}: a field holds a tab or line break")
        table[key] = row
    return table


# ---- family/model table ----------------------------------------------------

MACHINE_COLUMNS = ["brand", "vendor", "family", "model", "probes"]


def read_machines(path):
    try:
        with open(path, encoding="utf-8", newline="") as handle:
            lines = handle.read().split("\n")
    except (OSError, UnicodeDecodeError) as error:
        raise DamagedInput(f"{path}: cannot be read ({error})")
    header = lines[0].split("\t")
    missing = [c for c in MACHINE_COLUMNS if c not in header]
    if missing:
        raise DamagedInput(f"{path}: missing column(s) {', '.join(missing)}")
    machines = []
    for number_of_line, line in enumerate(lines[1:], 2):
        if not line:
            continue
        cells = dict(zip(header, line.split("\t")))
        for column in ("family", "model", "probes"):
            if not re.fullmatch(r"\d*", cells.get(column, "")):
                raise DamagedInput(f"{path}:{number_of_line}: {column} {cells.get(column)!r} is not a number")
        machines.append(cells)
    return machines


def brand_key(brand, vendor):
    """A plain reading of a machine's brand string, for the join only: the
    reader of the program decides what the window shows."""
    name = plain(brand)
    name = re.sub(r"\s*@.*$|\s+\d+(\.\d+)?GHz$", "", name)
    name = re.sub(r"^\d+(st|nd|rd|th) Gen ", "", name)
    if vendor == "AMD":
        return amd_key(re.sub(r"(?<=[a-z])(?=X\d)", " ", name))
    if vendor == "Intel":
        first = re.search(r"\bCore (i\d) CPU (?:([MLUQS]) )?(\d{3})\b", name)
        if first:  # the first Core generation: "i7 CPU Q 720" is the i7-720QM
            suffix = {"": "", "M": "M", "L": "LM", "U": "UM", "Q": "QM", "S": "S"}[first.group(2) or ""]
            return first.group(1) + "-" + first.group(3) + suffix
        name = re.sub(r"\b(CPU|processor|Processor|Genuine)\b", " ", name)
        return basics_key("Intel " + re.sub(r"^Intel ", "", re.sub(r"\s+", " ", name).strip()))[1]
    return ""


def family_models(machines, table):
    candidates = {}
    for machine in machines:
        if machine.get("vendor") not in ("Intel", "AMD") or not machine["family"] or not machine["model"]:
            continue
        identity = (machine["vendor"], int(machine["family"]), int(machine["model"]))
        row = table.get(brand_key(machine["brand"], machine["vendor"]))
        entry = candidates.setdefault(identity, {"code_name": set(), "lithography": set()})
        # A machine whose row gives no value is no candidate; two different values leave the field empty.
        for column in entry:
            if row and row[column]:
                entry[column].add(row[column])
    lines = []
    for (vendor, family, model), entry in sorted(candidates.items()):
        values = []
        for column in ("code_name", "lithography"):
            found = entry[column]
            values.append(next(iter(found)) if len(found) == 1 else "")
        if any(values):
            lines.append("\t".join([vendor, str(family), str(model)] + values))
    return lines


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--intel", required=True)
    parser.add_argument("--amd", required=True)
    parser.add_argument("--basics", required=True)
    parser.add_argument("--machines", required=True)
    parser.add_argument("--out-dir", default=str(ROOT / "resources" / "extended"))
    args = parser.parse_args()
    try:
        intel = read_intel(args.intel)
        amd = read_amd(args.amd)
        basics = read_basics(args.basics)
        table = merge(intel, amd, basics)
        machines = read_machines(args.machines)
        families = family_models(machines, table)
    except DamagedInput as error:
        print(f"derive_extended.py: {error}", file=sys.stderr)
        return 1
    out = Path(args.out_dir)
    out.mkdir(parents=True, exist_ok=True)
    header = "# " + "\t".join(COLUMNS) + "\n"
    body = "".join("\t".join(table[k][c] for c in COLUMNS) + "\n" for k in sorted(table))
    (out / "processors.tsv").write_text(header + body, encoding="utf-8", newline="\n")
    family_header = "# vendor\tfamily\tmodel\tcode_name\tlithography\n"
    (out / "family_models.tsv").write_text(family_header + "".join(l + "\n" for l in families), encoding="utf-8",
                                           newline="\n")
    print(f"wrote {len(table)} processors ({len(intel)} Intel, {len(amd)} AMD, {len(basics)} coarse) "
          f"and {len(families)} family/model rows to {out}", file=sys.stderr)
    return 0


if __name__ == "__main__":
    sys.exit(main())
