# SPDX-License-Identifier: GPL-3.0-or-later
"""Drives the font button, the colour list and the sound field of a running Sorvanto on the test
desktop: real pointer and keys through xdotool, what the window says through AT-SPI, colours from
screenshots.

    choices.py PROGRAM_DIR WAVE_FILE ARTIFACTS LOCALE

In en_US every chooser is worked through; in pt_BR only what Qt's catalogue translates is read.
"""

import os
import subprocess
import sys
import time

import pyatspi
from sorvanto_ui import application, eventually, extents, find, is_showing, until, window

program_dir, wave, artifacts, locale = sys.argv[1:5]
failures = []


def check(what, ok, detail=""):
    print(("ok   " if ok else "FAIL ") + what + (f" ({detail})" if detail else ""), flush=True)
    if not ok:
        failures.append(what)


def xdotool(*args):
    subprocess.run(["xdotool", *map(str, args)], check=True)


def shown(root, role, name=None):
    return find(root, role, name, state=pyatspi.STATE_SHOWING)


def gone(title):
    until(f"'{title}' to close", lambda: not any(
        w is not None and w.name == title and is_showing(w) for w in application()))


def centre(accessible):
    x, y, w, h = extents(accessible)
    return x + w // 2, y + h // 2


def click(accessible, repeat=1):
    x, y = centre(accessible)
    xdotool("mousemove", x, y)
    xdotool("click", "--repeat", repeat, "--delay", 80, 1)


def text_of(accessible):
    return accessible.queryText().getText(0, -1)


def retype(field, text):
    click(field)
    xdotool("key", "ctrl+a")
    xdotool("type", "--delay", 15, text)


def shot(name):
    path = os.path.join(artifacts, name + ".png")
    subprocess.run(["import", "-window", "root", path], check=True)
    return path


def pixel(path, x, y):
    out = subprocess.run(["convert", path, "-format", f"%[fx:int(255*p{{{x},{y}}}.r)],"
                          f"%[fx:int(255*p{{{x},{y}}}.g)],%[fx:int(255*p{{{x},{y}}}.b)]", "info:"],
                         check=True, capture_output=True, text=True).stdout
    return tuple(int(v) for v in out.split(","))


def count_colour(path, box, colour):
    x, y, w, h = box
    out = subprocess.run(["convert", path, "-crop", f"{w}x{h}+{x}+{y}", "+repage", "-fill", "white",
                          "+opaque", "rgb({},{},{})".format(*colour), "-fill", "black", "-opaque",
                          "rgb({},{},{})".format(*colour), "-format", "%[fx:int(w*h*(1-mean))]", "info:"],
                         check=True, capture_output=True, text=True).stdout
    return int(out)


def background_point(text_area, covered=()):
    """A point of the text area away from its text and from any dialog over it."""
    x, y, w, h = extents(text_area)
    for px in range(x + 15, x + w - 15, 40):
        for py in (y + h - 15, y + h - 55):
            if not any(cx <= px < cx + cw and cy <= py < cy + ch for cx, cy, cw, ch in covered):
                return px, py
    raise SystemExit("FAIL no part of the text area is in sight")


app = application(30)
main = window("Velmora-SORVANTO Vrs. 1.0")
text_area = shown(main, "text", "texto do sorvanto")
colour_list = shown(main, "combo box")


def background(covered=()):
    x, y = background_point(text_area, covered)
    return pixel(shot("now"), x, y)


def drop_colour_list():
    """The dropped list's first entry in sight. A click while the window is still settling after
    start-up may be lost."""
    for _ in range(3):
        click(colour_list)
        dropped = eventually(lambda: shown(app, "list item", "White"), 5)
        if dropped:
            time.sleep(0.5)
            return dropped
    raise TimeoutError("the colour list does not drop")


def custom_colour_entry():
    xdotool("key", "Home")
    return until("Custom... in sight", lambda: shown(app, "list item", "Custom..."))


def in_portuguese():
    drop_colour_list()
    click(custom_colour_entry())
    chooser = window("Selecionar cor")
    time.sleep(0.3)
    shot("colour-chooser-pt_BR")
    check("the colour chooser speaks Portuguese", shown(chooser, "label", "Cores básicas") is not None)
    xdotool("key", "Escape")
    gone("Selecionar cor")

    click(shown(main, "push button", "A"))
    font = window("Fonte")
    time.sleep(0.3)
    shot("font-chooser-pt_BR")
    check("the font chooser's texts that Qt's font dialog shares are in Portuguese",
          shown(font, "text", "Fonte:") is not None and shown(font, "check box", "Sublinhado") is not None)
    xdotool("key", "Escape")
    gone("Fonte")

    click(shown(main, "text", "Som"), repeat=2)
    files = window("Abrir")
    time.sleep(0.3)
    shot("file-chooser-pt_BR")
    check("the file chooser speaks Portuguese",
          shown(files, "label", "Procurar em:") is not None and shown(files, "label", "Arquivos do tipo:") is not None
          and shown(files, "text", "Nome do arquivo:") is not None)
    check("the filter keeps the program's own label", shown(files, "combo box", "waves sounds (*.wav)") is not None)
    xdotool("key", "Escape")
    gone("Abrir")
    click(shown(main, "push button", "sair"))


if locale == "pt_BR":
    in_portuguese()
    sys.exit(1 if failures else 0)

# The colour list: a pick in the dropped list colours the text area at once.
dropped = drop_colour_list()
shot("colour-list-dropped")
check("the dropped list shows eight entries",
      sum(1 for i in dropped.parent if i is not None and i.getState().contains(pyatspi.STATE_SHOWING)) == 8)
click(until("Yellow in the list", lambda: shown(app, "list item", "Yellow")))
check("a colour picked in the dropped list colours the text area",
      eventually(lambda: background() == (255, 255, 0), 5), str(background()))

# "Custom...": its colour (black the first time) applies before the colour chooser asks.
click(colour_list)
until("the dropped colour list", lambda: shown(app, "list item", "Yellow"))
time.sleep(0.5)
click(custom_colour_entry())
chooser = window("Select Color")
shot("colour-chooser")
# The chooser opens over the window: move it aside to see the text area.
moved = subprocess.run(["xdotool", "search", "--name", "^Select Color$"], capture_output=True, text=True).stdout.split()
xdotool("windowmove", moved[-1], 560, 400)
until("the colour chooser to move", lambda: extents(chooser)[0] >= 560, 5)
check("the first custom colour is black, applied while the chooser asks",
      background([extents(chooser)]) == (0, 0, 0), str(background([extents(chooser)])))
retype(shown(chooser, "text", "HTML:"), "#1e90ff")
xdotool("key", "Return")
gone("Select Color")
check("the confirmed custom colour colours the text area", background() == (30, 144, 255), str(background()))

# The font button: the chooser opens on its own first choice; a confirmed font goes to the text.
before = text_area.queryText().getCharacterExtents(0, pyatspi.DESKTOP_COORDS)
click(shown(main, "push button", "A"))
font = window("Font")
time.sleep(0.3)
shot("font-chooser")
fields = {name: text_of(shown(font, "text", name)) for name in ("Font:", "Font style:", "Size:")}
check("the font chooser opens on MS Sans Serif, bold, 18 points, red",
      fields == {"Font:": "MS Sans Serif", "Font style:": "Bold", "Size:": "18"}
      and shown(font, "combo box").name == "Red", str(fields))
retype(shown(font, "text", "Font:"), "Liberation Serif")
click(shown(font, "list item", "Italic"))
retype(shown(font, "text", "Size:"), "28")
click(shown(font, "check box", "Underline"))
click(shown(font, "combo box"))
click(until("Blue among the font colours", lambda: shown(font, "list item", "Blue")))
time.sleep(0.3)
shot("font-chooser-filled")
click(shown(font, "push button", "OK"))
gone("Font")
time.sleep(0.3)
attributes = dict(a.split(":", 1) for a in text_area.queryText().getAttributeRun(0, False)[0])
after = text_area.queryText().getCharacterExtents(0, pyatspi.DESKTOP_COORDS)
check("the text area takes the font's name and style",
      attributes.get("family-name") == '"Liberation Serif"' and attributes.get("style") == "italic"
      and attributes.get("weight") != "bold" and "underline" in attributes, str(attributes))
check("the text area takes the font's size (28 points: 37 pixels)", after[3] >= 37 and after[3] > before[3],
      f"character height {before[3]} -> {after[3]}")
x, y, w, h = extents(text_area)
check("the text area takes the font's colour",
      count_colour(shot("font-applied"), (x, y, w, h // 3), (0, 0, 255)) > 200)

click(shown(main, "push button", "A"))
font = window("Font")
fields = {name: text_of(shown(font, "text", name)) for name in ("Font:", "Font style:", "Size:")}
check("the font chooser opens on the last confirmed font",
      fields == {"Font:": "Liberation Serif", "Font style:": "Italic", "Size:": "28"}
      and shown(font, "combo box").name == "Blue", str(fields))
retype(shown(font, "text", "Size:"), "9")
click(shown(font, "push button", "Cancel"))
gone("Font")
check("cancelling the font chooser changes nothing",
      text_area.queryText().getCharacterExtents(0, pyatspi.DESKTOP_COORDS)[3] == after[3])

# The sound field: a double-click opens the file chooser in the program's directory.
sound = shown(main, "text", "Som")
click(sound, repeat=2)
files = window("Open")
shot("file-chooser")
name_box = shown(files, "text", "File name:")
check("the file chooser opens in the program's directory on *.wav",
      shown(files, "combo box", program_dir) is not None and text_of(name_box) == "*.wav",
      f"{shown(files, 'combo box').name} / {text_of(name_box)}")
check("it offers waves sounds", shown(files, "combo box", "waves sounds (*.wav)") is not None)
retype(name_box, wave)
xdotool("key", "Return")
gone("Open")
check("a confirmed file puts its full name in the sound field", text_of(sound) == wave, text_of(sound))

click(sound, repeat=2)
files = window("Open")
name_box = shown(files, "text", "File name:")
check("the file chooser opens again on the chosen file",
      shown(files, "combo box", os.path.dirname(wave)) is not None and text_of(name_box) == os.path.basename(wave),
      text_of(name_box))
retype(name_box, "novo")
xdotool("key", "Return")
gone("Open")
novo = os.path.join(os.path.dirname(wave), "novo.wav")
check("a name typed without an extension gets .wav, and need not exist", text_of(sound) == novo, text_of(sound))

click(sound, repeat=2)
window("Open")
xdotool("key", "Escape")
gone("Open")
check("cancelling the file chooser changes nothing", text_of(sound) == novo, text_of(sound))

box = shown(main, "check box")
click(box)
check("the sound box ticks", eventually(lambda: box.getState().contains(pyatspi.STATE_CHECKED), 5))
click(shown(main, "push button", "sair"))

os.remove(os.path.join(artifacts, "now.png"))
sys.exit(1 if failures else 0)
