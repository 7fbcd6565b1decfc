// SPDX-License-Identifier: GPL-3.0-or-later
// The floor: the smallest Qt Widgets program with a window of the program's size and a tray icon.
// Whatever it costs, Qt costs; the program is judged by what it adds on top.
//   floor [--text] [HIDE_AFTER_MS]
// --text puts one line of text in the window: the price of drawing any text at all (font
// configuration, font files, shaping), which the bare floor never pays.
#include <QApplication>
#include <QLabel>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>

#include <cstdlib>
#include <cstring>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QWidget window;
    window.setFixedSize(536, 341);
    int argument = 1;
    if (argument < argc && std::strcmp(argv[argument], "--text") == 0) {
        new QLabel(QStringLiteral("Intervalo"), &window);
        ++argument;
    }
    QPixmap picture(32, 32);
    picture.fill(Qt::darkBlue);
    QSystemTrayIcon icon{QIcon(picture)};
    icon.show();
    window.show();
    // Given a delay, the window hides after it, as the program's does when armed, so that both wait alike.
    if (argument < argc) QTimer::singleShot(std::atoi(argv[argument]), &window, &QWidget::hide);
    return QApplication::exec();
}
