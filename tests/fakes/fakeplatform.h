// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/platform.h"

#include <QApplication>
#include <QList>
#include <QStringList>
#include <deque>
#include <functional>
#include <stdexcept>
#include <variant>
#include <vector>

namespace sorvanto::test {

class FakeNotifyIcon final : public NotifyIcon {
public:
    struct Call {
        NotifyIconMessage message;
        NotifyIconData data;
    };
    bool Shell_NotifyIcon(NotifyIconMessage message, const NotifyIconData& data) override;
    void setHostMenu(QMenu* menu) override { hostMenu = menu; }
    bool trayAvailable() const override { return trayThere; }

    QMenu* hostMenu = nullptr;
    std::vector<Call> calls;
    bool succeed = true;
    bool trayThere = true;
    // Whether the tray shows the icon now.
    bool shown = false;
};

class FakeSound final : public SoundPlayer {
public:
    void play(const QString& name) override {
        played << name;
        if (fail) throw std::runtime_error("no sound");
    }
    QStringList played;
    bool fail = false;
};

// A countdown that runs only when the test says so.
class FakeTimer final : public Timer {
public:
    bool running() const { return running_; }
    int starts() const { return starts_; }
    // The countdown ends now.
    void fire();

    bool refuse = false;

protected:
    void start(std::uint32_t) override;
    void stop() override { running_ = false; }

private:
    bool running_ = false;
    int starts_ = 0;
};

class FakeTimers final : public TimerFactory {
public:
    std::unique_ptr<Timer> createTimer() override;
    // In the order the window created them.
    std::vector<FakeTimer*> timers;
};

class FakePointer final : public Pointer {
public:
    QPoint GetCursorPos() const override { return cursor; }
    void TrackPopupMenu(QMenu& menu, QPoint topLeft) override { popups.push_back({&menu, topLeft}); }

    QPoint cursor{640, 10};
    std::vector<std::pair<QMenu*, QPoint>> popups;
};

// Answers only the dialogs a test announced, in the order announced; any other dialog is
// recorded as a failure and cancelled, and so is an announced one that never opened.
class FakeDialogs final : public Dialogs {
public:
    // Runs while a chooser is open, to look at the window as the user sees it then.
    using WhileOpen = std::function<void()>;

    void showError(const QString& title, const QString& text) override;
    std::optional<FontChoice> chooseFont(const FontChoice& font) override;
    std::optional<TColor> chooseColour(TColor colour) override;
    std::optional<QString> chooseOpenFile(const OpenFileOptions& options) override;

    void expectError(const QString& title, const QString& text) { expectedErrors << title + u'|' + text; }
    // A chooser that answers with a choice, or is cancelled when the answer is nothing.
    void expectFont(std::optional<FontChoice> answer, WhileOpen whileOpen = {}) { expect("font", answer, whileOpen); }
    void expectColour(std::optional<TColor> answer, WhileOpen whileOpen = {}) { expect("colour", answer, whileOpen); }
    void expectOpenFile(std::optional<QString> answer, WhileOpen whileOpen = {}) {
        expect("open-file", answer, whileOpen);
    }
    QStringList unexpected() const;

    QStringList expectedErrors;
    // What each chooser was opened on, in order.
    std::vector<FontChoice> fontsShown;
    std::vector<TColor> coloursShown;
    std::vector<OpenFileOptions> openFilesShown;

private:
    template <class Answer>
    struct Expected {
        const char* chooser;
        std::optional<Answer> answer;
        WhileOpen whileOpen;
    };
    using AnyExpected = std::variant<Expected<FontChoice>, Expected<TColor>, Expected<QString>>;

    template <class Answer>
    void expect(const char* chooser, std::optional<Answer> answer, WhileOpen whileOpen) {
        expectedChoosers_.push_back(Expected<Answer>{chooser, std::move(answer), std::move(whileOpen)});
    }
    // What the chooser opened on is kept, and the chooser answered as announced.
    template <class Answer, class OpenedOn>
    std::optional<Answer> answer(const char* chooser, std::vector<OpenedOn>& shown, const OpenedOn& openedOn);

    std::deque<AnyExpected> expectedChoosers_;
    QStringList unexpected_;
};

class FakeScreen final : public Screen {
public:
    QSize size() const override { return screenSize; }
    QSize availableSize() const override { return available.isValid() ? available : screenSize; }
    QMargins frameMargins() const override { return frame; }
    int textHeight(const QFont&) const override { return lineHeight; }

    QSize screenSize{800, 600};
    // The whole screen unless a test gives the desktop panels.
    QSize available;
    QMargins frame;
    int lineHeight = 13;
};

// What the window system does, which Qt 6.5 deprecated for programs; no public call replaces it.
inline void setActiveWindow(QWidget* window) {
    QT_WARNING_PUSH
    QT_WARNING_DISABLE_DEPRECATED
    QApplication::setActiveWindow(window);
    QT_WARNING_POP
}

// A window manager that does what it is asked.
class FakeWindowManager final : public WindowManager {
public:
    void bringToFront(QWidget& window) override { broughtToFront.push_back(&window); }
    // A minimized window is not the active one.
    bool minimize(QWidget& window) override {
        if (declinesToMinimize) return false;
        window.setWindowState(window.windowState() | Qt::WindowMinimized);
        setActiveWindow(nullptr);
        return true;
    }
    std::vector<QWidget*> broughtToFront;
    bool declinesToMinimize = false;
};

// Every fake, handed to the window as its platform.
struct FakePlatform {
    FakeNotifyIcon notifyIcon;
    FakeSound sound;
    FakeTimers timers;
    FakePointer pointer;
    FakeDialogs dialogs;
    FakeScreen screen;
    FakeWindowManager windowManager;

    Platform services() { return {notifyIcon, sound, timers, pointer, dialogs, screen, windowManager}; }
};

}  // namespace sorvanto::test
