// SPDX-License-Identifier: GPL-3.0-or-later
#include "x11windowmanager.h"

#include "xcb.h"

#include <QGuiApplication>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>

namespace sorvanto {

namespace {

// Qt's X11 connection, and the window's on it, where the program runs on X11.
bool onX11(QWidget& window, xcb_connection_t*& connection, xcb_window_t& id) {
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !window.windowHandle()) return false;
    connection = x11->connection();
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
// asks, and where the window manager declines (XWayland's under Weston) it later reports a
// minimize that nobody did.
void X11WindowManager::minimize(QWidget& window) {
    xcb_connection_t* connection;
    xcb_window_t id;
    if (!onX11(window, connection, id)) {
        QtWindowManager::minimize(window);
        return;
    }
    constexpr std::uint32_t IconicState = 3;
    xcb::tellWindowManager(connection, id, "WM_CHANGE_STATE", {IconicState});
}

}  // namespace sorvanto
