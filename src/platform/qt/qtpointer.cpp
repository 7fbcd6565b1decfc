// SPDX-License-Identifier: GPL-3.0-or-later
#include "qtpointer.h"

#include <QCursor>
#include <QGuiApplication>

namespace sorvanto {

QPoint QtPointer::GetCursorPos() const { return QCursor::pos(); }

// Wayland pops a menu up only from a window of the program that the user has just clicked; any other
// becomes a window of its own, which the compositor places like any other. There the tray host
// draws the program's menu itself.
void QtPointer::TrackPopupMenu(QMenu& menu, QPoint topLeft) {
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) return;
    menu.popup(topLeft);
}

}  // namespace sorvanto
