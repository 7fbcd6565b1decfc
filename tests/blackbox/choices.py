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
from harness import ARTIFACTS, Desktop, Findings, check, output, run, tone, ui, until, within, x11

program = os.path.realpath(sys.argv[1])
SHOTS = ARTIFACTS / "choices"

def shown(root, role, name=None):
    return ui.find(root, role, name, state=pyatspi.STATE_SHOWING)

def closes(title, key=None):
    """The chooser with that title closes, on the key if one is given."""
    if key:
        x11.xdotool("key", key)
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
        self.locale, self.wave, self.found = locale, wave, Findings(tell=True)
        self.see = self.found.see
        self.app = ui.application(30)
        self.main = ui.window("Velmora-SORVANTO Vrs. 1.0")
        self.text_area = shown(self.main, "text", "texto do sorvanto")
        self.colour_list = shown(self.main, "combo box")

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
        chooser = self.open("Selecionar cor", self.custom_colour_entry())
        x11.shot("choices/colour-chooser-pt_BR")
        self.see(shown(chooser, "label", "Cores básicas") is not None, "the colour chooser speaks Portuguese")
        closes("Selecionar cor", "Escape")

        font = self.open("Fonte", shown(self.main, "push button", "A"))
        x11.shot("choices/font-chooser-pt_BR")
        self.see(shown(font, "text", "Fonte:") is not None and shown(font, "check box", "Sublinhado") is not None,
                 "the font chooser's texts that Qt's font dialog shares are in Portuguese")
        closes("Fonte", "Escape")

        files = self.open("Abrir", shown(self.main, "text", "Som"))
        x11.shot("choices/file-chooser-pt_BR")
        self.see(shown(files, "label", "Procurar em:") is not None and shown(files, "label", "Arquivos do tipo:")
                 is not None and shown(files, "text", "Nome do arquivo:") is not None,
                 "the file chooser speaks Portuguese")
        self.see(shown(files, "combo box", "waves sounds (*.wav)") is not None,
                 "the filter keeps the program's own label")
        closes("Abrir", "Escape")

    def colours(self):
        """A pick in the dropped list colours the text area at once; "Custom..." applies its colour
        (black the first time) before the colour chooser asks."""
        dropped = self.drop_colour_list()
        x11.shot("choices/colour-list-dropped")
        self.see(sum(1 for i in dropped.parent if i is not None and ui.is_showing(i)) == 8,
                 "the dropped list shows eight entries")
        click(until(15, lambda: shown(self.app, "list item", "Yellow"), "no Yellow in the list"))
        self.see(within(5, lambda: self.background() == (255, 255, 0)),
                 "a colour picked in the dropped list colours the text area", str(self.background()))

        self.drop_colour_list()
        chooser = self.open("Select Color", self.custom_colour_entry())
        x11.shot("choices/colour-chooser")
        # The chooser opens over the window: move it aside to see the text area.
        x11.xdotool("windowmove", x11.windows("Select Color")[-1], 560, 400)
        until(5, lambda: ui.extents(chooser)[0] >= 560, "the colour chooser does not move")
        seen = self.background([ui.extents(chooser)])
        self.see(seen == (0, 0, 0), "the first custom colour is black, applied while the chooser asks", str(seen))
        retype(shown(chooser, "text", "HTML:"), "#1e90ff")
        closes("Select Color", "Return")
        self.see(self.background() == (30, 144, 255), "the confirmed custom colour colours the text area",
                 str(self.background()))

    def font_chooser(self, what, *expected):
        """The font chooser, opened by the font button, showing the expected face, style, size and colour."""
        font = self.open("Font", shown(self.main, "push button", "A"))
        shows = (*(text_of(shown(font, "text", name)) for name in ("Font:", "Font style:", "Size:")),
                 shown(font, "combo box").name)
        self.see(shows == expected, f"the font chooser opens on {what}", str(shows))
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
        closes("Font")
        time.sleep(0.3)
        attributes = dict(a.split(":", 1) for a in self.text_area.queryText().getAttributeRun(0, False)[0])
        after = character()
        self.see(attributes.get("family-name") == '"Liberation Serif"' and attributes.get("style") == "italic"
                 and attributes.get("weight") != "bold" and "underline" in attributes,
                 "the text area takes the font's name and style", str(attributes))
        self.see(after[3] >= 37 and after[3] > before[3], "the text area takes the font's size (28 points: 37 pixels)",
                 f"character height {before[3]} -> {after[3]}")
        x, y, w, h = ui.extents(self.text_area)
        self.see(count_colour(x11.shot("choices/font-applied"), (x, y, w, h // 3), (0, 0, 255)) > 200,
                 "the text area takes the font's colour")

        font = self.font_chooser("the last confirmed font", "Liberation Serif", "Italic", "28", "Blue")
        retype(shown(font, "text", "Size:"), "9")
        click(shown(font, "push button", "Cancel"))
        closes("Font")
        self.see(character()[3] == after[3], "cancelling the font chooser changes nothing")

    def sound(self):
        """A double-click opens the file chooser in the program's directory."""
        field = shown(self.main, "text", "Som")
        files = self.open("Open", field)
        x11.shot("choices/file-chooser")
        name_box = shown(files, "text", "File name:")
        self.see(shown(files, "combo box", os.path.dirname(program)) is not None and text_of(name_box) == "*.wav",
                 "the file chooser opens in the program's directory on *.wav",
                 f"{shown(files, 'combo box').name} / {text_of(name_box)}")
        self.see(shown(files, "combo box", "waves sounds (*.wav)") is not None, "it offers waves sounds")
        retype(name_box, self.wave)
        closes("Open", "Return")
        self.see(text_of(field) == self.wave, "a confirmed file puts its full name in the sound field", text_of(field))

        files = self.open("Open", field)
        name_box = shown(files, "text", "File name:")
        self.see(shown(files, "combo box", os.path.dirname(self.wave)) is not None
                 and text_of(name_box) == os.path.basename(self.wave),
                 "the file chooser opens again on the chosen file", text_of(name_box))
        retype(name_box, "novo")
        closes("Open", "Return")
        novo = os.path.join(os.path.dirname(self.wave), "novo.wav")
        self.see(text_of(field) == novo, "a name typed without an extension gets .wav, and need not exist",
                 text_of(field))

        self.open("Open", field)
        closes("Open", "Escape")
        self.see(text_of(field) == novo, "cancelling the file chooser changes nothing", text_of(field))
        box = shown(self.main, "check box")
        click(box)
        self.see(within(5, lambda: box.getState().contains(pyatspi.STATE_CHECKED)), "the sound box ticks")

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
        choosers.found.done()
    return "every chooser as it should be; \"sair\" ends the program, which says nothing"

run(("english", lambda: choosers_in("en_US")), ("portuguese", lambda: choosers_in("pt_BR")))
