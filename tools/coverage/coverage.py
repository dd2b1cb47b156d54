#!/usr/bin/env python3
"""How many real machines get a data sheet, and whether its counts are right.

    coverage.py SAMPLE.tsv WEXMORA-INFO [--unanswered N] [--catalogue-only]

SAMPLE.tsv is a table of brand strings real machines report (columns brand,
vendor, family, model, stepping, probes, cores, threads, l3_mib, max_mhz; one
row per brand string, `probes` machines each). Every x86 row goes through
`wexmora-info --brands - --json` as "brand<TAB>identifier", exactly as the
program would identify that processor on another machine (so without the
machine's own facts). Printed, weighted by probes: the share of x86 machines
answered by the catalogue, by the extended table and by neither (those get
the machine's own facts on their own machine), then how often the sheets'
cores, threads and L3 agree with the machines' figures, and the most common
brand strings still without a table row. With --catalogue-only the program
answers from its catalogue alone, as it did before it had the extended
table: the figures to compare with.

Completeness: per source and vendor, the share of machines whose sheet fills
each of the 15 data fields and the mean number filled. A field is filled
when it holds a value, or "-" where that "-" says the processor has none of
it (no turbo, no graphics, no L3); "Unknown", an empty text, a "-" that
stands for an unknown count and an empty technologies list are not.

Linux's lscpu, which the sample's figures come from, has quirks that the
comparison allows for:
  - AMD family 21 (FX, the A-series APUs of that family, Opteron 6200-6300):
    a module of two cores shows as one core with two threads;
  - Zen (families 23, 25) and Opteron: older versions give the L3 of one core
    complex or one die, a fraction of the processor's;
  - hyper-threading or SMT switched off: threads equal cores;
  - virtual machines and machines with cores switched off report fewer cores
    and threads: counted as disagreeing, and listed.
"""
import csv
import json
import subprocess
import sys
from collections import Counter

X86_VENDORS = {"Intel": "Intel64", "AMD": "AMD64", "VIA": "x86"}


def fail(message):
    sys.exit(f"coverage.py: {message}")


def read_sample(path):
    try:
        with open(path, newline="", encoding="utf-8") as f:
            rows = list(csv.DictReader(f, delimiter="\t"))
    except OSError as error:
        fail(f"cannot read {path}: {error.strerror}")
    need = {"brand", "vendor", "family", "model", "stepping", "probes", "cores", "threads", "l3_mib"}
    if not rows or not need <= set(rows[0]):
        fail(f"{path} lacks the columns {', '.join(sorted(need - set(rows[0] if rows else [])))}")
    return [r for r in rows if r["vendor"] in X86_VENDORS]


def identifier(row):
    return f"{X86_VENDORS[row['vendor']]} Family {row['family']} Model {row['model']} Stepping {row['stepping']}"


def number(text):
    try:
        return float(text)
    except (TypeError, ValueError):
        return None


def l3_mib(text):
    """ "9 Mb" -> 9.0, "512 Kb" -> 0.5; None when the sheet gives no size."""
    parts = (text or "").split()
    if len(parts) != 2 or number(parts[0]) is None:
        return None
    return number(parts[0]) / (1024 if parts[1].lower().startswith("k") else 1)


# The data fields of a sheet, in the window's order; those where "-" says
# "the processor has none".
FIELDS = ("product_line", "base_frequency", "turbo_frequency", "cores", "threads", "socket", "segment", "code_name",
          "max_temperature", "lithography", "memory", "graphics", "l3_cache", "pcie", "technologies")
NONE_MEANS_ABSENT = {"turbo_frequency", "graphics", "l3_cache"}
UNKNOWN = {"", "Unknown", "Неизвестно"}


def filled(sheet, field):
    value = sheet.get(field)
    if field == "technologies":
        return bool(value)
    if value is None or value.strip() in UNKNOWN:
        return False
    return value != "-" or field in NONE_MEANS_ABSENT


def print_completeness(completeness):
    """completeness: (source, vendor) -> [machines, Counter of field -> machines filled, fields-filled sum]."""
    short = {"product_line": "line", "base_frequency": "base", "turbo_frequency": "turbo", "max_temperature": "temp",
             "lithography": "litho", "technologies": "techn", "code_name": "code", "l3_cache": "l3"}
    names = [short.get(f, f)[:6] for f in FIELDS]
    print("Completeness, weighted by machines: mean fields filled of 15 and the share filling each field (%):")
    print(f"  {'source':10} {'vendor':6} {'machines':>8} {'mean':>5}  " + " ".join(f"{n:>6}" for n in names))
    order = {"catalogue": 0, "extended": 1, "brand": 2, "machine": 3, "none": 9}
    for (source, vendor) in sorted(completeness, key=lambda k: (order.get(k[0], 5), k[0], k[1])):
        machines, fields, total = completeness[(source, vendor)]
        shares = " ".join(f"{100.0 * fields[f] / machines:6.1f}" for f in FIELDS)
        print(f"  {source:10} {vendor:6} {machines:8} {total / machines:5.2f}  {shares}")


def agrees(row, sheet):
    """(cores, threads, l3) each True, False or None (nothing to compare)."""
    family = int(row["family"] or 0)
    amd = row["vendor"] == "AMD"
    cores, threads = number(sheet.get("cores")), number(sheet.get("threads"))
    got_cores, got_threads = number(row["cores"]), number(row["threads"])
    core_ok = thread_ok = None
    if cores and got_cores:
        core_ok = got_cores == cores or (amd and family == 21 and got_cores * 2 == cores)
    if threads and got_threads:
        thread_ok = got_threads == threads or (got_threads == got_cores and core_ok)
        thread_ok = thread_ok or (amd and family == 21 and got_threads == cores)
    l3, got_l3 = l3_mib(sheet.get("l3_cache")), number(row["l3_mib"])
    l3_ok = None
    if l3 and got_l3:
        l3_ok = abs(l3 - got_l3) < 0.05
        if not l3_ok and amd and got_l3 < l3:
            ratio = l3 / got_l3
            l3_ok = abs(ratio - round(ratio)) < 0.01
    return core_ok, thread_ok, l3_ok


def print_outside_catalogue(completeness, machines):
    """The mean fields filled of the sheets outside the catalogue, per vendor and together, and the share of
    all x86 machines whose sheet names a code name and technologies."""
    def mean(keys):
        count = sum(completeness[k][0] for k in keys)
        return sum(completeness[k][2] for k in keys) / count if count else 0.0
    outside = [k for k in completeness if k[0] != "catalogue"]
    by_vendor = ", ".join(f"{v} {mean([k for k in outside if k[1] == v]):.2f}"
                          for v in sorted({k[1] for k in outside}))
    print(f"Sheets outside the catalogue fill {mean(outside):.2f} of 15 fields on average ({by_vendor})")
    for field, name in (("code_name", "a code name"), ("technologies", "technologies")):
        share = 100.0 * sum(e[1][field] for e in completeness.values()) / machines
        print(f"  {name}: {share:.2f} % of x86 machines")


def main(argv):
    args = argv[1:]
    unanswered_count = 20
    if "--unanswered" in args:
        at = args.index("--unanswered")
        unanswered_count = int(args[at + 1])
        del args[at : at + 2]
    catalogue_only = "--catalogue-only" in args
    if catalogue_only:
        args.remove("--catalogue-only")
    if len(args) != 2:
        fail("usage: coverage.py SAMPLE.tsv WEXMORA-INFO [--unanswered N] [--catalogue-only]")
    sample_path, program = args
    rows = read_sample(sample_path)
    # The catalogue alone reads no identifier from a --brands line: the brand string only.
    lines = "".join(r["brand"] + ("" if catalogue_only else "\t" + identifier(r)) + "\n" for r in rows)
    command = [program, "--brands", "-", "--json", "--stored-language", "1"]
    if catalogue_only:
        command.append("--catalogue-only")
    try:
        done = subprocess.run(command, input=lines.encode(), capture_output=True, check=True)
    except (OSError, subprocess.CalledProcessError) as error:
        fail(f"{program} failed: {error}")
    sheets = [json.loads(line) for line in done.stdout.decode().splitlines()]
    if len(sheets) != len(rows):
        fail(f"{program} printed {len(sheets)} sheets for {len(rows)} brand strings")

    machines = sum(int(r["probes"]) for r in rows)
    by_source = Counter()
    checks = {"cores": Counter(), "threads": Counter(), "l3": Counter()}
    disagreeing = []
    unanswered = Counter()
    completeness = {}
    l2_as_l3 = 0
    for row, sheet in zip(rows, sheets):
        probes = int(row["probes"])
        if catalogue_only:  # no "source" member: a catalogue entry shows its QR code
            source = "catalogue" if sheet.get("qr") is not None else "none"
        else:
            source = sheet.get("source") or "none"
        by_source[source] += probes
        entry = completeness.setdefault((source, row["vendor"]), [0, Counter(), 0])
        entry[0] += probes
        for field in FIELDS:
            if filled(sheet, field):
                entry[1][field] += probes
                entry[2] += probes
        if l3_mib(sheet.get("l3_cache")) is not None and not row["l3_mib"].strip():
            l2_as_l3 += probes
        if source == "none":
            unanswered[row["brand"]] += probes
            continue
        results = agrees(row, sheet)
        for name, ok in zip(("cores", "threads", "l3"), results):
            if ok is not None:
                checks[name][ok] += probes
        if False in results:
            disagreeing.append((probes, row, sheet, results))

    print(f"x86 machines in the sample: {machines} ({len(rows)} brand strings)")
    for source in ("catalogue", "extended", "brand", "none"):
        share = 100.0 * by_source[source] / machines
        print(f"  {source:10} {by_source[source]:6} machines  {share:6.2f} %")
    tables = by_source["catalogue"] + by_source["extended"] + by_source["brand"]
    print(f"  a table answers {100.0 * tables / machines:.2f} % (the rest: the machine's own facts)")
    print_completeness(completeness)
    print_outside_catalogue(completeness, machines)
    print(f"L3 fields that hold a size where the machines report no L3 (an L2 shown as L3): {l2_as_l3} machines")
    print("Agreement of the sheets with the machines' own figures (lscpu's quirks allowed for):")
    for name, counter in checks.items():
        compared = counter[True] + counter[False]
        share = 100.0 * counter[True] / compared if compared else 0.0
        print(f"  {name:8} {counter[True]:6} of {compared:6} machines  {share:6.2f} %")
    print("Sheets that disagree, most machines first:")
    for probes, row, sheet, results in sorted(disagreeing, key=lambda d: -d[0])[:30]:
        what = ", ".join(n for n, ok in zip(("cores", "threads", "l3"), results) if ok is False)
        print(f"  {probes:5}  {row['brand'].strip()}: {what}: sheet {sheet.get('cores')}/{sheet.get('threads')}/"
              f"{sheet.get('l3_cache')}, machines {row['cores']}/{row['threads']}/{row['l3_mib']} MiB")
    print(f"The {unanswered_count} most common brand strings without a table row:")
    for brand, probes in unanswered.most_common(unanswered_count):
        print(f"  {probes:5}  {brand.strip()}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
