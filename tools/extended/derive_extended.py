#!/usr/bin/env python3
"""Derives the extended processor table.

Usage: derive_extended.py --intel INTEL.csv [--intel MORE.csv ...]
                          --amd AMD.csv [--amd MORE.csv ...]
                          --basics BASICS.csv [--basics MORE.csv ...]
                          --machines MACHINES.tsv [--out-dir DIR]

Each of --intel, --amd and --basics may be given more than once, each table
in the same columns: a later table adds the rows the earlier ones lack, and
for a key that an earlier table holds it fills only the fields the earlier
left empty (the first table that gives a field wins, as within one table the
first row of a key does). An --intel or --amd table may also be in the
newer product table's columns (processor-specifications-2025.csv: both
makers' rows, "name", Intel's "Processor Number", ...): each reads its
maker's rows. The rows kept by hand (--hand-kept, in those columns, each
with its source) come last.

Writes DIR/processors.tsv (by default resources/extended/): one row per
processor model, keyed by the model key that core/identify/model_number reads
from a brand string, with the data sheet's fields in the catalogue's display
forms. The product tables (Intel, AMD) win over the coarse list (basics),
field by field; a field no source gives stays empty. Memory, graphics,
threads and the L3 field are rewritten into the catalogue's forms
("DDR4-3200 MHz, LPDDR4-4266 MHz", "AMD Radeon R5 Graphics", a number of
threads, "4 Mb L2" for a processor without L3), each value whole: the
window shows the shorter form that fits its field (core/window/control_text.h).

The file is UTF-8, tab-separated, sorted and byte-stable. Damaged input
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

# Processors no product table lists yet, in the newer table's columns, each
# row with its source: read after the product tables.
HAND_KEPT = ROOT / "tools" / "extended" / "hand_kept_processors.csv"

# The table's columns, named once in core/data/extended_columns.def.
COLUMNS_FILE = ROOT / "core" / "data" / "extended_columns.def"
COLUMNS = re.findall(r'^WEXMORA_EXTENDED_COLUMN\(\w+, "(\w+)"\)$', COLUMNS_FILE.read_text(encoding="utf-8"), re.M)

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

# Code names of Intel processors whose last-level cache is the L2 (no L3):
# the pages' "Cache" of these names the L2, whether it says "L2" or not.
# Sources: Intel's product briefs and datasheets of each line.
INTEL_L2_ONLY = {
    # Atom, Celeron and Pentium N/J/Z/C: Bonnell, Saltwell, Silvermont, Airmont, Goldmont, Goldmont Plus, Tremont
    "Silverthorne", "Diamondville", "Pineview", "Lincroft", "Tunnel Creek", "Stellarton", "Cedarview", "Centerton",
    "Penwell", "Cloverview", "Bay Trail", "Avoton", "Rangeley", "Merrifield", "Moorefield", "Braswell",
    "Cherry Trail", "SoFIA 3G R", "SoFIA LTE", "Apollo Lake", "Denverton", "Gemini Lake", "Gemini Lake Refresh",
    "Elkhart Lake", "Snow Ridge",
    # Core 2, Pentium Dual-Core and their Xeons; Core Solo/Duo, Pentium M; NetBurst; P6
    "Merom", "Conroe", "Allendale", "Kentsfield", "Penryn", "Wolfdale", "Yorkfield", "Woodcrest", "Clovertown",
    "Harpertown", "Tigerton", "Yonah", "Sossaman", "Banias", "Dothan", "Northwood", "Prescott", "Cedarmill",
    "Smithfield", "Presler", "Nocona", "Prestonia", "Coppermine", "Tualatin", "Mendocino",
    # Xeon Phi
    "Knights Corner", "Knights Landing", "Knights Mill",
}
# Code names whose "Cache" is neither surely L2 nor surely L3 (Quark's
# unified cache, lines not checked): the L3 field stays empty.
INTEL_CACHE_UNSURE = {"Clanton", "AtlasPeak", "Mint Valley", "Silver Butte", "Parker Ridge", "Montecito"}
# Hybrid lines (threads are not twice the cores) and Xeon Phi (four threads a core).
INTEL_IRREGULAR_THREADS = {"Alder Lake", "Alder Lake-N", "Raptor Lake", "Lakefield", "Meteor Lake",
                           "Knights Corner", "Knights Landing", "Knights Mill"}

# AMD's lines by the product table's "Line" column: those without SMT
# (everything before Zen), and those without L3 (the APUs, Athlon II,
# Turion, the mobile Phenom II), where the table gives the L2 only.
AMD_WITHOUT_SMT = [r"A\d+-Series|PRO A-Series|E\d-Series|\bFX\b|FX-Series|Phenom|Sempron|Turion|Opteron",
                   r"Athlon.* X[234]\b|Athlon.*(Quad|Dual)-Core APU"]
AMD_WITHOUT_L3 = [r"A\d+-Series APU|PRO A-Series A\d+ APU|E\d-Series APU|FX-Series Processors for (Laptops|AIOs)",
                  r"Athlon.* II X[234]$|Athlon\W* X4$|Athlon.*Quad-Core APU|Sempron.*APU|Turion",
                  r"Phenom.* Mobile Processors|Opteron.* X[12]100"]

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
    first = 0
    while first < len(rows) and rows[first] and rows[first][0].startswith("#"):
        first += 1  # comments before the header (the hand-kept table)
    rows = rows[first:]
    if not rows:
        raise DamagedInput(f"{path}: empty")
    header = rows[0]
    missing = [c for c in required if c not in header]
    if missing:
        raise DamagedInput(f"{path}: missing column(s) {', '.join(missing)}")
    table = []
    for line, row in enumerate(rows[1:], first + 2):
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


def nanometres(text):
    """'14 nm', 'TSMC 4nm FinFET', 'TSMC N3B' -> '14 nm', '4 nm', '3 nm'; Intel's
    nodes after 10 nm by their names ('Intel 4', 'Intel 18A'), as the
    family/model table writes them; 'Intel 7' is the 10 nm node."""
    text = text.strip()
    match = re.search(r"(\d+)\s*nm", text) or re.fullmatch(r"TSMC N(\d+)[A-Z]?", text)
    if match:
        return match.group(1) + " nm"
    if text == "Intel 7":
        return "10 nm"
    return text if re.fullmatch(r"Intel \d+A?", text) else ""


def degrees(text):
    """'100°C', '64.0 °C', '105 C' -> '100°C'; a value below 10 is no temperature of a processor."""
    match = re.search(r"(\d+(?:\.\d+)?)", text)
    if not match or float(match.group(1)) < 10:
        return ""
    return str(int(float(match.group(1)))) + DEGREE + "C"


def intel_pcie(text):
    """'3', '2.0/3.0', 'Up to 3.0' -> '3.0', '2.0, 3.0': each revision once, oldest first."""
    revisions = {r if "." in r else r + ".0" for r in re.findall(r"\d(?:\.\d)?", plain(text))}
    return ", ".join(sorted(revisions))


# ---- display forms ----------------------------------------------------------

MEMORY_TYPE = r"(?:LP)?DDR(?:\d[A-Za-z]?)?(?:-RS)?"


def memory_entries(text):
    """The memory types of a product page's text and the speeds of each, in
    MHz (MT/s): [("DDR4", [2400, 3200]), ("LPDDR4", [4266])]; a speed
    without a type comes under ""."""
    text = plain(text)
    if text == "Not Listed":
        return []
    cap = re.search(r"\(Max Speed (\d+) MHz\)", text)
    text = re.sub(r"\([^)]*\)", " ", text)  # package notes, "(MT/s)", the cap read above
    text = re.sub(r"(?:@|\bat)\s*\d\.\d+\s*V\b|\b\dDPC\b", " ", text)  # voltages, DIMMs per channel
    # "DDR3/L/-RS" and "LPDDR5/x": further types written as suffixes of the first
    text = re.sub(r"\b((?:LP)?DDR\d)/L/-RS\b", r"\1/\1L/\1L-RS", text)
    text = re.sub(r"\b((?:LP)?DDR\d)/([xXL])\b", r"\1/\1\2", text)
    text = re.sub(r"\b((?:LP)?DDR)(\d)/(\d)\b", r"\1\2/\1\3", text)  # "DDR2/3"
    text = re.sub(r"\b((?:LP)?DDR\d) and ", r"\1/", text)
    entries, pending, assigned = {}, [], False
    pattern = rf"({MEMORY_TYPE})|(?<![\d.])(\d{{3,4}}(?:\s*/\s*\d{{3,4}})*)(?!\d|\.\d)|([,;]|\.(?!\d))"
    for match in re.finditer(pattern, text):
        if match.group(3):
            if not assigned:
                pending = []  # "DDR3L, DDR4 2133": the types before the comma have no speed given
            continue
        if match.group(1):
            if assigned:
                pending, assigned = [], False
            pending.append(match.group(1))
            entries.setdefault(match.group(1), set())
        else:
            speeds = {int(v) for v in match.group(2).split("/")}
            if cap:
                speeds = {v for v in speeds if v <= int(cap.group(1))}
            if not pending:
                pending = [""]
                entries.setdefault("", set())
            for memory_type in pending:
                entries[memory_type] |= speeds
            assigned = True
    # In the catalogue's order: by generation, each type before its low-power one.
    order = sorted(entries, key=lambda t: (re.sub(r"\D", "", t)[:1] or "0", t.startswith("LP"), t))
    return [(t, sorted(entries[t])) for t in order]


def memory_text(entries):
    """The memory field whole, in the catalogue's form: each type with its
    speeds and "MHz" ("DDR4-2400/3200 MHz, LPDDR4-4266 MHz"). The window
    shows a shorter form where its field has no room for this one
    (core/window/control_text.h)."""
    parts = []
    for memory_type, speeds in entries:
        figures = "/".join(str(v) for v in speeds)
        parts.append(memory_type + ("-" if memory_type and figures else "") + figures + (" MHz" if figures else ""))
    return ", ".join(parts)


def memory_form(text):
    """The memory field of a product page's memory text; empty where it names none."""
    entries = memory_entries(text)
    return memory_text(entries) if entries else ""


def cache_text(text):
    """'4 MB', '512KB', '1.5 MB L2 Cache' -> '4 Mb', '512 Kb', '1.5 Mb', as
    platform::cacheText writes a size; '' when the text gives none."""
    match = re.search(r"(\d+(?:\.\d+)?)\s*(KB|MB)", text)
    if not match:
        return ""
    kib, mib = 1024, 1024 * 1024
    size = round(float(match.group(1)) * (kib if match.group(2) == "KB" else mib))
    if size < mib - kib // 2:
        return f"{(size + kib // 2) // kib} Kb"
    hundredths = (size * 100 + mib // 2) // mib
    whole, fraction = divmod(hundredths, 100)
    return f"{whole}.{fraction:02d}".rstrip("0").rstrip(".") + " Mb" if fraction else f"{whole} Mb"


def l2_only(size):
    """The L3 field of a processor without L3: its L2, or "-" when that is not known."""
    return size + " L2" if size else "-"


def intel_l3(cache, code_name):
    """The L3 field from the page's "Cache": the size of an L3, the L2 of a
    line without L3 (INTEL_L2_ONLY), empty where the level is not sure."""
    size, level = cache_text(cache), re.search(r"\bL([123])\b", cache)
    if code_name in INTEL_CACHE_UNSURE:
        return ""
    if code_name in INTEL_L2_ONLY:
        return l2_only(size) if not level or level.group(1) == "2" else ""
    if level and level.group(1) != "3":
        return ""  # an L2 of a line that has an L3 besides
    return size


def amd_l3(row):
    l3 = cache_text(row["L3 Cache"])
    if l3 or not any(re.search(p, plain(row["Line"])) for p in AMD_WITHOUT_L3):
        return l3
    return l2_only(cache_text(row.get("L2 Cache", "")))


def threads_of(threads, cores, smt):
    """Threads as the source gives them, or from the cores where the source
    says whether the processor has SMT/HT (smt True, False; None: unknown)."""
    if threads or not cores or smt is None:
        return threads
    return str(int(cores) * (2 if smt else 1))


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
    # The lines since 2023 name their tier before the number: "Intel Core Ultra 7
    # Processor 155H", "Intel Core Ultra X7 Processor 358H", "Intel Core 5
    # processor 120U", "Intel Core i9 processor 14900KS".
    tier = re.match(r"Intel (Core Ultra X?\d|Core \d|Core i\d)\b", name)
    if tier:
        return "Intel " + tier.group(1)
    match = re.match(r"Intel (Core2 Duo|Core2 Quad|Core2 Extreme|Core2 Solo|Core Duo|Core Solo|Core|"
                     r"Pentium Gold|Pentium Silver|Pentium 4|Pentium D|Pentium M|Pentium|Celeron M|Celeron D|"
                     r"Celeron|Atom|Xeon Phi|Xeon Gold|Xeon Silver|Xeon Platinum|Xeon Bronze|Xeon|Processor)\b", name)
    if not match:
        return ""
    line = match.group(1)
    if line == "Core":
        tier = re.match(r"(i[3579]|m[357])-", key)
        line += " " + (tier.group(1) if tier else "M")
    # "Intel Processor N100": the N-series' own line; a bare "Intel Processor"
    # of the older pages names none.
    return "Intel " + line if line != "Processor" or re.match(r"N\d", key) else ""


# Page columns that describe a processor's own graphics; a page with none of
# them and no graphics model lists no processor graphics.
INTEL_GRAPHICS_FACTS = ["GraphicsFreq", "GraphicsMaxFreq", "GraphicsExecutionUnits", "GraphicsDeviceId",
                        "GraphicsMaxMem", "GraphicsOutput"]


def intel_graphics(text, row, page=True):
    """The catalogue's graphics forms: the maker's name ("Intel UHD Graphics
    630"; "Intel HD Graphics" for the pages' "... for 4th Generation Intel
    Processors"), "-" where the page lists no processor graphics, empty
    where it describes graphics without naming them. A row kept by hand
    (page False) that names none says nothing of them."""
    name = plain(text)
    if not name and not page:
        return ""
    if not name:
        described = any(plain(row.get(c) or "") not in ("", "N/A", "No") for c in INTEL_GRAPHICS_FACTS)
        return "" if described else "-"
    name = re.sub(r"\bgraphics\b", "Graphics", name)  # "Intel Arc graphics", as the other names write it
    return re.sub(r"^(Intel (?:U?HD|Iris) Graphics) for .*$", r"\1", name)


def amd_graphics(text):
    """AMD's graphics by their full name: "R5", "Radeon R5 Graphics" and
    "AMD Radeon R5 Graphics" are "AMD Radeon R5 Graphics" (the bare "R5" is
    the table's short form of that name); "-" for a processor that needs a
    graphics card, empty where the table says nothing."""
    name = plain(text)
    if name == "Discrete Graphics Card Required":
        return "-"
    if not name:
        return ""
    name = re.sub(r"^(AMD )?(Radeon )?", "", name)
    if re.fullmatch(r"R\d", name):
        name += " Graphics"
    return "AMD Radeon " + name


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
    """The first socket the page lists: 'FCLGA1700', 'FPGA946.FPGA947' and
    'PGA988,PPGA988' -> 'FPGA946', 'PGA988'."""
    first = re.split(r",\s*", re.sub(r"\.(?=[A-Z])", ", ", plain(text).replace(". ", ", ")))[0].strip()
    return first


# ---- the newer product table ------------------------------------------------
# processor-specifications-2025.csv, and the hand-kept table in its columns,
# hold both makers' rows, each in the newer columns of its maker's pages.
# Each row is read as a row of its maker's older table: every older column
# takes the first of its newer columns that gives a value.
# fmt: off
SPECS_INTEL = {
    "ProcessorNumber":   ["Processor Number"],
    "CpuName":           ["name"],
    "CoreCount":         ["Total Cores"],
    "ThreadCount":       ["Total Threads"],
    "ClockSpeed":        ["Processor Base Frequency", "Performance-core Base Frequency"],
    "ClockSpeedMax":     ["Max Turbo Frequency", "Performance-core Max Turbo Frequency"],
    "Cache":             ["Cache"],
    "CodeNameText":      ["Code Name"],
    "Lithography":       ["Lithography", "CPU Lithography"],
    "MarketSegment":     ["Vertical Segment"],
    "SocketsSupported":  ["Sockets Supported"],
    "TCase":             ["TCASE"],
    "DigitalThermalSensorTemperatureMax": ["TJUNCTION"],
    "ThermalJunctionRateCode": ["Max Operating Temperature"],
    "MemoryTypes":       ["Memory Types"],
    "ProcessorGraphicsModelId": ["GPU Name‡", "Graphics Name‡"],
    "PCIExpressRevision": ["PCI Express Revision", "Microprocessor PCIe Revision", "PCI Support",
                           "Chipset / PCH PCIe Revision"],
    "InstructionSetExtensions": ["Instruction Set Extensions"],
    "VTX":               ["Intel® Virtualization Technology (VT-x) ‡"],
    "AESTech":           ["Intel® AES New Instructions"],
    "EM64":              ["Intel® 64 ‡", "Instruction Set"],  # "Yes", or the set's "64-bit"
    "HyperThreading":    ["Intel® Hyper-Threading Technology ‡"],
    "GraphicsFreq":      ["Graphics Base Frequency"],
    "GraphicsMaxFreq":   ["Graphics Max Dynamic Frequency"],
    "GraphicsExecutionUnits": ["Execution Units", "Xe-cores"],
    "GraphicsDeviceId":  ["Device ID"],
    "GraphicsOutput":    ["Graphics Output"],
    "PerformanceCores":  ["# of Performance-cores"],
    "EfficientCores":    ["# of Efficient-cores"],
    "LowPowerCores":     ["# of Low Power Efficient-cores"],
}
SPECS_AMD = {
    "Model":             ["name"],
    "Family":            ["Family"],
    "Line":              ["Series"],
    "# of CPU Cores":    ["# of CPU Cores"],
    "# of Threads":      ["# of Threads"],
    "Base Clock":        ["Base Clock", "CPU Base Freq."],
    "Max. Boost Clock ¹ ²": ["Max. Boost Clock", "CPU Max Freq."],
    "L2 Cache":          ["L2 Cache", "Total L2 Cache"],
    "L3 Cache":          ["L3 Cache", "Total L3 Cache"],
    "Processor Technology for CPU Cores": ["Processor Technology for CPU Cores"],
    "CPU Socket":        ["CPU Socket"],
    "PCI Express® Version": ["PCI Express® Version"],
    "Max. Operating Temperature (Tjmax)": ["Max. Operating Temperature (Tjmax)"],
    "System Memory Type": ["System Memory Type"],
    "Graphics Model":    ["Graphics Model"],
    "Supported Technologies": ["Supported Technologies"],
}
# The first form factor AMD's newer pages list, or the page's use, as the
# older table's platform.
SPECS_AMD_PLATFORMS = {
    "Desktops": "Desktop", "1L Desktops": "Desktop", "Boxed Processor": "Desktop", "Laptops": "Mobile",
    "Mobile Workstations": "Mobile", "Handheld": "Handheld", "Servers": "Server", "server": "Server",
    "embedded": "Embedded",
}
# fmt: on


def specs_table(path):
    """Whether the CSV at path is in the newer table's columns (a "name" and
    Intel's "Processor Number")."""
    try:
        with open(path, encoding="utf-8-sig", newline="") as handle:
            for row in csv.reader(handle):
                if row and not row[0].startswith("#"):
                    return "name" in row and "Processor Number" in row
    except (OSError, UnicodeDecodeError):
        return False
    return False


def specs_rows(path, maker, mapping):
    """The newer table's rows of one maker, in the older table's columns."""
    for row in read_csv(path, ["name"]):
        if not plain(row["name"]).startswith(maker + " "):
            continue
        yield {old: next((row[c] for c in new if row.get(c, "").strip()), "") for old, new in mapping.items()} | \
            {"_row": row}


def intel_rows(path):
    if specs_table(path):
        for row in specs_rows(path, "Intel", SPECS_INTEL):
            row = corrected("intel", row, "CpuName")
            if row is not None:
                row["EM64"] = "Yes" if row["EM64"] in ("Yes", "64-bit") else row["EM64"]
                yield row
    else:
        yield from corrected_rows(path, INTEL_COLUMNS, "intel")


def amd_specs_row(row):
    """A newer AMD row completed as the older table has it: the platform, and
    the memory type with the speed its page gives for it."""
    page = row["_row"]
    form_factor = plain(page.get("Form Factor", "")).split(" , ")[0]
    row["Platform"] = SPECS_AMD_PLATFORMS.get(form_factor or page.get("intended_usage", ""), "")
    speed = re.search(r"(\d{4}) MT/s", page.get("System Memory Specification", ""))
    memory = plain(row["System Memory Type"])
    if speed and re.fullmatch(r"(LP)?DDR\d", memory):
        row["System Memory Type"] = f"{memory} {speed.group(1)}"
    return row


def amd_rows(path):
    if specs_table(path):
        yield from (amd_specs_row(row) for row in specs_rows(path, "AMD", SPECS_AMD))
    else:
        yield from read_csv(path, AMD_COLUMNS)


def hybrid_kinds(row, cores):
    """A hybrid's performance, efficient and low-power efficient cores, as
    texts; empty texts for a processor of one kind of core, and where the
    kinds do not add up to the cores."""
    kinds = [plain(row.get(c) or "") for c in ("PerformanceCores", "EfficientCores", "LowPowerCores")]
    counts = [int(k) if k.isdigit() else 0 for k in kinds]
    if sum(c > 0 for c in counts) < 2 or not cores or sum(counts) != int(cores):
        return ["", "", ""]
    return [str(c) for c in counts]


def read_intel(path, source="intel"):
    rows = {}
    for row in intel_rows(path):
        name = plain(row["CpuName"])
        # "Intel Core i5+8400 ... includes Intel Optane Memory" is a bundle; "Xeon Gold 5420+" a processor.
        if re.search(r"\+\d|includes", name) or not row["ProcessorNumber"].strip():
            continue
        key = intel_key(row["ProcessorNumber"], name)
        if not key:
            continue
        cores = number(path, name, "CoreCount", row["CoreCount"])
        threads = number(path, name, "ThreadCount", row["ThreadCount"])
        code_name = row["CodeNameText"].replace("Products formerly ", "").strip()
        ht = {"Yes": True, "No": False}.get(plain(row["HyperThreading"])[:3].strip())
        if ht and code_name in INTEL_IRREGULAR_THREADS:
            ht = None
        sheet = {
            "vendor": "Intel",
            "product_line": intel_product_line(name, key),
            "base": clock(row["ClockSpeed"]),
            "turbo": clock(row["ClockSpeedMax"]),
            "cores": cores,
            "threads": threads_of(threads, cores, ht),
            **dict(zip(("performance_cores", "efficient_cores", "low_power_cores"), hybrid_kinds(row, cores))),
            "socket": intel_socket(row["SocketsSupported"]),
            "segment_en": row["MarketSegment"].strip() if row["MarketSegment"].strip() in SEGMENTS else "",
            "code_name": code_name,
            "max_temperature": degrees(row["TCase"] or row["DigitalThermalSensorTemperatureMax"]
                                       or row["ThermalJunctionRateCode"]),
            "lithography": nanometres(row["Lithography"]),
            "memory": memory_form(row["MemoryTypes"]),
            "graphics": intel_graphics(row["ProcessorGraphicsModelId"], row, source != "hand"),
            "l3_cache": intel_l3(row["Cache"], code_name),
            "pcie": intel_pcie(row["PCIExpressRevision"]),
            "technologies": intel_technologies(row),
            "source": source,
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


def read_amd(path, source="amd"):
    rows = {}
    for row in amd_rows(path):
        if not row["Model"].strip():
            continue
        name = amd_name(row)
        key = amd_key(name)
        if not key or not re.search(r"\d", key):
            continue
        cores = number(path, name, "# of CPU Cores", row["# of CPU Cores"])
        smt = False if any(re.search(p, plain(row["Line"])) for p in AMD_WITHOUT_SMT) else None
        if "Simultaneous Multithreading" in row["Supported Technologies"]:
            smt = True
        sheet = {
            "vendor": "AMD",
            "product_line": amd_product_line(key),
            "base": clock(row["Base Clock"]),
            "turbo": clock(row["Max. Boost Clock ¹ ²"]),
            "cores": cores,
            "threads": threads_of(number(path, name, "# of Threads", row["# of Threads"]), cores, smt),
            "socket": re.sub(r"\s*,\s*", ", ", plain(row["CPU Socket"])),  # the newer pages' "FP7 , FP8"
            "segment_en": AMD_PLATFORMS.get(plain(row["Platform"]), ""),
            "code_name": "",
            "max_temperature": degrees(row["Max. Operating Temperature (Tjmax)"]),
            "lithography": nanometres(row["Processor Technology for CPU Cores"]),
            "memory": memory_form(row["System Memory Type"]),
            "graphics": amd_graphics(row["Graphics Model"]),
            "l3_cache": amd_l3(row),
            "pcie": amd_pcie(row["PCI Express® Version"]),
            "technologies": amd_technologies(row["Supported Technologies"]),
            "source": source,
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


def combined(tables):
    """The rows of several tables of one kind: a later table adds the keys
    the earlier lack, and fills the fields an earlier row of its key left
    empty ("-" is a value: the earlier table said there is none)."""
    rows = {}
    for table in tables:
        for key, sheet in table.items():
            row = rows.setdefault(key, dict(sheet))
            if row["vendor"] != sheet["vendor"]:
                continue
            for column, value in sheet.items():
                if not row.get(column):
                    row[column] = value
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
        # "FPGA946.FPGA947": the first of the sockets a page runs together.
        row["socket"] = re.split(r"\.(?=[A-Z])", row["socket"])[0]
        if any("\t" in v or "\n" in v for v in row.values()):
            raise DamagedInput(f"{key}: a field holds a tab or line break")
        table[key] = row
    return table


# ---- machines (the key test joins the sample through brand_key) ---------

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



def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--intel", required=True, action="append", help="may be given more than once")
    parser.add_argument("--amd", required=True, action="append", help="may be given more than once")
    parser.add_argument("--basics", required=True, action="append", help="may be given more than once")
    parser.add_argument("--hand-kept", default=str(HAND_KEPT),
                        help="the rows kept by hand, read after every product table (default %(default)s; '' for none)")
    parser.add_argument("--out-dir", default=str(ROOT / "resources" / "extended"))
    args = parser.parse_args()
    hand = [args.hand_kept] if args.hand_kept else []
    try:
        intel = combined([read_intel(path, "specs" if specs_table(path) else "intel") for path in args.intel] +
                         [read_intel(path, "hand") for path in hand])
        amd = combined([read_amd(path, "specs" if specs_table(path) else "amd") for path in args.amd] +
                       [read_amd(path, "hand") for path in hand])
        basics = combined(read_basics(path) for path in args.basics)
        table = merge(intel, amd, basics)
    except DamagedInput as error:
        print(f"derive_extended.py: {error}", file=sys.stderr)
        return 1
    out = Path(args.out_dir)
    out.mkdir(parents=True, exist_ok=True)
    header = "# " + "\t".join(COLUMNS) + "\n"
    body = "".join("\t".join(table[k][c] for c in COLUMNS) + "\n" for k in sorted(table))
    (out / "processors.tsv").write_text(header + body, encoding="utf-8", newline="\n")
    print(f"wrote {len(table)} processors ({len(intel)} Intel, {len(amd)} AMD, {len(basics)} coarse) "
          f"to {out}", file=sys.stderr)
    return 0


if __name__ == "__main__":
    sys.exit(main())
