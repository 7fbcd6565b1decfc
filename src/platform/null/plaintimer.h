// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "../timer.h"

#include <QTimer>

namespace sorvanto {

// Counts on Qt's own timer, which every platform Qt runs on has. Time the machine spends
// suspended may not count.
class PlainTimer final : public Timer {
public:
    PlainTimer();

protected:
    void start(std::uint32_t milliseconds) override;
    void stop() override;

private:
    QTimer timer_;
};

class PlainTimerFactory final : public TimerFactory {
public:
    std::unique_ptr<Timer> createTimer() override;
};

}  // namespace sorvanto
