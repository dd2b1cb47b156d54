#!/usr/bin/env python3
"""Check the x86 family/model table (TSV) for format and consistency errors.

Usage: check_family_models.py [--holes] [resources/extended/x86_family_models.tsv]

Exit status 0 when the table is sound, 1 when any problem is found
(one message per problem on stderr). Prints the row count per vendor; with
--holes, instead the models inside each family's range that no row names
("Intel 6: 2, 4, 12, 16-21"), for comparison with the models known to be
unassigned.
"""
import collections
import os
import re
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
# "14 nm"; Intel's own node names where no nm figure is true; several dies of
# one row joined by " / ". Intel 7 is written "10 nm", as the catalogue does.
NODE = r"(?:[1-9][0-9]* nm|Intel (?:4|3|20A|18A))"
LITHOGRAPHY = re.compile(rf"(?:{NODE}(?: / {NODE})*)?")


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
        if not LITHOGRAPHY.fullmatch(row["lithography"]):
            problems.append(f"line {lineno}: lithography '{row['lithography']}' is not '<N> nm' "
                            f"or an Intel node name")
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
    return problems, counts, len(rows), holes(groups)


def holes(groups):
    """Per (vendor, family): the models between its lowest and highest row that no row names."""
    found = {}
    for key, members in sorted(groups.items()):
        named = set()
        for _, row in members:
            named.update(range(row["model_first"], row["model_last"] + 1))
        missing = [m for m in range(min(named), max(named) + 1) if m not in named]
        if missing:
            found[key] = missing
    return found


def ranges(models):
    """[2, 4, 5, 6, 9] -> "2, 4-6, 9"."""
    parts = []
    start = previous = models[0]
    for model in models[1:] + [None]:
        if model is not None and model == previous + 1:
            previous = model
            continue
        parts.append(str(start) if start == previous else f"{start}-{previous}")
        start = previous = model
    return ", ".join(parts)


def main():
    default = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "resources", "extended", "x86_family_models.tsv")
    args = sys.argv[1:]
    show_holes = "--holes" in args
    args = [a for a in args if a != "--holes"]
    path = args[0] if args else default
    problems, counts, total, missing = check(path)
    if show_holes:
        for (vendor, family), models in missing.items():
            print(f"{vendor} {family}: {ranges(models)}")
    else:
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
