#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The command line ends the program before its window, without a display: help, version and wrong
options, and a display that cannot be reached. Every way out of the configuration view removes the
tray icon before the program quits and ends it with status 0: "sair", Alt+F4, the close box and the
window manager's close.
  exits.py SORVANTO VERSION"""
import os
import subprocess
import sys

from harness import Desktop, check, run, ui, until, within, x11

program, version = sys.argv[1:3]
USAGE = "Usage: sorvanto [OPTION]"

def alone(*arguments, display=None):
    """The program without a display, unless one is named: its status, its stdout and its stderr."""
    unset = ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "XDG_SESSION_TYPE")
    env = {k: v for k, v in os.environ.items() if k not in unset}
    done = subprocess.run([program, *arguments], env={**env, **({"DISPLAY": display} if display else {})},
                          capture_output=True, text=True)
    return done.returncode, done.stdout.rstrip("\n"), done.stderr.rstrip("\n")

def command_line():
    with Desktop(None):
        for option in ("--help", "-h"):
            status, out, err = alone(option)
            check(status == 0 and out.split("\n")[0] == USAGE and not err, f"sorvanto {option}: {status} {out} / {err}")
            check("--version" in out, f"sorvanto {option} does not name --version")
        said = alone("--version")
        check(said == (0, f"sorvanto {version}", ""), f"sorvanto --version: {said}")
        # Qt's own options are not the program's.
        for wrong in (["--bogus"], ["-platform", "offscreen"], ["-style", "fusion"], ["reminder"], ["--version=2"]):
            status, out, err = alone(*wrong)
            check(status == 2 and not out and err.startswith("sorvanto: ") and f"\n{USAGE}" in err,
                  f"sorvanto {' '.join(wrong)}: status {status}: {out} / {err}")
        said = alone()
        check(said == (1, "", "sorvanto: no display to connect to: neither DISPLAY nor WAYLAND_DISPLAY is set"),
              f"no display: {said}")
        said = alone(display=":99999")
        check(said == (1, "", 'sorvanto: cannot connect to the X display ":99999"'), f"an X display not there: {said}")
    return "--help, -h and --version on stdout; a wrong option: status 2 and the usage; no display: status 1"

def alt_f4(window):
    """Alt+F4 once the window has the focus. A press that comes while the window manager is still
    taking the new window in is lost, as a user's would be: the user presses again."""
    x11.xdotool("windowactivate", "--sync", window)
    until(5, lambda: x11.has_focus(window), "the window does not take the focus")
    for _ in range(2):
        x11.xdotool("key", "--clearmodifiers", "alt+F4")
        if within(5, lambda: not x11.viewable(window)):
            return
        print("Alt+F4 did not close the window within 5 s: pressed again")

def ways_out():
    # openbox puts the close box at the right end of the title bar, just above the client area; a
    # taskbar's or pager's close is a request to the window manager.
    ways = {"sair": lambda window: ui.press("sair"),
            "Alt+F4": alt_f4,
            "the close box": lambda window: x11.click(x11.place(window).x + x11.place(window).width - 8,
                                                      x11.place(window).y - 10),
            "the window manager's close": lambda window: x11.wm_request(window, "_NET_CLOSE_WINDOW", 0, 2)}
    with Desktop(sound=False) as desktop:
        for how, leave in ways.items():
            app = desktop.start_shown(program, docked=True)
            leave(x11.main_window())
            app.ends(how, icon_removed=True)
    return ", ".join(ways) + ": the tray icon removed, then status 0"

run(command_line, ways_out)
