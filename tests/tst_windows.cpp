// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows desktop's own services in process, on the system's tray.
#include "platform/qt/qttrayicon.h"
#include "platform/windows/playsound.h"
#include "platform/windows/waitabletimer.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTest>
#include <QThread>

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

    // The system looks for the file in the background, and plays its default sound instead.
    void aMissingSoundFileKeepsNobodyWaiting() {
        QElapsedTimer clock;
        clock.start();
        PlaySoundPlayer().play(QStringLiteral("C:\\nowhere\\não há.wav"));
        QVERIFY(clock.elapsed() < 500);
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
