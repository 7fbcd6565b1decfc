#include "qtdialogs.h"

#include <QMessageBox>

namespace sorvanto {

void QtDialogs::showError(const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok);
    box.exec();
}

}  // namespace sorvanto
