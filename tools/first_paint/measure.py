#!/usr/bin/env python3
"""Times the release window's first paint against a bare Qt window.

Starts its own Xvfb, then launches, in turns, the bare QLabel window of the
same client size and the release program in each language asked for, and lets
wexmora-first-paint time each launch up to the first frame painted on the
display. Prints the median, fastest and slowest run of each, and how far the
program's median lies above the bare window's plus the pass's fixed waits.

    tools/first_paint/measure.py [--runs 20] [--display 21] [--build build/release] [--baseline DIR]...

--baseline names another build folder (say, of an earlier commit) whose
program is launched in the same turns, so that versions are compared under
the same load; give it once for each build to compare.

The fixed waits are 15 ms and 50 ms, plus 10 or 20 ms for each catalogue entry
that matches the processor: --waits gives their sum (65 for a processor that
is not in the catalogue).
"""
import argparse
import os
import statistics
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
LANGUAGES = {"ru": 0, "en": 1}
TARGET_MS = 10.0


def parse_arguments():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--runs", type=int, default=20, help="measured launches of each window (default 20)")
    parser.add_argument("--display", type=int, default=21, help="display number of the Xvfb started (default 21)")
    parser.add_argument("--build", default=os.path.join(ROOT, "build", "release"), help="release build folder")
    parser.add_argument("--baseline", action="append", default=[],
                        help="another build folder whose program is timed in the same turns (repeatable)")
    parser.add_argument("--waits", type=float, default=65.0, help="the pass's fixed waits in ms (default 65)")
    parser.add_argument("--languages", default="ru,en", help="languages of the program's runs (default ru,en)")
    parser.add_argument("--check", action="store_true", help="exit with 1 when a median misses the target")
    arguments = parser.parse_args()
    arguments.languages = [name for name in arguments.languages.split(",") if name]
    unknown = [name for name in arguments.languages if name not in LANGUAGES]
    if unknown or not arguments.languages or arguments.runs < 1:
        parser.error("languages are ru and en; runs must be at least 1")
    return arguments


def start_display(number):
    """Xvfb on :number; returns the process once the server accepts clients."""
    ready_read, ready_write = os.pipe()
    server = subprocess.Popen(
        ["Xvfb", f":{number}", "-screen", "0", "1280x1024x24", "-nolisten", "tcp", "-noreset", "-displayfd", str(ready_write)],
        pass_fds=(ready_write,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(ready_write)
    with os.fdopen(ready_read) as ready:
        announced = ready.readline().strip()
    if announced != str(number):
        server.kill()
        server.wait()
        sys.exit(f"Xvfb could not start on :{number} (is that display taken? choose another with --display)")
    return server


def write_settings(folder, language):
    """A settings file as the program leaves it after its first run."""
    os.makedirs(os.path.join(folder, "wexmora"), exist_ok=True)
    with open(os.path.join(folder, "wexmora", "settings.ini"), "w", encoding="utf-8") as settings:
        settings.write("# Wexmora settings\n")
        settings.write(f"Languages={LANGUAGES[language]}\n")
        settings.write("Site_Url=https://wexmora.example/index.html\n")
        settings.write("License=FreeWare\n")


def first_paint(watcher, command, environment):
    """(milliseconds, (width, height)) of one launch."""
    result = subprocess.run([watcher, *command], env=environment, capture_output=True, text=True, check=False)
    if result.returncode != 0:
        sys.exit(f"{' '.join(command)}: {result.stderr.strip() or 'no first paint'}")
    words = result.stdout.split()  # first-paint-ms 123.456 size 468x358
    width, height = (int(side) for side in words[3].split("x"))
    return float(words[1]), (width, height)


def main():
    arguments = parse_arguments()
    program = os.path.join(arguments.build, "app", "wexmora")
    baselines = [os.path.join(folder, "app", "wexmora") for folder in arguments.baseline]
    watcher = os.path.join(arguments.build, "tools", "first_paint", "wexmora-first-paint")
    bare = os.path.join(arguments.build, "tools", "first_paint", "wexmora-bare-window")
    for path in [program, watcher, bare, *baselines]:
        if not os.access(path, os.X_OK):
            sys.exit(f"{path} is missing: build with 'cmake --preset release && cmake --build --preset release'")

    server = start_display(arguments.display)
    try:
        with tempfile.TemporaryDirectory(prefix="wexmora-first-paint-") as scratch:
            base = {key: value for key, value in os.environ.items() if not key.startswith(("QT_", "XDG_"))}
            base["DISPLAY"] = f":{arguments.display}"
            base["XDG_RUNTIME_DIR"] = os.path.join(scratch, "runtime")
            os.makedirs(base["XDG_RUNTIME_DIR"], mode=0o700)
            environments = {}
            for language in arguments.languages:
                folder = os.path.join(scratch, f"config-{language}")
                write_settings(folder, language)
                environments[language] = dict(base, XDG_CONFIG_HOME=folder)

            # One launch of each first, not counted: it fills the file caches
            # and tells the size of the release window's client area.
            sizes = {language: first_paint(watcher, [program], environments[language])[1]
                     for language in arguments.languages}
            size = sizes[arguments.languages[0]]
            if len(set(sizes.values())) != 1:
                sys.exit(f"the languages' windows differ in size: {sizes}")
            bare_command = [bare, str(size[0]), str(size[1])]
            first_paint(watcher, bare_command, base)

            launches = [("bare", bare_command, base)]
            launches += [(language, [program], environments[language]) for language in arguments.languages]
            for number, baseline in enumerate(baselines, 1):
                launches += [(f"baseline {number} {language}", [baseline], environments[language])
                             for language in arguments.languages]
            times = {name: [] for name, _, _ in launches}
            for run in range(arguments.runs):
                turn = run % len(launches)  # each window leads in turn
                for name, command, environment in launches[turn:] + launches[:turn]:
                    milliseconds, painted = first_paint(watcher, command, environment)
                    if painted != size:
                        sys.exit(f"{name}: painted a {painted[0]}x{painted[1]} window, not {size[0]}x{size[1]}")
                    times[name].append(milliseconds)
    finally:
        server.terminate()
        server.wait()

    print(f"launch to first painted frame, {size[0]}x{size[1]} client area, {arguments.runs} runs each")
    print(f"wexmora: {arguments.build}")
    for number, folder in enumerate(arguments.baseline, 1):
        print(f"baseline {number}: {folder}")
    print(f"{'window':<28}{'median':>10}{'fastest':>10}{'slowest':>10}")
    for name, values in times.items():
        label = "bare QLabel window" if name == "bare" else f"wexmora ({name})"
        print(f"{label:<28}{statistics.median(values):>10.1f}{min(values):>10.1f}{max(values):>10.1f}")
    allowed = statistics.median(times["bare"]) + arguments.waits
    print(f"bare window + fixed waits ({arguments.waits:g} ms): {allowed:.1f} ms; target: at most {TARGET_MS:g} ms more")
    missed = False
    for name in times:
        if name == "bare":
            continue
        excess = statistics.median(times[name]) - allowed
        verdict = "within target" if excess <= TARGET_MS else "over target"
        if not name.startswith("baseline"):
            missed = missed or excess > TARGET_MS
        print(f"wexmora ({name}): {excess:+.1f} ms  {verdict}")
    return 1 if arguments.check and missed else 0


if __name__ == "__main__":
    sys.exit(main())
