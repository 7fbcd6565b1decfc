// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dialogs.h"
#include "notifyicon.h"
#include "pointer.h"
#include "screen.h"
#include "sound.h"
#include "timer.h"
#include "windowmanager.h"

#include <QWidget>
#include <memory>

namespace sorvanto {

// The desktop services the window uses; it never reaches the desktop in any other way.
struct Platform {
    NotifyIcon& notifyIcon;
    SoundPlayer& sound;
    TimerFactory& timers;
    Pointer& pointer;
    Dialogs& dialogs;
    Screen& screen;
    WindowManager& windowManager;
};

// The services of the desktop this program was built for, owned together.
class DesktopPlatform {
public:
    virtual ~DesktopPlatform() = default;
    virtual Platform services() = 0;
    // Where the desktop's installer may ask the program to end, window is closed at its request.
    virtual void endOnRequest(QWidget& window) { static_cast<void>(window); }
};

// Prepares the process before the GUI framework starts (the display it runs on, fonts the window's
// layout names). False, having said why on stderr, when the program cannot run here.
bool prepareProcess();
std::unique_ptr<DesktopPlatform> createDesktopPlatform();

}  // namespace sorvanto
