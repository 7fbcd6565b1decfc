#pragma once

#include "../qt/qtscreen.h"

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

}  // namespace sorvanto
