// SPDX-License-Identifier: GPL-3.0-or-later
#include "../platform.h"
#include "../qt/qtdialogs.h"
#include "../qt/qtpointer.h"
#include "../qt/qtscreen.h"
#include "../qt/qtwindowmanager.h"
#include "plaintimer.h"

namespace sorvanto {

namespace {

// No notification area: the program runs on without an icon, as where a tray refuses it.
class NoNotifyIcon final : public NotifyIcon {
public:
    bool Shell_NotifyIcon(NotifyIconMessage, const NotifyIconData&) override { return false; }
    void setHostMenu(QMenu*) override {}
    bool trayAvailable() const override { return false; }
};

class NoSound final : public SoundPlayer {
public:
    void play(const QString&) override {}
};

// The desktop of a platform without a backend of its own: what Qt alone gives.
class NullDesktop final : public DesktopPlatform {
public:
    Platform services() override { return {notifyIcon_, sound_, timers_, pointer_, dialogs_, screen_, windowManager_}; }

private:
    NoNotifyIcon notifyIcon_;
    NoSound sound_;
    PlainTimerFactory timers_;
    QtPointer pointer_;
    QtDialogs dialogs_;
    QtScreen screen_;
    QtWindowManager windowManager_;
};

}  // namespace

bool prepareProcess() { return true; }

std::unique_ptr<DesktopPlatform> createDesktopPlatform() { return std::make_unique<NullDesktop>(); }

}  // namespace sorvanto
