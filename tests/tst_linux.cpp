// The Linux desktop's own services in process.
#include "platform/linux/boottimetimer.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace sorvanto;

class LinuxTest : public QObject {
    Q_OBJECT

private slots:
    void theDesktopCountdownTicksOnTheClockThatCountsSuspend() {
        BoottimeTimerFactory factory;
        auto timer = factory.createTimer();
        int ticks = 0;
        connect(timer.get(), &Timer::ticked, [&] { ++ticks; });
        timer->setInterval(30);
        timer->setEnabled(true);
        QTRY_COMPARE_WITH_TIMEOUT(ticks, 1, 5000);

        bool boottime = false;
        for (const QString& fd : QDir(QStringLiteral("/proc/self/fdinfo")).entryList(QDir::Files)) {
            QFile info(QStringLiteral("/proc/self/fdinfo/") + fd);
            if (info.open(QIODevice::ReadOnly) && info.readAll().contains("clockid: 7")) boottime = true;
        }
        QVERIFY(boottime);

        timer->setEnabled(false);
        const int before = ticks;
        QTest::qWait(100);
        QCOMPARE(ticks, before);
    }
};

QTEST_MAIN(LinuxTest)
#include "tst_linux.moc"
