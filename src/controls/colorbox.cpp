// SPDX-License-Identifier: GPL-3.0-or-later
#include "colorbox.h"

#include "../core/colournames.h"

#include <QAbstractItemView>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScopedValueRollback>
#include <QStylePainter>
#include <QStyledItemDelegate>

namespace sorvanto {

namespace {

// Each entry of the dropped list.
class SwatchDelegate : public QStyledItemDelegate {
public:
    explicit SwatchDelegate(ColorBox* box) : QStyledItemDelegate(box), box_(box) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const bool selected = option.state & QStyle::State_Selected;
        painter->fillRect(option.rect, selected ? option.palette.highlight() : option.palette.base());
        // The dropped list is a window of its own, which does not take the list's font by itself.
        painter->setFont(box_->font());
        drawColourEntry(*painter, option.rect, toQColor(box_->colour(index.row()), QGuiApplication::palette()),
                        index.data().toString(), selected, option.palette);
    }

    QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex& index) const override {
        const int nameWidth = QFontMetrics(box_->font()).horizontalAdvance(index.data().toString());
        return {box_->itemHeight() + 5 + nameWidth, box_->itemHeight()};
    }

private:
    ColorBox* box_;
};

}  // namespace

QFont fontFitting(const QFont& font, int height) {
    QFont fitting = font;
    while (QFontMetrics(fitting).height() > height && fitting.pixelSize() > 1)
        fitting.setPixelSize(fitting.pixelSize() - 1);
    return fitting;
}

QColor swatchFrame(const QColor& fill, bool selected) {
    if (fill.red() > 192 || fill.green() > 192 || fill.blue() > 192) return Qt::black;
    return selected ? QColor(Qt::white) : fill;
}

// A square swatch as high as the entry, inset by one pixel, and the name 5 pixels after it. A
// name taller than the entry is cut at its edges, never drawn over its neighbours.
void drawColourEntry(QPainter& painter, const QRect& rect, const QColor& fill, const QString& name, bool selected,
                     const QPalette& palette) {
    painter.save();
    painter.setClipRect(rect, Qt::IntersectClip);
    const int side = rect.height();
    const QRect swatch(rect.left() + 1, rect.top() + 1, side - 2, side - 2);
    painter.fillRect(swatch, fill);
    painter.setPen(swatchFrame(fill, selected));
    painter.drawRect(swatch.adjusted(0, 0, -1, -1));
    painter.setPen(selected ? palette.highlightedText().color() : palette.text().color());
    painter.drawText(rect.adjusted(side + 5, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, name);
    painter.restore();
}

ColorBox::ColorBox(QWidget* parent) : QComboBox(parent) {
    setEditable(false);
    setItemDelegate(new SwatchDelegate(this));
    // Styles that drop a menu-like popup show every entry at once; the list shows a few and scrolls.
    setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
    setMaxVisibleItems(8);
    addItem(QStringLiteral("Custom..."));
    for (const ColourName& entry : colourIdentifiers()) addItem(displayName(entry.identifier));
    connect(this, &QComboBox::activated, this, &ColorBox::picked);
}

TColor ColorBox::colour(int index) const {
    if (index == 0) return customColour_;
    if (index < 0 || index > static_cast<int>(colourIdentifiers().size())) return clNone;
    return colourIdentifiers()[static_cast<std::size_t>(index - 1)].colour;
}

void ColorBox::selectColour(TColor colour) {
    for (int i = 1; i < count(); ++i) {
        if (this->colour(i) == colour) {
            setCurrentIndex(i);
            return;
        }
    }
}

void ColorBox::picked(int index) {
    emit clicked();
    if (index == 0 && !steppingClosed_ && !pickCustomColour()) return;
    emit changed();
}

bool ColorBox::pickCustomColour() {
    if (!chooseCustomColour_) return false;
    const std::optional<TColor> chosen = chooseCustomColour_(customColour_);
    if (!chosen) return false;
    customColour_ = *chosen;
    update();
    view()->viewport()->update();
    return true;
}

// The closed list shows its entry as the dropped list does, selected while it has the focus. The
// list keeps the height its item height fixes while its font grows with the screen, so the name
// is drawn no taller than the box.
void ColorBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    if (currentIndex() < 0) return;
    const QRect field = style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    const bool selected = hasFocus();
    painter.fillRect(field, selected ? palette().highlight() : palette().base());
    painter.setFont(fontFitting(font(), height()));
    drawColourEntry(painter, field, toQColor(selectedColour(), QGuiApplication::palette()), currentText(), selected,
                    palette());
}

void ColorBox::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && currentIndex() == 0) {
        pickCustomColour();
        return;
    }
    const QScopedValueRollback stepping(steppingClosed_, true);
    QComboBox::keyPressEvent(event);
}

void ColorBox::wheelEvent(QWheelEvent* event) {
    const QScopedValueRollback stepping(steppingClosed_, true);
    QComboBox::wheelEvent(event);
}

}  // namespace sorvanto
