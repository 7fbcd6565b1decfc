#pragma once

#include "../dialogs.h"

namespace sorvanto {

// Qt's message box, colour chooser and file chooser in their own widgets, the same on every
// desktop, and a font chooser of the program's own: Qt's has no colour.
class QtDialogs final : public Dialogs {
public:
    void showError(const QString& title, const QString& text) override;
    std::optional<FontChoice> chooseFont(const FontChoice& font) override;
    std::optional<TColor> chooseColour(TColor colour) override;
    std::optional<QString> chooseOpenFile(const OpenFileOptions& options) override;
};

}  // namespace sorvanto
