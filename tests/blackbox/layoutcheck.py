# SPDX-License-Identifier: GPL-3.0-or-later
"""Checks the laid-out window of the running program through the accessibility bus.

usage: layoutcheck.py CLIENT_X CLIENT_Y CLIENT_WIDTH CLIENT_HEIGHT

Every control on screen must lie inside the control that holds it (nothing cut off) and must
not cover a sibling by more than a seam (nothing overlapping); the window itself must have the
client rectangle the window system reports. Prints what it found, and the faults; exits 1 on any.
"""
import sys

from sorvanto_ui import application, extents, has, is_showing

# Edges scaled from a layout where two controls share a pixel row may share up to three.
SEAM = 3


def label(node):
    return "%s %r" % (node.getRoleName(), node.name)


def overlap(a, b):
    width = min(a[0] + a[2], b[0] + b[2]) - max(a[0], b[0])
    height = min(a[1] + a[3], b[1] + b[3]) - max(a[1], b[1])
    return min(width, height)


def check(node, box, faults, depth=1):
    placed = []
    for child in node:
        if child is None or not is_showing(child) or not has(child, "Component"):
            continue
        rect = extents(child)
        if rect[2] <= 0 or rect[3] <= 0:
            continue
        print("  " * depth + "%s %s" % (label(child), rect))
        if (rect[0] < box[0] or rect[1] < box[1] or rect[0] + rect[2] > box[0] + box[2]
                or rect[1] + rect[3] > box[1] + box[3]):
            faults.append("%s %s sticks out of %s %s" % (label(child), rect, label(node), box))
        for other, other_rect in placed:
            if overlap(rect, other_rect) > SEAM:
                faults.append("%s %s covers %s %s" % (label(child), rect, label(other), other_rect))
        placed.append((child, rect))
        check(child, rect, faults, depth + 1)


def main():
    client = tuple(int(v) for v in sys.argv[1:5])
    window = application(10)[0]
    faults = []
    rect = extents(window)
    print("%s %s" % (label(window), rect))
    if rect != client:
        faults.append("the window is %s on the accessibility bus but %s on the window system" % (rect, client))
    check(window, rect, faults)
    for fault in faults:
        print("FAULT: " + fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
