#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The tray icon, as the user clicks it and as the tray comes and goes:
  - in an XEmbed tray, the right button opens the menu at the pointer, "Configurações" toggles the
    window, the middle button hides it, minimizing hides it, and "Sair" ends the program; a pending
    countdown keeps running throughout;
  - over StatusNotifierItem, as KDE, GNOME's indicator extension, Xfce or waybar see it, the host's
    context-menu request opens the menu at the place the host gives, wherever the pointer is, its
    secondary activation hides the window, and the menu it may draw itself is the program's, with the
    same actions;
  - the program stays reachable with no tray at all, no tray at start, a tray or a panel that starts
    later, an XEmbed tray restarted while the reminder is armed, and a StatusNotifierItem watcher that
    restarts, whose item "sair" then takes off the bus; the X server gone, the program ends, by itself
    and alone.
  tray.py SORVANTO"""
import sys
import time

from harness import Desktop, arm_for, armed_without_tray, check, run, sni, timed, ui, until, x11

program = sys.argv[1]

def clicks_on_the_icon():
    with Desktop(sound=False) as desktop:
        app = desktop.start_shown(program, docked=True)
        arm_for(30)
        armed, left = time.monotonic(), app.countdown()
        check(left, "arming starts no countdown")

        # A left click does nothing. The right click after it, a little lower, is handled after it: its
        # menu finds the window still hidden, and opens where the right click was. A menu opened by the
        # left click would have taken the right click, and stayed higher or closed.
        x11.click_tray_icon(1, below=-6)
        x11.click_tray_icon(3)
        until(5, x11.popup_menu, "no menu after a left and a right click")
        check(not ui.showing("texto do sorvanto"), "a left click showed the window")
        x, y = x11.pointer()
        at = x11.place(x11.popup_menu())
        # At the pointer, moved left only as far as the screen's edge requires.
        check(y <= at.y <= y + 2, f"menu top {at.y}, pointer {y}")
        check(at.x + at.width <= 1024 and at.x <= x, f"menu left {at.x} width {at.width}, pointer {x}")
        x11.shot("tray-menu")
        x11.choose(2)
        until(5, x11.shown, "Configurações does not show the window")
        until(5, lambda: x11.active_window() == x11.main_window(), "the window from the tray is not the active one")
        check(ui.showing("Intervalo"), "not the configuration view")
        check(not ui.showing("OK"), "OK in the configuration view")
        check(not x11.on_top(x11.main_window()), "the configuration view is on top")
        x11.shot("configuration-from-tray")

        x11.click_tray_icon(2)
        until(5, x11.hidden, "the middle button does not hide the window")
        x11.open_menu(2)
        until(5, x11.shown, "Configurações after the middle button")
        x11.xdotool("windowminimize", x11.main_window())
        until(5, x11.hidden, "minimizing leaves the window")
        x11.open_menu(2)
        until(5, x11.shown, "Configurações after minimizing shows nothing")
        check(ui.showing("Intervalo"), "not the configuration view after minimizing")
        x11.open_menu(2)
        until(5, x11.hidden, "Configurações does not hide a shown window")

        # The countdown armed at the start has gone on all along, neither stopped nor started anew.
        now, since = app.countdown(), time.monotonic() - armed
        check(now and abs(left - since - now) <= 2, f"{now} s left of the countdown, {since:.0f} s after {left} s")
        x11.open_menu(3)
        app.ends("Sair")
    return "menu at the pointer, toggles, middle button, minimize and Sair all answer; the countdown ran on"

def a_host_asks():
    with Desktop(tray=None, sound=False) as desktop:
        desktop.start_watcher()
        app = desktop.start_shown(program)
        item = until(10, sni.items, "the item never registered")[0]
        labels = [label for label in sni.menu(item) if label != "-"]
        check(labels == ["Velmora - SORVANTO", "Configurações", "Sair"], f"exported menu: {sni.menu(item)}")
        arm_for(30)

        # A primary activation does nothing: the window, asked after its call has returned, is still hidden.
        sni.call(item, "Activate", 500, 300)
        check(not ui.showing("texto do sorvanto"), "a primary activation showed the window")
        check(not x11.popup_menu(), "a primary activation opened a menu")

        # Under XWayland the pointer's place is unknown while it is over another program's Wayland window.
        x11.xdotool("mousemove", 100, 100)
        sni.call(item, "ContextMenu", 500, 300)
        x11.menu_at(500, 300)
        x11.shot("sni-menu")
        x11.choose(2)
        until(5, x11.shown, "Configurações from the menu")
        check(ui.showing("Intervalo"), "not the configuration view")

        sni.call(item, "SecondaryActivate", 500, 300)
        until(5, x11.hidden, "secondary activation does not hide the window")
        check(sni.click(item, "Configurações"), "no Configurações in the host's menu")
        until(5, x11.shown, "Configurações from the host's own menu")
        check(sni.click(item, "Sair"), "no Sair in the host's menu")
        app.ends("Sair from the host's menu")
    return "exported menu, context menu where the host asks, secondary activation and the host's menu all answer"

def late_and_restarted_tray():
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

def restarted_watcher():
    with Desktop(tray=None, sound=False) as desktop:
        watcher = desktop.start_watcher()
        app = desktop.start_shown(program)
        until(10, sni.items, "the item never registered")
        arm_for(30)
        watcher.terminate()
        watcher.wait()
        desktop.start_watcher()
        back = timed(10, sni.items, "the item never registered with the new watcher")
        x11.xdotool("mousemove", 400, 300)
        sni.call(sni.items()[0], "ContextMenu", 400, 300)
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

run(clicks_on_the_icon, a_host_asks, late_and_restarted_tray, restarted_watcher, no_tray, late_panel, x_server_gone)
