#!/usr/bin/env python3
"""Derives the fixture of tests/core/check_sample_test.cpp from a table of the
brand strings real machines report (columns brand, vendor, family, model,
stepping, probes, ...; the table `make coverage` reads).

Writes one line per machine, brand string and identifier separated by a tab,
for the x86 machines the most probes report, most first: the test runs each
through the pass and holds the sheet's own facts, taken as the machine's,
against the sheet, which must give no finding.

    tools/check/derive_check_fixture.py SAMPLE.tsv tests/core/data/check_sample.tsv [--limit 300]
"""
import argparse
import csv
import sys

# The identifier the system writes for a maker's processors.
IDENTIFIER_PREFIX = {"Intel": "Intel64", "AMD": "AMD64", "VIA": "VIA64", "Hygon": "AMD64", "Zhaoxin": "Intel64"}


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("sample", help="the table of machines (TSV with a header line)")
    parser.add_argument("out", help="the fixture to write")
    parser.add_argument("--limit", type=int, default=300, help="how many machines (default 300)")
    args = parser.parse_args()

    rows = []
    with open(args.sample, newline="", encoding="utf-8") as f:
        for row in csv.DictReader(f, delimiter="\t"):
            prefix = IDENTIFIER_PREFIX.get(row.get("vendor", ""))
            brand = row.get("brand", "")
            if not prefix or not brand or "\t" in brand:
                continue
            try:
                family, model, stepping = int(row["family"]), int(row["model"]), int(row["stepping"])
                probes = int(row.get("probes") or 0)
            except (KeyError, ValueError):
                continue
            rows.append((-probes, brand, f"{prefix} Family {family} Model {model} Stepping {stepping}"))
    rows.sort()
    seen, lines = set(), []
    for _, brand, identifier in rows:
        if (brand, identifier) in seen:
            continue
        seen.add((brand, identifier))
        lines.append(f"{brand}\t{identifier}\n")
        if len(lines) >= args.limit:
            break
    with open(args.out, "w", encoding="utf-8", newline="\n") as out:
        out.write("# brand<TAB>identifier; derived by tools/check/derive_check_fixture.py\n")
        out.writelines(lines)
    print(f"{len(lines)} machines written to {args.out}", file=sys.stderr)


if __name__ == "__main__":
    main()
