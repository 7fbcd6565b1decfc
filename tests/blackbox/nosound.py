#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A desktop without any sound server: the sound service neither complains nor crashes nor keeps
anyone waiting, whatever it is asked to play, and the program starts and ends as ever.
  nosound.py SORVANTO PLAYSOUNDS"""
import os
import subprocess
import sys

from harness import Desktop, check, run, tone, ui

program, playsounds = map(os.path.realpath, sys.argv[1:3])

def no_sound_server():
    with Desktop("800x600", sound=False) as desktop:
        (desktop.dir / "folder").mkdir()
        names = [tone(desktop.dir / "tone.wav", 0.3), "bell", "complete", "", desktop.dir / "missing.wav",
                 desktop.dir / "folder", __file__]
        gaps = ["@100"] * (len(names) - 1) + ["@300"]
        done = subprocess.run([playsounds, *(f for pair in zip(names, gaps) for f in pair)], capture_output=True,
                              text=True, timeout=30)
        check(done.returncode == 0 and not done.stderr,
              f"with no sound server the sound service ended with {done.returncode} and said: {done.stderr}")
        app = desktop.start_shown(program)
        ui.press("sair")
        app.ends("sair")
        check(not desktop.said("app"), "the program with no sound server said something")
    return "every kind of name: no error, no crash, no hang; the program starts and ends"

run(no_sound_server)
