// SPDX-License-Identifier: GPL-3.0-or-later
#include "../platform.h"
#include "../qt/qtdialogs.h"
#include "../qt/qtpointer.h"
#include "../qt/qtscreen.h"
#include "../qt/qttrayicon.h"
#include "playsound.h"
#include "waitabletimer.h"
#include "windowswindowmanager.h"

namespace sorvanto {

namespace {

// The notification area is Qt's tray icon (Shell_NotifyIcon) and the pointer Qt's (GetCursorPos).
class WindowsDesktop final : public DesktopPlatform {
public:
    Platform services() override { return {notifyIcon_, sound_, timers_, pointer_, dialogs_, screen_, windowManager_}; }

private:
    QtTrayIcon notifyIcon_;
    PlaySoundPlayer sound_;
    WaitableTimerFactory timers_;
    QtPointer pointer_;
    QtDialogs dialogs_;
    QtScreen screen_;
    WindowsWindowManager windowManager_;
};

}  // namespace

// The window's fonts are the system's own, and Qt's platform is the only one there is.
bool prepareProcess() { return true; }

std::unique_ptr<DesktopPlatform> createDesktopPlatform() { return std::make_unique<WindowsDesktop>(); }

}  // namespace sorvanto
