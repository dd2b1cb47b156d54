#!/usr/bin/env bash
# Every control of the two windows is named once, by its meaning, in
# core/model/control_names.h; only that header and the windows' design table
# spell a component name. A quoted "Edit7" anywhere else in the programs'
# sources (comments aside) fails here.
set -euo pipefail
source_dir="${WEXMORA_SOURCE_DIR:?WEXMORA_SOURCE_DIR is not set}"
cd "$source_dir"
git ls-files '*.cpp' '*.h' 2>/dev/null | grep -v '^tests/' | python3 -c '
import re, sys

HEADER = "core/model/control_names.h"
OWNERS = {HEADER, "core/model/main_window_design.cpp"}
names = set(re.findall(r"constexpr const char\* k\w+ = \"([^\"]+)\";", open(HEADER, encoding="utf-8").read()))
if len(names) < 60:
    print(f"FAIL {HEADER} names only {len(names)} controls")
    sys.exit(1)
literal = re.compile(r"\"(" + "|".join(sorted(names, key=len, reverse=True)) + r")\"")
problems = []
for path in sys.stdin.read().split():
    if path in OWNERS:
        continue
    for number, line in enumerate(open(path, encoding="utf-8"), 1):
        code = line.split("//", 1)[0] if not line.lstrip().startswith("//") else ""
        for match in literal.finditer(code):
            problems.append(f"{path}:{number}: spells \"{match.group(1)}\"; name it through {HEADER}")
for problem in problems:
    print("FAIL " + problem)
print(f"{len(names)} control names, {len(problems)} spelled outside {HEADER} and the design table")
sys.exit(1 if problems else 0)
'
