#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""What Windows reads from the program's and the installer's resources before it runs them: the
program has one application manifest, which runs it as its user, names Windows up to 10 and 11 and
long paths, and leaves the DPI awareness to Qt; the installer asks for no elevation of its own and is
DPI-aware.
  manifests.py SORVANTO.EXE SETUP.EXE"""
import pathlib
import re
import sys
import xml.dom.minidom

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent / "blackbox"))
from harness import check, output, run  # noqa: E402

program, setup = sys.argv[1:3]

def manifests():
    listed = output("wrestool", "-l", "-t", "24", program).splitlines()
    check(len(listed) == 1, f"the program has not one manifest: {listed}")
    manifest = output("wrestool", "-x", "--raw", "-t", "24", program)
    try:
        xml.dom.minidom.parseString(manifest)
    except Exception as error:
        check(False, f"the program's manifest is no XML: {error}")
    for part in ('level="asInvoker"', 'supportedOS Id="{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"',
                 "<longPathAware[^>]*>true<"):
        check(re.search(part, manifest), f"the program's manifest lacks {part}")
    check(not re.search("dpiaware", manifest, re.I), "the program's manifest sets a DPI awareness before Qt does")
    manifest = output("wrestool", "-x", "--raw", "-t", "24", setup)
    level = re.findall(r'requestedExecutionLevel level="[^"]*"', manifest)
    check(level == ['requestedExecutionLevel level="asInvoker"'], f"the installer asks for {level or 'nothing'}")
    check(re.search("<dpiAware[^>]*>true<", manifest), "the installer's pages are not drawn at the screen's scale")
    return "the program's and the installer's run as their user, the installer drawn at the screen's scale"

run(manifests)
