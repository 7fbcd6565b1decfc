#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A small StatusNotifierItem host for tests, on the session bus: its calls on the items, and, run
as a program (sni.py), a watcher that owns the watcher's name. An item is "bus-name/object/path", as
the watcher lists it."""
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
    <method name="Get">
      <arg type="s" direction="in"/><arg type="s" direction="in"/><arg type="v" direction="out"/>
    </method>
    <method name="GetAll"><arg type="s" direction="in"/><arg type="a{{sv}}" direction="out"/></method>
  </interface>
</node>"""

class Watcher(dbus.service.Object):
    def __init__(self, bus):
        self.items = []
        self.name = dbus.service.BusName(WATCHER, bus)
        super().__init__(self.name, "/StatusNotifierWatcher")

    @dbus.service.method(WATCHER, in_signature="s", sender_keyword="sender")
    def RegisterStatusNotifierItem(self, service, sender=None):
        item = sender + service if service.startswith("/") else service + "/StatusNotifierItem"
        self.items.append(item)
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

def _item(item):
    return dbus.SessionBus().get_object(*service_and_path(item), introspect=False)

def _watcher(name):
    """The property called name of the watcher on the bus."""
    watcher = dbus.SessionBus().get_object(WATCHER, "/StatusNotifierWatcher", introspect=False)
    return watcher.Get(WATCHER, name, dbus_interface=dbus.PROPERTIES_IFACE)

def host_running():
    """A watcher is on the bus, with a host that shows the items."""
    return bool(_watcher("IsStatusNotifierHostRegistered"))

def watcher_up():
    """A watcher answers on the bus."""
    return _watcher("ProtocolVersion") is not None

def on_bus(item):
    """The item's connection is still on the bus: a watcher may list an item whose program has gone,
    or registered anew on another connection, for a while."""
    return dbus.SessionBus().name_has_owner(service_and_path(item)[0])

def items():
    """The items that the watcher on the bus knows and that are still on the bus."""
    return [str(i) for i in _watcher("RegisteredStatusNotifierItems") if on_bus(i)]

def registered():
    """The items on the watcher; none when there is no watcher."""
    try:
        return items()
    except dbus.DBusException:
        return []

def call(item, method, x, y):
    """ContextMenu, SecondaryActivate or Activate, as a host calls them."""
    getattr(_item(item), method)(x, y, dbus_interface=ITEM, signature="ii")

def _menu(item):
    path = _item(item).Get(ITEM, "Menu", dbus_interface=dbus.PROPERTIES_IFACE)
    menu = dbus.SessionBus().get_object(service_and_path(item)[0], path, introspect=False)
    return menu, menu.GetLayout(0, -1, [], dbus_interface=MENU, signature="iias")[1]

def _entries(layout):
    ident, props, children = layout
    if "label" in props:
        yield str(props["label"]), ident
    for child in children:
        yield from _entries(child)

def menu(item):
    """The labels of the menu the item exports; a separator is "-"."""
    return [label or "-" for label, _ in _entries(_menu(item)[1])]

def click(item, label):
    """Sends "clicked" to the exported menu's entry with that label; false if there is none."""
    menu, layout = _menu(item)
    for entry, ident in _entries(layout):
        if entry == label:
            menu.Event(ident, "clicked", dbus.Int32(0), dbus.UInt32(0), dbus_interface=MENU, signature="isvu")
            return True
    return False

def gone(item):
    """Neither the item's connection nor its object is on the bus; a held program would not answer."""
    try:
        _item(item).Get(ITEM, "Id", dbus_interface=dbus.PROPERTIES_IFACE, timeout=2)
    except dbus.DBusException as error:
        return error.get_dbus_name() in ("org.freedesktop.DBus.Error.ServiceUnknown",
                                         "org.freedesktop.DBus.Error.UnknownObject")
    return False

if __name__ == "__main__":
    from dbus.mainloop.glib import DBusGMainLoop
    from gi.repository import GLib

    DBusGMainLoop(set_as_default=True)
    watcher = Watcher(dbus.SessionBus())  # noqa: F841 (kept alive by the loop)
    GLib.MainLoop().run()
