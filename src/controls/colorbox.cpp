#include "colorbox.h"

#include <QGuiApplication>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QStylePainter>

namespace sorvanto {

const std::vector<ColourName>& colourIdentifiers() {
    static const std::vector<ColourName> table = {
        {"clBlack", clBlack},
        {"clMaroon", clMaroon},
        {"clGreen", clGreen},
        {"clOlive", clOlive},
        {"clNavy", clNavy},
        {"clPurple", clPurple},
        {"clTeal", clTeal},
        {"clGray", clGray},
        {"clSilver", clSilver},
        {"clRed", clRed},
        {"clLime", clLime},
        {"clYellow", clYellow},
        {"clBlue", clBlue},
        {"clFuchsia", clFuchsia},
        {"clAqua", clAqua},
        {"clWhite", clWhite},
        {"clMoneyGreen", clMoneyGreen},
        {"clSkyBlue", clSkyBlue},
        {"clCream", clCream},
        {"clMedGray", clMedGray},
        {"clActiveBorder", clActiveBorder},
        {"clActiveCaption", clActiveCaption},
        {"clAppWorkSpace", clAppWorkSpace},
        {"clBackground", clBackground},
        {"clBtnFace", clBtnFace},
        {"clBtnHighlight", clBtnHighlight},
        {"clBtnShadow", clBtnShadow},
        {"clBtnText", clBtnText},
        {"clCaptionText", clCaptionText},
        {"clGradientActiveCaption", clGradientActiveCaption},
        {"clGradientInactiveCaption", clGradientInactiveCaption},
        {"clGrayText", clGrayText},
        {"clHighlight", clHighlight},
        {"clHighlightText", clHighlightText},
        {"clInactiveBorder", clInactiveBorder},
        {"clInactiveCaption", clInactiveCaption},
        {"clInactiveCaptionText", clInactiveCaptionText},
        {"clInfoBk", clInfoBk},
        {"clInfoText", clInfoText},
        {"clMenu", clMenu},
        {"clMenuText", clMenuText},
        {"clScrollBar", clScrollBar},
        {"cl3DDkShadow", cl3DDkShadow},
        {"cl3DLight", cl3DLight},
        {"clWindow", clWindow},
        {"clWindowFrame", clWindowFrame},
        {"clWindowText", clWindowText},
    };
    return table;
}

QString displayName(const char* identifier) {
    const QString bare = QString::fromLatin1(identifier).mid(2);
    QString name;
    for (qsizetype i = 0; i < bare.size(); ++i) {
        if (i > 0 && bare[i].isUpper()) name += u' ';
        name += bare[i];
    }
    return name;
}

namespace {

// Each entry: a swatch as high as the item, inset by one pixel, then the name.
class SwatchDelegate : public QStyledItemDelegate {
public:
    explicit SwatchDelegate(ColorBox* box) : QStyledItemDelegate(box), box_(box) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette& p = option.palette;
        painter->fillRect(option.rect, selected ? p.highlight() : p.base());
        const QColor fill = toQColor(box_->colour(index.row()), QGuiApplication::palette());
        const int side = option.rect.height();
        const QRect swatch(option.rect.left() + 1, option.rect.top() + 1, side - 2, side - 2);
        painter->fillRect(swatch, fill);
        painter->setPen(swatchFrame(fill, selected));
        painter->drawRect(swatch.adjusted(0, 0, -1, -1));
        painter->setPen(selected ? p.highlightedText().color() : p.text().color());
        const QRect name = option.rect.adjusted(side + 5, 0, 0, 0);
        painter->drawText(name, Qt::AlignLeft | Qt::AlignVCenter, index.data().toString());
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        return {QStyledItemDelegate::sizeHint(option, index).width() + box_->itemHeight() + 5, box_->itemHeight()};
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

ColorBox::ColorBox(QWidget* parent) : QComboBox(parent) {
    setEditable(false);
    setItemDelegate(new SwatchDelegate(this));
    setMaxVisibleItems(8);
    addItem(QStringLiteral("Custom..."));
    for (const ColourName& entry : colourIdentifiers()) addItem(displayName(entry.identifier));
}

// The list keeps the height its item height fixes while its font grows with the screen; the
// chosen colour's name is drawn no taller than the box, so that it is not cut off.
void ColorBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    painter.setPen(palette().color(QPalette::Text));
    QStyleOptionComboBox option;
    initStyleOption(&option);
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    painter.setFont(fontFitting(font(), height()));
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
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

}  // namespace sorvanto
