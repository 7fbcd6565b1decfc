// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMenu>
#include <QPoint>

namespace sorvanto {

// Where the mouse pointer is, and pop-up menus placed at a point of the screen.
class Pointer {
public:
    virtual ~Pointer() = default;
    virtual QPoint GetCursorPos() const = 0;
    virtual void TrackPopupMenu(QMenu& menu, QPoint topLeft) = 0;
};

}  // namespace sorvanto
