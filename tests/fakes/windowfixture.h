// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fakeplatform.h"
#include "main.h"

#include <QCloseEvent>
#include <QRadioButton>
#include <QTest>
#include <QWindow>
#include <memory>

namespace sorvanto::test {

// The main window on the fake desktop services, driven as its user and the desktop drive it. The
// fakes are set up in platform before start(); a dialog opens only as a test announced it in
// platform.dialogs, and finish() fails the test on any other.
class WindowFixture {
public:
    FakePlatform platform;
    std::unique_ptr<Tfrmmain> frm;
    // Whether the program has been told to end.
    bool ended = false;

    // The window built and shown as the program starts it.
    void start() {
        frm = std::make_unique<Tfrmmain>(platform.services());
        QObject::connect(frm.get(), &Tfrmmain::terminateRequested, [this] { ended = true; });
        frm->show();
        QVERIFY(QTest::qWaitForWindowExposed(frm.get()));
    }
    // The window gone; a dialog not announced, or announced and never opened, fails the test.
    void finish() {
        frm.reset();
        const QStringList unexpected = platform.dialogs.unexpected();
        QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(u'\n')));
    }

    FakeTimer& timer1() { return *platform.timers.timers.at(0); }
    bool iconShown() const { return platform.notifyIcon.shown; }
    // Only on Qt's offscreen platform is the fake screen the only one, and a window shown and hidden at no cost.
    static bool onTheFakeScreenAlone() { return QGuiApplication::platformName() == QLatin1String("offscreen"); }
    // The title the error boxes and the tray icon's tip carry.
    static QString title() { return applicationTitle(QCoreApplication::applicationFilePath()); }

    // The window at the size, places and fonts of its layout, as on a screen 800 wide with lines 13 high.
    void verifyAsLaidOut() {
        QCOMPARE(frm->size(), QSize(536, 341));
        QCOMPARE(frm->Panel3->geometry(), QRect(2, 2, 532, 75));
        QCOMPARE(frm->editmsg1->geometry(), QRect(144, 55, 353, 18));
        QCOMPARE(frm->Panel4->geometry(), QRect(300, 5, 52, 34));
        QCOMPARE(frm->Panel5->geometry(), QRect(139, 5, 143, 36));
        QCOMPARE(frm->Panel6->geometry(), QRect(4, 3, 114, 40));
        QCOMPARE(frm->Spininterval->geometry(), QRect(1, 14, 50, 19));
        QCOMPARE(frm->Label3->geometry(), QRect(3, 1, 55, 11));
        QCOMPARE(frm->RichEdit1->geometry(), QRect(2, 77, 532, 219));
        QCOMPARE(frm->RichEdit1->font().pixelSize(), 21);
        QCOMPARE(frm->font().pixelSize(), 11);
    }

    // The tray reports a mouse message over its icon.
    void tray(int mouseMessage) {
        QVERIFY2(iconShown(), "no tray icon to click");
        emit platform.notifyIcon.trayMessage(TrayCallbackMessage, mouseMessage);
    }
    // A right click on the tray icon, then the item of that name in the menu that pops up.
    void choose(const char* item) {
        const std::size_t popups = platform.pointer.popups.size();
        tray(WM_RBUTTONDOWN);
        QVERIFY2(platform.pointer.popups.size() == popups + 1, "no menu on a right click");
        for (QAction* action : platform.pointer.popups.back().first->actions()) {
            if (action->objectName() != QLatin1String(item)) continue;
            QVERIFY2(action->isVisible() && action->isEnabled(), item);
            action->trigger();
            return;
        }
        QFAIL(qPrintable(QStringLiteral("no %1 in the menu").arg(QLatin1String(item))));
    }
    // A click on an item of the radio group: 0 is "Ativado", 1 "Desativado".
    void select(int item) {
        QTest::mouseClick(frm->rdgrpativo->findChildren<QRadioButton*>().at(item), Qt::LeftButton);
    }
    // "Ativado" selected with the interval field holding minutes.
    void arm(const QString& minutes) {
        frm->Spininterval->setText(minutes);
        select(0);
    }
    // Armed for minutes, and the countdown ends: the alert.
    void alert(const QString& minutes = QStringLiteral("1")) {
        arm(minutes);
        timer1().fire();
    }
    // "Configurações" twice: the window hidden, then shown again in the configuration view.
    void configurationAgain() {
        choose("Configuraes1");
        choose("Configuraes1");
    }
    // A click on a button that ends the program: it is told to end, and the tray icon is gone.
    void clickToEnd(QWidget* button) {
        QVERIFY2(iconShown(), "no tray icon before the end");
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY2(ended, "the program goes on");
        QVERIFY2(!iconShown(), "the tray icon stays");
    }
    // The window manager's close command, as the close box or Alt+F4 give it.
    void closeWindow() {
        QVERIFY(frm->windowHandle());
        QCloseEvent close;
        QCoreApplication::sendEvent(frm->windowHandle(), &close);
    }
};

}  // namespace sorvanto::test
