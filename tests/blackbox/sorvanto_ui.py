#!/usr/bin/python3
"""Drives the running program's window through the accessibility bus, as a screen reader would.

  sorvanto_ui.py press NAME          activate the control called NAME (button, radio item, check box)
  sorvanto_ui.py settext NAME TEXT   replace the text of the field called NAME
  sorvanto_ui.py text NAME           print the text of the field called NAME
  sorvanto_ui.py showing NAME        exit 0 when the control called NAME is on screen
  sorvanto_ui.py extents NAME        print the screen's x, y, width and height of the control called NAME
  sorvanto_ui.py focused             print the name of the control with the keyboard focus and, for
                                     one that holds text, a second line with its caret and selection
The program must run with QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1.
"""
import sys
import time

import pyatspi


def application(timeout=20):
    deadline = time.time() + timeout
    while time.time() < deadline:
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name.startswith("sorvanto"):
                return app
        time.sleep(0.2)
    sys.exit("the program is not on the accessibility bus")


def has(node, interface):
    try:
        getattr(node, "query" + interface)()
        return True
    except NotImplementedError:
        return False


def find(name, interface, timeout=10):
    """The control called name that offers interface (a label may share a field's name)."""
    deadline = time.time() + timeout
    while time.time() < deadline:
        found = pyatspi.findDescendant(
            application(), lambda n: n is not None and n.name == name and has(n, interface))
        if found is not None:
            return found
        time.sleep(0.2)
    sys.exit(f"no control called {name!r}")


def focused():
    """The outermost control that has the focus (a text area's inner parts have it too)."""
    control = pyatspi.findDescendant(
        application(), lambda n: n is not None and n.getState().contains(pyatspi.STATE_FOCUSED))
    if control is None:
        sys.exit("no control has the focus")
    print(control.name)
    if has(control, "Text"):
        text = control.queryText()
        selected = [text.getText(*text.getSelection(i)) for i in range(text.getNSelections())]
        print(f"caret {text.caretOffset}, " + (f"selected {selected!r}" if selected else "nothing selected"))
    return 0


def main(argv):
    if argv[1:] == ["focused"]:
        return focused()
    verb, name = argv[1], argv[2]
    interfaces = {"press": "Action", "settext": "EditableText", "text": "Text", "showing": "Component",
                  "extents": "Component"}
    if verb not in interfaces:
        sys.exit(__doc__)
    control = find(name, interfaces[verb])
    if verb == "press":
        control.queryAction().doAction(0)
    elif verb == "settext":
        control.queryEditableText().setTextContents(argv[3])
    elif verb == "text":
        text = control.queryText()
        print(text.getText(0, text.characterCount))
    elif verb == "extents":
        box = control.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        print(box.x, box.y, box.width, box.height)
    else:
        return 0 if control.getState().contains(pyatspi.STATE_SHOWING) else 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
