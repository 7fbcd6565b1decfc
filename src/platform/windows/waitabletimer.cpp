// SPDX-License-Identifier: GPL-3.0-or-later
#include "waitabletimer.h"

#include <stdexcept>
#include <utility>
#include <windows.h>

namespace sorvanto {

namespace {

constexpr LONGLONG TicksPerMillisecond = 10000;
// The tick count moves on at the system timer's interrupts, 10 to 16 ms apart.
constexpr ULONGLONG TickSlack = 16;

}  // namespace

std::int64_t systemTime() {
    FILETIME now;
    ::GetSystemTimeAsFileTime(&now);
    return std::int64_t((std::uint64_t(now.dwHighDateTime) << 32) | now.dwLowDateTime);
}

ClockWatch::ClockWatch()
    : window_(L"SorvantoClockWatch", [this](unsigned message) {
          if (message != WM_TIMECHANGE) return false;
          emit clockSet();
          return true;
      }) {}

WaitableTimer::WaitableTimer(SystemClock clock, ClockWatch& watch) : clock_(std::move(clock)) {
    connect(&watch, &ClockWatch::clockSet, this, [this] {
        if (countdown_) arm();
    });
}

WaitableTimer::~WaitableTimer() { stop(); }

void WaitableTimer::start(std::uint32_t milliseconds) {
    HANDLE timer = ::CreateWaitableTimerW(nullptr, FALSE, nullptr);
    if (!timer) throw std::runtime_error("Not enough timers available");
    countdown_ = new QWinEventNotifier(timer);
    connect(countdown_, &QObject::destroyed, [timer] { ::CloseHandle(timer); });
    connect(countdown_, &QWinEventNotifier::activated, this, &WaitableTimer::signalled);
    period_ = milliseconds;
    deadline_ = ::GetTickCount64() + milliseconds;
    if (!arm()) {
        stop();
        throw std::runtime_error("Not enough timers available");
    }
}

bool WaitableTimer::arm() {
    const ULONGLONG now = ::GetTickCount64();
    LARGE_INTEGER due;
    due.QuadPart = clock_() + LONGLONG(deadline_ > now ? deadline_ - now : 0) * TicksPerMillisecond;
    return ::SetWaitableTimer(countdown_->handle(), &due, 0, nullptr, nullptr, FALSE);
}

// The timer only tells that the system's clock came to its due time; the tick count tells whether
// the countdown's time is up.
void WaitableTimer::signalled() {
    const ULONGLONG now = ::GetTickCount64();
    if (now + TickSlack < deadline_) {
        arm();
        return;
    }
    deadline_ = now + period_;
    arm();
    emit ticked();
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

WaitableTimerFactory::WaitableTimerFactory(SystemClock clock) : clock_(std::move(clock)) {}

std::unique_ptr<Timer> WaitableTimerFactory::createTimer() { return std::make_unique<WaitableTimer>(clock_, watch_); }

}  // namespace sorvanto
