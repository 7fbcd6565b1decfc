// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "../qt/qtwindowmanager.h"

namespace sorvanto {

// Windows gives the focus to a program in the background only when the user allows it. A window it
// refuses stays in front all the same when it stays on top (Qt makes it topmost), and its taskbar
// button flashes until the user comes to it.
class WindowsWindowManager final : public QtWindowManager {
public:
    void bringToFront(QWidget& window) override;
};

}  // namespace sorvanto
