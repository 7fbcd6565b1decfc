#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The program in a Wayland session, on a headless Weston with XWayland. Qt on its own would take
Wayland, where no ordinary window can stay above the others; the program chooses XWayland by itself,
shows its window there and raises the alert maximized.
  wayland.py SORVANTO   with SORVANTO_FAST_CLOCK naming the preload library that shortens countdowns"""
import os
import re
import subprocess
import sys
import time

from harness import ARTIFACTS, Desktop, check, output, run, ui, until, x11

program = sys.argv[1]

def xwayland():
    # Without Qt's Wayland plugin Qt falls back to X by itself, and this test would prove nothing.
    check(output("dpkg-query", "-W", "-f", "${db:Status-Status}", "qt6-wayland") == "installed",
          "qt6-wayland is not installed (scripts/install-deps.sh --tests)")
    for name in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"):
        os.environ.pop(name, None)
    with Desktop(None) as desktop:
        # --debug lets weston-screenshooter take the picture of the alert.
        desktop.spawn("weston", "--backend=headless-backend.so", "--use-pixman", "--xwayland", "--debug",
                      "--socket=wayland-sorvanto", "--width=1024", "--height=768", "--idle-time=0")
        listening = until(15, lambda: re.search(r"xserver listening on display (:\d+)", desktop.said("weston", 999)),
                          lambda: "no Weston with XWayland: " + desktop.said("weston"))
        desktop.set_display(listening.group(1))
        os.environ.update(WAYLAND_DISPLAY="wayland-sorvanto", XDG_SESSION_TYPE="wayland",
                          PULSE_SERVER=f"unix:{desktop.dir}/no-sound-server")
        desktop.start_bus()
        app = desktop.start_program(program, fast=True)
        until(20, x11.shown, "no window on XWayland")
        window = x11.main_window()
        check(x11.prop(window, "_NET_WM_PID") == [app.pid], "the window belongs to another process")

        # A headless Weston has no input devices, and XWayland crashes on XTEST input: the radio item takes
        # the focus through the accessibility bus, and a key press is sent to the window itself.
        ui.focus("Ativado")
        subprocess.run(["xdotool", "key", "--window", str(window), "space"], stderr=subprocess.DEVNULL)
        # The session has no tray, and Weston's X11 window manager does not minimize: the armed window stays
        # where the user can reach it.
        time.sleep(0.5)
        check(x11.shown(), "without a tray the armed window is out of reach")

        until(15, lambda: x11.maximized(x11.main_window()), "no maximized alert")
        at = x11.place(x11.main_window())
        # The shell's panel and the window's frame take their share of the output.
        check(at.width >= 1024 * 9 // 10 and at.height >= 768 * 8 // 10,
              f"the alert, {at.width}x{at.height}, does not fill the output")
        if subprocess.run(["weston-screenshooter"], cwd=desktop.dir, capture_output=True).returncode == 0:
            for picture in desktop.dir.glob("wayland-screenshot-*.png"):
                picture.rename(ARTIFACTS / "wayland-alert.png")
        check(app.process.poll() is None, "the program ended")
    return f"the window on XWayland, the armed window in reach, the alert {at.width}x{at.height} on 1024x768"

run(xwayland)
