#include "../platform.h"
#include "../qt/qtdialogs.h"
#include "../qt/qtnotifyicon.h"
#include "../qt/qtpointer.h"
#include "boottimetimer.h"
#include "canberrasound.h"
#include "x11screen.h"

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

}  // namespace

void prepareProcess() { loadFontAliases(); }

std::unique_ptr<DesktopPlatform> createDesktopPlatform() { return std::make_unique<LinuxDesktop>(); }

}  // namespace sorvanto
