// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "../dialogs.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;

namespace sorvanto {

// A font chooser with everything a font of the reminder has: the screen fonts by name, the
// style, any size in points, strike-out, underline and a colour, and a sample of the choice.
class FontChooser : public QDialog {
    Q_OBJECT
public:
    // The largest size the size field takes: far past any screen's height already.
    static constexpr int MaxPointSize = 999;

    explicit FontChooser(const FontChoice& font, QWidget* parent = nullptr);

    // What the fields hold now.
    FontChoice choice() const;

    void accept() override;

private:
    void fillColours(TColor current);
    void nameEdited(const QString& text);
    void sizeEdited(const QString& text);
    void showSample();

    QLineEdit* nameEdit_;
    QListWidget* names_;
    QLineEdit* styleEdit_;
    QListWidget* styles_;
    QLineEdit* sizeEdit_;
    QListWidget* sizes_;
    QCheckBox* strikeOut_;
    QCheckBox* underline_;
    QComboBox* colours_;
    QLabel* sample_;
    QString initialName_;
};

}  // namespace sorvanto
