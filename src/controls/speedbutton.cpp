#include "speedbutton.h"

namespace sorvanto {

SpeedButton::SpeedButton(QWidget* parent) : QToolButton(parent) {
    setFocusPolicy(Qt::NoFocus);
    setAutoRaise(false);
    setToolButtonStyle(Qt::ToolButtonTextOnly);
}

void SpeedButton::setGlyph(const QPixmap& strip) {
    const int side = strip.height();
    QIcon icon;
    icon.addPixmap(strip.copy(0, 0, side, side), QIcon::Normal);
    if (strip.width() >= 2 * side) icon.addPixmap(strip.copy(side, 0, side, side), QIcon::Disabled);
    setIcon(icon);
    setIconSize(QSize(side, side) / strip.devicePixelRatio());
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
}

}  // namespace sorvanto
