#!/usr/bin/env python3
"""Check the microarchitecture technologies table (TSV) against its vocabulary
and against the x86 family/model table.

Usage: check_microarchitecture_technologies.py TECHNOLOGIES FAMILY_MODELS [PROCESSORS]

TECHNOLOGIES is resources/extended/microarchitecture_technologies.tsv,
FAMILY_MODELS resources/extended/x86_family_models.tsv; with PROCESSORS
(resources/extended/processors.tsv) every product line a row names must be one
the catalogue writes. Exit status 0 when sound, 1 with one message per problem
on stderr.
"""
import sys

COLUMNS = ["vendor", "microarchitecture", "lines", "technologies", "source"]

# The catalogue's names, in the order a row lists them: instruction sets
# oldest first, then the 64-bit mode, then the virtualisation extension.
VOCABULARY = [
    "MMX", "SSE", "SSE2", "SSE3", "SSSE3", "SSE4.1", "SSE4.2", "SSE4A",
    "AVX", "AVX2", "AVX-512", "FMA3", "FMA4", "AES", "SHA",
    "EM64T", "AMD64", "VT-x", "AMD-V",
]
RANK = {name: index for index, name in enumerate(VOCABULARY)}

# Names one maker's processors never report.
FOREIGN = {
    "Intel": {"AMD64", "AMD-V", "SSE4A", "FMA4"},
    "AMD": {"EM64T", "VT-x"},
    "Hygon": {"EM64T", "VT-x"},
}

# Microarchitectures older than SSE, or whose first processors predate it:
# no technology holds for every processor of them, so a "*" row is optional.
BEFORE_SSE = {
    ("Intel", "P5"), ("Intel", "P6"), ("Intel", "Lakemont"),
    ("AMD", "K5"), ("AMD", "K6"),
    ("VIA", "C5A"), ("VIA", "C5B"), ("VIA", "C5C"), ("VIA", "C5N"),
}


def read_tsv(path, width, problems, label):
    """Rows of a headed TSV as (line number, fields); width None skips the count check."""
    with open(path, encoding="utf-8") as fh:
        lines = fh.read().split("\n")
    if lines and lines[-1] == "":
        lines.pop()
    if not lines or not lines[0].startswith("# "):
        problems.append(f"{label}line 1: missing header comment line starting with '# '")
    rows = []
    for lineno, line in enumerate(lines[1:], start=2):
        fields = line.split("\t")
        if width is not None and len(fields) != width:
            problems.append(f"{label}line {lineno}: {len(fields)} columns, expected {width}")
            continue
        rows.append((lineno, fields))
    return rows


def check_technologies(lineno, vendor, text, problems):
    names = text.split(", ")
    if not text:
        problems.append(f"line {lineno}: empty technologies")
        return
    for name in names:
        if name not in RANK:
            problems.append(f"line {lineno}: '{name}' is not in the technology vocabulary")
        elif name in FOREIGN.get(vendor, ()):
            problems.append(f"line {lineno}: {vendor} processors do not report '{name}'")
    known = [name for name in names if name in RANK]
    if len(set(known)) != len(known):
        problems.append(f"line {lineno}: a technology named twice")
    elif known != sorted(known, key=RANK.get):
        problems.append(f"line {lineno}: technologies out of order, expected "
                        f"'{', '.join(sorted(known, key=RANK.get))}'")


def check(tech_path, family_path, processors_path=None):
    problems = []
    family = read_tsv(family_path, None, problems, "family/model table ")
    used = {(f[0], f[7]) for _, f in family if len(f) > 7}
    product_lines = None
    if processors_path:
        product_lines = {f[2] for _, f in read_tsv(processors_path, None, problems, "catalogue ")
                         if len(f) > 2 and f[2]}

    seen = {}
    star = set()
    for lineno, fields in read_tsv(tech_path, len(COLUMNS), problems, ""):
        row = dict(zip(COLUMNS, fields))
        vendor, arch, lines = row["vendor"], row["microarchitecture"], row["lines"]
        for col in COLUMNS:
            if not row[col].strip():
                problems.append(f"line {lineno}: empty {col}")
        if (vendor, arch) not in used:
            problems.append(f"line {lineno}: {vendor} '{arch}' is no microarchitecture "
                            f"of the family/model table")
        if lines == "*":
            key = (vendor, arch, "*")
            star.add((vendor, arch))
        else:
            named = lines.split("|")
            if len(set(named)) != len(named) or "" in named or "*" in named:
                problems.append(f"line {lineno}: lines '{lines}' names a line twice, "
                                f"an empty line or '*' among others")
            if product_lines is not None:
                for line in named:
                    if line and line != "*" and line not in product_lines:
                        problems.append(f"line {lineno}: '{line}' is not a product line "
                                        f"of the catalogue")
            key = (vendor, arch, frozenset(named))
        if key in seen:
            problems.append(f"line {lineno}: duplicates line {seen[key]} "
                            f"({vendor} {arch}, lines {lines})")
        seen.setdefault(key, lineno)
        check_technologies(lineno, vendor, row["technologies"], problems)

    for vendor, arch in sorted(used - star - BEFORE_SSE):
        problems.append(f"no '*' row for {vendor} '{arch}'")
    return problems, len(seen)


def main():
    if len(sys.argv) not in (3, 4):
        print(__doc__.strip(), file=sys.stderr)
        return 2
    problems, total = check(*sys.argv[1:])
    print(f"rows\t{total}")
    for problem in problems:
        print(f"{sys.argv[1]}: {problem}", file=sys.stderr)
    if problems:
        print(f"{len(problems)} problem(s) found", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
