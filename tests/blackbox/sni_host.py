#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A small StatusNotifierItem host for tests, on the session bus.

  sni_host.py watch FILE            own the watcher name; write each registered item to FILE
  sni_host.py items                 print the items that the watcher on the bus knows and that are
                                    still on the bus, one a line
  sni_host.py call ITEM METHOD X Y  call ContextMenu, SecondaryActivate or Activate on ITEM
  sni_host.py menu ITEM             print the labels of the menu ITEM exports, one a line
  sni_host.py click ITEM LABEL      send "clicked" to the exported menu item with that label
ITEM is "bus-name/object/path" as written by watch.
"""
import sys

import dbus
import dbus.service

WATCHER = "org.kde.StatusNotifierWatcher"
ITEM = "org.kde.StatusNotifierItem"
MENU = "com.canonical.dbusmenu"


INTROSPECTION = f"""<node>
  <interface name="{WATCHER}">
    <method name="RegisterStatusNotifierItem"><arg name="service" type="s" direction="in"/></method>
    <method name="RegisterStatusNotifierHost"><arg name="service" type="s" direction="in"/></method>
    <signal name="StatusNotifierItemRegistered"><arg type="s"/></signal>
    <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
    <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
    <property name="ProtocolVersion" type="i" access="read"/>
  </interface>
  <interface name="{dbus.PROPERTIES_IFACE}">
    <method name="Get"><arg type="s" direction="in"/><arg type="s" direction="in"/><arg type="v" direction="out"/></method>  # noqa: E501
    <method name="GetAll"><arg type="s" direction="in"/><arg type="a{{sv}}" direction="out"/></method>
  </interface>
</node>"""


class Watcher(dbus.service.Object):
    def __init__(self, bus, path):
        self.items = []
        self.path = path
        self.name = dbus.service.BusName(WATCHER, bus)
        super().__init__(self.name, "/StatusNotifierWatcher")

    @dbus.service.method(WATCHER, in_signature="s", sender_keyword="sender")
    def RegisterStatusNotifierItem(self, service, sender=None):
        item = sender + service if service.startswith("/") else service + "/StatusNotifierItem"
        self.items.append(item)
        with open(self.path, "a") as out:
            out.write(item + "\n")
        self.StatusNotifierItemRegistered(item)

    @dbus.service.method(WATCHER, in_signature="s")
    def RegisterStatusNotifierHost(self, service):
        pass

    @dbus.service.signal(WATCHER, signature="s")
    def StatusNotifierItemRegistered(self, item):
        pass

    # Clients read the properties through introspection, which dbus-python does not describe.
    @dbus.service.method(dbus.INTROSPECTABLE_IFACE, out_signature="s")
    def Introspect(self):
        return INTROSPECTION

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="ss", out_signature="v")
    def Get(self, interface, prop):
        return self.GetAll(interface)[prop]

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="s", out_signature="a{sv}")
    def GetAll(self, interface):
        return {
            "RegisteredStatusNotifierItems": dbus.Array(self.items, signature="s"),
            "IsStatusNotifierHostRegistered": True,
            "ProtocolVersion": dbus.Int32(0),
        }


def service_and_path(item):
    """GNOME's watcher writes an item as "service@/path", others as "service/path"."""
    service, _, path = item.partition("/")
    return service.rstrip("@"), "/" + path


def item_object(bus, item):
    return bus.get_object(*service_and_path(item))


def menu_object(bus, item):
    obj = item_object(bus, item)
    path = obj.Get(ITEM, "Menu", dbus_interface=dbus.PROPERTIES_IFACE)
    return bus.get_object(service_and_path(item)[0], path)


def labels(layout):
    _, props, children = layout
    if "label" in props:
        yield props, layout[0]
    for child in children:
        yield from labels(child)


def main(argv):
    verb = argv[1]
    if verb == "watch":
        from dbus.mainloop.glib import DBusGMainLoop
        from gi.repository import GLib

        DBusGMainLoop(set_as_default=True)
        watcher = Watcher(dbus.SessionBus(), argv[2])  # noqa: F841 (kept alive by the loop)
        GLib.MainLoop().run()
        return 0
    bus = dbus.SessionBus()
    if verb == "items":
        # A watcher may list an item whose program has gone, or registered anew, for a while.
        watcher = bus.get_object(WATCHER, "/StatusNotifierWatcher")
        for item in watcher.Get(WATCHER, "RegisteredStatusNotifierItems", dbus_interface=dbus.PROPERTIES_IFACE):
            if bus.name_has_owner(service_and_path(item)[0]):
                print(item)
    elif verb == "call":
        getattr(item_object(bus, argv[2]), argv[3])(dbus.Int32(int(argv[4])), dbus.Int32(int(argv[5])),
                                                      dbus_interface=ITEM)  # noqa: E127
    elif verb in ("menu", "click"):
        menu = menu_object(bus, argv[2])
        _, layout = menu.GetLayout(0, -1, [], dbus_interface=MENU)
        for props, ident in labels(layout):
            label = str(props["label"])
            if verb == "menu":
                print(label if label else "-")
            elif label == argv[3]:
                menu.Event(ident, "clicked", dbus.Int32(0), dbus.UInt32(0), dbus_interface=MENU)
                return 0
        if verb == "click":
            sys.exit(f"no menu item {argv[3]!r}")
    else:
        sys.exit(__doc__)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
