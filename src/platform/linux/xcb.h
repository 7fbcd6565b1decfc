// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QGuiApplication>
#include <QThread>
#include <QtGui/qguiapplication_platform.h>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <memory>
#include <xcb/xcb.h>

namespace sorvanto::xcb {

// Qt's connection to the X server, if it has one: its offscreen platform offers the X11 interface
// without an X server behind it.
inline xcb_connection_t* qtConnection() {
    const auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

template <class Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

// xcb hands its replies over to be freed by the caller.
template <class Reply>
ReplyPtr<Reply> owned(Reply* reply) {
    return ReplyPtr<Reply>(reply, &std::free);
}

inline xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    const auto length = static_cast<std::uint16_t>(std::strlen(name));
    const auto reply = owned(xcb_intern_atom_reply(c, xcb_intern_atom(c, false, length, name), nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

inline xcb_window_t root(xcb_connection_t* c) { return xcb_setup_roots_iterator(xcb_get_setup(c)).data->root; }

// A message to the window manager about window, as the Extended Window Manager Hints have clients
// send them: to the root window, for the window manager's redirection.
inline void tellWindowManager(xcb_connection_t* c, xcb_window_t window, const char* type,
                              std::initializer_list<std::uint32_t> data) {
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = atom(c, type);
    std::copy(data.begin(), data.end(), message.data.data32);
    xcb_send_event(c, false, root(c), XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(c);
}

// The window manager answers asynchronously. One that does not answer, though it announces the
// request or ought to know it, must not hold the program up for longer than milliseconds.
template <class Answered>
bool awaitWindowManager(int milliseconds, Answered answered) {
    constexpr int PollMilliseconds = 5;
    for (int waited = 0; waited < milliseconds; waited += PollMilliseconds) {
        if (answered()) return true;
        QThread::msleep(PollMilliseconds);
    }
    return false;
}

}  // namespace sorvanto::xcb
