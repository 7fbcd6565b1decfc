#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The tray icon over StatusNotifierItem, as KDE, GNOME's indicator extension, Xfce or waybar see it:
the host's context-menu request opens the menu at the place the host gives, wherever the pointer is,
its secondary activation hides the window, and the menu it may draw itself is the program's, with
the same actions.
  tray_statusnotifier.py SORVANTO"""
import sys

from harness import Desktop, arm_for, check, run, sni, ui, until, x11

program = sys.argv[1]

def a_host_asks():
    with Desktop(tray=None, sound=False) as desktop:
        watcher = desktop.start_watcher()
        app = desktop.start_shown(program)
        item = until(10, watcher.items, "the item never registered")[0]
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

run(a_host_asks)
