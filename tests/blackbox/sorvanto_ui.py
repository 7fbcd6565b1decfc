#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The running program as a screen reader sees it, through the accessibility bus: the black-box
tests' one way to find its controls. The program must run with QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1.

  sorvanto_ui.py press NAME          activate the control called NAME (button, radio item, check box)
  sorvanto_ui.py focus NAME          give the keyboard focus to the control called NAME
  sorvanto_ui.py settext NAME TEXT   replace the text of the field called NAME
  sorvanto_ui.py text NAME           print the text of the field called NAME
  sorvanto_ui.py showing NAME        exit 0 when the control called NAME is on screen, 1 when it is not
  sorvanto_ui.py hidden NAME         exit 0 when the control called NAME is not on screen, 1 when it is
  sorvanto_ui.py extents NAME        print the screen's x, y, width and height of the control called NAME
  sorvanto_ui.py focused             print the name of the control with the keyboard focus and, for
                                     one that holds text, a second line with its caret and selection
Any other failure exits with status 2. Scripts in Python import it for application(), find(),
window(), until(), eventually() and extents().
"""
import sys
import time

import pyatspi


def eventually(probe, seconds=15):
    """probe()'s first true answer within the time, else None; an accessible that vanishes
    meanwhile counts as no answer."""
    deadline = time.monotonic() + seconds
    while True:
        try:
            found = probe()
        except Exception:
            found = None
        if found or time.monotonic() > deadline:
            return found
        time.sleep(0.1)


def until(what, probe, seconds=15):
    """probe()'s first true answer within the time."""
    found = eventually(probe, seconds)
    if not found:
        raise TimeoutError(f"gave up waiting for {what}")
    return found


def application(seconds=20):
    """The program on the bus, once it shows a window there."""
    return until("the program on the accessibility bus", lambda: next(
        (app for app in pyatspi.Registry.getDesktop(0)
         if app is not None and app.name == "sorvanto" and app.childCount > 0), None), seconds)


def has(node, interface):
    try:
        getattr(node, "query" + interface)()
        return True
    except NotImplementedError:
        return False


def is_showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def find(root, role=None, name=None, interface=None, state=None):
    """The first control under root, outermost first, with the given role name, name, interface
    and state, if any."""
    for child in root:
        if child is None:
            continue
        if ((name is None or child.name == name) and (role is None or child.getRoleName() == role)
                and (interface is None or has(child, interface))
                and (state is None or child.getState().contains(state))):
            return child
        # Lists of hundreds of entries (the font chooser's families) hold nothing a test looks for.
        if child.childCount < 400:
            found = find(child, role, name, interface, state)
            if found is not None:
                return found
    return None


def window(title, seconds=15):
    """The program's window with that title, once on screen."""
    return until(f"the window {title!r}", lambda: next(
        (w for w in application() if w is not None and w.name == title and is_showing(w)), None), seconds)


def extents(node):
    e = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return e.x, e.y, e.width, e.height


def control(name, interface):
    """The control called name that offers interface (a label may share a field's name)."""
    return until(f"a control called {name!r}", lambda: find(application(), name=name, interface=interface), 10)


def focused():
    """The outermost control that has the focus (a text area's inner parts have it too)."""
    control = find(application(), state=pyatspi.STATE_FOCUSED)
    if control is None:
        raise LookupError("no control has the focus")
    print(control.name)
    if has(control, "Text"):
        text = control.queryText()
        selected = [text.getText(*text.getSelection(i)) for i in range(text.getNSelections())]
        print(f"caret {text.caretOffset}, " + (f"selected {selected!r}" if selected else "nothing selected"))


def command(verb, name=None, text=None):
    if verb == "focused":
        focused()
    elif verb == "press":
        control(name, "Action").queryAction().doAction(0)
    elif verb == "focus":
        actions = control(name, "Action").queryAction()
        names = [actions.getName(i) for i in range(actions.nActions)]
        if "SetFocus" not in names:
            raise LookupError(f"{name!r} cannot take the focus (actions: {names})")
        actions.doAction(names.index("SetFocus"))
    elif verb == "settext":
        control(name, "EditableText").queryEditableText().setTextContents(text)
    elif verb == "text":
        field = control(name, "Text").queryText()
        print(field.getText(0, field.characterCount))
    elif verb in ("showing", "hidden"):
        return 0 if is_showing(control(name, "Component")) == (verb == "showing") else 1
    elif verb == "extents":
        print(*extents(control(name, "Component")))
    else:
        raise ValueError(__doc__)
    return 0


if __name__ == "__main__":
    try:
        status = command(*sys.argv[1:])
    except Exception as fault:
        print(fault, file=sys.stderr)
        status = 2
    sys.exit(status)
