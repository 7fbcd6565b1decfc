// SPDX-License-Identifier: GPL-3.0-or-later
// Plays sounds through the desktop's real sound service, for tests that record what it plays.
//   playsounds NAME|@MILLISECONDS...
// Each NAME is played as the alert plays its sound; @N waits N ms before the next argument.
// Quits once the last argument is done, cutting off whatever still plays.
#include "platform/linux/canberrasound.h"

#include <QString>
#include <chrono>
#include <cstdio>
#include <thread>

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fputs("usage: playsounds NAME|@MILLISECONDS...\n", stderr);
        return 2;
    }
    sorvanto::CanberraSound sound;
    for (int i = 1; i < argc; ++i) {
        const QString argument = QString::fromLocal8Bit(argv[i]);
        if (argument.startsWith(u'@'))
            std::this_thread::sleep_for(std::chrono::milliseconds(argument.mid(1).toInt()));
        else
            sound.play(argument);
    }
    return 0;
}
