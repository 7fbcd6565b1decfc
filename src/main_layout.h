// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controls/layouttable.h"
#include "platform/dialogs.h"

#include <span>

namespace sorvanto {

// The main window as it starts: the only source of the program's defaults.
extern const layout::Form frmmainForm;
std::span<const layout::Control> frmmainControls();
std::span<const layout::MenuItem> PopupMenu1Items();

// The font chooser's first choice, before the user has confirmed one.
extern const layout::Font FontDialog1Font;
// The file chooser's settings, its name box as it starts.
extern const OpenFileOptions OpenDialog1Options;

}  // namespace sorvanto
