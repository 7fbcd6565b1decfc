// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "../core/colours.h"

#include <QString>
#include <optional>

namespace sorvanto {

// A font as the font chooser shows and returns it: a screen font's name, its size in points,
// its style and effects, and its colour.
struct FontChoice {
    QString name;
    int pointSize = 0;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    TColor colour = clBlack;

    bool operator==(const FontChoice&) const = default;
};

// What an open-file chooser starts with and accepts.
struct OpenFileOptions {
    QString initialDir;
    // The name box's text: a name, a full name or a pattern such as "*.wav".
    QString fileName;
    // The one filter offered, by its label and its pattern.
    QString filterLabel;
    QString filterPattern;
    // Added to a name typed without an extension.
    QString defaultExtension;

    bool operator==(const OpenFileOptions&) const = default;
};

// The modal dialogs the program shows. Each chooser returns nothing when the user cancels.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // A message box with an error icon and an OK button.
    virtual void showError(const QString& title, const QString& text) = 0;
    // Lists the screen fonts and offers name, style, any size, colour, underline and strike-out,
    // opening on font.
    virtual std::optional<FontChoice> chooseFont(const FontChoice& font) = 0;
    // Opens with colour as both its current colour and its first custom colour.
    virtual std::optional<TColor> chooseColour(TColor colour) = 0;
    // A resizable chooser without a read-only option, for a file that need not exist yet; the
    // chosen file's full name. The process's current directory follows the user's navigation.
    virtual std::optional<QString> chooseOpenFile(const OpenFileOptions& options) = 0;
};

}  // namespace sorvanto
