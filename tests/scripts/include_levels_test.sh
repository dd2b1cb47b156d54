#!/usr/bin/env bash
# The folders form levels (docs/layout.md): every #include of the
# project's own headers must stay within the folders its folder may include,
# only the views include Qt, and only the Windows layer includes <windows.h>.
set -euo pipefail
source_dir="${WEXMORA_SOURCE_DIR:?WEXMORA_SOURCE_DIR is not set}"
cd "$source_dir"
git ls-files '*.cpp' '*.h' '*.h.in' 2>/dev/null | python3 -c '
import re, sys

# folder: the folders it may include besides its own. The linker keeps the
# levels between the libraries; this keeps what it cannot see: headers that
# declare only inline code, and the system headers below.
PLATFORM = {"base", "platform"}
CORE_DATA = PLATFORM | {"core/data"}
MODEL = CORE_DATA | {"core/model"}
IDENTIFY = MODEL | {"core/identify"}
STAGES = IDENTIFY | {"core/texts", "core/catalogue", "core/extended"}
CHECK = STAGES | {"core/check"}
WINDOW = CHECK | {"core/window"}
CORE = WINDOW | {"core/pass"}
VIEWS = {"views/qt", "views/pictures", "views/win32"}
ALLOWED = {
    "base":             set(),
    "platform":         {"base"},
    "platform/linux":   {"platform", "base"},
    "platform/windows": {"platform", "base"},
    "core/data":        PLATFORM,
    "core/model":       CORE_DATA,
    "core/texts":       {"base"},
    "core/identify":    MODEL,
    "core/catalogue":   IDENTIFY | {"core/texts"},
    "core/extended":    IDENTIFY,
    "core/check":       IDENTIFY | {"core/texts", "core/extended"},
    "core/window":      CHECK,
    "core/pass":        WINDOW,
    "views/pictures":   CORE,
    "views/qt":         CORE | {"views/pictures"},
    "views/win32":      CORE | {"platform/windows"},
    "resources":        CORE,
    "app/info":         CORE,
    "app":              CORE | VIEWS,
    "tools":            CORE | VIEWS,
    # The tests reach every level; only their own support files besides.
    "tests":            CORE | VIEWS | {"platform/linux", "platform/windows", "app/info", "tools", "tests"},
}
# Folders whose files may include Qt, and the ones that may include <windows.h>.
QT = {"views/qt", "views/pictures", "tools", "tests/gui", "tests/helpers", "tests/support"}
QT_FILES = {"app/main.cpp"}
WINDOWS = {"platform/windows", "views/win32", "tests/windows"}

FOLDERS = sorted(ALLOWED, key=len, reverse=True)

def folder_of(path):
    for folder in FOLDERS:
        if path.startswith(folder + "/"):
            return folder
    return None

def inside(folder, groups):
    return any(folder == g or folder.startswith(g + "/") for g in groups)

problems, checked = [], 0
for path in sys.stdin.read().split():
    source = folder_of(path)
    if source is None:
        problems.append(f"{path}: in no folder of the layout")
        continue
    for number, line in enumerate(open(path, encoding="utf-8"), 1):
        own = re.match(r"\s*#\s*include\s+\"([^\"]+)\"", line)
        system = re.match(r"\s*#\s*include\s+<([^>]+)>", line)
        if own:
            checked += 1
            target = folder_of(own.group(1))
            if target is None or target == source:
                continue
            if target not in ALLOWED[source]:
                problems.append(f"{path}:{number}: {source}/ may not include {own.group(1)}")
        elif system:
            header = system.group(1)
            if re.match(r"Q[A-Za-z]+$", header) and not (inside(path, QT) or path in QT_FILES):
                problems.append(f"{path}:{number}: only the Qt view includes <{header}>")
            if header.lower() in ("windows.h", "shellapi.h", "commctrl.h") and not inside(path, WINDOWS):
                problems.append(f"{path}:{number}: only the Windows layer includes <{header}>")
for problem in problems:
    print("FAIL " + problem)
print(f"{checked} includes checked, {len(problems)} against the layout")
sys.exit(1 if problems else 0)
'
