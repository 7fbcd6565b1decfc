#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Fails when an include in the source tree runs upward or sideways through its layers:

    the entry     src/sorvanto.cpp                      may include anything
    the window    src/main*, rules*, choosers, controls/  the core
    a backend     src/platform/linux/, null/, windows/  Qt's services and the core
    Qt's services src/platform/qt/                      the core
    the core      src/core/, src/platform/*.h *.cpp     nothing above it

usage: layers.py SRC_DIR
"""
import pathlib
import re
import sys

MAY_INCLUDE = {
    "core": {"core"},
    "qt": {"core", "qt"},
    "linux": {"core", "qt", "linux"},
    "null": {"core", "qt", "null"},
    "windows": {"core", "qt", "windows"},
    "window": {"core", "window"},
    "entry": {"core", "qt", "linux", "null", "windows", "window", "entry"},
}

def layer(path):
    parts = path.parts
    if parts == ("sorvanto.cpp",):
        return "entry"
    if parts[0] == "core":
        return "core"
    if parts[0] == "platform":
        return parts[1] if len(parts) > 2 else "core"
    return "window"

def main(src):
    src = pathlib.Path(src).resolve()
    faults = []
    for file in sorted(src.rglob("*")):
        if not file.is_file() or not re.search(r"\.(h|cpp|cpp\.in)$", file.name):
            continue
        here = layer(file.relative_to(src))
        for number, line in enumerate(file.read_text(encoding="utf-8").splitlines(), 1):
            match = re.match(r'\s*#\s*include\s+"([^"]+)"', line)
            if not match:
                continue
            # As the compiler looks: beside the file first, then from the source root.
            found = [p.resolve() for p in (file.parent / match[1], src / match[1]) if p.is_file()]
            if not found or not found[0].is_relative_to(src):
                continue
            there = layer(found[0].relative_to(src))
            if there not in MAY_INCLUDE[here]:
                faults.append(f"{file.relative_to(src)}:{number}: {here} includes {match[1]} ({there})")
    for fault in faults:
        print(fault)
    return 1 if faults else 0

if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
