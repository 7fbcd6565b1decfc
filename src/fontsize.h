#pragma once

#include <cstdint>

namespace sorvanto {

// The window's fonts are given in pixels at 96 pixels per inch; the font chooser speaks points.
// Both ways round to the nearest whole number, halves away from zero.
constexpr int PixelsPerInch = 96;
constexpr int PointsPerInch = 72;

constexpr int mulDivRounded(int number, int numerator, int denominator) {
    const std::int64_t product = std::int64_t(number) * numerator;
    const std::int64_t half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator : (product - half) / denominator);
}

constexpr int pointsFromPixels(int pixels) { return mulDivRounded(pixels, PointsPerInch, PixelsPerInch); }
constexpr int pixelsFromPoints(int points) { return mulDivRounded(points, PixelsPerInch, PointsPerInch); }

}  // namespace sorvanto
