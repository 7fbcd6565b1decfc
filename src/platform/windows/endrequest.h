// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "hiddenwindow.h"

#include <QPointer>
#include <QWidget>

namespace sorvanto {

// The installer and the uninstaller end a running program by closing a hidden window of a class that
// is the program's own (data/windows/sorvanto.nsi), which no other program's window has, as the main
// window's title might. The program then ends as when its window is closed, whatever it is doing.
class EndRequest final {
public:
    static constexpr wchar_t WindowClass[] = L"Velmora.Sorvanto.End";

    explicit EndRequest(QWidget& window);

private:
    HiddenWindow window_;
};

}  // namespace sorvanto
