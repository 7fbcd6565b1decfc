#include "boottimetimer.h"

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
        QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { expired(); });
    }
    timespec period{};
    period.tv_sec = milliseconds / 1000;
    period.tv_nsec = static_cast<long>(milliseconds % 1000) * 1000000L;
    const itimerspec timing{period, period};
    if (::timerfd_settime(fd_, 0, &timing, nullptr) != 0) throw std::runtime_error("Not enough timers available");
}

void BoottimeTimer::stop() {
    if (fd_ < 0) return;
    const itimerspec disarmed{};
    // Disarming also forgets expirations not yet read, so a stopped timer never ticks late.
    ::timerfd_settime(fd_, 0, &disarmed, nullptr);
}

void BoottimeTimer::expired() {
    std::uint64_t expirations = 0;
    if (::read(fd_, &expirations, sizeof expirations) == sizeof expirations && expirations > 0) emit ticked();
}

std::unique_ptr<Timer> BoottimeTimerFactory::createTimer() { return std::make_unique<BoottimeTimer>(); }

}  // namespace sorvanto
