#pragma once

#include "../screen.h"

namespace sorvanto {

class QtScreen final : public Screen {
public:
    QSize size() const override;
};

}  // namespace sorvanto
