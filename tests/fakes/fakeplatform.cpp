#include "fakeplatform.h"

#include <algorithm>

namespace sorvanto::test {

int FakeNotifyIcon::count(NotifyIconMessage message) const {
    return static_cast<int>(
        std::count_if(calls.begin(), calls.end(), [message](const Call& c) { return c.message == message; }));
}

void FakeTimer::fire() {
    if (running_) tick();
}

void FakeTimer::start(std::uint32_t) {
    if (refuse) throw std::runtime_error("Not enough timers available");
    running_ = true;
    ++starts_;
}

std::unique_ptr<Timer> FakeTimers::createTimer() {
    auto timer = std::make_unique<FakeTimer>();
    timers.push_back(timer.get());
    return timer;
}

void FakeDialogs::showError(const QString& title, const QString& text) {
    const QString shown = title + u'|' + text;
    if (!expectedErrors.removeOne(shown)) unexpected_ << QStringLiteral("error box: ") + shown;
}

}  // namespace sorvanto::test
