// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "../core/colours.h"
#include "panel.h"

#include <QIcon>
#include <QList>
#include <QPixmap>
#include <QString>
#include <array>
#include <optional>
#include <span>

class QWidget;

namespace sorvanto::layout {

enum class Kind { Panel, SpeedButton, RichEdit, Label, Edit, RadioGroup, SpinEdit, ColorBox, CheckBox };

// A font by the height of its characters in pixels, at 96 pixels per inch.
struct Font {
    const char* name;
    int height;
    bool bold;
    TColor colour;
};

// One control of a window: its kind, parent, place and the properties it starts with.
struct Control {
    const char* name;
    Kind kind;
    const char* parent;
    int left = 0, top = 0, width = 0, height = 0;
    Align align = Align::None;
    const char* text = "";
    std::optional<Font> font = {};
    std::optional<TColor> colour = {};
    const char* hint = nullptr;
    // For a control that neither a caption nor a label nor a tooltip names.
    const char* accessibleName = nullptr;
    bool visible = true;
    int tabOrder = -1;
    bool bevelInnerLowered = false;
    bool autoSize = false;
    bool readOnly = false;
    bool border = true;
    // Whether a single-line edit selects its text when the keyboard enters it.
    bool autoSelect = true;
    const char* glyph = nullptr;
    std::array<const char*, 2> items = {};
    int columns = 1;
    int itemIndex = -1;
    int minValue = 0, maxValue = 0;
    std::optional<TColor> selected = {};
    int itemHeight = 0;
    int dropDownCount = 0;
};

struct Form {
    const char* name;
    const char* caption;
    int clientWidth, clientHeight;
    TColor colour;
    Font font;
};

struct MenuItem {
    const char* name;
    const char* caption;  // "-" for a separator
};

QString text(const char* utf8);
QFont toQFont(const Font& font, const QFont& base);

// A picture at the size the layout names and at every larger resolution shipped beside it
// ("name@2x.png"), so that it stays sharp on a screen with more device pixels per pixel.
QList<QPixmap> renderings(const char* path);
QIcon icon(const char* path);

// Creates the controls under form, each named as in the table, in the table's order.
void createControls(QWidget* form, std::span<const Control> controls);

}  // namespace sorvanto::layout
