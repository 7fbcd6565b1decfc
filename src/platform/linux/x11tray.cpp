// SPDX-License-Identifier: GPL-3.0-or-later
#include "x11tray.h"

#include "xcb.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdlib>
#include <string>

namespace sorvanto {

namespace {

using xcb::owned;

// The screen that DISPLAY names, which Qt connects to as well.
int displayScreen() {
    char* host = nullptr;
    int display = 0, screen = 0;
    if (!xcb_parse_display(nullptr, &host, &display, &screen)) return 0;
    std::free(host);
    return screen;
}

xcb_window_t screenRoot(xcb_connection_t* c, int screen) {
    xcb_screen_iterator_t roots = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screen && roots.rem > 1; ++i) xcb_screen_next(&roots);
    return roots.data->root;
}

// Adds StructureNotify to what the program selects on window, keeping what Qt selects there. False
// when the window is gone. The request is checked so that its error comes here, not to Qt's log.
bool watchStructure(xcb_connection_t* c, xcb_window_t window) {
    const auto attributes = owned(xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), nullptr));
    if (!attributes) return false;
    const std::uint32_t mask = attributes->your_event_mask | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    const auto error =
        owned(xcb_request_check(c, xcb_change_window_attributes_checked(c, window, XCB_CW_EVENT_MASK, &mask)));
    return !error;
}

xcb_window_t selectionOwner(xcb_connection_t* c, xcb_atom_t selection) {
    const auto reply = owned(xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, selection), nullptr));
    return reply ? reply->owner : xcb_window_t{XCB_WINDOW_NONE};
}

}  // namespace

X11Tray::X11Tray() {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return;
    connection_ = xcb::qtConnection();
    if (!connection_) return;
    const int screen = displayScreen();
    selection_ = xcb::atom(connection_, ("_NET_SYSTEM_TRAY_S" + std::to_string(screen)).c_str());
    manager_ = xcb::atom(connection_, "MANAGER");
    watchStructure(connection_, screenRoot(connection_, screen));
    QCoreApplication::instance()->installNativeEventFilter(this);
    watchOwner();
}

X11Tray::~X11Tray() {
    if (connection_) QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool X11Tray::running() const { return connection_ && selectionOwner(connection_, selection_) != XCB_WINDOW_NONE; }

// A tray can end between being asked for and being watched; then the selection has a newer owner, or none.
void X11Tray::watchOwner() {
    owner_ = selectionOwner(connection_, selection_);
    while (owner_ != XCB_WINDOW_NONE && !watchStructure(connection_, owner_))
        owner_ = selectionOwner(connection_, selection_);
    xcb_flush(connection_);
}

bool X11Tray::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    switch (event->response_type & 0x7f) {
    case XCB_CLIENT_MESSAGE: {
        const auto* client = static_cast<const xcb_client_message_event_t*>(message);
        if (client->type == manager_ && client->format == 32 && client->data.data32[1] == selection_) {
            watchOwner();
            emit changed();
        }
        break;
    }
    case XCB_DESTROY_NOTIFY:
        if (owner_ != XCB_WINDOW_NONE && static_cast<const xcb_destroy_notify_event_t*>(message)->window == owner_) {
            watchOwner();
            emit changed();
        }
        break;
    }
    // Qt's own XEmbed icon follows the tray through the same events.
    return false;
}

}  // namespace sorvanto
