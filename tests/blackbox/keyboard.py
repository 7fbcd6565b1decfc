#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The window from the keyboard alone, with real key presses through the X server and the focus read
over the accessibility bus: Tab and Shift+Tab visit the controls in their laid-out order and type
nothing into the reminder text, the message line is entered with nothing selected, the order comes
back whole when "Configurações" brings the configuration view back, an arrow key in the radio group
arms, the alert comes while the user types on in another window and what they type changes and ends
nothing, its armed view keeps the message line and the text in the order, and a real click on "OK"
removes the tray icon and ends the program. A preloaded library shortens the countdown to a second.
  keyboard.py SORVANTO   with SORVANTO_FAST_CLOCK naming that library"""
import sys

from harness import REMINDER, Desktop, check, click_ok, fail, run, ui, until, within, x11

program = sys.argv[1]
TEXT, MESSAGE = "texto do sorvanto", "mensagem do sorvanto"
# The colour list goes by the colour it shows.
CONFIGURATION = [TEXT, MESSAGE, "Desativado", "Intervalo", "White", "Som",
                 "marque aqui se deseja ouvir um som no momento do sorvanto"]

def focus_on(name):
    return ui.focused()[0] == name

def expect_focus(name, after):
    """The focus reaches the control called name; the message line is entered with nothing selected."""
    until(5, lambda: focus_on(name), lambda: f"{after}: the focus is on {ui.focused()[0]!r}, not on {name!r}")
    caret = ui.focused()[1]
    check(name != MESSAGE or caret == "caret 0, nothing selected", f"{after}: the message line shows {caret!r}")

def both_ways(first, *rest):
    """From the first control named, each Tab goes on to the next and the last back to the first, and
    Shift+Tab the other way round; Tab types nothing into the reminder."""
    for key, order in (("Tab", rest), ("shift+Tab", rest[::-1])):
        expect_focus(first, f"before {key}")
        for name in (*order, first):
            x11.xdotool("key", "--clearmodifiers", key)
            expect_focus(name, key)
        check(ui.text(TEXT) == REMINDER, lambda: f"{key} changed the reminder text to {ui.text(TEXT)!r}")

def reach(name):
    """Tab until the control called name has the focus."""
    for _ in range(8):
        if within(2, lambda: focus_on(name)):
            return
        x11.xdotool("key", "--clearmodifiers", "Tab")
    fail(f"Tab never reaches {name!r}")

def from_the_keyboard():
    with Desktop("800x600", sound=False) as desktop:
        app = desktop.start_shown(program, docked=True, fast=True)
        x11.xdotool("windowactivate", "--sync", x11.main_window())
        expect_focus(TEXT, "at start")
        both_ways(*CONFIGURATION)
        print("ok   the configuration view, both ways")

        # The first "Configurações" hides the window in the armed view, the second brings the configuration view back.
        x11.open_menu(2)
        until(10, x11.hidden, '"Configurações" does not hide the window')
        x11.open_menu(2)
        until(10, x11.shown, '"Configurações" does not show the window')
        x11.xdotool("windowactivate", "--sync", x11.main_window())
        reach(TEXT)
        both_ways(*CONFIGURATION)
        print("ok   the configuration view again, both ways")

        desktop.other_window(fullscreen=True)
        x11.xdotool("windowactivate", "--sync", x11.main_window())
        reach("Desativado")
        x11.xdotool("key", "--clearmodifiers", "Left")
        # The hidden window hands the focus back to the other one, where the user types on.
        check(x11.type_along(20), "Left in the radio group does not arm: no alert")
        check(ui.showing("OK"), "the typing ended the alert")
        check(ui.text(TEXT) == REMINDER, lambda: f"typing elsewhere changed the alert's text to {ui.text(TEXT)!r}")
        expect_focus(MESSAGE, "in the alert")
        both_ways(MESSAGE, TEXT)
        print("ok   the alert keeps what the user types elsewhere out, and its armed view, both ways")
        click_ok()
        app.ends("OK", icon_removed=True)
    return "Tab and Shift+Tab in order, an arrow key arms, typing elsewhere changes nothing, a click on OK ends"

run(from_the_keyboard)
