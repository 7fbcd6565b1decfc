#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The Windows installer under Wine: /S installs the program, its shortcut and its entry in the list of
programs into a fresh prefix; the program shows its window and docks its icon in the X tray;
"Ativado" hides the window; a minute later the alert comes maximized and on top, while the user types
in another window, which changes its text not at all, and a click on its "OK" ends the program with
status 0. Installed again over the program waiting in the tray, or with its font chooser open, the
setup ends it and replaces its file; uninstalled while it runs, as the list of programs runs the
uninstaller, it leaves no file and no key behind once it returns. For the current user likewise,
where a program that does not end fails the upgrade, and a file in use the uninstall. The setup
refuses Windows before 10, and a run that Windows should have elevated and did not ends at once with
740 (UNELEVATED-SETUP.EXE believes itself unelevated).
  windows.py SETUP.EXE UNELEVATED-SETUP.EXE"""
import filecmp
import getpass
import os
import pathlib
import re
import shutil
import signal
import subprocess
import sys
import time

from harness import ARTIFACTS, REMINDER, Desktop, Program, check, output, run, until, within, x11

setup, unelevated = map(os.path.realpath, sys.argv[1:3])
UNINSTALL = r"Software\Microsoft\Windows\CurrentVersion\Uninstall\Sorvanto"

class Installed:
    """Where the setup installs the program, for all users or for the current user."""

    def __init__(self, desktop, everyone):
        drive, user = pathlib.Path(os.environ["WINEPREFIX"], "drive_c"), getpass.getuser()
        self.desktop, self.key = desktop, ("HKLM\\" if everyone else "HKCU\\") + UNINSTALL
        self.folder = drive / ("Program Files" if everyone else f"users/{user}/AppData/Local/Programs") / "Sorvanto"
        self.shortcut = drive / (("ProgramData" if everyone else f"users/{user}/AppData/Roaming")
                                 + "/Microsoft/Windows/Start Menu/Programs/Sorvanto.lnk")
        self.program = self.folder / "sorvanto.exe"

    def entry(self):
        """The entry in the list of programs, as reg prints it; empty when there is none."""
        done = subprocess.run(["wine", "reg", "query", self.key], capture_output=True, text=True)
        return done.stdout.replace("\r", "") if done.returncode == 0 else ""

    def leftovers(self):
        files = [str(p) for p in (self.folder, *self.folder.rglob("*"), self.shortcut) if p.exists()]
        return files + ([self.key] if self.entry() else [])

    def start(self):
        """The installed program started anew, its window shown and its icon docked."""
        app = Program(self.desktop, self.desktop.spawn("wine", self.program, log="app"))
        until(60, x11.shown, "no window")
        until(20, docked, "no icon in the tray")
        return app

    def uninstall(self):
        """As the list of programs, winget and management tools run the uninstaller, its command line as
        it stands (cmd hands it on so); they take its status for the uninstall's."""
        line = next(v for v in self.entry().splitlines() if "QuietUninstallString" in v).split("REG_SZ", 1)[1]
        command = self.desktop.dir / "uninstall.cmd"
        command.write_text(line.strip() + "\n")
        return self.desktop.wine("cmd", "/c", output("winepath", "-w", command).strip())

    def mark_old(self):
        """Keeps a copy of the installed program as it is (new), then marks it as an old one and keeps that (old)."""
        shutil.copy(self.program, self.desktop.dir / "new.exe")
        with open(self.program, "a") as program:
            program.write("old\n")
        shutil.copy(self.program, self.desktop.dir / "old.exe")

    def now(self, which):
        """The installed program is what mark_old kept as new or as old."""
        return filecmp.cmp(self.program, self.desktop.dir / f"{which}.exe", shallow=False)

def panel():
    """Wine's explorer docks the icon into the tray's panel in a window of its own."""
    return x11.windows(wm_class=b"panel")[0]

def docked():
    return any(x11.place(child)[2:] != (1, 1) for child in x11.children(panel()))

def arm_by_click():
    """The click lands on "Ativado", the first of the two choices at the window's top right."""
    at = x11.place(x11.main_window())
    x11.click(at.x + at.width * 565 // 1000, at.y + 30)
    until(5, x11.hidden, f"Ativado leaves the window at {at}")

def setup_and_program():
    with Desktop(sound=False) as desktop:
        desktop.wine_prefix(desktop.dir / "wine")
        everyone, wine = Installed(desktop, everyone=True), desktop.wine

        # Before Windows 10 the setup installs nothing; a run that Windows did not elevate, as asked, asks no more.
        def windows_version(version):
            check(wine("reg", "add", r"HKCU\Software\Wine", "/v", "Version", "/d", version, "/f") == 0,
                  "no Windows version")
        windows_version("win7")
        check(wine(setup, "/S") == 1150 % 256, "the setup does not refuse Windows 7")
        windows_version("win10")
        check(wine(unelevated, "/S", "/AllUsers", timeout=60) == 740 % 256,
              "the setup that Windows did not elevate does not end")
        check(not everyone.leftovers(), lambda: f"the refused setups installed these: {everyone.leftovers()}")

        check(wine(setup, "/S") == 0, "the installer failed")
        check(everyone.program.exists() and (everyone.folder / "uninstall.exe").exists() and everyone.shortcut.exists(),
              lambda: f"installed: {everyone.leftovers()}")
        entry = everyone.entry()
        for value in ("DisplayName.*Sorvanto", r"DisplayVersion.*1\.0", "Publisher.*Velmora",
                      r"DisplayIcon.*sorvanto\.exe", "EstimatedSize.*0x[1-9a-f]", r"UninstallString.*uninstall\.exe"):
            check(re.search(value, entry), f"the programs' list lacks {value}: {entry}")

        app = everyone.start()

        # Then Wine draws the icon there, usually a second later; in some runs not within ten.
        def tray(*then):
            at = x11.place(panel())
            return output("import", "-window", "root", "-crop", f"{at.width}x{at.height}+{at.x}+{at.y}", *then)
        if not within(10, lambda: int(tray("-format", "%k", "info:")) > 1):
            print("the tray icon is not drawn yet, 10 s after it docked")
        x11.shot("windows-configuration")
        tray(ARTIFACTS / "windows-tray.png")

        # The user goes back to another program and types on there, as the alert comes after the real minute.
        desktop.other_window(fullscreen=True)
        x11.xdotool("windowactivate", "--sync", x11.main_window())
        arm_by_click()
        armed = time.monotonic()
        check(x11.type_along(80), lambda: f"no alert after {time.monotonic() - armed:.0f} s")
        window = x11.main_window()
        until(5, lambda: x11.maximized(window), lambda: f"the alert is not maximized: {x11.wm_state(window)}")
        check(x11.on_top(window), lambda: f"the alert is not on top: {x11.wm_state(window)}")
        print(f"the alert after {time.monotonic() - armed:.0f} s: {x11.wm_state(window)}; active: "
              f"{x11.active_window()}, alert: {window}")
        x11.shot("windows-alert")
        # What the typing left of the reminder: a deliberate click into it, and a copy, give it to the clipboard.
        at = x11.place(window)
        x11.xdotool("mousemove", at.x + at.width // 2, at.y + at.height // 2, "click", 1, "key", "ctrl+a", "ctrl+c")

        def copied():
            return subprocess.run(["xclip", "-o", "-selection", "clipboard"], capture_output=True, text=True).stdout
        until(5, lambda: copied() == REMINDER,
              lambda: f"typing elsewhere changed the alert's text to {copied()!r}")
        # "OK" is all there is on the white strip at the bottom.
        left, top = at.x + 10, at.y + at.height - 48
        strip = subprocess.run(["import", "-window", "root", "-crop", f"{at.width - 20}x40+{left}+{top}", "+repage",
                                "png:-"], capture_output=True).stdout
        trimmed = subprocess.run(["convert", "-", "-fuzz", "20%", "-trim", "-format", "%w %h %X %Y", "info:"],
                                 input=strip, capture_output=True).stdout
        w, h, x, y = map(int, trimmed.split())
        x11.click(left + x + w // 2, top + y + h // 2)
        app.ends("OK", held=False)

        def upgrade_over(app, state):
            """The upgrade ends the program in that state and replaces its file, marked before."""
            check(wine(setup, "/S") == 0, f"the upgrade over the program {state} failed")
            app.ends(f"the upgrade over the program {state}", held=False)
            check(everyone.now("new"), f"the upgrade over the program {state} kept the old program")
        everyone.mark_old()
        app = everyone.start()
        arm_by_click()
        upgrade_over(app, "armed in the tray")
        # The font chooser is a modal dialog; the click lands on the font button, under "cor da fonte".
        everyone.mark_old()
        app = everyone.start()
        at = x11.place(x11.main_window())
        x11.click(at.x + at.width * 247 // 1000, at.y + 40)
        until(10, lambda: x11.windows("Fonte") or x11.windows("Font"), f"no font chooser at {at}")
        upgrade_over(app, "with its font chooser open")

        app = everyone.start()
        check(everyone.uninstall() == 0, "the uninstall while the program runs failed")
        check(not everyone.leftovers(), lambda: f"the uninstall while the program runs left {everyone.leftovers()}")
        app.ends("the uninstall", held=False)

        mine = Installed(desktop, everyone=False)
        check(wine(setup, "/S", "/CurrentUser") == 0, "the install for the current user failed")
        check(mine.program.exists() and mine.shortcut.exists(),
              lambda: f"installed for the current user: {mine.leftovers()}")
        check("/CurrentUser" in next((v for v in mine.entry().splitlines() if "UninstallString" in v), ""),
              "no entry for the current user")
        check(not everyone.entry(), "the install for the current user made an entry for all users")
        # A program that never ends keeps its file, and the upgrade fails.
        mine.mark_old()
        app = mine.start()
        app.process.send_signal(signal.SIGSTOP)
        check(wine(setup, "/S") != 0, "the upgrade over a program that does not end succeeded")
        check(mine.now("old"), "the failed upgrade changed the program")
        app.process.send_signal(signal.SIGCONT)
        app.ends("the failed upgrade", held=False)
        # Another program holds the file open: the uninstall fails, and keeps the entry.
        held = desktop.dir / "held"
        holder = desktop.spawn("wine", "cmd", "/c", f"echo >{output('winepath', '-w', held).strip()} & ping -n 10 "
                               f"127.0.0.1 <{output('winepath', '-w', mine.program).strip()} >nul", log="holder")
        until(10, lambda: held.exists() and held.stat().st_size, "nothing holds the program's file")
        check(mine.uninstall() != 0, "the uninstall of a file in use succeeded")
        check(mine.program.exists() and mine.entry(), lambda: f"the failed uninstall left only: {mine.leftovers()}")
        holder.wait()
        check(mine.uninstall() == 0, "the uninstall failed")
        check(not mine.leftovers(), lambda: f"the uninstaller left these behind: {mine.leftovers()}")
    return ("installed, window, tray icon, armed, alert maximized on top, OK ends with 0, upgraded and uninstalled "
            "while running; for the current user, failing over a program that does not end and a file in use")

run(setup_and_program)
