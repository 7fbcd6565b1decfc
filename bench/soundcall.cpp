// SPDX-License-Identifier: GPL-3.0-or-later
// Times the program's sound service as the alert calls it: how long play() keeps its caller.
// Prints one line per call, in nanoseconds.
#include "platform/linux/canberrasound.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

int main(int argc, char* argv[]) {
    using namespace std::chrono;
    const int calls = argc > 1 ? std::atoi(argv[1]) : 5;
    sorvanto::CanberraSound sound;
    // When the alert comes, the service has been up since the program started.
    std::this_thread::sleep_for(1s);
    for (int i = 0; i < calls; ++i) {
        // An empty name is the default sound, which is what an alert plays unless the user picked a file.
        const QString name;
        const auto before = steady_clock::now();
        sound.play(name);
        const auto after = steady_clock::now();
        std::printf("%lld\n", static_cast<long long>(duration_cast<nanoseconds>(after - before).count()));
        std::this_thread::sleep_for(300ms);
    }
    return 0;
}
