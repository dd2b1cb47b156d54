#!/usr/bin/env python3
"""Check the x86 family/model table (TSV) for format and consistency errors.

Usage: check_family_models.py [resources/extended/x86_family_models.tsv]

Exit status 0 when the table is sound, 1 when any problem is found
(one message per problem on stderr). Prints the row count per vendor.
"""
import collections
import os
import sys

COLUMNS = [
    "vendor", "family", "model_first", "model_last",
    "stepping_first", "stepping_last", "code_name", "microarchitecture",
    "lithography", "segment", "certain", "source",
]
NUMERIC = ["family", "model_first", "model_last", "stepping_first", "stepping_last"]
REQUIRED = ["code_name", "microarchitecture", "source"]
VENDORS = {"Intel", "AMD", "Hygon", "VIA", "Zhaoxin"}
SEGMENTS = {"", "Desktop", "Mobile", "Server", "Embedded"}
CERTAIN = {"yes", "no"}
LIMITS = {"model": 255, "stepping": 15}


def check(path):
    problems = []
    rows = []  # (lineno, dict)
    with open(path, encoding="utf-8") as fh:
        lines = fh.read().split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    if not lines or not lines[0].startswith("# "):
        problems.append("line 1: missing header comment line starting with '# '")
    for lineno, line in enumerate(lines, start=1):
        if lineno == 1 and line.startswith("# "):
            continue
        if line.startswith("#"):
            problems.append(f"line {lineno}: unexpected extra comment line")
            continue
        fields = line.split("\t")
        if len(fields) != len(COLUMNS):
            problems.append(
                f"line {lineno}: {len(fields)} columns, expected {len(COLUMNS)}")
            continue
        row = dict(zip(COLUMNS, fields))
        bad = False
        for col in NUMERIC:
            value = row[col]
            if not value.isascii() or not value.isdigit():
                problems.append(f"line {lineno}: {col} '{value}' is not a decimal number")
                bad = True
        for col in REQUIRED:
            if not row[col].strip():
                problems.append(f"line {lineno}: empty {col}")
        if row["vendor"] not in VENDORS:
            problems.append(f"line {lineno}: unknown vendor '{row['vendor']}'")
        if row["segment"] not in SEGMENTS:
            problems.append(f"line {lineno}: unknown segment '{row['segment']}'")
        if row["certain"] not in CERTAIN:
            problems.append(f"line {lineno}: certain must be yes or no, not '{row['certain']}'")
        if bad:
            continue
        for col in NUMERIC:
            row[col] = int(row[col])
        for kind in ("model", "stepping"):
            first, last = row[kind + "_first"], row[kind + "_last"]
            if first > last:
                problems.append(f"line {lineno}: {kind}_first {first} > {kind}_last {last}")
            if last > LIMITS[kind]:
                problems.append(f"line {lineno}: {kind}_last {last} > {LIMITS[kind]}")
        rows.append((lineno, row))

    # Sort order: vendor, family, model, stepping.
    keys = [(r["vendor"], r["family"], r["model_first"], r["stepping_first"]) for _, r in rows]
    for (ln_a, _), (ln_b, _), ka, kb in zip(rows, rows[1:], keys, keys[1:]):
        if kb < ka:
            problems.append(f"line {ln_b}: out of order (vendor, family, model, stepping) after line {ln_a}")

    # Overlaps within (vendor, family).
    groups = collections.defaultdict(list)
    for lineno, row in rows:
        groups[(row["vendor"], row["family"])].append((lineno, row))
    for members in groups.values():
        for i, (ln_a, a) in enumerate(members):
            for ln_b, b in members[i + 1:]:
                models = a["model_first"] <= b["model_last"] and b["model_first"] <= a["model_last"]
                steps = a["stepping_first"] <= b["stepping_last"] and b["stepping_first"] <= a["stepping_last"]
                if models and steps:
                    problems.append(
                        f"line {ln_b}: overlaps line {ln_a} "
                        f"({b['vendor']} family {b['family']})")

    counts = collections.Counter(row["vendor"] for _, row in rows)
    return problems, counts, len(rows)


def main():
    default = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "resources", "extended", "x86_family_models.tsv")
    path = sys.argv[1] if len(sys.argv) > 1 else default
    problems, counts, total = check(path)
    for vendor in sorted(counts):
        print(f"{vendor}\t{counts[vendor]}")
    print(f"total\t{total}")
    for problem in problems:
        print(f"{path}: {problem}", file=sys.stderr)
    if problems:
        print(f"{len(problems)} problem(s) found", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
