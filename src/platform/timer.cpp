// SPDX-License-Identifier: GPL-3.0-or-later
#include "timer.h"

#include <QMetaMethod>

namespace sorvanto {

void Timer::setInterval(std::uint32_t milliseconds) {
    if (milliseconds == interval_) return;
    interval_ = milliseconds;
    update();
}

void Timer::setEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    update();
}

// A refused countdown leaves the timer disabled, so that it never claims to count and enabling it
// again asks the platform again.
void Timer::update() {
    stop();
    if (!enabled_ || interval_ == 0 || !isSignalConnected(QMetaMethod::fromSignal(&Timer::ticked))) return;
    try {
        start(interval_);
    } catch (...) {
        enabled_ = false;
        throw;
    }
}

}  // namespace sorvanto
