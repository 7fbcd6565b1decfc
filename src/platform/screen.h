// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMargins>
#include <QSize>

class QFont;

namespace sorvanto {

class Screen {
public:
    virtual ~Screen() = default;
    // The primary screen's size in the window's pixels.
    virtual QSize size() const = 0;
    // The part of it that windows may take: without the panels the desktop keeps for itself.
    virtual QSize availableSize() const = 0;
    // The frame and caption that the desktop puts around a window with a title bar, in the window's
    // pixels, known before any window is shown; none where the desktop cannot say.
    virtual QMargins frameMargins() const = 0;
    // The height of a line of text in font, as this screen renders it.
    virtual int textHeight(const QFont& font) const = 0;
};

}  // namespace sorvanto
