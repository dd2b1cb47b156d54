#!/usr/bin/env python3
"""Which x86 family/model/stepping of a machine sample no row of the family/model table names.

Usage: family_models_coverage.py TABLE SAMPLE [MIN_PROBES]

TABLE is resources/extended/x86_family_models.tsv; SAMPLE a TSV with a header
line and the columns brand, vendor, family, model, stepping, probes (further
columns ignored). Prints, most machines first, every (vendor, family, model,
stepping) that no row covers and that more than MIN_PROBES machines (default
5) report, with one brand string as an example. Exit status 1 when any is
printed.
"""
import collections
import sys

# The sample writes the maker as the brand's vendor; the table as well.
X86_VENDORS = {"Intel", "AMD", "Hygon", "VIA", "Zhaoxin"}


def table_rows(path):
    with open(path, encoding="utf-8") as fh:
        for line in fh.read().splitlines()[1:]:
            f = line.split("\t")
            yield f[0], int(f[1]), int(f[2]), int(f[3]), int(f[4]), int(f[5])


def covered(rows, vendor, family, model, stepping):
    return any(v == vendor and f == family and mf <= model <= ml and sf <= stepping <= sl
               for v, f, mf, ml, sf, sl in rows)


def main():
    if len(sys.argv) not in (3, 4):
        print(__doc__.strip(), file=sys.stderr)
        return 2
    rows = list(table_rows(sys.argv[1]))
    least = int(sys.argv[3]) if len(sys.argv) == 4 else 5
    machines = collections.Counter()
    example = {}
    with open(sys.argv[2], encoding="utf-8") as fh:
        header = fh.readline().rstrip("\n").split("\t")
        col = {name: header.index(name) for name in
               ("brand", "vendor", "family", "model", "stepping", "probes")}
        for line in fh:
            f = line.rstrip("\n").split("\t")
            if f[col["vendor"]] not in X86_VENDORS or not f[col["family"]].isdigit():
                continue
            key = (f[col["vendor"]], int(f[col["family"]]), int(f[col["model"]]),
                   int(f[col["stepping"]]))
            if not covered(rows, *key):
                machines[key] += int(f[col["probes"]])
                example.setdefault(key, f[col["brand"]])
    missing = [(key, n) for key, n in machines.most_common() if n > least]
    for (vendor, family, model, stepping), n in missing:
        print(f"{vendor}\t{family}\t{model}\t{stepping}\t{n}\t{example[(vendor, family, model, stepping)]}")
    return 1 if missing else 0


if __name__ == "__main__":
    sys.exit(main())
