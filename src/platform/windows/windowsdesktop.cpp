// SPDX-License-Identifier: GPL-3.0-or-later
#include "../platform.h"
#include "../qt/qtdialogs.h"
#include "../qt/qtpointer.h"
#include "../qt/qtscreen.h"
#include "../qt/qttrayicon.h"
#include "endrequest.h"
#include "playsound.h"
#include "waitabletimer.h"
#include "windowswindowmanager.h"

#include <windows.h>

namespace sorvanto {

namespace {

// The notification area is Qt's tray icon (Shell_NotifyIcon) and the pointer Qt's (GetCursorPos).
class WindowsDesktop final : public DesktopPlatform {
public:
    Platform services() override { return {notifyIcon_, sound_, timers_, pointer_, dialogs_, screen_, windowManager_}; }
    void endOnRequest(QWidget& window) override { endRequest_ = std::make_unique<EndRequest>(window); }

private:
    QtTrayIcon notifyIcon_;
    PlaySoundPlayer sound_;
    WaitableTimerFactory timers_;
    QtPointer pointer_;
    QtDialogs dialogs_;
    QtScreen screen_;
    WindowsWindowManager windowManager_;
    std::unique_ptr<EndRequest> endRequest_;
};

}  // namespace

// The window's fonts are the system's own, and Qt's platform is the only one there is. The installer
// and the uninstaller know from this mutex that the program runs, and from its abandonment that it
// has ended: owned from the start and never released, it is let go only with the process. Local, as
// they can ask the program to end in their own session only (data/windows/sorvanto.nsi).
bool prepareProcess() {
    CreateMutexW(nullptr, TRUE, L"Local\\Velmora.Sorvanto.Running");
    return true;
}

std::unique_ptr<DesktopPlatform> createDesktopPlatform() { return std::make_unique<WindowsDesktop>(); }

}  // namespace sorvanto
