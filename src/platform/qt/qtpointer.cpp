#include "qtpointer.h"

#include <QCursor>

namespace sorvanto {

QPoint QtPointer::GetCursorPos() const { return QCursor::pos(); }

void QtPointer::TrackPopupMenu(QMenu& menu, QPoint topLeft) { menu.popup(topLeft); }

}  // namespace sorvanto
