#pragma once

#include "../colours.h"

#include <QComboBox>
#include <vector>

namespace sorvanto {

struct ColourName {
    const char* identifier;
    TColor colour;
};

// The framework's colour identifiers, in the list's order after its custom entry.
const std::vector<ColourName>& colourIdentifiers();

// "clMoneyGreen" shows as "Money Green", "cl3DDkShadow" as "3 D Dk Shadow".
QString displayName(const char* identifier);

// A drop-down list of colours: a custom entry first, then every named colour.
class ColorBox : public QComboBox {
    Q_OBJECT
public:
    explicit ColorBox(QWidget* parent);

    TColor colour(int index) const;
    TColor selectedColour() const { return colour(currentIndex()); }
    void selectColour(TColor colour);
    int itemHeight() const { return itemHeight_; }
    void setItemHeight(int height) { itemHeight_ = height; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TColor customColour_ = clBlack;
    int itemHeight_ = 16;
};

// font, or where a line of it is taller than height, the largest smaller size whose line fits.
QFont fontFitting(const QFont& font, int height);

// The frame of an entry's swatch: black around a light colour, else white when selected.
QColor swatchFrame(const QColor& fill, bool selected);

}  // namespace sorvanto
