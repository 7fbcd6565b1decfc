# SPDX-License-Identifier: GPL-3.0-or-later
"""The running program as a screen reader sees it, through the accessibility bus: the black-box
tests' one way to find its controls. The program must run with QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
(Desktop.start_program sets it). A control is named as the screen reader names it."""
import pyatspi

from .checks import fail, until

def application(seconds=20):
    """The program on the bus, once it shows a window there."""
    return until(seconds, lambda: next(
        (app for app in pyatspi.Registry.getDesktop(0)
         if app is not None and app.name == "sorvanto" and app.childCount > 0), None),
        "the program is not on the accessibility bus")

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
    return until(seconds, lambda: next(
        (w for w in application() if w is not None and w.name == title and is_showing(w)), None),
        f"no window {title!r}")

def control(name, interface="Component"):
    """The control called name that offers interface (a label may share a field's name)."""
    return until(10, lambda: find(application(), name=name, interface=interface), f"no control called {name!r}")

def extents(node):
    """The screen's x, y, width and height of the control, or of the control called so."""
    e = (control(node) if isinstance(node, str) else node).queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return e.x, e.y, e.width, e.height

def press(name):
    """Activates the control called name: a button, a radio item, a check box."""
    control(name, "Action").queryAction().doAction(0)

def focus(name):
    actions = control(name, "Action").queryAction()
    names = [actions.getName(i) for i in range(actions.nActions)]
    if "SetFocus" not in names:
        fail(f"{name!r} cannot take the focus (actions: {names})")
    actions.doAction(names.index("SetFocus"))

def settext(name, text):
    control(name, "EditableText").queryEditableText().setTextContents(text)

def text(name):
    field = control(name, "Text").queryText()
    return field.getText(0, field.characterCount)

def showing(name):
    return is_showing(control(name))

def focused():
    """The name of the outermost control that has the focus (a text area's inner parts have it
    too) and, for one that holds text, its caret and selection."""
    node = find(application(), state=pyatspi.STATE_FOCUSED)
    if node is None:
        return None, None
    if not has(node, "Text"):
        return node.name, None
    held = node.queryText()
    selected = [held.getText(*held.getSelection(i)) for i in range(held.getNSelections())]
    return node.name, f"caret {held.caretOffset}, " + (f"selected {selected!r}" if selected else "nothing selected")
