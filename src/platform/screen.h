#pragma once

#include <QSize>

namespace sorvanto {

class Screen {
public:
    virtual ~Screen() = default;
    // The primary screen's size in the window's pixels.
    virtual QSize size() const = 0;
};

}  // namespace sorvanto
