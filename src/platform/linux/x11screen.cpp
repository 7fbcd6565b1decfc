// SPDX-License-Identifier: GPL-3.0-or-later
#include "x11screen.h"

#include "xcb.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <array>
#include <cmath>

namespace sorvanto {

namespace {

using xcb::atom;
using xcb::owned;
// X positions are signed 16-bit values.
constexpr std::uint32_t LargestExtent = 32767;

bool supports(xcb_connection_t* c, xcb_window_t root, xcb_atom_t feature) {
    const auto reply = owned(xcb_get_property_reply(
        c, xcb_get_property(c, false, root, atom(c, "_NET_SUPPORTED"), XCB_ATOM_ATOM, 0, 4096), nullptr));
    if (!reply || reply->format != 32) return false;
    const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / 4;
    return std::find(atoms, atoms + count, feature) != atoms + count;
}

// left, right, top, bottom in the screen's device pixels, once the window manager has set them.
std::optional<std::array<std::uint32_t, 4>> frameExtents(xcb_connection_t* c, xcb_window_t window, xcb_atom_t extents) {
    const auto reply =
        owned(xcb_get_property_reply(c, xcb_get_property(c, false, window, extents, XCB_ATOM_CARDINAL, 0, 4), nullptr));
    if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) != 16) return std::nullopt;
    std::array<std::uint32_t, 4> values;
    std::copy_n(static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get())), 4, values.begin());
    return values;
}

// Asks the window manager for the frame it would give an unmapped window with a title bar and a
// fixed size, the way the main window is shown.
QMargins askWindowManager(xcb_connection_t* c) {
    const xcb_window_t root = xcb::root(c);
    const xcb_atom_t request = atom(c, "_NET_REQUEST_FRAME_EXTENTS");
    const xcb_atom_t extents = atom(c, "_NET_FRAME_EXTENTS");
    if (request == XCB_ATOM_NONE || extents == XCB_ATOM_NONE || !supports(c, root, request)) return {};

    const xcb_window_t probe = xcb_generate_id(c);
    xcb_create_window(c, XCB_COPY_FROM_PARENT, probe, root, 0, 0, 100, 100, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                      XCB_COPY_FROM_PARENT, 0, nullptr);
    // A window that cannot be resized has no resize handles, and with some themes a thinner border.
    constexpr std::uint32_t PMinSize = 1 << 4, PMaxSize = 1 << 5;
    std::array<std::uint32_t, 18> sizeHints{};
    sizeHints[0] = PMinSize | PMaxSize;
    sizeHints[5] = sizeHints[7] = 100;
    sizeHints[6] = sizeHints[8] = 100;
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, probe, XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS, 32,
                        sizeHints.size(), sizeHints.data());

    xcb::tellWindowManager(c, probe, "_NET_REQUEST_FRAME_EXTENTS", {});

    std::optional<std::array<std::uint32_t, 4>> answer;
    xcb::awaitWindowManager(250, [&] { return (answer = frameExtents(c, probe, extents)).has_value(); });
    xcb_destroy_window(c, probe);
    xcb_flush(c);
    if (!answer) return {};

    const QScreen* screen = QGuiApplication::primaryScreen();
    return logicalFrame(*answer, screen ? screen->devicePixelRatio() : 1.0);
}

}  // namespace

QMargins logicalFrame(const std::array<std::uint32_t, 4>& extents, qreal devicePixelRatio) {
    if (std::any_of(extents.begin(), extents.end(), [](std::uint32_t e) { return e > LargestExtent; })) return {};
    const auto logical = [devicePixelRatio](std::uint32_t pixels) {
        return static_cast<int>(std::ceil(pixels / devicePixelRatio));
    };
    const auto& [left, right, top, bottom] = extents;
    return QMargins(logical(left), logical(top), logical(right), logical(bottom));
}

QMargins X11Screen::frameMargins() const {
    if (!frame_) {
        xcb_connection_t* connection = xcb::qtConnection();
        frame_ = connection ? askWindowManager(connection) : QMargins();
    }
    return *frame_;
}

}  // namespace sorvanto
