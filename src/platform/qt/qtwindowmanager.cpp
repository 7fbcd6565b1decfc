// SPDX-License-Identifier: GPL-3.0-or-later
#include "qtwindowmanager.h"

namespace sorvanto {

void QtWindowManager::bringToFront(QWidget& window) {
    window.raise();
    window.activateWindow();
}

// Qt cannot tell whether the window manager does it: Wayland's compositors never say.
bool QtWindowManager::minimize(QWidget& window) {
    window.setWindowState(window.windowState() | Qt::WindowMinimized);
    return true;
}

}  // namespace sorvanto
