// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "colours.h"

#include <QString>
#include <vector>

namespace sorvanto {

struct ColourName {
    const char* identifier;
    TColor colour;
};

// The framework's colour identifiers, in the colour list's order after its custom entry.
const std::vector<ColourName>& colourIdentifiers();

// "clMoneyGreen" shows as "Money Green", "cl3DDkShadow" as "3 D Dk Shadow".
QString displayName(const char* identifier);

}  // namespace sorvanto
