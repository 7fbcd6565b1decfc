// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "../core/colours.h"

#include <QComboBox>
#include <functional>
#include <optional>

namespace sorvanto {

// A drop-down list of colours: a custom entry first, then every named colour.
//
// Picking an entry in the dropped list (a click, or Enter there), or moving to one with the keys
// or the wheel on the closed list, reports clicked() and then changed(). Picking the custom entry
// in the dropped list reports clicked() with its current colour, then asks the custom colour
// chooser; only a confirmed colour becomes the entry's colour and reports changed(). Moving onto
// the custom entry on the closed list asks nothing. Enter on the closed list's custom entry asks
// the chooser and reports nothing.
class ColorBox : public QComboBox {
    Q_OBJECT
public:
    // Given the entry's colour, the colour the user chose, or nothing when the user cancelled.
    using CustomColourChooser = std::function<std::optional<TColor>(TColor current)>;

    explicit ColorBox(QWidget* parent);

    TColor colour(int index) const;
    TColor selectedColour() const { return colour(currentIndex()); }
    void selectColour(TColor colour);
    int itemHeight() const { return itemHeight_; }
    void setItemHeight(int height) { itemHeight_ = height; }
    void setCustomColourChooser(CustomColourChooser chooser) { chooseCustomColour_ = std::move(chooser); }

signals:
    void clicked();
    void changed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void picked(int index);
    bool pickCustomColour();

    TColor customColour_ = clBlack;
    int itemHeight_ = 16;
    CustomColourChooser chooseCustomColour_;
    // True while the keys or the wheel move the selection of the closed list.
    bool steppingClosed_ = false;
};

// The font, or where a line of it is taller than height, the largest smaller size whose line fits.
QFont fontFitting(const QFont& font, int height);

// Draws an entry into rect: its swatch, framed, then its name.
void drawColourEntry(QPainter& painter, const QRect& rect, const QColor& fill, const QString& name, bool selected,
                     const QPalette& palette);

// The frame of an entry's swatch: black around a light colour, else white when selected.
QColor swatchFrame(const QColor& fill, bool selected);

}  // namespace sorvanto
