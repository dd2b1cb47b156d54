#!/usr/bin/env python3
"""Prints deb-src entries (deb822 format) that mirror the system's enabled
"deb" entries: the same URIs, suites, components and signing keys, so that
`apt-get source` can fetch Debian's source packages from the same mirrors."""
import glob
import re
import sys


def deb822_stanzas(path):
    with open(path, encoding="utf-8") as f:
        text = f.read()
    for block in re.split(r"\n\s*\n", text):
        fields, key = {}, None
        for line in block.splitlines():
            if line.startswith("#") or not line.strip():
                continue
            if line[0] in " \t" and key:
                fields[key] += " " + line.strip()
                continue
            key, _, value = line.partition(":")
            key = key.strip().lower()
            fields[key] = value.strip()
        if fields:
            yield fields


def one_line_entries(path):
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.split("#", 1)[0].strip()
            if not line.startswith("deb "):
                continue
            words = line.split()[1:]
            options = {}
            if words and words[0].startswith("["):
                option_words = []
                while words:
                    word = words.pop(0)
                    option_words.append(word.strip("[]"))
                    if word.endswith("]"):
                        break
                for option in option_words:
                    name, _, value = option.partition("=")
                    options[name] = value
            if len(words) >= 2:
                entry = {"types": "deb", "uris": words[0], "suites": words[1], "components": " ".join(words[2:])}
                if "signed-by" in options:
                    entry["signed-by"] = options["signed-by"]
                yield entry


def main():
    entries = []
    for path in ["/etc/apt/sources.list"] + sorted(glob.glob("/etc/apt/sources.list.d/*.list")):
        try:
            entries.extend(one_line_entries(path))
        except FileNotFoundError:
            pass
    for path in sorted(glob.glob("/etc/apt/sources.list.d/*.sources")):
        entries.extend(deb822_stanzas(path))
    out = []
    for e in entries:
        if "deb" not in e.get("types", "").split() or e.get("enabled", "yes").lower() == "no":
            continue
        stanza = ["Types: deb-src", "URIs: " + e["uris"], "Suites: " + e["suites"]]
        if e.get("components"):
            stanza.append("Components: " + e["components"])
        if e.get("signed-by"):
            stanza.append("Signed-By: " + e["signed-by"])
        out.append("\n".join(stanza))
    if not out:
        sys.exit("no enabled deb entries to mirror")
    print("\n\n".join(out))


if __name__ == "__main__":
    main()
