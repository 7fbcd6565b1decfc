// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <cstdint>
#include <memory>

namespace sorvanto {

// A periodic countdown in milliseconds with an enabled flag, reporting each end of the countdown
// as ticked(). Changing the interval or enabling starts a fresh countdown of the full interval; a
// zero interval or nothing connected to ticked() counts nothing. A platform that cannot give a
// countdown throws from start(); enabling then throws too and leaves the timer disabled.
class Timer : public QObject {
    Q_OBJECT
public:
    std::uint32_t interval() const { return interval_; }
    bool enabled() const { return enabled_; }
    void setInterval(std::uint32_t milliseconds);
    void setEnabled(bool enabled);

signals:
    void ticked();

protected:
    virtual void start(std::uint32_t milliseconds) = 0;
    virtual void stop() = 0;

private:
    void update();

    std::uint32_t interval_ = 1000;
    bool enabled_ = false;
};

class TimerFactory {
public:
    virtual ~TimerFactory() = default;
    virtual std::unique_ptr<Timer> createTimer() = 0;
};

}  // namespace sorvanto
