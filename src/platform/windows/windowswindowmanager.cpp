// SPDX-License-Identifier: GPL-3.0-or-later
#include "windowswindowmanager.h"

#include <windows.h>

namespace sorvanto {

void WindowsWindowManager::bringToFront(QWidget& window) {
    QtWindowManager::bringToFront(window);
    HWND handle = reinterpret_cast<HWND>(window.winId());
    if (::GetForegroundWindow() == handle) return;
    FLASHWINFO flash{};
    flash.cbSize = sizeof flash;
    flash.hwnd = handle;
    flash.dwFlags = FLASHW_ALL | FLASHW_TIMERNOFG;
    ::FlashWindowEx(&flash);
}

}  // namespace sorvanto
