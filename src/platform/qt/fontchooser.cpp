// SPDX-License-Identifier: GPL-3.0-or-later
#include "fontchooser.h"

#include "core/colournames.h"
#include "core/points.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace sorvanto {

namespace {

constexpr int StandardColours = 16;
constexpr int SwatchSide = 12;

// Bold and italic as the four styles a font can be asked for.
const char* const Styles[] = {QT_TRANSLATE_NOOP("FontChooser", "Regular"), QT_TRANSLATE_NOOP("FontChooser", "Italic"),
                              QT_TRANSLATE_NOOP("FontChooser", "Bold"),
                              QT_TRANSLATE_NOOP("FontChooser", "Bold Italic")};
constexpr int StyleItalic = 1;
constexpr int StyleBold = 2;

const int StandardSizes[] = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

// A text this chooser shares with Qt's own font dialog, in the language of Qt's catalogue.
QString fontDialogText(const char* text) { return QCoreApplication::translate("QFontDialog", text); }

QIcon swatch(const QColor& colour) {
    QPixmap pixmap(SwatchSide, SwatchSide);
    pixmap.fill(colour);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, SwatchSide - 1, SwatchSide - 1);
    painter.end();
    return pixmap;
}

// A list under a field, the field showing the list's choice or what the user typed.
QListWidget* listUnder(QGridLayout* grid, int column, const QString& label, QLineEdit* field, const QString& name) {
    auto* list = new QListWidget;
    auto* caption = new QLabel(label);
    caption->setBuddy(field);
    field->setObjectName(name + QStringLiteral("Field"));
    list->setObjectName(name + QStringLiteral("List"));
    list->setAccessibleName(QString(label).remove(u'&').remove(u':'));
    grid->addWidget(caption, 0, column);
    grid->addWidget(field, 1, column);
    grid->addWidget(list, 2, column);
    QObject::connect(list, &QListWidget::currentTextChanged, field, [field](const QString& text) {
        if (!text.isEmpty() && field->text() != text) field->setText(text);
    });
    return list;
}

// Selects the first entry that matches text, leaving the field as the user typed it.
void followTyping(QListWidget* list, const QString& text, Qt::MatchFlags match) {
    const QList<QListWidgetItem*> found = text.isEmpty() ? QList<QListWidgetItem*>() : list->findItems(text, match);
    const QSignalBlocker quiet(list);
    if (found.isEmpty()) {
        list->setCurrentRow(-1);
        return;
    }
    list->setCurrentItem(found.constFirst());
    list->scrollToItem(found.constFirst(), QAbstractItemView::PositionAtTop);
}

}  // namespace

FontChooser::FontChooser(const FontChoice& font, QWidget* parent)
    : QDialog(parent),
      nameEdit_(new QLineEdit),
      styleEdit_(new QLineEdit),
      sizeEdit_(new QLineEdit),
      strikeOut_(new QCheckBox(fontDialogText("Stri&keout"))),
      underline_(new QCheckBox(fontDialogText("&Underline"))),
      colours_(new QComboBox),
      sample_(new QLabel(QStringLiteral("AaBbYyZz"))),
      initialName_(font.name) {
    setWindowTitle(fontDialogText("&Font").remove(u'&'));
    setSizeGripEnabled(true);

    auto* grid = new QGridLayout;
    names_ = listUnder(grid, 0, fontDialogText("&Font") + u':', nameEdit_, QStringLiteral("name"));
    styles_ = listUnder(grid, 1, fontDialogText("Font st&yle") + u':', styleEdit_, QStringLiteral("style"));
    sizes_ = listUnder(grid, 2, fontDialogText("&Size") + u':', sizeEdit_, QStringLiteral("size"));
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(2, 1);

    QStringList families = QFontDatabase::families();
    families.removeIf([](const QString& family) { return QFontDatabase::isPrivateFamily(family); });
    names_->addItems(families);
    for (const char* style : Styles) styles_->addItem(tr(style));
    styleEdit_->setReadOnly(true);
    for (int size : StandardSizes) sizes_->addItem(QString::number(size));
    sizeEdit_->setValidator(new QIntValidator(1, MaxPointSize, sizeEdit_));

    auto* effects = new QGroupBox(fontDialogText("Effects"));
    auto* effectsLayout = new QVBoxLayout(effects);
    effectsLayout->addWidget(strikeOut_);
    effectsLayout->addWidget(underline_);
    auto* colourLabel = new QLabel(tr("&Color:"));
    colourLabel->setBuddy(colours_);
    colours_->setObjectName(QStringLiteral("colourBox"));
    colours_->setAccessibleName(tr("Color"));
    effectsLayout->addWidget(colourLabel);
    effectsLayout->addWidget(colours_);
    effectsLayout->addStretch();

    auto* sampleBox = new QGroupBox(fontDialogText("Sample"));
    auto* sampleLayout = new QVBoxLayout(sampleBox);
    sample_->setObjectName(QStringLiteral("sample"));
    sample_->setAlignment(Qt::AlignCenter);
    sample_->setFixedSize(240, 64);
    sample_->setFrameShape(QFrame::StyledPanel);
    sample_->setAutoFillBackground(true);
    sampleLayout->addWidget(sample_, 0, Qt::AlignCenter);
    grid->addWidget(effects, 3, 0);
    grid->addWidget(sampleBox, 3, 1, 1, 2);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &FontChooser::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &FontChooser::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);

    fillColours(font.colour);
    nameEdit_->setText(font.name);
    followTyping(names_, font.name, Qt::MatchFixedString);
    styles_->setCurrentRow((font.bold ? StyleBold : 0) + (font.italic ? StyleItalic : 0));
    sizeEdit_->setText(QString::number(font.pointSize));
    followTyping(sizes_, sizeEdit_->text(), Qt::MatchExactly);
    strikeOut_->setChecked(font.strikeOut);
    underline_->setChecked(font.underline);

    connect(nameEdit_, &QLineEdit::textEdited, this, &FontChooser::nameEdited);
    connect(sizeEdit_, &QLineEdit::textEdited, this, &FontChooser::sizeEdited);
    for (QLineEdit* field : {nameEdit_, styleEdit_, sizeEdit_})
        connect(field, &QLineEdit::textChanged, this, &FontChooser::showSample);
    for (QCheckBox* effect : {strikeOut_, underline_})
        connect(effect, &QCheckBox::toggled, this, &FontChooser::showSample);
    connect(colours_, &QComboBox::currentIndexChanged, this, &FontChooser::showSample);
    showSample();
    nameEdit_->setFocus();
    nameEdit_->selectAll();
}

// The standard colours by name, and the font's own colour as "Custom" when it is none of them.
void FontChooser::fillColours(TColor current) {
    const std::vector<ColourName>& named = colourIdentifiers();
    for (int i = 0; i < StandardColours; ++i) {
        const TColor colour = named[std::size_t(i)].colour;
        colours_->addItem(swatch(toQColor(colour, QApplication::palette())),
                          displayName(named[std::size_t(i)].identifier), QVariant::fromValue(colour));
    }
    int index = colours_->findData(QVariant::fromValue(current));
    if (index < 0) {
        colours_->addItem(swatch(toQColor(current, QApplication::palette())), tr("Custom"),
                          QVariant::fromValue(current));
        index = colours_->count() - 1;
    }
    colours_->setCurrentIndex(index);
}

void FontChooser::nameEdited(const QString& text) { followTyping(names_, text, Qt::MatchStartsWith); }

void FontChooser::sizeEdited(const QString& text) { followTyping(sizes_, text, Qt::MatchExactly); }

FontChoice FontChooser::choice() const {
    FontChoice font;
    const QString typed = nameEdit_->text().trimmed();
    const QList<QListWidgetItem*> listed = names_->findItems(typed, Qt::MatchFixedString);
    font.name = listed.isEmpty() ? typed : listed.constFirst()->text();
    font.pointSize = sizeEdit_->text().toInt();
    const int style = std::max(0, styles_->currentRow());
    font.bold = style & StyleBold;
    font.italic = style & StyleItalic;
    font.underline = underline_->isChecked();
    font.strikeOut = strikeOut_->isChecked();
    font.colour = colours_->currentData().value<TColor>();
    return font;
}

// Only a font of the list, or the one the chooser opened on, at a size it takes.
void FontChooser::accept() {
    const FontChoice font = choice();
    const bool knownName = !names_->findItems(font.name, Qt::MatchFixedString).isEmpty() || font.name == initialName_;
    if (font.name.isEmpty() || !knownName) {
        nameEdit_->setFocus();
        nameEdit_->selectAll();
        return;
    }
    if (!sizeEdit_->hasAcceptableInput()) {
        sizeEdit_->setFocus();
        sizeEdit_->selectAll();
        return;
    }
    QDialog::accept();
}

void FontChooser::showSample() {
    const FontChoice font = choice();
    QFont shown = sample_->font();
    shown.setFamily(font.name);
    if (font.pointSize > 0) shown.setPixelSize(layout::pixelsFromPoints(font.pointSize));
    shown.setBold(font.bold);
    shown.setItalic(font.italic);
    shown.setUnderline(font.underline);
    shown.setStrikeOut(font.strikeOut);
    sample_->setFont(shown);
    QPalette p = sample_->palette();
    p.setColor(QPalette::WindowText, toQColor(font.colour, QApplication::palette()));
    sample_->setPalette(p);
}

}  // namespace sorvanto
