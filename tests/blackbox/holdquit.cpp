// SPDX-License-Identifier: GPL-3.0-or-later
// Preloaded into the program under test (LD_PRELOAD), with SORVANTO_QUIT_FILE naming a file: when
// the program asks its event loop to end, it creates that file and waits until the test removes it.
// The test then sees the desktop as the program leaves it, before Qt's quit closes every window,
// the tray icon's too. Only the GUI thread waits: replies already on their way still go out.
#include <QCoreApplication>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <unistd.h>

void QCoreApplication::quit() {
    using Quit = void (*)();
    static const auto next = reinterpret_cast<Quit>(dlsym(RTLD_NEXT, "_ZN16QCoreApplication4quitEv"));
    const char* file = std::getenv("SORVANTO_QUIT_FILE");
    if (FILE* held = file ? std::fopen(file, "w") : nullptr) {
        std::fclose(held);
        while (access(file, F_OK) == 0) usleep(20000);
    }
    next();
}
