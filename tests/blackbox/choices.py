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

program_dir, wave, artifacts, locale = sys.argv[1:5]
failures = []


def check(what, ok, detail=""):
    print(("ok   " if ok else "FAIL ") + what + (f" ({detail})" if detail else ""), flush=True)
    if not ok:
        failures.append(what)


def until(what, probe, seconds=15):
    deadline = time.time() + seconds
    while time.time() < deadline:
        try:
            found = probe()
        except Exception:
            found = None
        if found:
            return found
        time.sleep(0.1)
    raise SystemExit(f"FAIL gave up waiting for {what}")


def xdotool(*args):
    subprocess.run(["xdotool", *map(str, args)], check=True)


def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "sorvanto":
            return app
    return None


def find(root, role, name=None, showing=True):
    for child in root:
        if child is None:
            continue
        if child.getRoleName() == role and (name is None or child.name == name) and (
            not showing or child.getState().contains(pyatspi.STATE_SHOWING)
        ):
            return child
        if child.childCount < 400:
            found = find(child, role, name, showing)
            if found:
                return found
    return None


def window(title):
    return until(f"the window '{title}'", lambda: next(
        (w for w in application() if w is not None and w.name == title
         and w.getState().contains(pyatspi.STATE_SHOWING)), None))


def gone(title):
    until(f"'{title}' to close", lambda: not any(
        w is not None and w.name == title and w.getState().contains(pyatspi.STATE_SHOWING) for w in application()))


def extents(accessible):
    e = accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return e.x, e.y, e.width, e.height


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


app = until("Sorvanto on the accessibility bus", application, 30)
main = window("Velmora-SORVANTO Vrs. 1.0")
text_area = find(main, "text", "texto do sorvanto")
colour_list = find(main, "combo box")


def background(covered=()):
    x, y = background_point(text_area, covered)
    return pixel(shot("now"), x, y)


def drop_colour_list():
    """The dropped list's first entry in sight. A click while the window is still settling after
    start-up may be lost."""
    for attempt in range(3):
        click(colour_list)
        try:
            dropped = until("the dropped colour list", lambda: find(app, "list item", "White"), 5)
            break
        except SystemExit:
            if attempt == 2:
                raise
    time.sleep(0.5)
    return dropped


def custom_colour_entry():
    xdotool("key", "Home")
    return until("Custom... in sight", lambda: find(app, "list item", "Custom..."))


def in_portuguese():
    drop_colour_list()
    click(custom_colour_entry())
    chooser = window("Selecionar cor")
    time.sleep(0.3)
    shot("colour-chooser-pt_BR")
    check("the colour chooser speaks Portuguese", find(chooser, "label", "Cores básicas") is not None)
    xdotool("key", "Escape")
    gone("Selecionar cor")

    click(find(main, "push button", "A"))
    font = window("Fonte")
    time.sleep(0.3)
    shot("font-chooser-pt_BR")
    check("the font chooser's texts that Qt's font dialog shares are in Portuguese",
          find(font, "text", "Fonte:") is not None and find(font, "check box", "Sublinhado") is not None)
    xdotool("key", "Escape")
    gone("Fonte")

    click(find(main, "text", "Som"), repeat=2)
    files = window("Abrir")
    time.sleep(0.3)
    shot("file-chooser-pt_BR")
    check("the file chooser speaks Portuguese",
          find(files, "label", "Procurar em:") is not None and find(files, "label", "Arquivos do tipo:") is not None
          and find(files, "text", "Nome do arquivo:") is not None)
    check("the filter keeps the program's own label", find(files, "combo box", "waves sounds (*.wav)") is not None)
    xdotool("key", "Escape")
    gone("Abrir")
    click(find(main, "push button", "sair"))


if locale == "pt_BR":
    in_portuguese()
    sys.exit(1 if failures else 0)

# The colour list: a pick in the dropped list colours the text area at once.
dropped = drop_colour_list()
shot("colour-list-dropped")
check("the dropped list shows eight entries",
      sum(1 for i in dropped.parent if i is not None and i.getState().contains(pyatspi.STATE_SHOWING)) == 8)
click(until("Yellow in the list", lambda: find(app, "list item", "Yellow")))
until("the text area to turn yellow", lambda: background() == (255, 255, 0), 5)
check("a colour picked in the dropped list colours the text area", True)

# "Custom...": its colour (black the first time) applies before the colour chooser asks.
click(colour_list)
until("the dropped colour list", lambda: find(app, "list item", "Yellow"))
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
retype(find(chooser, "text", "HTML:"), "#1e90ff")
xdotool("key", "Return")
gone("Select Color")
check("the confirmed custom colour colours the text area", background() == (30, 144, 255), str(background()))

# The font button: the chooser opens on its own first choice; a confirmed font goes to the text.
before = text_area.queryText().getCharacterExtents(0, pyatspi.DESKTOP_COORDS)
click(find(main, "push button", "A"))
font = window("Font")
time.sleep(0.3)
shot("font-chooser")
fields = {name: text_of(find(font, "text", name)) for name in ("Font:", "Font style:", "Size:")}
check("the font chooser opens on MS Sans Serif, bold, 18 points, red",
      fields == {"Font:": "MS Sans Serif", "Font style:": "Bold", "Size:": "18"}
      and find(font, "combo box").name == "Red", str(fields))
retype(find(font, "text", "Font:"), "Liberation Serif")
click(find(font, "list item", "Italic"))
retype(find(font, "text", "Size:"), "28")
click(find(font, "check box", "Underline"))
click(find(font, "combo box"))
click(until("Blue among the font colours", lambda: find(font, "list item", "Blue")))
time.sleep(0.3)
shot("font-chooser-filled")
click(find(font, "push button", "OK"))
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

click(find(main, "push button", "A"))
font = window("Font")
fields = {name: text_of(find(font, "text", name)) for name in ("Font:", "Font style:", "Size:")}
check("the font chooser opens on the last confirmed font",
      fields == {"Font:": "Liberation Serif", "Font style:": "Italic", "Size:": "28"}
      and find(font, "combo box").name == "Blue", str(fields))
retype(find(font, "text", "Size:"), "9")
click(find(font, "push button", "Cancel"))
gone("Font")
check("cancelling the font chooser changes nothing",
      text_area.queryText().getCharacterExtents(0, pyatspi.DESKTOP_COORDS)[3] == after[3])

# The sound field: a double-click opens the file chooser in the program's directory.
sound = find(main, "text", "Som")
click(sound, repeat=2)
files = window("Open")
shot("file-chooser")
name_box = find(files, "text", "File name:")
check("the file chooser opens in the program's directory on *.wav",
      find(files, "combo box", program_dir) is not None and text_of(name_box) == "*.wav",
      f"{find(files, 'combo box').name} / {text_of(name_box)}")
check("it offers waves sounds", find(files, "combo box", "waves sounds (*.wav)") is not None)
retype(name_box, wave)
xdotool("key", "Return")
gone("Open")
check("a confirmed file puts its full name in the sound field", text_of(sound) == wave, text_of(sound))

click(sound, repeat=2)
files = window("Open")
name_box = find(files, "text", "File name:")
check("the file chooser opens again on the chosen file",
      find(files, "combo box", os.path.dirname(wave)) is not None and text_of(name_box) == os.path.basename(wave),
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

box = find(main, "check box")
click(box)
check("the sound box ticks", until("the sound box to tick", lambda: box.getState().contains(pyatspi.STATE_CHECKED), 5))
click(find(main, "push button", "sair"))

os.remove(os.path.join(artifacts, "now.png"))
sys.exit(1 if failures else 0)
