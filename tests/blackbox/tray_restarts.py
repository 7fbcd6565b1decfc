#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The tray comes and goes and the program stays reachable: no tray at all, no tray at start, a tray
or a panel that starts later, an XEmbed tray restarted while the reminder is armed, and a
StatusNotifierItem watcher that restarts, whose item "sair" then takes off the bus; the X server
gone, the program ends, by itself and alone.
  tray_restarts.py SORVANTO"""
import sys
import time

from harness import Desktop, arm_for, armed_without_tray, check, run, sni, timed, ui, until, x11

program = sys.argv[1]

def xembed():
    with Desktop(tray=None, sound=False) as desktop:
        desktop.start_shown(program)
        # Answered after all that the start left waiting: an error box would be up by then.
        ui.settext("Intervalo", "30")
        check(ui.showing("Ativado"), "the window does not work without a tray")
        check(not x11.popup_menu(), "a second window (an error box?) without a tray")
        desktop.start_tray("trayer")
        late = timed(10, x11.tray_icon, "the icon never came to a tray that started late")
        ui.press("Ativado")
        until(5, x11.hidden, "arming leaves the window")
        desktop.trayer.terminate()
        until(5, lambda: not x11.windows("trayer"), "the tray did not go")
        desktop.start_tray("trayer")
        back = timed(10, x11.tray_icon, "the icon never came back to the new tray")
        x11.open_menu(2)
        until(5, x11.shown, "the menu does not work in the new tray")
    return f"icon in a late tray after {late:.1f} s, back in a restarted tray after {back:.1f} s, menu works"

def statusnotifier():
    with Desktop(tray=None, sound=False) as desktop:
        watcher = desktop.start_watcher()
        app = desktop.start_shown(program)
        until(10, watcher.items, "the item never registered")
        arm_for(30)
        watcher.stop()
        watcher = desktop.start_watcher()
        back = timed(10, watcher.items, "the item never registered with the new watcher")
        x11.xdotool("mousemove", 400, 300)
        sni.call(watcher.items()[0], "ContextMenu", 400, 300)
        until(5, x11.popup_menu, "no menu through the new watcher")
        x11.choose(2)
        until(5, x11.shown, "Configurações through the new watcher")
        ui.press("sair")
        app.ends("sair", icon_removed=True)
    return f"registered again {back:.1f} s after the watcher restarted, menu works, sair removes the item"

def no_tray():
    """A desktop with a task list and no tray: arming minimizes the window there instead of hiding it,
    and the user's click on its button, at the left end of the panel at the top, brings back the
    configuration view, the countdown still running until "Desativado"."""
    result = armed_without_tray(program, "xfwm4", "tasklist", lambda window: x11.click(40, 13))
    check(result == "minimized, brought back", f"without a tray the window is {result}")
    return result

def late_panel():
    """A panel that starts after the program: the icon reaches xfce4-panel's StatusNotifierItem host at
    once, and the host's ContextMenu(x, y) opens the menu where the host says, not at the pointer."""
    with Desktop(wm="xfwm4", tray=None, sound=False) as desktop:
        desktop.start_shown(program)
        started = time.monotonic()
        desktop.start_tray("xfce4-panel")
        item = until(10, sni.items, "the icon never reached the panel's host")[0]
        late = time.monotonic() - started
        arm_for(30)
        x11.xdotool("mousemove", 100, 100)
        sni.call(item, "ContextMenu", 600, 400)
        x11.menu_at(600, 400)
        x11.choose(2)
        until(5, x11.shown, "Configurações from the menu")
        check(ui.showing("Intervalo"), "not the configuration view")
    return f"the icon reached the panel's host {late:.1f} s after the panel started, the menu opened where it asked"

def x_server_gone():
    with Desktop(sound=False) as desktop:
        app = desktop.start_shown(program)
        arm_for(30)
        desktop.processes[0].terminate()
        status = app.ended()
        check(status is not None, "the program outlives its X server")
        check(status >= 0, f"the program died of signal {-status} with its X server")
        check(not app.offspring(), lambda: f"the program left processes behind: {app.offspring()}")
    return f"the program ended with status {status}"

run(xembed, statusnotifier, no_tray, late_panel, x_server_gone)
