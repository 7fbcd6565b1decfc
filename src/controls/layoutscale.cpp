// SPDX-License-Identifier: GPL-3.0-or-later
#include "layoutscale.h"

#include "../core/checked.h"
#include "../core/points.h"
#include "panel.h"

#include <QWidget>
#include <algorithm>
#include <cstring>

namespace sorvanto::layout {

namespace {

std::int32_t scaledFontPixels(std::int32_t pixels, std::int32_t m, std::int32_t d) {
    // Qt has no font without height; the smallest there is stands for one scaled below a pixel.
    return std::max(1, pixelsFromPoints(MulDiv(pointsFromPixels(pixels), m, d)));
}

}  // namespace

QSize scaledSize(QSize size, std::int32_t m, std::int32_t d) {
    return {MulDiv(size.width(), m, d), MulDiv(size.height(), m, d)};
}

ScaledLayout::ScaledLayout(QWidget* form, std::span<const Control> controls, std::int32_t m, std::int32_t d)
    : form_(form), formFontPixels_(scaledFontPixels(form->font().pixelSize(), m, d)) {
    scaleChildrenOf(form->objectName().toLatin1().constData(), controls, m, d);
}

void ScaledLayout::scaleChildrenOf(const char* parent, std::span<const Control> controls, std::int32_t m,
                                   std::int32_t d) {
    for (const Control& c : controls) {
        if (std::strcmp(c.parent, parent) != 0) continue;
        auto* widget = form_->findChild<QWidget*>(QString::fromLatin1(c.name));
        const QRect old = widget->geometry();
        const std::int32_t left = MulDiv(old.x(), m, d);
        const std::int32_t top = MulDiv(old.y(), m, d);
        const std::int32_t width = MulDiv(old.x() + old.width(), m, d) - left;
        const std::int32_t height =
            c.kind == Kind::ColorBox ? old.height() : MulDiv(old.y() + old.height(), m, d) - top;
        const std::int32_t fontPixels = c.font ? scaledFontPixels(widget->font().pixelSize(), m, d) : 0;
        changes_.push_back({widget, QRect(left, top, width, height), fontPixels});
        if (c.kind == Kind::ColorBox) holdInParent(changes_.back());
        scaleChildrenOf(c.name, controls, m, d);
    }
}

// A list that keeps its height while its panel shrinks may reach past the panel's lower edge; the
// panel grows to hold it rather than cut it off.
void ScaledLayout::holdInParent(const Change& child) {
    auto* panel = qobject_cast<Panel*>(child.widget->parentWidget());
    const auto parent = std::find_if(changes_.begin(), changes_.end(),
                                     [panel](const Change& change) { return panel && change.widget == panel; });
    if (parent == changes_.end()) return;
    parent->place.setHeight(std::max(parent->place.height(), child.place.bottom() + 1 + panel->frameWidth()));
}

void ScaledLayout::apply() const {
    QFont formFont = form_->font();
    formFont.setPixelSize(formFontPixels_);
    form_->setFont(formFont);
    for (const Change& change : changes_) {
        change.widget->setGeometry(change.place);
        if (change.fontPixels > 0) {
            QFont font = change.widget->font();
            font.setPixelSize(change.fontPixels);
            change.widget->setFont(font);
        }
    }
}

}  // namespace sorvanto::layout
