#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Finds where the controls that arm the reminder are on the screen, through the program's
accessibility tree, so that the bench can click them in runs that have accessibility off.

usage: locate.py PID
prints: NAME X Y, one line per control, in screen pixels: "som" (the sound box) and "ativado"
"""
import sys
import time

import pyatspi


def application(pid, seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.get_process_id() == pid:
                return app
        time.sleep(0.1)
    sys.exit(f"locate: process {pid} shows no accessible application")


def find(node, role, name=None):
    found = pyatspi.findDescendant(
        node, lambda n: n.getRole() == role and (name is None or n.name == name), breadth_first=True)
    if found is None:
        sys.exit(f"locate: no {role} {name or ''} in the window")
    return found


def point(node, fraction):
    """A point inside the control: its indicator sits at the left, its caption to the right."""
    box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return box.x + max(1, int(box.width * fraction)), box.y + box.height // 2


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    app = application(int(sys.argv[1]), 10)
    for name, node, fraction in (("som", find(app, pyatspi.ROLE_CHECK_BOX), 0.5),
                                 ("ativado", find(app, pyatspi.ROLE_RADIO_BUTTON, "Ativado"), 0.25)):
        x, y = point(node, fraction)
        print(name, x, y)


main()
