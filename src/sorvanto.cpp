// SPDX-License-Identifier: GPL-3.0-or-later
#include "commandline.h"
#include "controls/hintstyle.h"
#include "main.h"
#include "platform/platform.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    if (const std::optional<int> done = sorvanto::handleCommandLine(argc, argv)) return *done;
    if (!sorvanto::prepareProcess()) return 1;
    QApplication application(argc, argv);
    // The tray keeps the program alive while its window is hidden; only the exits end it.
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setStyle(new sorvanto::HintStyle);

    const auto desktop = sorvanto::createDesktopPlatform();
    sorvanto::Tfrmmain frmmain(desktop->services());
    desktop->endOnRequest(frmmain);
    QObject::connect(&frmmain, &sorvanto::Tfrmmain::terminateRequested, &application, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    frmmain.show();
    return QApplication::exec();
}
