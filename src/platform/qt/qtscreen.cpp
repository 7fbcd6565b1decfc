#include "qtscreen.h"

#include <QGuiApplication>
#include <QScreen>

namespace sorvanto {

QSize QtScreen::size() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize();
}

}  // namespace sorvanto
