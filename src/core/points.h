// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace sorvanto::layout {

// A font's height in pixels as a whole number of points at 96 pixels per inch, rounded, and back.
std::int32_t pointsFromPixels(std::int32_t pixels);
std::int32_t pixelsFromPoints(std::int32_t points);

}  // namespace sorvanto::layout
