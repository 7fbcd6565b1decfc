// SPDX-License-Identifier: GPL-3.0-or-later
// The Linux desktop's own services in process.
#include "platform/linux/boottimetimer.h"
#include "platform/linux/x11screen.h"
#include "platform/linux/x11windowmanager.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <QThread>
#include <fcntl.h>
#include <unistd.h>

using namespace sorvanto;

namespace {

// The boot-time timer this process holds, as the kernel reports it: its descriptor and its state.
std::pair<int, QByteArray> kernelTimer() {
    for (const QString& fd : QDir(QStringLiteral("/proc/self/fdinfo")).entryList(QDir::Files)) {
        QFile info(QStringLiteral("/proc/self/fdinfo/") + fd);
        if (!info.open(QIODevice::ReadOnly)) continue;
        const QByteArray state = info.readAll();
        if (state.contains("clockid: 7")) return {fd.toInt(), state};
    }
    return {-1, {}};
}

// What a descriptor holds once something that is not a timer takes its place: a directory,
// always readable and never read.
void breakDescriptor(int fd) {
    const int directory = ::open("/", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    QVERIFY(directory >= 0 && ::dup2(directory, fd) == fd);
    ::close(directory);
}

bool isOpen(int fd) { return ::fcntl(fd, F_GETFD) >= 0; }

}  // namespace

class LinuxTest : public QObject {
    Q_OBJECT

private slots:
    void theDesktopCountdownIsTheKernelsBootTimeTimer() {
        BoottimeTimerFactory factory;
        auto timer = factory.createTimer();
        int ticks = 0;
        connect(timer.get(), &Timer::ticked, [&] { ++ticks; });
        timer->setInterval(90500);
        timer->setEnabled(true);
        QVERIFY(kernelTimer().second.contains("it_interval: (90, 500000000)"));
        QVERIFY(!kernelTimer().second.contains("it_value: (0, 0)"));

        timer->setInterval(1);
        QTRY_VERIFY(ticks > 0);

        // Expirations the program has not read yet are forgotten when the countdown stops.
        QThread::msleep(20);
        QVERIFY(!kernelTimer().second.contains("ticks: 0"));
        timer->setEnabled(false);
        const int before = ticks;
        QCoreApplication::processEvents();
        QCOMPARE(ticks, before);
        QVERIFY(kernelTimer().second.contains("it_value: (0, 0)"));
    }

    // A descriptor that fails to read or to disarm is given up, not watched for ever, and the next
    // countdown starts on a new one.
    void aTimerThatFailsIsMadeAnew() {
        BoottimeTimerFactory factory;
        auto timer = factory.createTimer();
        connect(timer.get(), &Timer::ticked, [] {});
        timer->setEnabled(true);
        const int reading = kernelTimer().first;
        breakDescriptor(reading);
        QTRY_VERIFY(!isOpen(reading));

        timer->setEnabled(false);
        timer->setEnabled(true);
        const int disarming = kernelTimer().first;
        QVERIFY(disarming >= 0);
        breakDescriptor(disarming);
        timer->setEnabled(false);
        QVERIFY(!isOpen(disarming));
        timer->setEnabled(true);
        QVERIFY(!kernelTimer().second.contains("it_value: (0, 0)"));
    }

    void aFrameNoXScreenCouldHoldOrNoXServerGivesIsNoFrame() {
        QCOMPARE(logicalFrame({1, 2, 20, 3}, 1.0), QMargins(1, 20, 2, 3));
        QCOMPARE(logicalFrame({3, 3, 41, 3}, 2.0), QMargins(2, 21, 2, 2));
        QCOMPARE(logicalFrame({1, 1, 0xFFFFFFFF, 1}, 1.0), QMargins());
        QCOMPARE(logicalFrame({32768, 0, 0, 0}, 1.0), QMargins());
        // The offscreen platform these tests run on has the X11 interface but no X server: the
        // window manager is then asked through Qt.
        QCOMPARE(X11Screen().frameMargins(), QMargins());
        QWidget window;
        window.show();
        X11WindowManager().bringToFront(window);
        QVERIFY(X11WindowManager().minimize(window));
    }
};

QTEST_MAIN(LinuxTest)
#include "tst_linux.moc"
