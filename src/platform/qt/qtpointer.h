#pragma once

#include "../pointer.h"

namespace sorvanto {

class QtPointer final : public Pointer {
public:
    QPoint GetCursorPos() const override;
    void TrackPopupMenu(QMenu& menu, QPoint topLeft) override;
};

}  // namespace sorvanto
