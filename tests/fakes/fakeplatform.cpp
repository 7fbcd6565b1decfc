// SPDX-License-Identifier: GPL-3.0-or-later
#include "fakeplatform.h"

#include <QCoreApplication>
#include <QStandardPaths>

// Qt's dialogs under test keep their history and custom colours where Qt's test mode puts them,
// never in the configuration of the user who runs a test by hand.
static void useTestPaths() { QStandardPaths::setTestModeEnabled(true); }
Q_COREAPP_STARTUP_FUNCTION(useTestPaths)

namespace sorvanto::test {

bool FakeNotifyIcon::Shell_NotifyIcon(NotifyIconMessage message, const NotifyIconData& data) {
    calls.push_back({message, data});
    if (succeed) shown = message == NotifyIconMessage::NIM_ADD;
    return succeed;
}

void FakeTimer::fire() {
    if (running_) emit ticked();
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

template <class Answer, class OpenedOn>
std::optional<Answer> FakeDialogs::answer(const char* chooser, std::vector<OpenedOn>& shown, const OpenedOn& openedOn) {
    shown.push_back(openedOn);
    if (expectedChoosers_.empty() || !std::holds_alternative<Expected<Answer>>(expectedChoosers_.front())) {
        unexpected_ << QStringLiteral("%1 chooser opened").arg(QLatin1String(chooser));
        return std::nullopt;
    }
    const Expected<Answer> expected = std::get<Expected<Answer>>(expectedChoosers_.front());
    expectedChoosers_.pop_front();
    if (expected.whileOpen) expected.whileOpen();
    return expected.answer;
}

std::optional<FontChoice> FakeDialogs::chooseFont(const FontChoice& font) {
    return answer<FontChoice>("font", fontsShown, font);
}
std::optional<TColor> FakeDialogs::chooseColour(TColor colour) {
    return answer<TColor>("colour", coloursShown, colour);
}
std::optional<QString> FakeDialogs::chooseOpenFile(const OpenFileOptions& options) {
    return answer<QString>("open-file", openFilesShown, options);
}

QStringList FakeDialogs::unexpected() const {
    QStringList all = unexpected_;
    for (const QString& error : expectedErrors) all << QStringLiteral("error box never shown: ") + error;
    for (const AnyExpected& expected : expectedChoosers_)
        std::visit(
            [&](const auto& e) { all << QStringLiteral("%1 chooser never opened").arg(QLatin1String(e.chooser)); },
            expected);
    return all;
}

}  // namespace sorvanto::test
