// SPDX-License-Identifier: GPL-3.0-or-later
#include "boottimetimer.h"

#include <cerrno>
#include <stdexcept>
#include <sys/timerfd.h>
#include <unistd.h>

namespace sorvanto {

BoottimeTimer::~BoottimeTimer() {
    notifier_.reset();
    if (fd_ >= 0) ::close(fd_);
}

void BoottimeTimer::start(std::uint32_t milliseconds) {
    if (fd_ < 0) {
        fd_ = ::timerfd_create(CLOCK_BOOTTIME, TFD_NONBLOCK | TFD_CLOEXEC);
        if (fd_ < 0) throw std::runtime_error("Not enough timers available");
        notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
        QObject::connect(notifier_.get(), &QSocketNotifier::activated, this, [this] { expired(); });
    }
    timespec period{};
    period.tv_sec = milliseconds / 1000;
    period.tv_nsec = static_cast<long>(milliseconds % 1000) * 1000000L;
    const itimerspec timing{period, period};
    if (::timerfd_settime(fd_, 0, &timing, nullptr) != 0) throw std::runtime_error("Not enough timers available");
}

// Disarming also forgets expirations not yet read, so a stopped timer never ticks late; one that
// cannot be disarmed is given up for the same reason.
void BoottimeTimer::stop() {
    if (fd_ < 0) return;
    const itimerspec disarmed{};
    if (::timerfd_settime(fd_, 0, &disarmed, nullptr) != 0) discard();
}

void BoottimeTimer::expired() {
    std::uint64_t expirations = 0;
    const ssize_t got = ::read(fd_, &expirations, sizeof expirations);
    if (got == sizeof expirations) {
        if (expirations > 0) emit ticked();
    } else if (got >= 0 || (errno != EAGAIN && errno != EINTR)) {
        // Still readable, the descriptor would wake the event loop again at once, for ever.
        discard();
    }
}

// The next start makes a new timer. The notifier may be the one reporting now, so it goes once
// the event loop is back.
void BoottimeTimer::discard() {
    notifier_->setEnabled(false);
    notifier_.release()->deleteLater();
    ::close(fd_);
    fd_ = -1;
}

std::unique_ptr<Timer> BoottimeTimerFactory::createTimer() { return std::make_unique<BoottimeTimer>(); }

}  // namespace sorvanto
