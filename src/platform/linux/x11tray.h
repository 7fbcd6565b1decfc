// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <xcb/xcb.h>

namespace sorvanto {

// The X11 tray of the screen: the owner of its _NET_SYSTEM_TRAY_S<screen> selection. A tray that
// takes the selection tells every client with a MANAGER message to the root window; one that ends
// destroys the window that owned it. Both reach the program through Qt's connection to the X server.
class X11Tray final : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT
public:
    X11Tray();
    ~X11Tray() override;
    bool running() const;
    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

signals:
    void changed();

private:
    void watchOwner();

    xcb_connection_t* connection_ = nullptr;
    xcb_atom_t selection_ = XCB_ATOM_NONE;
    xcb_atom_t manager_ = XCB_ATOM_NONE;
    xcb_window_t owner_ = XCB_WINDOW_NONE;
};

}  // namespace sorvanto
