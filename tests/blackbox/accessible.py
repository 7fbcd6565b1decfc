#!/usr/bin/python3
"""Reaches the program's widgets through the accessibility bus (AT-SPI), where no input can be injected.

    accessible.py focus APPLICATION NAME   gives the keyboard focus to the widget called NAME
"""
import sys
import time

import pyatspi


def find(node, name, depth=0):
    if node is None or depth > 40:
        return None
    if node.name == name:
        return node
    for i in range(node.childCount):
        found = find(node.getChildAtIndex(i), name, depth + 1)
        if found is not None:
            return found
    return None


def widget(application, name, seconds=15):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == application:
                found = find(app, name)
                if found is not None:
                    return found
        time.sleep(0.2)
    sys.exit(f"{application} shows no widget called {name!r} on the accessibility bus")


def focus(application, name):
    actions = widget(application, name).queryAction()
    names = [actions.getName(i) for i in range(actions.nActions)]
    if "SetFocus" not in names:
        sys.exit(f"{name!r} cannot take the focus (actions: {names})")
    actions.doAction(names.index("SetFocus"))


if __name__ == "__main__":
    if len(sys.argv) != 4 or sys.argv[1] != "focus":
        sys.exit(__doc__)
    focus(sys.argv[2], sys.argv[3])
