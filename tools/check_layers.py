#!/usr/bin/env python3
"""Fails on any #include that goes against the launcher's layers.

core/ is shared by everything and includes no other product folder; browser/ builds
on core/; frame/ on browser/ and core/; shell/ on all three. res/ (resource numbers)
may be included from anywhere. Prints file:line for every include that breaks this
and exits 1; exits 0 when there is none.
"""
import os
import re
import sys

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))

# What each product folder may include besides itself.
ALLOWED = {
    "core": {"res"},
    "browser": {"core", "res"},
    "frame": {"browser", "core", "res"},
    "shell": {"frame", "browser", "core", "res"},
}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def top_folder(path):
    relative = os.path.relpath(path, ROOT)
    return relative.split(os.sep)[0] if not relative.startswith("..") else None


def violations(root=ROOT):
    for folder in sorted(ALLOWED):
        for dirpath, _, names in os.walk(os.path.join(root, folder)):
            for name in sorted(names):
                if not name.endswith((".h", ".cpp")):
                    continue
                source = os.path.join(dirpath, name)
                with open(source, encoding="utf-8") as text:
                    for number, line in enumerate(text, 1):
                        match = INCLUDE.match(line)
                        if not match:
                            continue
                        target = top_folder(os.path.normpath(os.path.join(dirpath, match.group(1))))
                        if target != folder and target not in ALLOWED[folder]:
                            yield "%s:%d: %s/ may not include %s" % (
                                os.path.relpath(source, root), number, folder, match.group(1))


def main():
    found = list(violations())
    for line in found:
        print(line)
    print("layers: %d include(s) against the layers" % len(found))
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
