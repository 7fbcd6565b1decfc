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
from .checks import ARTIFACTS, Failure, Findings, check, fail, output, run, succeeds, timed, until, within
from .desktop import (BLACKBOX, REMINDER, Desktop, Program, alert_over, arm_for, armed_without_tray, click_ok, covers,
                      measure, ok_inside, read_and_end, tone)

__all__ = ["ARTIFACTS", "BLACKBOX", "REMINDER", "Desktop", "Failure", "Findings", "Program", "alert_over", "arm_for",
           "armed_without_tray", "check", "click_ok", "covers", "fail", "measure", "ok_inside", "output",
           "read_and_end", "run", "sni", "succeeds", "timed", "tone", "ui", "until", "within", "x11"]
