// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "../windowmanager.h"

namespace sorvanto {

// What a program can ask of any window manager through Qt: the activation it asks for itself.
class QtWindowManager : public WindowManager {
public:
    void bringToFront(QWidget& window) override;
    bool minimize(QWidget& window) override;
};

}  // namespace sorvanto
