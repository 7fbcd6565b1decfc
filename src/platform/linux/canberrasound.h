#pragma once

#include "../sound.h"

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

namespace sorvanto {

// Plays through the desktop's event-sound service (libcanberra, on PulseAudio or PipeWire).
// The service is talked to on a thread of its own: connecting to a sound server or opening a
// file can block, and the caller must never wait.
class CanberraSound final : public SoundPlayer {
public:
    CanberraSound();
    ~CanberraSound() override;
    void play(const QString& name) override;

private:
    void run();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::optional<QString> pending_;
    bool stopping_ = false;
    std::thread worker_;
};

}  // namespace sorvanto
