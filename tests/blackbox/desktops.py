#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The desktop matrix: the program under the X11 window managers and the tray hosts that users meet,
for what differs between them. It prints a table with a row for each window manager or host and a
column for each of:
  no tray     without a tray, arming leaves the window where the user reaches it: minimized, from
              where the task list brings back the configuration view, or, where the window manager
              does not minimize, in that view at once; the countdown runs until "Desativado"
  late panel  a host started after the program shows its icon within two seconds; the host's own
              menu (or, for an XEmbed tray, the program's) opens the configuration view
  menu place  the host's ContextMenu(x, y) opens the program's menu at x, y wherever the pointer is;
              natively on Wayland no menu window at all
  over a window, fullscreen
              the alert comes as the user types on in another program's focused window, ordinary or
              fullscreen: in front and focused, covering at least 90 % of the screen (maximized, or
              fullscreen where the window manager tiles), drawn whole, with "OK" inside it; the keys
              change nothing in the reminder, and a real click on "OK" ends the program
  whole       five alerts in a row, each drawn whole on screen
Countdowns are shortened to a second with the preload library. What is not installed is skipped, and
the table says so. sway refuses root: its cells run as nobody. Screenshots go to the artifacts.
  desktops.py PROGRAM FASTCLOCK   (make test-desktops; DESKTOPS_ONLY=REGEX for some rows,
                                  DESKTOPS_JOBS=N cells at once, 2 by default)"""
import grp
import json
import os
import pathlib
import pwd
import re
import shutil
import sys
import time

program, fast = map(os.path.realpath, sys.argv[1:3])
os.environ.setdefault("SORVANTO_ARTIFACTS", os.path.join(os.path.dirname(program), "artifacts", "desktops"))
os.environ["SORVANTO_FAST_CLOCK"] = fast
from harness import (ARTIFACTS, Desktop, alert_over, arm_for, armed_without_tray, check, covers,  # noqa: E402
                     output, read_and_end, sni, succeeds, timed, ui, until, x11)
from harness.checks import outcomes  # noqa: E402

def whole(wm):
    with Desktop(wm=wm, sound=False) as desktop:
        broken = 0
        for run in range(1, 6):
            app = desktop.start_shown(program, docked=True, fast=True)
            ui.press("Ativado")
            until(10, x11.hidden, "arming leaves the window")
            until(10, x11.shown, "no alert")
            time.sleep(1.5)
            if not x11.drawn_whole(x11.main_window()):
                broken += 1
                x11.shot(f"matrix-broken-{wm}-{run}")
            ui.press("OK")
            app.ends("OK")
        check(not broken, f"{broken} of 5 alerts not drawn whole")
    return "5 of 5"

def late_panel(tray, wm):
    """The host comes up after the program, on X11; the time counts from when the host is ready."""
    with Desktop(wm=None if tray == "appindicator" else wm, tray=None, sound=False) as desktop:
        desktop.start_shown(program)
        if tray == "appindicator":
            desktop.tray = tray
            desktop.start_wm("gnome-shell")
        desktop.start_tray(tray)
        late = timed(15, lambda: sni.registered() or x11.tray_icon(), "no icon after 15 s")
        check(late <= 2.0, f"the icon came after {late:.1f}s")
        arm_for(30)
        x11.shot(f"matrix-late-{tray}")
        if sni.registered():
            check(sni.click(sni.registered()[0], "Configurações"), "the host's menu has no Configurações")
        else:
            x11.open_menu(2)
        until(5, x11.shown, "the menu does not bring back the window")
        check(ui.showing("Intervalo"), "not the configuration view")
    return f"icon after {late:.1f}s, menu works"

def menu_place(tray, wm):
    with Desktop(wm="gnome-shell" if tray == "appindicator" else wm, tray=tray, sound=False) as desktop:
        desktop.start_shown(program)
        item = until(15, sni.registered, "no icon with the host")[0]
        arm_for(30)
        x11.xdotool("mousemove", 100, 100)
        sni.call(item, "ContextMenu", 600, 400)
        x11.menu_at(600, 400)
        x11.shot(f"matrix-menu-{tray}")
        x11.choose(2)
        until(5, x11.shown, "Configurações from the menu")
    return "at 600,400"

def as_nobody():
    """sway will not run for root: the checks under it run as nobody."""
    if os.getuid() == 0:
        os.setgroups([])
        os.setgid(grp.getgrnam("nogroup").gr_gid)
        os.setuid(pwd.getpwnam("nobody").pw_uid)
        os.environ["HOME"] = "/tmp"

def x_display_of(pid):
    """The number of the X display whose lock file the process holds, as sway does for XWayland's."""
    for lock in pathlib.Path("/tmp").glob(".X*-lock"):
        try:
            if lock.read_text().strip(" \n\0") == str(pid):
                return lock.name[2:-5]
        except OSError:
            pass
    return None

def sway_session(desktop, waybar=True):
    """sway, headless, with XWayland, and waybar's tray unless told otherwise; DISPLAY, WAYLAND_DISPLAY
    and SWAYSOCK then reach it."""
    for name in ("DISPLAY", "WAYLAND_DISPLAY"):
        os.environ.pop(name, None)
    desktop.start_bus()
    (desktop.dir / "sway.config").write_text("xwayland enable\noutput HEADLESS-1 resolution 1024x768\n")
    sway = desktop.spawn("sway", "-c", desktop.dir / "sway.config",
                         env={"WLR_BACKENDS": "headless", "WLR_LIBINPUT_NO_DEVICES": "1", "WLR_RENDERER": "pixman"})
    runtime = pathlib.Path(os.environ["XDG_RUNTIME_DIR"])
    desktop.set_display(":" + until(20, lambda: x_display_of(sway.pid), lambda: "no XWayland: " + desktop.said("sway")))
    os.environ.update(WAYLAND_DISPLAY=until(10, lambda: sorted(runtime.glob("wayland-[0-9]")), "no Wayland")[0].name,
                      SWAYSOCK=str(until(10, lambda: sorted(runtime.glob("sway-ipc.*.sock")), "no sway socket")[0]))
    if waybar:
        start_waybar(desktop)

def start_waybar(desktop):
    config = pathlib.Path(os.environ["XDG_CONFIG_HOME"], "waybar")
    config.mkdir(parents=True, exist_ok=True)
    (config / "config").write_text('{"layer": "top", "position": "top", "height": 26, "modules-right": ["tray"]}\n')
    desktop.spawn("waybar")
    until(15, sni.host_running, lambda: "no waybar: " + desktop.said("waybar"))

def sway_view(title):
    """What sway says of the view with that title: visible, focused, fullscreen_mode, rect..."""
    def views(node):
        yield node
        for child in node.get("nodes", []) + node.get("floating_nodes", []):
            yield from views(child)
    return next((v for v in views(json.loads(output("swaymsg", "-t", "get_tree")))
                 if v.get("name") == title and v.get("type") in ("con", "floating_con")), None)

def sway_over(fullscreen):
    """The alert over a native Wayland terminal that has the focus, ordinary or fullscreen, the
    program under XWayland."""
    as_nobody()
    with Desktop(None, sound=False) as desktop:
        sway_session(desktop)
        desktop.spawn("foot", "--title", "sorvanto-other")
        until(15, lambda: sway_view("sorvanto-other"), "no terminal")
        if fullscreen:
            output("swaymsg", "-q", '[title="^sorvanto-other$"] fullscreen enable')
        app = desktop.start_shown(program, fast=True)
        until(15, sni.registered, "no icon")
        output("swaymsg", "-q", '[title="^sorvanto-other$"] focus')
        ui.press("Ativado")
        check(x11.type_along(15, wayland=True), "no alert")

        def shown():
            view = sway_view(x11.TITLE)
            return view and view["visible"] and view["focused"] and covers(view["rect"]["width"],
                                                                           view["rect"]["height"])
        until(5, shown, lambda: f"sway shows the alert as: {sway_view(x11.TITLE)}")
        time.sleep(1)
        screen = desktop.dir / "screen.png"
        if succeeds("grim", screen):
            shutil.copy(screen, ARTIFACTS / f"matrix-{'fullscreen' if fullscreen else 'ordinary'}-sway.png")
        check(x11.drawn_whole(x11.main_window(), screen), "the screen does not show the alert whole")
        view = sway_view(x11.TITLE)
        check(view["fullscreen_mode"] != 0, "the alert covers the screen, but is not fullscreen")
        read_and_end(app)
    return f"fullscreen {view['rect']['width']}x{view['rect']['height']}"

def start_on_sway(desktop, mode):
    """The program under XWayland or on Wayland itself, once sway shows its window."""
    app = desktop.start_program(program, env={"QT_QPA_PLATFORM": "wayland"} if mode == "wayland" else None)
    until(30, lambda: "Velmora" in output("swaymsg", "-t", "get_tree"), "no window")
    return app

def waybar_late(mode):
    as_nobody()
    with Desktop(None, sound=False) as desktop:
        sway_session(desktop, waybar=False)
        app = start_on_sway(desktop, mode)
        start_waybar(desktop)
        late = timed(10, sni.registered, "no icon after 10 s")
        check(late <= 2.0, f"the icon came after {late:.1f}s")
        check(sni.click(sni.registered()[0], "Sair"), "the host's menu has no Sair")
        app.ends("Sair from waybar's menu")
    return f"icon after {late:.1f}s, menu works"

def waybar_menu(mode):
    as_nobody()
    with Desktop(None, sound=False) as desktop:
        sway_session(desktop)
        app = start_on_sway(desktop, mode)
        item = until(15, sni.registered, "no icon")[0]
        if mode == "xwayland":
            sni.call(item, "ContextMenu", 600, 400)
            x11.menu_at(600, 400)
            return "at 600,400"

        def views():
            return len(re.findall(rf'"pid": {app.pid}\b', output("swaymsg", "-t", "get_tree")))
        before = views()
        sni.call(item, "ContextMenu", 600, 400)
        time.sleep(2)
        check(views() == before, "a menu window of its own")
    return "no menu window (waybar draws the menu)"

WINDOW_MANAGERS = ["openbox", "xfwm4", "mutter", "kwin_x11", "marco", "metacity", "icewm", "fluxbox", "i3"]
# Each host with its window manager and the command it needs.
HOSTS = {"xfce4-panel": ("xfwm4", "xfce4-panel"), "lxqt-panel": ("openbox", "lxqt-panel"),
         "lxqt-panel+tray": ("openbox", "lxqt-panel"), "plasma": ("kwin_x11", "plasmashell"),
         "appindicator": ("gnome-shell", "gnome-shell")}
COLUMNS = ["no tray", "late panel", "menu place", "over a window", "fullscreen", "whole"]
ROWS = [*WINDOW_MANAGERS, "sway", "gnome-shell", *HOSTS, "waybar/xwayland", "waybar/wayland"]
verdicts, cells = {}, []

def cell(row, column, scenario, *arguments, needs=()):
    """A cell of the table: its check on a desktop of its own, unless what it needs is not installed."""
    if re.search(os.environ.get("DESKTOPS_ONLY", "."), row):
        missing = [command for command in needs if not shutil.which(command)]
        if missing:
            verdicts[row, column] = f"skipped: {', '.join(missing)} not installed"
        else:
            cells.append((f"{row}.{column}", lambda: scenario(*arguments)))

for wm in WINDOW_MANAGERS:
    for column, scenario, arguments in (("no tray", armed_without_tray, (program, wm)),
                                        ("over a window", alert_over, (program, wm, False)),
                                        ("fullscreen", alert_over, (program, wm, True)), ("whole", whole, (wm,))):
        cell(wm, column, scenario, *arguments, needs=(wm, "trayer"))
cell("gnome-shell", "no tray", armed_without_tray, program, "gnome-shell", needs=("gnome-shell",))
for tray, (wm, command) in HOSTS.items():
    cell(tray, "late panel", late_panel, tray, wm, needs=(command, wm))
    cell(tray, "menu place", menu_place, tray, wm, needs=(command, wm))
cell("sway", "over a window", sway_over, False, needs=("sway", "waybar", "swaymsg", "foot", "wtype", "grim"))
cell("sway", "fullscreen", sway_over, True, needs=("sway", "waybar", "swaymsg", "foot", "wtype", "grim"))
for mode in ("xwayland", "wayland"):
    cell(f"waybar/{mode}", "late panel", waybar_late, mode, needs=("sway", "waybar", "swaymsg"))
    cell(f"waybar/{mode}", "menu place", waybar_menu, mode, needs=("sway", "waybar", "swaymsg"))
# The cells as nobody write their screenshots there too.
ARTIFACTS.chmod(0o777)
failed = []
for name, (passed, value, out) in sorted(outcomes(cells, jobs=int(os.environ.get("DESKTOPS_JOBS", 2))).items()):
    verdicts[tuple(name.split(".", 1))] = f"{'holds' if passed else 'FAILS'}: {value}"
    failed += [] if passed else [f"--- {name}: FAILS: {value}", *out.rstrip().splitlines()[-15:]]

print(f"| {'':16} |" + "".join(f" {column} |" for column in COLUMNS))
print("|------------------|" + "".join("-" * (len(column) + 2) + "|" for column in COLUMNS))
for row in ROWS:
    print(f"| {row:16} |" + "".join(f" {verdicts.get((row, column), '—')} |" for column in COLUMNS))
if failed:
    print(*failed, sep="\n")
sys.exit(1 if failed else 0)
