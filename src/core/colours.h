// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QPalette>
#include <cstdint>

namespace sorvanto {

// A colour as the layout gives it: 0x00BBGGRR for an RGB value, or a reference to the desktop's
// current colour of an element (SystemColour | element index), resolved when it is drawn.
using TColor = std::uint32_t;

constexpr TColor SystemColour = 0xFF000000u;
// No colour at all.
constexpr TColor clNone = 0x1FFFFFFFu;

constexpr TColor rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return TColor(r) | (TColor(g) << 8) | (TColor(b) << 16);
}

constexpr TColor clBlack = rgb(0, 0, 0);
constexpr TColor clMaroon = rgb(128, 0, 0);
constexpr TColor clGreen = rgb(0, 128, 0);
constexpr TColor clOlive = rgb(128, 128, 0);
constexpr TColor clNavy = rgb(0, 0, 128);
constexpr TColor clPurple = rgb(128, 0, 128);
constexpr TColor clTeal = rgb(0, 128, 128);
constexpr TColor clGray = rgb(128, 128, 128);
constexpr TColor clSilver = rgb(192, 192, 192);
constexpr TColor clRed = rgb(255, 0, 0);
constexpr TColor clLime = rgb(0, 255, 0);
constexpr TColor clYellow = rgb(255, 255, 0);
constexpr TColor clBlue = rgb(0, 0, 255);
constexpr TColor clFuchsia = rgb(255, 0, 255);
constexpr TColor clAqua = rgb(0, 255, 255);
constexpr TColor clWhite = rgb(255, 255, 255);
constexpr TColor clMoneyGreen = rgb(192, 220, 192);
constexpr TColor clSkyBlue = rgb(166, 202, 240);
constexpr TColor clCream = rgb(255, 251, 240);
constexpr TColor clMedGray = rgb(160, 160, 164);

constexpr TColor clScrollBar = SystemColour | 0;
constexpr TColor clBackground = SystemColour | 1;
constexpr TColor clActiveCaption = SystemColour | 2;
constexpr TColor clInactiveCaption = SystemColour | 3;
constexpr TColor clMenu = SystemColour | 4;
constexpr TColor clWindow = SystemColour | 5;
constexpr TColor clWindowFrame = SystemColour | 6;
constexpr TColor clMenuText = SystemColour | 7;
constexpr TColor clWindowText = SystemColour | 8;
constexpr TColor clCaptionText = SystemColour | 9;
constexpr TColor clActiveBorder = SystemColour | 10;
constexpr TColor clInactiveBorder = SystemColour | 11;
constexpr TColor clAppWorkSpace = SystemColour | 12;
constexpr TColor clHighlight = SystemColour | 13;
constexpr TColor clHighlightText = SystemColour | 14;
constexpr TColor clBtnFace = SystemColour | 15;
constexpr TColor clBtnShadow = SystemColour | 16;
constexpr TColor clGrayText = SystemColour | 17;
constexpr TColor clBtnText = SystemColour | 18;
constexpr TColor clInactiveCaptionText = SystemColour | 19;
constexpr TColor clBtnHighlight = SystemColour | 20;
constexpr TColor cl3DDkShadow = SystemColour | 21;
constexpr TColor cl3DLight = SystemColour | 22;
constexpr TColor clInfoText = SystemColour | 23;
constexpr TColor clInfoBk = SystemColour | 24;
constexpr TColor clGradientActiveCaption = SystemColour | 27;
constexpr TColor clGradientInactiveCaption = SystemColour | 28;

// The colour as drawn now: an RGB value as it is, a system colour from the desktop's palette.
QColor toQColor(TColor colour, const QPalette& palette);

}  // namespace sorvanto
