#!/usr/bin/env python3
"""Rejects includes that reach up a layer, and Qt below the desktop.

Each folder of src/ may include only itself and the folders listed before it
in LAYERS. Run as a CTest test; prints every offending line and exits 1.
"""
import os
import re
import sys

LAYERS = ["math", "port", "model", "figures", "constructions", "dialogs", "control",
          "desktop", "app"]
QT_FREE = LAYERS[:LAYERS.index("desktop")]
INCLUDE = re.compile(r'\s*#\s*include\s+([<"])([^>"]+)[>"]')
QT_HEADER = re.compile(r'^(Q[A-Za-z]|Qt[A-Za-z]*/|qt[a-z]*\.h)')


def check(src):
    rank = {name: i for i, name in enumerate(LAYERS)}
    faults = []
    for layer in LAYERS:
        top = os.path.join(src, layer)
        for root, _, files in os.walk(top):
            for name in sorted(files):
                path = os.path.join(root, name)
                with open(path, encoding="utf-8", errors="replace") as f:
                    for number, line in enumerate(f, 1):
                        m = INCLUDE.match(line)
                        if not m:
                            continue
                        quoted, header = m.group(1) == '"', m.group(2)
                        where = f"{os.path.relpath(path, src)}:{number}: {line.strip()}"
                        if quoted:
                            folder = header.split("/", 1)[0]
                            if "/" not in header or folder not in rank:
                                faults.append(f"{where}  (not a layer path)")
                            elif rank[folder] > rank[layer]:
                                faults.append(f"{where}  ({layer} may not use {folder})")
                        elif layer in QT_FREE and QT_HEADER.match(header):
                            faults.append(f"{where}  (Qt below the desktop)")
    return faults


def main():
    src = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..", "src")
    missing = [layer for layer in LAYERS if not os.path.isdir(os.path.join(src, layer))]
    if missing:
        print("missing layer folders: " + ", ".join(missing))
        return 1
    faults = check(src)
    for fault in faults:
        print(fault)
    print(f"{len(faults)} upward or Qt includes")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
