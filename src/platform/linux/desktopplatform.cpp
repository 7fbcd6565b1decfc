// SPDX-License-Identifier: GPL-3.0-or-later
#include "../platform.h"
#include "../qt/qtdialogs.h"
#include "../qt/qtpointer.h"
#include "boottimetimer.h"
#include "canberrasound.h"
#include "qtnotifyicon.h"
#include "x11screen.h"
#include "x11windowmanager.h"

#include <QtGlobal>
#include <cstdio>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>

namespace sorvanto {

bool loadFontAliases();

namespace {

// The pointer, except for a click on the tray icon whose place the tray gave: under XWayland, Qt
// cannot tell where the pointer is while it is over another program's Wayland window.
class TrayClickPointer final : public Pointer {
public:
    explicit TrayClickPointer(const QtNotifyIcon& icon) : icon_(icon) {}
    QPoint GetCursorPos() const override { return icon_.clickPlace().value_or(pointer_.GetCursorPos()); }
    void TrackPopupMenu(QMenu& menu, QPoint topLeft) override { pointer_.TrackPopupMenu(menu, topLeft); }

private:
    const QtNotifyIcon& icon_;
    QtPointer pointer_;
};

class LinuxDesktop final : public DesktopPlatform {
public:
    Platform services() override { return {notifyIcon_, sound_, timers_, pointer_, dialogs_, screen_, windowManager_}; }

private:
    QtNotifyIcon notifyIcon_;
    CanberraSound sound_;
    BoottimeTimerFactory timers_;
    TrayClickPointer pointer_{notifyIcon_};
    QtDialogs dialogs_;
    X11Screen screen_;
    X11WindowManager windowManager_;
};

bool waylandSession() {
    return qEnvironmentVariableIsSet("WAYLAND_DISPLAY") || qgetenv("XDG_SESSION_TYPE") == "wayland";
}

// Wayland lets no ordinary window stay above the others, and the alert must. In a Wayland session
// the program therefore runs through XWayland, whose window manager (the compositor itself) keeps
// the alert on top. A platform the user names explicitly is left alone.
void preferXWayland() {
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) return;
    if (waylandSession() && qEnvironmentVariableIsSet("DISPLAY")) qputenv("QT_QPA_PLATFORM", "xcb");
}

bool x11Reachable() {
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const bool connected = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return connected;
}

// The compositor's socket where a Wayland client looks for it: WAYLAND_DISPLAY (wayland-0 when
// unset) in XDG_RUNTIME_DIR unless it is a full path.
bool waylandReachable() {
    if (qEnvironmentVariableIsSet("WAYLAND_SOCKET")) return true;
    QByteArray path = qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ? "wayland-0" : qgetenv("WAYLAND_DISPLAY");
    if (!path.startsWith('/')) {
        if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) return false;
        path = qgetenv("XDG_RUNTIME_DIR") + '/' + path;
    }
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (std::size_t(path.size()) >= sizeof address.sun_path) return false;
    std::memcpy(address.sun_path, path.constData(), std::size_t(path.size()));
    const int socket = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const bool connected = socket >= 0 && ::connect(socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    if (socket >= 0) ::close(socket);
    return connected;
}

// Qt ends the process with an abort, and a core dump, when its platform cannot reach the display.
// The displays that Qt would try (Wayland's in a Wayland session, then X's, unless the user names
// a platform) are therefore tried first, so that the program can say in a line which one is
// missing. Any other platform the user names is Qt's to report on.
bool displayReachable() {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    const bool x11 = platform.isEmpty() || platform.startsWith("xcb");
    const bool wayland = platform.isEmpty() ? waylandSession() : platform.startsWith("wayland");
    if (!x11 && !wayland) return true;
    if ((x11 && x11Reachable()) || (wayland && waylandReachable())) return true;
    const QByteArray display = qgetenv("DISPLAY");
    const QByteArray waylandDisplay = qgetenv("WAYLAND_DISPLAY");
    if (x11 && !display.isEmpty())
        std::fprintf(stderr, "sorvanto: cannot connect to the X display \"%s\"\n", display.constData());
    else if (wayland && !waylandDisplay.isEmpty())
        std::fprintf(stderr, "sorvanto: cannot connect to the Wayland display \"%s\"\n", waylandDisplay.constData());
    else if (platform.isEmpty())
        std::fputs("sorvanto: no display to connect to: neither DISPLAY nor WAYLAND_DISPLAY is set\n", stderr);
    else
        std::fprintf(stderr, "sorvanto: no display to connect to: %s is not set\n",
                     x11 ? "DISPLAY" : "WAYLAND_DISPLAY");
    return false;
}

}  // namespace

bool prepareProcess() {
    preferXWayland();
    if (!displayReachable()) return false;
    if (!loadFontAliases())
        std::fputs("sorvanto: the window's font aliases could not be read; its fonts may differ\n", stderr);
    return true;
}

std::unique_ptr<DesktopPlatform> createDesktopPlatform() { return std::make_unique<LinuxDesktop>(); }

}  // namespace sorvanto
