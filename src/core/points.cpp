// SPDX-License-Identifier: GPL-3.0-or-later
#include "points.h"

#include "checked.h"

namespace sorvanto::layout {

namespace {

constexpr std::int32_t PixelsPerInch = 96;
constexpr std::int32_t PointsPerInch = 72;

}  // namespace

std::int32_t pointsFromPixels(std::int32_t pixels) { return MulDiv(pixels, PointsPerInch, PixelsPerInch); }

std::int32_t pixelsFromPoints(std::int32_t points) { return MulDiv(points, PixelsPerInch, PointsPerInch); }

}  // namespace sorvanto::layout
