// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "../timer.h"
#include "hiddenwindow.h"

#include <QWinEventNotifier>
#include <cstdint>
#include <functional>
#include <memory>

namespace sorvanto {

// The system's clock, which the user, a time service or a restored virtual machine may set, in the
// 100 ns units since 1601 that Windows counts it in.
using SystemClock = std::function<std::int64_t()>;
std::int64_t systemTime();

// Windows tells every top-level window that the system's clock was set: a hidden window of its own
// hears it for the countdowns.
class ClockWatch final : public QObject {
    Q_OBJECT
public:
    ClockWatch();

signals:
    void clockSet();

private:
    HiddenWindow window_;
};

// Counts to a deadline on the tick count, which goes on while the machine sleeps or hibernates and
// which nobody sets, on a waitable timer due at the system clock's time that the deadline comes to:
// such a timer wakes the program after a resume whose time was up. Set since, the clock would bring
// the timer early or late; so a timer due early is set again for the time left, and every one is
// set anew when the clock is. Each countdown gets a timer of its own: a stopped one may have
// signalled already, and must never tick late.
class WaitableTimer final : public Timer {
public:
    WaitableTimer(SystemClock clock, ClockWatch& watch);
    ~WaitableTimer() override;

protected:
    void start(std::uint32_t milliseconds) override;
    void stop() override;

private:
    bool arm();
    void signalled();

    SystemClock clock_;
    QWinEventNotifier* countdown_ = nullptr;
    std::uint32_t period_ = 0;
    std::uint64_t deadline_ = 0;
};

class WaitableTimerFactory final : public TimerFactory {
public:
    explicit WaitableTimerFactory(SystemClock clock = systemTime);
    std::unique_ptr<Timer> createTimer() override;

private:
    SystemClock clock_;
    ClockWatch watch_;
};

}  // namespace sorvanto
