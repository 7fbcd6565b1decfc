// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "../qt/qtwindowmanager.h"

namespace sorvanto {

// The window manager of an X11 desktop, asked as a pager asks it.
class X11WindowManager final : public QtWindowManager {
public:
    void bringToFront(QWidget& window) override;
    bool minimize(QWidget& window) override;
};

}  // namespace sorvanto
