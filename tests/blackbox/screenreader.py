#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""What Orca says, from its debug file: the frame, the message line tabbed to, the alert with no key
pressed.
  screenreader.py SORVANTO   with SORVANTO_FAST_CLOCK naming the library that shortens the countdown"""
import os
import pty
import sys
import time

from harness import Desktop, run, ui, until, x11

program = sys.argv[1]

def orca_says():
    with Desktop("800x600", sound=False) as desktop:
        desktop.spawn("speech-dispatcher", "--run-single", "--timeout", "0")
        desktop.start_program(program, fast=True)
        until(20, x11.shown, "no window")
        # Orca writes its debug file at once only to a terminal: it gets one, which cat copies out.
        terminal, orca_side = pty.openpty()
        desktop.spawn("cat", log="said", stdin=terminal)
        (desktop.dir / "orca").mkdir()
        desktop.spawn("orca", "--debug-file", os.ttyname(orca_side), "-u", desktop.dir / "orca")
        said, heard = desktop.log("said"), 0

        def hears(text):
            nonlocal heard
            until(20, lambda: f"SPEECH OUTPUT: '{text}'" in said.read_text(errors="replace")[heard:],
                  f"Orca does not say {text!r}")
            heard = len(said.read_text(errors="replace"))
        hears("Velmora-SORVANTO Vrs. 1.0 frame.")
        x11.xdotool("key", "Tab")
        hears("mensagem do sorvanto read only text.")
        # With no key for a second, Orca takes the window's hiding for none of the user's doing: still
        # the alert is heard.
        time.sleep(1.5)
        ui.press("Ativado")
        hears("1  minuto(s) atrás  você pediu para lembrar que: está na hora de levantar dessa cadeira!!!")
    return "the frame, the message line tabbed to, and the alert"

run(orca_says)
