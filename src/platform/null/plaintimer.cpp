// SPDX-License-Identifier: GPL-3.0-or-later
#include "plaintimer.h"

#include <limits>
#include <stdexcept>

namespace sorvanto {

PlainTimer::PlainTimer() {
    // A coarse timer may end a long countdown minutes early or late.
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &Timer::ticked);
}

// Qt's timer takes at most a signed 32-bit count of milliseconds.
void PlainTimer::start(std::uint32_t milliseconds) {
    if (milliseconds > std::uint32_t(std::numeric_limits<int>::max()))
        throw std::runtime_error("Not enough timers available");
    timer_.start(int(milliseconds));
}

void PlainTimer::stop() { timer_.stop(); }

std::unique_ptr<Timer> PlainTimerFactory::createTimer() { return std::make_unique<PlainTimer>(); }

}  // namespace sorvanto
