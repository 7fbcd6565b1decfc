#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The font button, the colour list and the sound field of the real program on the test desktop:
the real pointer and keys, what the window says through the accessibility bus, colours from
screenshots, which are kept with the artifacts in choices/. The choosers speak the user's language:
in English every chooser is worked through, in Brazilian Portuguese what Qt's catalogue translates
is read. "sair" ends the program, which says nothing.
  choices.py SORVANTO"""
import os
import sys
import time

import pyatspi
from harness import ARTIFACTS, Desktop, check, output, run, tone, ui, until, within, x11

program = os.path.realpath(sys.argv[1])
SHOTS = ARTIFACTS / "choices"

def shown(root, role, name=None):
    return ui.find(root, role, name, state=pyatspi.STATE_SHOWING)

def gone(title):
    until(15, lambda: not any(w is not None and w.name == title and ui.is_showing(w) for w in ui.application()),
          f"'{title}' does not close")

def click(accessible, repeat=1):
    x, y, w, h = ui.extents(accessible)
    x11.xdotool("mousemove", x + w // 2, y + h // 2, "click", "--repeat", repeat, "--delay", 80, 1)

def text_of(accessible):
    return accessible.queryText().getText(0, -1)

def retype(field, text):
    click(field)
    x11.xdotool("key", "ctrl+a", "type", "--delay", 15, text)

def pixel(path, x, y):
    channels = ",".join(f"%[fx:int(255*p{{{x},{y}}}.{c})]" for c in "rgb")
    return tuple(int(v) for v in output("convert", path, "-format", channels, "info:").split(","))

def count_colour(path, box, colour):
    x, y, w, h = box
    rgb = "rgb({},{},{})".format(*colour)
    return int(output("convert", path, "-crop", f"{w}x{h}+{x}+{y}", "+repage", "-fill", "white", "+opaque", rgb,
                      "-fill", "black", "-opaque", rgb, "-format", "%[fx:int(w*h*(1-mean))]", "info:"))

class Choosers:
    def __init__(self, locale, wave):
        self.locale, self.wave, self.failures = locale, wave, []
        self.app = ui.application(30)
        self.main = ui.window("Velmora-SORVANTO Vrs. 1.0")
        self.text_area = shown(self.main, "text", "texto do sorvanto")
        self.colour_list = shown(self.main, "combo box")

    def see(self, what, holds, detail=""):
        print(("ok   " if holds else "FAIL ") + what + (f" ({detail})" if detail else ""), flush=True)
        if not holds:
            self.failures.append(what)

    def background(self, covered=()):
        """The colour of a point of the text area away from its text and from any dialog over it."""
        x, y, w, h = ui.extents(self.text_area)
        points = [(px, py) for px in range(x + 15, x + w - 15, 40) for py in (y + h - 15, y + h - 55)
                  if not any(cx <= px < cx + cw and cy <= py < cy + ch for cx, cy, cw, ch in covered)]
        check(points, "no part of the text area is in sight")
        return pixel(x11.shot("choices/now"), *points[0])

    def drop_colour_list(self):
        """The dropped list's first entry in sight. A click while the window is still settling after
        start-up may be lost."""
        for _ in range(3):
            click(self.colour_list)
            dropped = within(5, lambda: shown(self.app, "list item", "White"))
            if dropped:
                time.sleep(0.5)
                return dropped
        check(False, "the colour list does not drop")

    def custom_colour_entry(self):
        x11.xdotool("key", "Home")
        return until(15, lambda: shown(self.app, "list item", "Custom..."), "no Custom... in sight")

    def open(self, title, control):
        click(control, repeat=2 if control.getRoleName() == "text" else 1)
        chooser = ui.window(title)
        time.sleep(0.3)
        return chooser

    def in_portuguese(self):
        self.drop_colour_list()
        click(self.custom_colour_entry())
        chooser = ui.window("Selecionar cor")
        time.sleep(0.3)
        x11.shot("choices/colour-chooser-pt_BR")
        self.see("the colour chooser speaks Portuguese", shown(chooser, "label", "Cores básicas") is not None)
        x11.xdotool("key", "Escape")
        gone("Selecionar cor")

        font = self.open("Fonte", shown(self.main, "push button", "A"))
        x11.shot("choices/font-chooser-pt_BR")
        self.see("the font chooser's texts that Qt's font dialog shares are in Portuguese",
                 shown(font, "text", "Fonte:") is not None and shown(font, "check box", "Sublinhado") is not None)
        x11.xdotool("key", "Escape")
        gone("Fonte")

        files = self.open("Abrir", shown(self.main, "text", "Som"))
        x11.shot("choices/file-chooser-pt_BR")
        self.see("the file chooser speaks Portuguese",
                 shown(files, "label", "Procurar em:") is not None and shown(files, "label", "Arquivos do tipo:")
                 is not None and shown(files, "text", "Nome do arquivo:") is not None)
        self.see("the filter keeps the program's own label",
                 shown(files, "combo box", "waves sounds (*.wav)") is not None)
        x11.xdotool("key", "Escape")
        gone("Abrir")

    def colours(self):
        """A pick in the dropped list colours the text area at once; "Custom..." applies its colour
        (black the first time) before the colour chooser asks."""
        dropped = self.drop_colour_list()
        x11.shot("choices/colour-list-dropped")
        self.see("the dropped list shows eight entries",
                 sum(1 for i in dropped.parent if i is not None and ui.is_showing(i)) == 8)
        click(until(15, lambda: shown(self.app, "list item", "Yellow"), "no Yellow in the list"))
        self.see("a colour picked in the dropped list colours the text area",
                 within(5, lambda: self.background() == (255, 255, 0)), str(self.background()))

        click(self.colour_list)
        until(15, lambda: shown(self.app, "list item", "Yellow"), "the colour list does not drop")
        time.sleep(0.5)
        click(self.custom_colour_entry())
        chooser = ui.window("Select Color")
        x11.shot("choices/colour-chooser")
        # The chooser opens over the window: move it aside to see the text area.
        x11.xdotool("windowmove", x11.windows("Select Color")[-1], 560, 400)
        until(5, lambda: ui.extents(chooser)[0] >= 560, "the colour chooser does not move")
        seen = self.background([ui.extents(chooser)])
        self.see("the first custom colour is black, applied while the chooser asks", seen == (0, 0, 0), str(seen))
        retype(shown(chooser, "text", "HTML:"), "#1e90ff")
        x11.xdotool("key", "Return")
        gone("Select Color")
        self.see("the confirmed custom colour colours the text area", self.background() == (30, 144, 255),
                 str(self.background()))

    def font_chooser(self, what, *expected):
        """The font chooser, opened by the font button, showing the expected face, style, size and colour."""
        font = self.open("Font", shown(self.main, "push button", "A"))
        shows = (*(text_of(shown(font, "text", name)) for name in ("Font:", "Font style:", "Size:")),
                 shown(font, "combo box").name)
        self.see(f"the font chooser opens on {what}", shows == expected, str(shows))
        return font

    def fonts(self):
        """The chooser opens on its own first choice; a confirmed font goes to the text."""
        def character():
            return self.text_area.queryText().getCharacterExtents(0, pyatspi.DESKTOP_COORDS)
        before = character()
        font = self.font_chooser("MS Sans Serif, bold, 18 points, red", "MS Sans Serif", "Bold", "18", "Red")
        x11.shot("choices/font-chooser")
        retype(shown(font, "text", "Font:"), "Liberation Serif")
        click(shown(font, "list item", "Italic"))
        retype(shown(font, "text", "Size:"), "28")
        click(shown(font, "check box", "Underline"))
        click(shown(font, "combo box"))
        click(until(15, lambda: shown(font, "list item", "Blue"), "no Blue among the font colours"))
        time.sleep(0.3)
        x11.shot("choices/font-chooser-filled")
        click(shown(font, "push button", "OK"))
        gone("Font")
        time.sleep(0.3)
        attributes = dict(a.split(":", 1) for a in self.text_area.queryText().getAttributeRun(0, False)[0])
        after = character()
        self.see("the text area takes the font's name and style",
                 attributes.get("family-name") == '"Liberation Serif"' and attributes.get("style") == "italic"
                 and attributes.get("weight") != "bold" and "underline" in attributes, str(attributes))
        self.see("the text area takes the font's size (28 points: 37 pixels)", after[3] >= 37 and after[3] > before[3],
                 f"character height {before[3]} -> {after[3]}")
        x, y, w, h = ui.extents(self.text_area)
        self.see("the text area takes the font's colour",
                 count_colour(x11.shot("choices/font-applied"), (x, y, w, h // 3), (0, 0, 255)) > 200)

        font = self.font_chooser("the last confirmed font", "Liberation Serif", "Italic", "28", "Blue")
        retype(shown(font, "text", "Size:"), "9")
        click(shown(font, "push button", "Cancel"))
        gone("Font")
        self.see("cancelling the font chooser changes nothing", character()[3] == after[3])

    def sound(self):
        """A double-click opens the file chooser in the program's directory."""
        field = shown(self.main, "text", "Som")
        files = self.open("Open", field)
        x11.shot("choices/file-chooser")
        name_box = shown(files, "text", "File name:")
        self.see("the file chooser opens in the program's directory on *.wav",
                 shown(files, "combo box", os.path.dirname(program)) is not None and text_of(name_box) == "*.wav",
                 f"{shown(files, 'combo box').name} / {text_of(name_box)}")
        self.see("it offers waves sounds", shown(files, "combo box", "waves sounds (*.wav)") is not None)
        retype(name_box, self.wave)
        x11.xdotool("key", "Return")
        gone("Open")
        self.see("a confirmed file puts its full name in the sound field", text_of(field) == self.wave, text_of(field))

        files = self.open("Open", field)
        name_box = shown(files, "text", "File name:")
        self.see("the file chooser opens again on the chosen file",
                 shown(files, "combo box", os.path.dirname(self.wave)) is not None
                 and text_of(name_box) == os.path.basename(self.wave), text_of(name_box))
        retype(name_box, "novo")
        x11.xdotool("key", "Return")
        gone("Open")
        novo = os.path.join(os.path.dirname(self.wave), "novo.wav")
        self.see("a name typed without an extension gets .wav, and need not exist", text_of(field) == novo,
                 text_of(field))

        self.open("Open", field)
        x11.xdotool("key", "Escape")
        gone("Open")
        self.see("cancelling the file chooser changes nothing", text_of(field) == novo, text_of(field))
        box = shown(self.main, "check box")
        click(box)
        self.see("the sound box ticks", within(5, lambda: box.getState().contains(pyatspi.STATE_CHECKED)))

def choosers_in(locale):
    with Desktop() as desktop:
        SHOTS.mkdir(exist_ok=True)
        (desktop.dir / "sounds").mkdir()
        wave = str(tone(desktop.dir / "sounds" / "tone.wav", 0.8))
        app = desktop.start_program(program, env={"LANGUAGE": None, "LC_ALL": None, "LC_MESSAGES": None,
                                                  "LANG": f"{locale}.UTF-8"})
        choosers = Choosers(locale, wave)
        if locale == "pt_BR":
            choosers.in_portuguese()
        else:
            choosers.colours()
            choosers.fonts()
            choosers.sound()
            (SHOTS / "now.png").unlink(missing_ok=True)
        click(shown(choosers.main, "push button", "sair"))
        app.ends(f"sair ({locale})")
        check(not desktop.said("app"), f"the program said something ({locale})")
        check(not choosers.failures, f"{len(choosers.failures)} failed: {'; '.join(choosers.failures)}")
    return "every chooser as it should be; \"sair\" ends the program, which says nothing"

run(("english", lambda: choosers_in("en_US")), ("portuguese", lambda: choosers_in("pt_BR")))
