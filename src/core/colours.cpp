// SPDX-License-Identifier: GPL-3.0-or-later
#include "colours.h"

namespace sorvanto {

namespace {

// Each element of the desktop, by its index, and the palette role that paints it here.
QColor systemColour(unsigned index, const QPalette& p) {
    using R = QPalette::ColorRole;
    switch (index) {
    case 0: return p.color(R::Mid);
    case 1: return p.color(R::Dark);
    case 2: return p.color(QPalette::Active, R::Highlight);
    case 3: return p.color(QPalette::Inactive, R::Mid);
    case 4: return p.color(R::Window);
    case 5: return p.color(R::Base);
    case 6: return p.color(R::Shadow);
    case 7: return p.color(R::WindowText);
    case 8: return p.color(R::Text);
    case 9: return p.color(QPalette::Active, R::HighlightedText);
    case 10: return p.color(R::Window);
    case 11: return p.color(R::Window);
    case 12: return p.color(R::Mid);
    case 13: return p.color(R::Highlight);
    case 14: return p.color(R::HighlightedText);
    case 15: return p.color(R::Button);
    case 16: return p.color(R::Dark);
    case 17: return p.color(QPalette::Disabled, R::Text);
    case 18: return p.color(R::ButtonText);
    case 19: return p.color(QPalette::Disabled, R::WindowText);
    case 20: return p.color(R::Light);
    case 21: return p.color(R::Shadow);
    case 22: return p.color(R::Midlight);
    case 23: return p.color(R::ToolTipText);
    case 24: return p.color(R::ToolTipBase);
    case 27: return p.color(QPalette::Active, R::Highlight).lighter(130);
    case 28: return p.color(QPalette::Inactive, R::Mid).lighter(115);
    default: return p.color(R::Window);
    }
}

}  // namespace

QColor toQColor(TColor colour, const QPalette& palette) {
    if ((colour & SystemColour) == SystemColour) return systemColour(colour & 0xFFu, palette);
    return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

}  // namespace sorvanto
