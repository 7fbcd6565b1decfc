// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "../timer.h"

#include <QSocketNotifier>
#include <memory>

namespace sorvanto {

// Counts on CLOCK_BOOTTIME, which keeps running while the machine is suspended, so that a
// countdown whose end passed during sleep fires right after resume. Waiting costs no wakeups.
class BoottimeTimer final : public Timer {
public:
    ~BoottimeTimer() override;

protected:
    void start(std::uint32_t milliseconds) override;
    void stop() override;

private:
    void expired();
    void discard();

    int fd_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
};

class BoottimeTimerFactory final : public TimerFactory {
public:
    std::unique_ptr<Timer> createTimer() override;
};

}  // namespace sorvanto
