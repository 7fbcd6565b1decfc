#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The real program on screens of several sizes: the window has the size worked out below, lies
entirely on the screen, and its controls are neither cut off nor on top of each other. A screenshot
of each screen is kept in the artifacts, in shots-scaling/.

Worked out by hand for this desktop: the window's font ("MS Sans Serif", 11 px, which is DejaVu Sans
here) measures 13 px a line, as the layout was made for, so the client area starts at its laid-out
536 × 341. Openbox frames a window with 1 pixel left, right and bottom and 20 on top: outer 538 × 362.
Then for the screen:
  640 × 480:   480 × 362 ÷ 600 = 289 and 640 × 538 ÷ 800 = 430, less the frame 268 and 428, × 0.8:
               342 × 214, smaller than the controls scaled once (536 × 0.8 = 429, 341 × 0.8 = 273):
               429 × 273.
  1024 × 768:  768 × 362 ÷ 600 = 463 and 1024 × 538 ÷ 800 = 688, less the frame 442 and 686, × 1.28:
               878.08 × 565.76, that is 878 × 566.
  1920 × 1080: 1080 × 362 ÷ 600 = 651 and 1920 × 538 ÷ 800 = 1291, less the frame 630 and 1289,
               × 2.4: 3094 × 1512, larger than the screen less the frame: 1918 × 1059.
With Qt's device pixel ratio 2 on a 1600 × 1200 screen, the window lays out on 800 × 600 logical
pixels: nothing is scaled to the screen, and the 536 × 341 client takes 1072 × 682 device pixels.
  scaling.py SORVANTO"""
import sys
import time

from harness import ARTIFACTS, Desktop, check, run, ui, until, x11

program = sys.argv[1]
# Edges scaled from a layout where two controls share a pixel row may share up to three.
SEAM = 3

def overlap(a, b):
    return min(min(a[0] + a[2], b[0] + b[2]) - max(a[0], b[0]), min(a[1] + a[3], b[1] + b[3]) - max(a[1], b[1]))

def layout_faults(node, box, depth=1):
    """Every control on screen lies inside the control that holds it (nothing cut off) and covers no
    sibling by more than a seam (nothing overlapping); prints what it finds."""
    faults, placed = [], []
    for child in node:
        if child is None or not ui.is_showing(child) or not ui.has(child, "Component"):
            continue
        rect = ui.extents(child)
        if rect[2] <= 0 or rect[3] <= 0:
            continue
        name = f"{child.getRoleName()} {child.name!r} {rect}"
        print("  " * depth + name)
        if (rect[0] < box[0] or rect[1] < box[1] or rect[0] + rect[2] > box[0] + box[2]
                or rect[1] + rect[3] > box[1] + box[3]):
            faults.append(f"{name} sticks out of {node.getRoleName()} {node.name!r} {box}")
        faults += [f"{name} covers {other}" for other, other_rect in placed if overlap(rect, other_rect) > SEAM]
        placed.append((name, rect))
        faults += layout_faults(child, rect, depth + 1)
    return faults

def on_screen(size, client, layout=True, env=None, suffix=""):
    with Desktop(size, sound=False) as desktop:
        desktop.spawn("/usr/libexec/at-spi-bus-launcher", "--launch-immediately", log="atspi")
        desktop.start_program(program, env=env)
        until(15, x11.shown, "no window")
        window = x11.main_window()
        # The window manager frames and places the window after it is mapped.
        until(20, lambda: x11.prop(window, "_NET_FRAME_EXTENTS"), "the window manager did not frame the window")
        time.sleep(1)
        at = x11.place(window)
        left, right, top, bottom = x11.prop(window, "_NET_FRAME_EXTENTS")
        print(f"{size}: client {at.width}x{at.height} at {at.x},{at.y}; frame {left},{right},{top},{bottom}")
        (ARTIFACTS / "shots-scaling").mkdir(exist_ok=True)
        x11.shot(f"shots-scaling/{size}{suffix}")
        width, height = map(int, size.split("x"))
        faults = [] if f"{at.width}x{at.height}" == client else [f"the client area is {at.width}x{at.height}"]
        if at.x - left < 0 or at.y - top < 0 or at.x + at.width + right > width or at.y + at.height + bottom > height:
            faults.append("the framed window does not lie on the screen")
        if layout:
            window = ui.application(10)[0]
            print(f"{window.getRoleName()} {window.name!r} {ui.extents(window)}")
            if ui.extents(window) != tuple(at):
                faults.append(f"the window is {ui.extents(window)} on the accessibility bus but {tuple(at)} on X")
            faults += layout_faults(window, ui.extents(window))
        check(not faults, "; ".join(faults))
    return f"client {client}, on the screen" + (", nothing cut off or overlapping" if layout else "")

run(("640x480", lambda: on_screen("640x480", "429x273")), ("1024x768", lambda: on_screen("1024x768", "878x566")),
    ("1920x1080", lambda: on_screen("1920x1080", "1918x1059")),
    ("1600x1200-ratio2", lambda: on_screen("1600x1200", "1072x682", False, {"QT_SCALE_FACTOR": "2"}, "-ratio2")),
    jobs=2)
