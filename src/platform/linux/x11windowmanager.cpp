// SPDX-License-Identifier: GPL-3.0-or-later
#include "x11windowmanager.h"

#include "xcb.h"

#include <QWindow>

namespace sorvanto {

namespace {

// Qt's X11 connection, and the window's on it, where the program runs on X11.
bool onX11(QWidget& window, xcb_connection_t*& connection, xcb_window_t& id) {
    connection = xcb::qtConnection();
    if (!connection || !window.windowHandle()) return false;
    id = static_cast<xcb_window_t>(window.windowHandle()->winId());
    return true;
}

}  // namespace

// The activation that a program asks for itself is one that window managers may refuse, or grant
// behind a fullscreen window (fluxbox, i3). The one a pager sends comes from the user, and they
// grant it. Sent on Qt's own connection, it reaches the window manager after the request that
// maps the window.
void X11WindowManager::bringToFront(QWidget& window) {
    xcb_connection_t* connection;
    xcb_window_t id;
    if (!onX11(window, connection, id)) {
        QtWindowManager::bringToFront(window);
        return;
    }
    constexpr std::uint32_t FromPager = 2;
    xcb::tellWindowManager(connection, id, "_NET_ACTIVE_WINDOW", {FromPager, XCB_CURRENT_TIME});
}

// Asked as ICCCM has it, without Qt's help: Qt takes its window for minimized from the moment it
// asks, and where the window manager declines (i3, Weston's XWayland) it later reports a minimize
// that nobody did. A window manager that minimizes marks the window iconic within a few
// milliseconds, GNOME Shell's after its animation's start.
bool X11WindowManager::minimize(QWidget& window) {
    xcb_connection_t* connection;
    xcb_window_t id;
    if (!onX11(window, connection, id)) return QtWindowManager::minimize(window);
    constexpr std::uint32_t IconicState = 3;
    xcb::tellWindowManager(connection, id, "WM_CHANGE_STATE", {IconicState});
    const xcb_atom_t wmState = xcb::atom(connection, "WM_STATE");
    return xcb::awaitWindowManager(1000, [&] {
        const auto reply = xcb::owned(xcb_get_property_reply(
            connection, xcb_get_property(connection, false, id, wmState, wmState, 0, 1), nullptr));
        return reply && reply->format == 32 && xcb_get_property_value_length(reply.get()) == 4 &&
               *static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get())) == IconicState;
    });
}

}  // namespace sorvanto
