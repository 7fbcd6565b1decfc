// SPDX-License-Identifier: GPL-3.0-or-later
#include "qtwindowmanager.h"

namespace sorvanto {

void QtWindowManager::bringToFront(QWidget& window) {
    window.raise();
    window.activateWindow();
}

void QtWindowManager::minimize(QWidget& window) { window.setWindowState(window.windowState() | Qt::WindowMinimized); }

}  // namespace sorvanto
