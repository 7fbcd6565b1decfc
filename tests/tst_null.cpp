// The services of a desktop without a backend of its own, in process.
#include "platform/null/plaintimer.h"

#include <QTest>

using namespace sorvanto;

class NullTest : public QObject {
    Q_OBJECT

private slots:
    void thePlainCountdownTicksUntilDisabled() {
        PlainTimerFactory factory;
        auto timer = factory.createTimer();
        int ticks = 0;
        connect(timer.get(), &Timer::ticked, [&] { ++ticks; });
        timer->setInterval(30);
        timer->setEnabled(true);
        QTRY_COMPARE_WITH_TIMEOUT(ticks, 1, 5000);

        timer->setEnabled(false);
        const int before = ticks;
        QTest::qWait(100);
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
