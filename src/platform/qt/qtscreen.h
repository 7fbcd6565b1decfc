// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "../screen.h"

namespace sorvanto {

class QtScreen : public Screen {
public:
    QSize size() const override;
    QSize availableSize() const override;
    QMargins frameMargins() const override;
    int textHeight(const QFont& font) const override;
};

}  // namespace sorvanto
