#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A Qt test built for Windows, under Wine on a private desktop with the window manager and tray that
Qt's Windows platform wants; ctest's emulator for the tests built for Windows.
  wine.py TEST.EXE [ARGUMENTS...]   with WINEPREFIX set (the first test makes the prefix)"""
import os
import subprocess
import sys

from harness import Desktop, Failure

try:
    # Every screen that the window's tests make up fits on this one.
    with Desktop("2560x1600", sound=False) as desktop:
        desktop.wine_prefix(os.environ["WINEPREFIX"])
        # Under Wine, what Qt's tests write to the standard output never arrives: they write to a file.
        log = desktop.dir / "test.txt"
        status = subprocess.run(["wine", *sys.argv[1:], "-o", "Z:" + str(log).replace("/", "\\") + ",txt"]).returncode
        print(log.read_text(errors="replace") if log.exists() else "no test output")
except Failure as failure:
    sys.exit(f"FAIL: {failure}")
# The next test may start on another desktop: nothing of this one's Wine outlives it (the desktop's end).
sys.exit(status)
