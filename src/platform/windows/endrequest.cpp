// SPDX-License-Identifier: GPL-3.0-or-later
#include "endrequest.h"

#include "core/later.h"

#include <windows.h>

namespace sorvanto {

// Qt leaves undone the close that Windows asks of a window that a modal dialog blocks, a chooser's or
// an error box's; its own close it does. The dialogs' and menus' event loops end with the program's.
EndRequest::EndRequest(QWidget& window)
    : window_(WindowClass, [target = QPointer<QWidget>(&window)](unsigned message) {
          if (message != WM_CLOSE) return false;
          if (target) runLater(target, [target] { target->close(); });
          return true;
      }) {}

}  // namespace sorvanto
