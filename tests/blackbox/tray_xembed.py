#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The tray icon in an XEmbed tray answers the mouse: the right button opens the menu at the pointer,
"Configurações" toggles the window, the middle button hides it, minimizing hides it, and "Sair" ends
the program; a pending countdown keeps running throughout.
  tray_xembed.py SORVANTO"""
import sys
import time

from harness import Desktop, arm_for, check, run, ui, until, x11

program = sys.argv[1]

def clicks_on_the_icon():
    with Desktop(sound=False) as desktop:
        app = desktop.start_shown(program)
        until(10, x11.tray_icon, "no tray icon")
        arm_for(30)
        armed, left = time.monotonic(), app.countdown()
        check(left, "arming starts no countdown")

        # A left click does nothing. The right click after it, a little lower, is handled after it: its
        # menu finds the window still hidden, and opens where the right click was. A menu opened by the
        # left click would have taken the right click, and stayed higher or closed.
        x11.click_tray_icon(1, below=-6)
        x11.click_tray_icon(3)
        until(5, x11.popup_menu, "no menu after a left and a right click")
        check(not ui.showing("texto do sorvanto"), "a left click showed the window")
        x, y = x11.pointer()
        at = x11.place(x11.popup_menu())
        # At the pointer, moved left only as far as the screen's edge requires.
        check(y <= at.y <= y + 2, f"menu top {at.y}, pointer {y}")
        check(at.x + at.width <= 1024 and at.x <= x, f"menu left {at.x} width {at.width}, pointer {x}")
        x11.shot("tray-menu")
        x11.choose(2)
        until(5, x11.shown, "Configurações does not show the window")
        until(5, lambda: x11.active_window() == x11.main_window(), "the window from the tray is not the active one")
        check(ui.showing("Intervalo"), "not the configuration view")
        check(not ui.showing("OK"), "OK in the configuration view")
        check(not x11.on_top(x11.main_window()), "the configuration view is on top")
        x11.shot("configuration-from-tray")

        x11.click_tray_icon(2)
        until(5, x11.hidden, "the middle button does not hide the window")
        x11.open_menu(2)
        until(5, x11.shown, "Configurações after the middle button")
        x11.xdotool("windowminimize", x11.main_window())
        until(5, x11.hidden, "minimizing leaves the window")
        x11.open_menu(2)
        until(5, x11.shown, "Configurações after minimizing shows nothing")
        check(ui.showing("Intervalo"), "not the configuration view after minimizing")
        x11.open_menu(2)
        until(5, x11.hidden, "Configurações does not hide a shown window")

        # The countdown armed at the start has gone on all along, neither stopped nor started anew.
        now, since = app.countdown(), time.monotonic() - armed
        check(now and abs(left - since - now) <= 2, f"{now} s left of the countdown, {since:.0f} s after {left} s")
        x11.open_menu(3)
        app.ends("Sair")
    return "menu at the pointer, toggles, middle button, minimize and Sair all answer; the countdown ran on"

run(clicks_on_the_icon)
