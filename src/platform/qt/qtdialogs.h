// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "../dialogs.h"

#include <QTranslator>

namespace sorvanto {

// Qt's message box, colour chooser and file chooser in their own widgets, the same on every
// desktop, and a font chooser of the program's own: Qt's has no colour.
class QtDialogs final : public Dialogs {
public:
    // Qt's texts in them follow the user's language, as the desktop's own dialogs do.
    QtDialogs();

    void showError(const QString& title, const QString& text) override;
    std::optional<FontChoice> chooseFont(const FontChoice& font) override;
    std::optional<TColor> chooseColour(TColor colour) override;
    std::optional<QString> chooseOpenFile(const OpenFileOptions& options) override;

private:
    QTranslator qtTexts_;
};

}  // namespace sorvanto
