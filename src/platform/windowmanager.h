// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace sorvanto {

// What the program asks of the window manager beyond showing its window.
class WindowManager {
public:
    virtual ~WindowManager() = default;
    // Puts the shown window in front of all others and gives it the focus, as a pager or a task list
    // asks for the user: window managers that keep a program in the background from taking the
    // focus, or keep a fullscreen window in front, yield to such a request.
    virtual void bringToFront(QWidget& window) = 0;
    // Minimizes the window as its title bar's button does; false where the window manager declines
    // (tiling ones do), and the window stays as it is.
    virtual bool minimize(QWidget& window) = 0;
};

}  // namespace sorvanto
