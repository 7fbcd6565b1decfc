// SPDX-License-Identifier: GPL-3.0-or-later
#include "qtscreen.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QScreen>

namespace sorvanto {

QSize QtScreen::size() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize();
}

QSize QtScreen::availableSize() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableSize() : QSize();
}

// Qt learns a window's frame only once the window manager has decorated it, after it is shown.
QMargins QtScreen::frameMargins() const { return {}; }

int QtScreen::textHeight(const QFont& font) const { return QFontMetrics(font).height(); }

}  // namespace sorvanto
