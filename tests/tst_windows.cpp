// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows desktop's own services in process, on the system's tray.
#include "platform/qt/qttrayicon.h"
#include "platform/windows/endrequest.h"
#include "platform/windows/playsound.h"
#include "platform/windows/waitabletimer.h"

#include <QCloseEvent>
#include <QDialog>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
// Last, and without the shell's part, whose names the tray's interface takes.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

using namespace sorvanto;

class WindowsTest : public QObject {
    Q_OBJECT

private slots:
    void theCountdownTicksAtItsDueTimeAndNeverLate() {
        auto timer = WaitableTimerFactory().createTimer();
        QSignalSpy ticks(timer.get(), &Timer::ticked);
        QElapsedTimer clock;
        clock.start();
        timer->setInterval(300);
        timer->setEnabled(true);
        QTRY_VERIFY(!ticks.isEmpty());
        QVERIFY(clock.elapsed() >= 299);
        // Ends that passed while the program was busy are not reported once the countdown stops.
        timer->setInterval(1);
        QThread::msleep(30);
        timer->setEnabled(false);
        const qsizetype before = ticks.size();
        QTest::qWait(50);
        QCOMPARE(ticks.size(), before);
    }

    // The timer is due at a time of the system's clock, which may be set while it counts: set back an
    // hour, it would bring the tick an hour late, set forward, at once. A clock an hour off at the
    // start and right at once stands for one set since; Windows tells that it was set, but may tell
    // only after the timer it brought forward has signalled.
    void theCountdownKeepsItsMomentWhenTheClockIsSet_data() {
        QTest::addColumn<int>("minutes");
        QTest::addColumn<bool>("told");
        QTest::newRow("set back an hour") << -60 << true;
        QTest::newRow("set forward an hour, told after the timer's signal") << 60 << false;
    }
    void theCountdownKeepsItsMomentWhenTheClockIsSet() {
        QFETCH(int, minutes);
        QFETCH(bool, told);
        std::int64_t offset = -minutes * 60 * 10'000'000LL;
        WaitableTimerFactory factory([&offset] { return systemTime() + offset; });
        auto timer = factory.createTimer();
        QSignalSpy ticks(timer.get(), &Timer::ticked);
        QElapsedTimer clock;
        clock.start();
        timer->setInterval(400);
        timer->setEnabled(true);
        offset = 0;
        if (told) ::SendMessageTimeoutW(HWND_BROADCAST, WM_TIMECHANGE, 0, 0, SMTO_ABORTIFHUNG, 2000, nullptr);
        QTRY_VERIFY(!ticks.isEmpty());
        QVERIFY2(clock.elapsed() >= 380, qPrintable(QString::number(clock.elapsed())));
    }

    // The system looks for the file in the background, and plays its default sound instead.
    void aMissingSoundFileKeepsNobodyWaiting() {
        QElapsedTimer clock;
        clock.start();
        PlaySoundPlayer().play(QStringLiteral("C:\\nowhere\\não há.wav"));
        QVERIFY(clock.elapsed() < 500);
    }

    // The installer asks the program to end while one of its dialogs is open, as a chooser is, which
    // keeps Windows' own close of the window from it: the window is closed all the same.
    void anEndRequestClosesTheWindowWithADialogOpen() {
        struct Window : QWidget {
            int closes = 0;
            void closeEvent(QCloseEvent* event) override { ++closes, event->accept(); }
        } window;
        window.show();
        EndRequest request(window);
        QDialog dialog(&window);
        dialog.setModal(true);
        dialog.show();
        ::PostMessageW(::FindWindowW(EndRequest::WindowClass, nullptr), WM_CLOSE, 0, 0);
        QTRY_COMPARE(window.closes, 1);
    }

    void theIconIsAddedOnceReportsItsClicksAndGoes() {
        QtTrayIcon tray;
        QSignalSpy messages(&tray, &NotifyIcon::trayMessage);
        NotifyIconData data;
        data.uFlags = NIF_MESSAGE | NIF_ICON;
        data.uCallbackMessage = WM_USER + 1;
        data.hIcon = QIcon(QPixmap(16, 16));
        QVERIFY(tray.trayAvailable());
        QVERIFY(tray.Shell_NotifyIcon(NotifyIconMessage::NIM_ADD, data));
        QVERIFY(!tray.Shell_NotifyIcon(NotifyIconMessage::NIM_ADD, data));
        auto* icon = tray.findChild<QSystemTrayIcon*>();
        QVERIFY(icon && icon->isVisible());
        emit icon->activated(QSystemTrayIcon::Context);
        QVERIFY(messages.isEmpty());
        QTRY_COMPARE(messages.size(), 1);
        QCOMPARE(messages.at(0), (QVariantList{WM_USER + 1, int(WM_RBUTTONDOWN)}));
        QVERIFY(tray.Shell_NotifyIcon(NotifyIconMessage::NIM_DELETE, data));
        QVERIFY(!tray.findChild<QSystemTrayIcon*>());
        QVERIFY(!tray.Shell_NotifyIcon(NotifyIconMessage::NIM_DELETE, data));
    }
};

QTEST_MAIN(WindowsTest)
#include "tst_windows.moc"
