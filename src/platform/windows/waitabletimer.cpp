// SPDX-License-Identifier: GPL-3.0-or-later
#include "waitabletimer.h"

#include <limits>
#include <stdexcept>
#include <utility>
#include <windows.h>

namespace sorvanto {

WaitableTimer::~WaitableTimer() { stop(); }

void WaitableTimer::start(std::uint32_t milliseconds) {
    // The timer's period is a signed 32-bit count of milliseconds.
    if (milliseconds > std::uint32_t(std::numeric_limits<LONG>::max()))
        throw std::runtime_error("Not enough timers available");
    HANDLE timer = ::CreateWaitableTimerW(nullptr, FALSE, nullptr);
    if (!timer) throw std::runtime_error("Not enough timers available");
    FILETIME now;
    ::GetSystemTimeAsFileTime(&now);
    constexpr LONGLONG TicksPerMillisecond = 10000;
    LARGE_INTEGER due;
    due.QuadPart = LONGLONG((ULONGLONG(now.dwHighDateTime) << 32) | now.dwLowDateTime) +
                   LONGLONG(milliseconds) * TicksPerMillisecond;
    if (!::SetWaitableTimer(timer, &due, LONG(milliseconds), nullptr, nullptr, FALSE)) {
        ::CloseHandle(timer);
        throw std::runtime_error("Not enough timers available");
    }
    countdown_ = new QWinEventNotifier(timer);
    connect(countdown_, &QObject::destroyed, [timer] { ::CloseHandle(timer); });
    connect(countdown_, &QWinEventNotifier::activated, this, &Timer::ticked);
}

// The notifier may be the one reporting now, so it goes once the event loop is back, taking with it
// any report already on its way.
void WaitableTimer::stop() {
    if (!countdown_) return;
    countdown_->setEnabled(false);
    disconnect(countdown_, nullptr, this, nullptr);
    ::CancelWaitableTimer(countdown_->handle());
    std::exchange(countdown_, nullptr)->deleteLater();
}

std::unique_ptr<Timer> WaitableTimerFactory::createTimer() { return std::make_unique<WaitableTimer>(); }

}  // namespace sorvanto
