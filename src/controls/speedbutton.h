// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QToolButton>

namespace sorvanto {

// A push button that is drawn raised, sunken while pressed, and never takes the keyboard focus.
class SpeedButton : public QToolButton {
    Q_OBJECT
public:
    explicit SpeedButton(QWidget* parent);

    // A glyph strip holds the normal image and, beside it, the disabled one; the same strip may
    // come at several resolutions, each marked by its device pixel ratio.
    void setGlyph(const QList<QPixmap>& strips);
};

}  // namespace sorvanto
