# SPDX-License-Identifier: GPL-3.0-or-later
"""The black-box tests' harness: the real program on private headless desktops.

A module of checks runs its scenarios with run(), each in a process of its own, where it makes a
Desktop, starts the program there and checks what the user would see: a check fails with fail()
or check(), or when until() gives up waiting. The helpers hand back what they found.
  checks   failures, waits, and the running of scenarios
  desktop  the desktop (Desktop) and its processes, the program under test on it (Program)
  x11      windows as the X server has them (places, states, the tray icon, menus), keys and pointer
  ui       the program's controls over the accessibility bus
  sni      a StatusNotifierItem host and watcher
"""
from . import sni, ui, x11
from .checks import ARTIFACTS, Failure, check, fail, output, run, succeeds, until, within
from .desktop import BLACKBOX, Desktop, arm_for, Program, click_ok, fast_clock, measure, ok_inside, tone

__all__ = ["ARTIFACTS", "BLACKBOX", "Desktop", "Failure", "Program", "arm_for", "check", "click_ok", "fail",
           "fast_clock", "measure", "ok_inside", "output", "run", "sni", "succeeds", "tone", "ui", "until", "within",
           "x11"]
