// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/dialogs.h"

#include <utility>

namespace sorvanto {

// The font chooser as the window keeps it: it opens on its own font, the last one the user
// confirmed, whatever the text area shows meanwhile.
class FontDialog {
public:
    FontDialog(Dialogs& dialogs, FontChoice font) : Font(std::move(font)), dialogs_(dialogs) {}

    // Runs the chooser on Font; true when the user confirmed, and Font is then the choice.
    bool Execute() {
        std::optional<FontChoice> chosen = dialogs_.chooseFont(Font);
        if (!chosen) return false;
        Font = std::move(*chosen);
        return true;
    }

    FontChoice Font;

private:
    Dialogs& dialogs_;
};

// The open-file chooser as the window keeps it: after a confirmed choice its name box holds the
// chosen file's full name; a cancelled one leaves it as it was.
class OpenDialog {
public:
    OpenDialog(Dialogs& dialogs, OpenFileOptions options) : Options(std::move(options)), dialogs_(dialogs) {}

    bool Execute() {
        std::optional<QString> chosen = dialogs_.chooseOpenFile(Options);
        if (!chosen) return false;
        Options.fileName = std::move(*chosen);
        return true;
    }

    QString FileName() const { return Options.fileName; }

    OpenFileOptions Options;

private:
    Dialogs& dialogs_;
};

}  // namespace sorvanto
