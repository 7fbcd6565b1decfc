// SPDX-License-Identifier: GPL-3.0-or-later
#include "speedbutton.h"

namespace sorvanto {

SpeedButton::SpeedButton(QWidget* parent) : QToolButton(parent) {
    setFocusPolicy(Qt::NoFocus);
    setAutoRaise(false);
    setToolButtonStyle(Qt::ToolButtonTextOnly);
}

void SpeedButton::setGlyph(const QList<QPixmap>& strips) {
    QIcon icon;
    for (const QPixmap& strip : strips) {
        const int side = strip.height();
        icon.addPixmap(strip.copy(0, 0, side, side), QIcon::Normal);
        if (strip.width() >= 2 * side) icon.addPixmap(strip.copy(side, 0, side, side), QIcon::Disabled);
    }
    setIcon(icon);
    if (!strips.isEmpty()) {
        const int side = qRound(strips.front().deviceIndependentSize().height());
        setIconSize(QSize(side, side));
    }
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
}

}  // namespace sorvanto
