// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "../timer.h"

#include <QWinEventNotifier>

namespace sorvanto {

// Counts on a waitable timer due at an absolute time of the system's clock, which goes on while the
// machine sleeps or hibernates, so that a countdown whose end passed then fires right after resume.
// Each countdown gets a timer of its own: a stopped one may have signalled already, and must never
// tick late.
class WaitableTimer final : public Timer {
public:
    ~WaitableTimer() override;

protected:
    void start(std::uint32_t milliseconds) override;
    void stop() override;

private:
    QWinEventNotifier* countdown_ = nullptr;
};

class WaitableTimerFactory final : public TimerFactory {
public:
    std::unique_ptr<Timer> createTimer() override;
};

}  // namespace sorvanto
