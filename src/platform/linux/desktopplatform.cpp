#include "../platform.h"
#include "../qt/qtdialogs.h"
#include "../qt/qtpointer.h"
#include "boottimetimer.h"
#include "canberrasound.h"
#include "qtnotifyicon.h"
#include "x11screen.h"

#include <QtGlobal>

namespace sorvanto {

void loadFontAliases();

namespace {

class LinuxDesktop final : public DesktopPlatform {
public:
    Platform services() override { return {notifyIcon_, sound_, timers_, pointer_, dialogs_, screen_}; }

private:
    QtNotifyIcon notifyIcon_;
    CanberraSound sound_;
    BoottimeTimerFactory timers_;
    QtPointer pointer_;
    QtDialogs dialogs_;
    X11Screen screen_;
};

// Wayland lets no ordinary window stay above the others, and the alert must. In a Wayland session
// the program therefore runs through XWayland, whose window manager (the compositor itself) keeps
// the alert on top. A platform the user names explicitly is left alone.
void preferXWayland() {
    if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) return;
    const bool waylandSession =
        qEnvironmentVariableIsSet("WAYLAND_DISPLAY") || qgetenv("XDG_SESSION_TYPE") == "wayland";
    if (waylandSession && qEnvironmentVariableIsSet("DISPLAY")) qputenv("QT_QPA_PLATFORM", "xcb");
}

}  // namespace

void prepareProcess() {
    preferXWayland();
    loadFontAliases();
}

std::unique_ptr<DesktopPlatform> createDesktopPlatform() { return std::make_unique<LinuxDesktop>(); }

}  // namespace sorvanto
