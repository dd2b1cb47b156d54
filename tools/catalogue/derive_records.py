#!/usr/bin/env python3
"""Derives the catalogue's record file from the maker's product-page export.

Usage: derive_records.py PRODUCT_PAGES.csv [--records PATH] [--out PATH]

Reads the 578 model keys, in catalogue order, from field 1 of the record file
(--records, by default resources/catalogue/records.txt: the master of the key
list), finds each key's row in the export (ProcessorNumber with blanks
removed, letters upper-cased), adds the hand-kept facts of hand_kept.json
beside this script, maps the columns to the 16 record fields and writes the
record file (--out, by default the same file; UTF-8, one record per line, in
key order). Standard library only.

On standard error it prints, per field, how many records came from the
product pages alone and which keys needed the hand-kept input.
"""

import argparse
import csv
import json
import re
import sys
from collections import defaultdict
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
HERE = Path(__file__).resolve().parent
DEGREE = "\u00b0"

# Generations whose records use the older token order and "VT-X"; the
# LGA1151 V2 generations and later use the newer order and "VT-x".
OLDER_CODE_NAMES = {
    "Harpertown", "Kentsfield", "Yorkfield", "Clarkdale", "Lynnfield", "Sandy Bridge",
    "Ivy Bridge", "Haswell", "Skylake", "Kaby Lake",
}


def yes(column):
    return lambda p: p.get(column, "").startswith("Yes")


def lists(extension):
    return lambda p: extension in p["extensions"]


def always(_):
    return True


# The technology tokens of field 15, in the order a record lists them. A row
# marked "older" or "newer" applies only to records of that era (AES and the
# VT-x token stand at different places in the two eras).
# fmt: off
#  token       era      product-page column (or instruction-set extension)     test
TOKENS = [
    ("FDI",      "both",  "FDI (Flexible Display Interface)",                    yes("FDI")),
    ("AVX2",     "both",  "InstructionSetExtensions: AVX2",                      lists("AVX2")),
    ("AVX-512",  "both",  "InstructionSetExtensions: AVX-512",                   lists("AVX-512")),
    ("InTru 3D", "both",  "InTru3D",                                             yes("InTru3D")),
    ("EPT",      "both",  "ExtendedPageTables",                                  yes("ExtendedPageTables")),
    ("VT-D",     "both",  "VTD (directed I/O)",                                  yes("VTD")),
    ("TSX-NI",   "both",  "TransactionalSynchronizationExtensionVersion",        yes("TransactionalSynchronizationExtensionVersion")),
    ("TXT",      "both",  "TXT (Trusted Execution)",                             yes("TXT")),
    ("TMT",      "both",  "ThermalMonitoring2Indicator",                         yes("ThermalMonitoring2Indicator")),
    ("CV-HD",    "both",  "CVTHD (Clear Video HD)",                              yes("CVTHD")),
    ("QSV",      "both",  "QuickSyncVideo",                                      yes("QuickSyncVideo")),
    ("SK",       "both",  "SecureKeyTechVersion",                                yes("SecureKeyTechVersion")),
    ("TSE",      "both",  "TransactionalSynchronizationExtensionVersion",        yes("TransactionalSynchronizationExtensionVersion")),
    ("OMS",      "both",  "OptaneMemorySupport",                                 yes("OptaneMemorySupport")),
    ("TDT",      "both",  "ThreatDetectTech",                                    yes("ThreatDetectTech")),
    ("ISM",      "both",  "StandardManageability",                               yes("StandardManageability")),
    ("O-SR",     "both",  "OneClickRecovery",                                    yes("OneClickRecovery")),
    ("HT",       "both",  "HyperThreading",                                      yes("HyperThreading")),
    ("AES",      "older", "AESTech",                                             yes("AESTech")),
    ("SSE",      "both",  "every processor of the catalogue",                    always),
    ("SSE2",     "both",  "every processor of the catalogue",                    always),
    ("SSE3",     "both",  "every processor of the catalogue",                    always),
    ("SSSE3",    "both",  "every processor of the catalogue",                    always),
    ("SSE4.1",   "both",  "InstructionSetExtensions: SSE4.1",                    lists("SSE4.1")),
    ("SSE4.2",   "both",  "InstructionSetExtensions: SSE4.2",                    lists("SSE4.2")),
    ("MMX",      "both",  "every processor of the catalogue",                    always),
    ("EM64T",    "both",  "EM64 (Intel 64)",                                     yes("EM64")),
    ("AES",      "newer", "AESTech",                                             yes("AESTech")),
    ("VT-x",     "newer", "VTX",                                                 yes("VTX")),
    ("VT-X",     "older", "VTX",                                                 yes("VTX")),
    ("AVX",      "both",  "InstructionSetExtensions: AVX",                       lists("AVX")),
    ("FMA3",     "both",  "InstructionSetExtensions: FMA3",                      lists("FMA3")),
    ("SHA",      "both",  "InstructionSetExtensions: SHA",                       lists("SHA")),
]

# Memory types column -> field 11.
MEMORY = {
    "DDR2 667/800. DDR3 1066 (chipset)":               "DDR2 667/800 MHz DDR3 1066 MHz",
    "DDR3 1066":                                       "DDR3 1066 MHz",
    "DDR3 800/1066/1333":                              "DDR3 800/1066/1333 MHz",
    "DDR3 1066/1333":                                  "DDR3 1066/1333 MHz",
    "DDR3 1333/1600":                                  "DDR3 1333/1600 MHz",
    "DDR3-1333. DDR3L-1333 @ 1.5V":                    "DDR3-1333 MHz",
    "DDR3-1333/1600. DDR3L-1333/1600 @ 1.5V":          "DDR3-1333/1600, DDR3L-1600 MHz",
    "DDR3 and DDR3L 1333/1600 at 1.5V":                "DDR3-1333/1600, DDR3L-1600 MHz",
    "DDR4-1866/2133. DDR3L-1333/1600 @ 1.35V":         "DDR3-1333/1600, DDR4-1866/2133 MHz",
    "DDR4 2133. DDR3L 1333/1600 @ 1.35V":              "DDR3-1333/1600, DDR4-2133 MHz",
    "DDR4-2133. DDR3L-1600":                           "DDR3-1333/1600, DDR4-2133 MHz",
    "DDR4-2133/2400. DDR3L-1333/1600 @ 1.35V":         "DDR3-1333/1600, DDR4-2133/2400 MHz",
    "DDR3L-1600. DDR4-2400":                           "DDR3-1333/1600, DDR4-2400 MHz",
    "DDR4-2400. DDR3L-1866":                           "DDR3-1333/1600, DDR4-2400 MHz",
    "DDR4-2400":                                       "DDR4-2400 MHz",
    "DDR4-2666":                                       "DDR4-2666 MHz",
    "DDR4-2933":                                       "DDR4-2933 MHz",
    "DDR4-3200":                                       "DDR4-3200 MHz",
    "Up to DDR5 4800 MT/s Up to DDR4 3200 MT/s":       "DDR4-3200 MHz, DDR5-4800 MHz",
    "Up to DDR5 5600 MT/s Up to DDR4 3200 MT/s":       "DDR4-3200 MHz, DDR5-5600 MHz",
}

# Lithography column -> field 10 (the maker's process names in nanometres).
LITHOGRAPHY = {"Intel 7": "10 nm"}

# PCI Express revision column -> field 14.
PCI_EXPRESS = {"": "-", "Up to 3.0": "3.0", "5.0 and 4.0": "4.0, 5.0"}
# fmt: on


def plain(text):
    """Drops the trademark signs the product pages carry."""
    return re.sub(r"\s+", " ", text.replace("\u00ae", "").replace("\u2122", "")).strip()


def code_name(p):
    return p.get("CodeNameText", "").replace("Products formerly ", "").strip()


def product_line(key, p):
    name = plain(p["CpuName"])
    match = re.match(r"Intel (Xeon|Core2 Quad|Core2 Extreme|Core|Pentium Gold|Pentium|Celeron)\b", name)
    if not match:
        raise ValueError(f"{key}: no product line in {name!r}")
    line = match.group(1)
    if line == "Core":
        line += " i" + key[1]
    return "Intel " + line


def socket(p):
    match = re.search(r"LGA(\d+)", p.get("SocketsSupported", ""))
    if not match:
        return ""
    text = "LGA" + match.group(1)
    # The 8th/9th generation socket is electrically a second version of LGA1151.
    if text == "LGA1151" and code_name(p) == "Coffee Lake":
        text += " V2"
    return text


def temperature(p):
    case = p.get("TCase", "")
    if case:
        return str(int(float(re.match(r"[\d.]+", case).group(0)))) + DEGREE + "C"
    junction = p.get("ThermalJunctionRateCode", "")
    if re.fullmatch(r"\d+", junction):
        return junction + DEGREE + "C"
    return junction  # as the page writes it: "100 °C", "100/88°C"


def cache(p):
    match = re.match(r"([\d.]+) MB", p.get("Cache", ""))
    return match.group(1) + " Mb" if match else ""


def graphics(p):
    name = plain(p.get("ProcessorGraphicsModelId", ""))
    if not name:
        return "-"
    if re.fullmatch(r"Intel HD Graphics for .* Processors", name):
        return "Intel HD Graphics"
    return re.sub(r"^Intel HD Graphics (P\d+)$", r"Intel HD \1", name)


def extensions(p):
    names = set()
    for column in ("InstructionSetExtensions", "ExtraInstructionSetExtensions"):
        for part in re.split(r"\.\s+", p.get(column, "")):
            part = plain(part).replace("Intel ", "").strip()
            if part:
                names.add(part)
    return names


def technologies(p, era):
    return [token for token, rows_era, _, test in TOKENS if rows_era in ("both", era) and test(p)]


# fmt: off
# Field number -> (columns it reads, derivation).
FIELDS = {
    2:  (("CpuName",),                                lambda k, p: product_line(k, p)),
    3:  (("ClockSpeedMax",),                          lambda k, p: p.get("ClockSpeedMax") or "-"),
    4:  (("CoreCount",),                              lambda k, p: p.get("CoreCount", "")),
    5:  (("ThreadCount",),                            lambda k, p: p.get("ThreadCount") or "-"),
    6:  (("SocketsSupported",),                       lambda k, p: socket(p)),
    7:  (("MarketSegment",),                          lambda k, p: p.get("MarketSegment", "")),
    8:  (("CodeNameText",),                           lambda k, p: code_name(p)),
    9:  (("TCase", "ThermalJunctionRateCode"),        lambda k, p: temperature(p)),
    10: (("Lithography",),                            lambda k, p: LITHOGRAPHY.get(p.get("Lithography", ""), p.get("Lithography", ""))),
    11: (("MemoryTypes",),                            lambda k, p: MEMORY.get(p.get("MemoryTypes", ""), "")),
    12: (("ProcessorGraphicsModelId",),               lambda k, p: graphics(p)),
    13: (("Cache",),                                  lambda k, p: cache(p)),
    14: (("PCIExpressRevision",),                     lambda k, p: PCI_EXPRESS.get(p.get("PCIExpressRevision", ""), p.get("PCIExpressRevision", ""))),
    15: (tuple(sorted({c for _, _, c, _ in TOKENS})), None),
    16: (("PCoreBaseFreq",),                          lambda k, p: "@" + p["PCoreBaseFreq"] if socket(p) == "LGA1700" and p.get("PCoreBaseFreq") else None),
}
# fmt: on


def read_keys(records_path):
    lines = Path(records_path).read_text(encoding="utf-8").splitlines()
    keys = [line.split("|", 1)[0] for line in lines]
    if len(keys) != 578 or any("|" not in line or not line.split("|", 1)[0] for line in lines):
        raise SystemExit(f"{records_path}: {len(keys)} records, expected 578, each beginning with its key and '|'")
    return keys


def normalised(number):
    return number.replace(" ", "").upper()


def read_product_pages(path):
    rows = {}
    with open(path, encoding="utf-8", newline="") as handle:
        for row in csv.DictReader(handle):
            # Bundles with a memory module are listed as "i5+8400"; the processor's own page wins.
            if "+" in row.get("CpuName", ""):
                continue
            rows.setdefault(normalised(row.get("ProcessorNumber", "")), row)
    return rows


def derive(csv_path, records_path):
    keys = read_keys(records_path)
    pages = read_product_pages(csv_path)
    hand = json.loads((HERE / "hand_kept.json").read_text(encoding="utf-8"))
    records, from_hand = [], defaultdict(list)
    for key in keys:
        product = dict(pages.get(normalised(key), {}))
        filled = set()
        if not product:
            product = {c: v for c, v in hand["products"][key].items() if not c.startswith("_")}
            filled = set(product) | {"*"}
        for column, value in hand["fills"].get(key, {}).items():
            if product.get(column):
                raise SystemExit(f"{key}: hand-kept {column} would replace the product page's value")
            product[column] = value
            filled.add(column)
        for column, value in hand["by_code_name"].get(code_name(product), {}).items():
            if not product.get(column):
                product[column] = value
                filled.add(column)
        product["extensions"] = extensions(product)
        era = "older" if code_name(product) in OLDER_CODE_NAMES else "newer"

        fields = {1: key}
        for number, (columns, rule) in FIELDS.items():
            if number == 15:
                continue
            fields[number] = rule(key, product)
        tokens = technologies(product, era)
        override = hand["overrides"].get(key, {})
        tokens = [t for t in tokens if t not in override.get("drop_tokens", [])]
        fields[15] = ", ".join(tokens)
        for number, value in override.get("fields", {}).items():
            fields[int(number)] = value

        for number, (columns, _) in FIELDS.items():
            if "*" in filled or filled & set(columns) or (number == 15 and "ExtraInstructionSetExtensions" in filled):
                from_hand[number].append(key)
        for number in range(2, 16):
            if not fields[number]:
                raise SystemExit(f"{key}: field {number} is empty; add the fact to hand_kept.json")
        record = "".join(fields[n] + "|" for n in range(1, 16))
        if fields.get(16):
            record += fields[16]
        records.append(record)
    return keys, records, from_hand


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("csv", help="the product-page export (CSV)")
    records_file = str(ROOT / "resources" / "catalogue" / "records.txt")
    parser.add_argument("--records", default=records_file, help="the record file whose field 1 gives the keys")
    parser.add_argument("--out", default=records_file)
    args = parser.parse_args()
    keys, records, from_hand = derive(args.csv, args.records)
    Path(args.out).write_text("".join(r + "\n" for r in records), encoding="utf-8", newline="\n")
    print(f"wrote {len(records)} records to {args.out}", file=sys.stderr)
    for number in range(2, 17):
        hand_keys = from_hand.get(number, [])
        print(f"field {number:2}: {len(keys) - len(hand_keys)} from the product pages", file=sys.stderr, end="")
        print(f", {len(hand_keys)} with hand-kept input: {', '.join(hand_keys)}" if hand_keys else "", file=sys.stderr)


if __name__ == "__main__":
    main()
