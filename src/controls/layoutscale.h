// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "layouttable.h"

#include <QRect>
#include <QSize>
#include <cstdint>
#include <span>
#include <vector>

class QWidget;

namespace sorvanto::layout {

// size × m ÷ d in each direction, rounded.
QSize scaledSize(QSize size, std::int32_t m, std::int32_t d);

// A window's controls and fonts scaled by m : d, worked out in full before anything changes, so
// that an overflow leaves the window as it was. Each control's edges are scaled, so that adjacent
// controls stay adjacent; a colour list keeps the height its item height fixes, its panel growing
// where it would otherwise cut the list off; a control with a font of its own in the table gets
// that font scaled in whole points, and the window's font is scaled likewise for the controls
// that follow it.
class ScaledLayout {
public:
    ScaledLayout(QWidget* form, std::span<const Control> controls, std::int32_t m, std::int32_t d);

    // Moves and sizes the controls and sets the fonts; sizing the window is the caller's.
    void apply() const;

private:
    struct Change {
        QWidget* widget;
        QRect place;
        std::int32_t fontPixels;  // 0 where the control follows its parent's font
    };

    void holdInParent(const Change& child);
    void scaleChildrenOf(const char* parent, std::span<const Control> controls, std::int32_t m, std::int32_t d);

    QWidget* form_;
    std::int32_t formFontPixels_;
    std::vector<Change> changes_;
};

}  // namespace sorvanto::layout
