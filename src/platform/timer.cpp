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

void Timer::update() {
    stop();
    if (enabled_ && interval_ != 0 && isSignalConnected(QMetaMethod::fromSignal(&Timer::ticked))) start(interval_);
}

}  // namespace sorvanto
