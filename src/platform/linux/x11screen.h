// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "../qt/qtscreen.h"

#include <array>
#include <cstdint>
#include <optional>

namespace sorvanto {

// The screen of an X11 desktop, whose window manager can tell the frame it will put around a
// window before that window is shown.
class X11Screen final : public QtScreen {
public:
    QMargins frameMargins() const override;

private:
    mutable std::optional<QMargins> frame_;
};

// The frame a window manager reports, left, right, top and bottom in device pixels, in the window's
// logical pixels; none where a value is more than an X screen can hold, as only a broken window
// manager would report.
QMargins logicalFrame(const std::array<std::uint32_t, 4>& extents, qreal devicePixelRatio);

}  // namespace sorvanto
