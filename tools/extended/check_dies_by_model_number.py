#!/usr/bin/env python3
"""Check the table of dies told apart by model number (TSV).

Usage: check_dies_by_model_number.py [DIES [FAMILY_MODELS [PROCESSORS]]]
       check_dies_by_model_number.py --die VENDOR FAMILY MODEL KEY [DIES]

DIES is resources/extended/dies_by_model_number.tsv; FAMILY_MODELS and
PROCESSORS default to x86_family_models.tsv and processors.tsv beside it.
Where a family/model stands for several dies ("Pinnacle Ridge / Colfax"),
each row names one of them for the extended-table keys that begin with one of
its prefixes; the first matching row of a family/model wins. Exit status 0
when the table is sound, 1 when any problem is found (one message per problem
on stderr). Prints the row count per vendor. With --die, prints the die the
table names for that family, model and key (as the program reads it: the
first row one of whose prefixes begins the key), or nothing.
"""
import collections
import os
import sys

COLUMNS = ["vendor", "family", "model_first", "model_last", "key_prefixes", "code_name", "source"]
NUMERIC = ["family", "model_first", "model_last"]
REQUIRED = ["key_prefixes", "code_name", "source"]
VENDORS = {"Intel", "AMD", "Hygon", "VIA", "Zhaoxin"}
MODEL_LIMIT = 255
# How the family/model table joins the dies of one row.
DIE_SEPARATOR = " / "


def data_lines(path):
    """(line number, line) of every line but the header, and whether a header stands first."""
    with open(path, encoding="utf-8") as fh:
        lines = fh.read().split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    header = bool(lines) and lines[0].startswith("# ")
    return header, [(n, line) for n, line in enumerate(lines, start=1) if not (n == 1 and header)]


def die_names(path):
    """(vendor, family, model) -> (names of every row covering it, whether all of them are certain)."""
    names = collections.defaultdict(set)
    certain = collections.defaultdict(lambda: True)
    for _, line in data_lines(path)[1]:
        f = line.split("\t")
        vendor, family, first, last = f[0], int(f[1]), int(f[2]), int(f[3])
        for model in range(first, last + 1):
            names[(vendor, family, model)].update(f[6].split(DIE_SEPARATOR))
            certain[(vendor, family, model)] &= f[10] == "yes"
    return names, certain


def extended_keys(path):
    """vendor -> the extended table's keys (field 1) of that vendor."""
    keys = collections.defaultdict(list)
    for _, line in data_lines(path)[1]:
        f = line.split("\t")
        keys[f[1]].append(f[0])
    return keys


def parse(path, problems):
    header, lines = data_lines(path)
    if not header:
        problems.append("line 1: missing header comment line starting with '# '")
    rows = []
    for lineno, line in lines:
        if line.startswith("#"):
            problems.append(f"line {lineno}: unexpected extra comment line")
            continue
        fields = line.split("\t")
        if len(fields) != len(COLUMNS):
            problems.append(f"line {lineno}: {len(fields)} columns, expected {len(COLUMNS)}")
            continue
        row = dict(zip(COLUMNS, fields))
        for col in REQUIRED:
            if not row[col].strip():
                problems.append(f"line {lineno}: empty {col}")
        if row["vendor"] not in VENDORS:
            problems.append(f"line {lineno}: unknown vendor '{row['vendor']}'")
        bad = [col for col in NUMERIC if not (row[col].isascii() and row[col].isdigit())]
        for col in bad:
            problems.append(f"line {lineno}: {col} '{row[col]}' is not a decimal number")
        if bad:
            continue
        for col in NUMERIC:
            row[col] = int(row[col])
        if row["model_first"] > row["model_last"]:
            problems.append(f"line {lineno}: model_first {row['model_first']} > model_last {row['model_last']}")
        if row["model_last"] > MODEL_LIMIT:
            problems.append(f"line {lineno}: model_last {row['model_last']} > {MODEL_LIMIT}")
        row["prefixes"] = row["key_prefixes"].split("|")
        for prefix in row["prefixes"]:
            if not prefix or prefix != prefix.strip():
                problems.append(f"line {lineno}: prefix '{prefix}' is empty or has blanks at an end")
        rows.append((lineno, row))
    return rows


def overlap(a, b):
    return (a["vendor"], a["family"]) == (b["vendor"], b["family"]) and \
        a["model_first"] <= b["model_last"] and b["model_first"] <= a["model_last"]


def check_names(rows, names, certain, problems):
    """The die a row names is one of its family/model row's dies, which stands for several."""
    for lineno, row in rows:
        for model in range(row["model_first"], row["model_last"] + 1):
            place = (row["vendor"], row["family"], model)
            label = f"{row['vendor']} {row['family']}/{model}"
            if place not in names:
                problems.append(f"line {lineno}: no family/model row for {label}")
            elif row["code_name"] not in names[place]:
                problems.append(f"line {lineno}: '{row['code_name']}' is not a die of {label} "
                                f"({DIE_SEPARATOR.join(sorted(names[place]))})")
            elif certain[place]:
                problems.append(f"line {lineno}: {label} names one die for sure; nothing to tell apart")


def check_reach(rows, problems):
    """No prefix stands behind a shorter one of an earlier row (or of its own row) of the same models."""
    for i, (lineno, row) in enumerate(rows):
        for j, prefix in enumerate(row["prefixes"]):
            for earlier_lineno, earlier in rows[:i + 1]:
                if not overlap(row, earlier):
                    continue
                mine = earlier_lineno == lineno
                for k, general in enumerate(earlier["prefixes"]):
                    if (mine and k == j) or not general or not prefix.startswith(general):
                        continue
                    if mine:
                        problems.append(f"line {lineno}: prefix '{prefix}' already covered by '{general}' of its own row")
                    else:
                        problems.append(f"line {lineno}: prefix '{prefix}' unreachable: "
                                        f"'{general}' of line {earlier_lineno} matches first")


def check_keys(rows, keys, problems):
    """Every prefix begins some key of the extended table (a prefix that begins none is a misspelling)."""
    for lineno, row in rows:
        for prefix in row["prefixes"]:
            if prefix and not any(key.startswith(prefix) for key in keys[row["vendor"]]):
                problems.append(f"line {lineno}: prefix '{prefix}' begins no {row['vendor']} key of the extended table")


def check_grouping(rows, problems):
    """The rows of one family/model stand together, so the table reads in evaluation order."""
    seen, previous = set(), None
    for lineno, row in rows:
        place = (row["vendor"], row["family"], row["model_first"], row["model_last"])
        if place != previous and place in seen:
            problems.append(f"line {lineno}: {row['vendor']} {row['family']}/{row['model_first']} "
                            f"apart from its other rows")
        seen.add(place)
        previous = place


def check(dies, family_models, processors):
    problems = []
    rows = parse(dies, problems)
    names, certain = die_names(family_models)
    check_names(rows, names, certain, problems)
    check_reach(rows, problems)
    check_keys(rows, extended_keys(processors), problems)
    check_grouping(rows, problems)
    return problems, collections.Counter(row["vendor"] for _, row in rows), len(rows)


def die_of(path, vendor, family, model, key):
    """The code name of the first row of that family and model one of whose prefixes begins `key`."""
    for _, line in data_lines(path)[1]:
        f = line.split("\t")
        if f[0] != vendor or int(f[1]) != family or not int(f[2]) <= model <= int(f[3]):
            continue
        if any(prefix and key.startswith(prefix) for prefix in f[4].split("|")):
            return f[5]
    return ""


def main():
    here = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "resources", "extended")
    args = sys.argv[1:]
    if args[:1] == ["--die"] and len(args) in (5, 6):
        dies = args[5] if len(args) == 6 else os.path.join(here, "dies_by_model_number.tsv")
        print(die_of(dies, args[1], int(args[2]), int(args[3]), args[4]))
        return 0
    dies = args[0] if args else os.path.join(here, "dies_by_model_number.tsv")
    beside = os.path.dirname(os.path.abspath(dies))
    family_models = args[1] if len(args) > 1 else os.path.join(beside, "x86_family_models.tsv")
    processors = args[2] if len(args) > 2 else os.path.join(beside, "processors.tsv")
    problems, counts, total = check(dies, family_models, processors)
    for vendor in sorted(counts):
        print(f"{vendor}\t{counts[vendor]}")
    print(f"total\t{total}")
    for problem in problems:
        print(f"{dies}: {problem}", file=sys.stderr)
    if problems:
        print(f"{len(problems)} problem(s) found", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
