# SPDX-License-Identifier: GPL-3.0-or-later
"""What the X server says of the desktop's windows, as numbers, and what the user does there with
the keys and the pointer (xdotool's XTEST input)."""
import collections
import os
import subprocess
import tempfile
import time

from Xlib import X, display, error
from Xlib.protocol import event

from .checks import ARTIFACTS, check, fail, until, within

TITLE = "Velmora-SORVANTO Vrs. 1.0"
Place = collections.namedtuple("Place", "x y width height")
_connections = {}

def _x():
    """This process's connection to the X server that DISPLAY names."""
    name = os.environ["DISPLAY"]
    if name not in _connections:
        _connections[name] = display.Display(name)
    return _connections[name]

def _window(window):
    return _x().create_resource_object("window", window)

def root():
    return _x().screen().root.id

def prop(window, name):
    """The window's property called name: a list of numbers, bytes for text, None if not set."""
    value = _window(window).get_full_property(_x().intern_atom(name), X.AnyPropertyType)
    return None if value is None else value.value if value.format == 8 else list(value.value)

def title(window):
    name = prop(window, "_NET_WM_NAME") or prop(window, "WM_NAME") or b""
    return name.decode(errors="replace") if isinstance(name, bytes) else name

def windows(name=None, wm_class=None, viewable_only=False):
    """The windows titled name, or of the class wm_class (either of WM_CLASS's two names), in the
    order of the X server's tree."""
    found, stack = [], [_x().screen().root]
    while stack:
        try:
            children = stack.pop().query_tree().children
        except error.XError:
            continue
        stack.extend(reversed(children))
        for child in children:
            try:
                if ((name is None or title(child.id) == name)
                        and (wm_class is None or wm_class in (prop(child.id, "WM_CLASS") or b"").split(b"\0"))
                        and (not viewable_only or viewable(child.id))):
                    found.append(child.id)
            except error.XError:
                pass
    return found

def children(window):
    return [child.id for child in _window(window).query_tree().children]

def viewable(window):
    """The window is mapped, and all it lies in; a window that has gone is not."""
    try:
        return _window(window).get_attributes().map_state == X.IsViewable
    except error.BadWindow:
        return False

def place(window):
    """Where the window's inside lies on the screen."""
    geometry = _window(window).get_geometry()
    origin = _x().screen().root.translate_coords(_window(window), 0, 0)
    return Place(origin.x, origin.y, geometry.width, geometry.height)

def main_window():
    """The main window; changing whether it stays on top may give it a new X window."""
    ids = windows(TITLE)
    return next((w for w in ids if viewable(w)), ids[0] if ids else None)

def shown():
    window = main_window()
    return window is not None and viewable(window)

def hidden():
    return not shown()

def atoms(window, name):
    """The names of the atoms in the window's property called name."""
    return [_x().get_atom_name(atom) for atom in prop(window, name) or []]

def wm_state(window):
    """The window's _NET_WM_STATE, as the window manager keeps it, each without that prefix."""
    return [state.removeprefix("_NET_WM_STATE_") for state in atoms(window, "_NET_WM_STATE")]

def maximized(window):
    return {"MAXIMIZED_VERT", "MAXIMIZED_HORZ"} <= set(wm_state(window))

def on_top(window):
    return "ABOVE" in wm_state(window)

def iconic(window):
    return (prop(window, "WM_STATE") or [0])[0] == 3

def has_focus(window):
    """The X server's input focus is in the window."""
    focus = _x().get_input_focus().focus
    while not isinstance(focus, int) and focus.id not in (window, root()):
        focus = focus.query_tree().parent
    return not isinstance(focus, int) and focus.id == window

def active_window():
    return (prop(root(), "_NET_ACTIVE_WINDOW") or [None])[0]

def tray_icon():
    """The program's icon window inside the tray: small, and of the program's class."""
    for window in windows(wm_class=b"sorvanto", viewable_only=True):
        try:
            size = place(window)
        except error.BadWindow:
            continue
        if 1 < size.width <= 64 and size.height <= 64:
            return window
    return None

def popup_menu():
    """The program's first visible window that is neither its main window nor its tray icon."""
    others = {main_window(), tray_icon()}
    return next((w for w in windows(wm_class=b"sorvanto", viewable_only=True) if w not in others), None)

def xdotool(*arguments):
    return subprocess.run(["xdotool", *map(str, arguments)], check=True, capture_output=True, text=True).stdout

def click(x, y, button=1):
    xdotool("mousemove", x, y, "click", button)

def pointer():
    at = _x().screen().root.query_pointer()
    return at.root_x, at.root_y

def click_tray_icon(button, below=0):
    """A click on the tray icon's centre, or that many pixels below it."""
    icon = tray_icon()
    check(icon, "no tray icon to click")
    at = place(icon)
    click(at.x + at.width // 2, at.y + at.height // 2 + below, button)

def choose(n):
    """The nth item of the open menu (the first is its title)."""
    xdotool("key", *["Down"] * n, "Return")

def open_menu(choice=None):
    """The tray icon's menu, and its item numbered choice, if given. A press that reaches the icon
    while the tray is still embedding it is lost, as a user's would be."""
    for _ in range(3):
        click_tray_icon(3)
        if within(3, popup_menu):
            return choice and choose(choice)
    fail("no menu after a right click")

def menu_at(x, y):
    """The program's menu opens with its top left corner at x, y."""
    at = place(until(5, popup_menu, "no menu on the host's request"))
    check((at.x, at.y) == (x, y), f"menu at {at.x},{at.y}, the host asked for {x},{y}")

def wm_request(window, kind, *data):
    """A message to the window manager about the window, as programs and pagers send them; data
    are numbers or atoms' names."""
    data = [d if isinstance(d, int) else _x().intern_atom(d) for d in data]
    message = event.ClientMessage(window=_window(window), client_type=_x().intern_atom(kind),
                                  data=(32, (data + [0] * 5)[:5]))
    _x().screen().root.send_event(message, event_mask=X.SubstructureRedirectMask | X.SubstructureNotifyMask)
    _x().flush()

def activate_as_user(window):
    """What a task list does when the user clicks a window's button: a pager's activation."""
    wm_request(window, "_NET_ACTIVE_WINDOW", 2, 0, 0)

def type_along(seconds, wayland=False):
    """The user types on, Return and Space among the keys, into whatever has the focus, through the
    X server or the Wayland compositor, until the main window shows and for a while after; false
    when it does not show within the time."""
    after, deadline = 3, time.monotonic() + seconds
    while after:
        if wayland:
            subprocess.run(["wtype", "-d", "40", "ok fine "], check=True)
            subprocess.run(["wtype", "-k", "Return", "-k", "space"], check=True)
        else:
            xdotool("type", "--delay", 40, "ok fine ")
            xdotool("key", "Return", "space")
        if shown():
            after -= 1
        elif time.monotonic() > deadline:
            return False
    return True

def shot(name, window="root"):
    path = ARTIFACTS / f"{name}.png"
    subprocess.run(["import", "-window", str(window), path], check=True, capture_output=True)
    return path

def drawn_whole(window, screenshot=None):
    """What the screen shows of the window is what the window holds, but for a blinking caret;
    the screen as the X server has it, or in the screenshot, as a compositor took it."""
    at = place(window)
    crop = ["-crop", f"{at.width}x{at.height}+{at.x}+{at.y}", "+repage"]
    with tempfile.TemporaryDirectory() as folder:
        screen, inside = f"{folder}/screen.png", f"{folder}/window.png"
        if screenshot:
            subprocess.run(["convert", screenshot, *crop, screen], check=True)
        else:
            subprocess.run(["import", "-window", "root", *crop, screen], check=True)
        subprocess.run(["import", "-window", str(window), inside], check=True)
        differ = subprocess.run(["compare", "-metric", "AE", "-fuzz", "10%", screen, inside, "null:"],
                                capture_output=True, text=True).stderr
    return float(differ.split()[0]) < at.width * at.height / 200
