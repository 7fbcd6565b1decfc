// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>
#include <functional>

namespace sorvanto {

// Calls handler when the left button double-clicks control, once the control itself has
// answered the double-click (an edit has selected the word under the pointer).
void onDoubleClick(QWidget* control, std::function<void()> handler);

}  // namespace sorvanto
