// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "../sound.h"

#include <memory>
#include <thread>

namespace sorvanto {

// Plays through the desktop's event-sound service (libcanberra, on PulseAudio or PipeWire).
// The service is talked to on a thread of its own: connecting to a sound server or opening a
// file can block, and the caller must never wait. A sound server that stops answering keeps
// that thread, never the program: on destruction it is left behind after a short wait.
class CanberraSound final : public SoundPlayer {
public:
    CanberraSound();
    ~CanberraSound() override;
    void play(const QString& name) override;

private:
    struct Requests;
    static void run(const std::shared_ptr<Requests>& requests);

    std::shared_ptr<Requests> requests_;
    std::thread worker_;
};

}  // namespace sorvanto
