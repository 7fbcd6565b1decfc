// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "../pointer.h"

namespace sorvanto {

class QtPointer final : public Pointer {
public:
    QPoint GetCursorPos() const override;
    void TrackPopupMenu(QMenu& menu, QPoint topLeft) override;
};

}  // namespace sorvanto
