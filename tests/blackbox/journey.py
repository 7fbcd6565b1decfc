#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A user's day with the program, in one real minute: start, choose a sound, arm one minute, and the
alert comes back maximized and on top with its message and the chosen sound; "OK" removes the tray
icon and ends the program. In the same minute, on desktops of their own: the same with no sound
server at all, with the sound server gone between arming and the alert, under valgrind's memcheck
when a build without sanitizers is given, and over a fullscreen window where the user types on, under
two other window managers, with the countdown shortened (SORVANTO_FAST_CLOCK).
  journey.py SORVANTO [UNSANITIZED_SORVANTO]"""
import shutil
import sys
import time

from harness import ARTIFACTS, BLACKBOX, Desktop, alert_over, check, measure, run, tone, ui, until, x11

program, plain = sys.argv[1], (sys.argv[2:] or [""])[0]
MESSAGE = "1  minuto(s) atrás  você pediu para lembrar que:"

def arm_one_minute_with_sound():
    ui.settext("Intervalo", "1")
    ui.press("marque aqui se deseja ouvir um som no momento do sorvanto")
    ui.press("Ativado")
    armed = time.monotonic()
    until(10, x11.hidden, "the window stays after arming")
    return armed

def on_top_and_maximized():
    """The alert comes on screen at its normal size, and is maximized there."""
    until(5, lambda: x11.maximized(x11.main_window()) and x11.on_top(x11.main_window()),
          lambda: f"alert not maximized on top: {x11.wm_state(x11.main_window())}")
    at = x11.place(x11.main_window())
    check(at.width >= 780 and at.height >= 540, f"alert is {at.width} x {at.height}")

def alert_comes(armed):
    until(100, x11.shown, "no alert")
    waited = time.monotonic() - armed
    check(waited >= 58, f"alert after {waited:.0f} s")
    check(ui.showing("OK"), "no OK in the alert")
    check(not ui.showing("sair"), "sair shown in the alert")
    check(ui.text("mensagem do sorvanto") == MESSAGE, lambda: f"message line: {ui.text('mensagem do sorvanto')!r}")
    on_top_and_maximized()
    # An error box would be a second window of the program.
    check(not x11.popup_menu(), "a second window beside the alert")
    return waited

def ok_ends(app):
    ui.press("OK")
    app.ends("OK", icon_removed=True)

def everyday():
    with Desktop("800x600") as desktop:
        app = desktop.start_shown(program, docked=True)
        at = x11.place(x11.main_window())
        check(abs(at.x + at.width // 2 - 400) <= 2, f"not centred across: {at.x}")
        check((at.width, at.height) == (536, 341), f"client area {at.width} x {at.height}")
        x11.shot("configuration")
        # The sound the user chose: 0.8 s of a tone at half the full scale.
        ui.settext("Som", str(tone(desktop.dir / "chosen.wav", 0.8)))
        recorder = desktop.recorder(desktop.dir / "heard.wav")
        armed = arm_one_minute_with_sound()
        # The countdown counts on the clock that goes on while the machine sleeps.
        check(app.countdown(), "no countdown on the boot-time clock")
        waited = alert_comes(armed)
        time.sleep(1.5)
        recorder.terminate()
        recorder.wait()
        x11.shot("alert")
        length, peak = measure(desktop.dir / "heard.wav")
        check(0.7 < length < 0.9 and 0.45 < peak < 0.55, f"the chosen sound was not heard: {length} s, peak {peak}")
        # The window manager restarting must not take the alert down from the top.
        desktop.spawn("openbox", "--replace", log="openbox2")
        time.sleep(3)
        on_top_and_maximized()
        ok_ends(app)
    return f"alert after {waited:.0f} s, the sound heard ({length} s, peak {peak}), on top after openbox restarted"

def without_sound(server):
    """No sound server at all, or the sound server gone between arming and the alert."""
    with Desktop("800x600", sound=server) as desktop:
        app = desktop.start_shown(program, docked=True)
        armed = arm_one_minute_with_sound()
        if server:
            desktop.pulse.terminate()
        waited = alert_comes(armed)
        ok_ends(app)
    return f"alert after {waited:.0f} s, no error"

def memcheck():
    with Desktop("800x600", sound=False) as desktop:
        log = desktop.dir / "memcheck.log"
        app = desktop.start_shown("valgrind", "--tool=memcheck", "--leak-check=full", f"--log-file={log}",
                                  "--errors-for-leak-kinds=definite", f"--suppressions={BLACKBOX}/memcheck.supp", plain,
                                  docked=True)
        alert_comes(arm_one_minute_with_sound())
        ok_ends(app)
        shutil.copy(log, ARTIFACTS)
        said = log.read_text()
        summary = " ".join(line.split("== ", 1)[-1].strip() for line in said.splitlines()
                           if "definitely lost" in line or "ERROR SUMMARY" in line)
        check("definitely lost: 0 bytes" in said or "All heap blocks were freed" in said, f"definite leaks: {summary}")
        check("ERROR SUMMARY: 0 errors" in said, f"memcheck errors: {summary}")
    return summary

run(everyday, ("no_sound_server", lambda: without_sound(False)), ("sound_server_gone", lambda: without_sound(True)),
    # Under xfwm4, a compositing window manager, and under fluxbox, which keeps a fullscreen window in
    # front of any that is not brought there as the user would.
    ("over_fullscreen_under_xfwm4", lambda: alert_over(program, "xfwm4", fullscreen=True)),
    ("over_fullscreen_under_fluxbox", lambda: alert_over(program, "fluxbox", fullscreen=True)),
    *([memcheck] if plain else []))
