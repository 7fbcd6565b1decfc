// SPDX-License-Identifier: GPL-3.0-or-later
// The services of a desktop without a backend of its own, in process.
#include "platform/null/plaintimer.h"

#include <QTest>
#include <QThread>

using namespace sorvanto;

class NullTest : public QObject {
    Q_OBJECT

private slots:
    void thePlainCountdownTicksUntilDisabled() {
        PlainTimerFactory factory;
        auto timer = factory.createTimer();
        int ticks = 0;
        connect(timer.get(), &Timer::ticked, [&] { ++ticks; });
        timer->setInterval(1);
        timer->setEnabled(true);
        QTRY_VERIFY(ticks > 0);

        // Past its time, a disabled countdown still does not tick.
        timer->setEnabled(false);
        const int before = ticks;
        QThread::msleep(20);
        QCoreApplication::processEvents();
        QCOMPARE(ticks, before);
    }

    // Past what Qt's timer takes, the countdown is refused rather than never ending.
    void aCountdownTooLongForTheTimerIsRefused() {
        PlainTimerFactory factory;
        auto timer = factory.createTimer();
        connect(timer.get(), &Timer::ticked, [] {});
        timer->setInterval(std::uint32_t(INT32_MAX) + 1);
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, timer->setEnabled(true));
        QVERIFY(!timer->enabled());
        timer->setInterval(INT32_MAX);
        timer->setEnabled(true);
        QVERIFY(timer->enabled());
    }
};

QTEST_MAIN(NullTest)
#include "tst_null.moc"
