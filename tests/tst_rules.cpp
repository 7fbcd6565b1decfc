// SPDX-License-Identifier: GPL-3.0-or-later
// The program's rules on their own: its title, the error box text, checked interval arithmetic,
// the rounding of scaled sizes and fonts, and the countdown's semantics.
#include "core/checked.h"
#include "core/points.h"
#include "fakes/fakeplatform.h"
#include "main.h"

#include <QTest>

using namespace sorvanto;

class RulesTest : public QObject {
    Q_OBJECT

private slots:
    void theTitleComesFromTheExecutablesName_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("title");
        QTest::newRow("upper case") << QStringLiteral("C:/Programs/MYAPP.EXE") << QStringLiteral("Myapp");
        QTest::newRow("two dots") << QStringLiteral("BREAK.TIME.EXE") << QStringLiteral("Break");
        QTest::newRow("first stays lower") << QStringLiteral("/usr/bin/sorvanto") << QStringLiteral("sorvanto");
        QTest::newRow("mixed") << QStringLiteral("/opt/SorVanto") << QStringLiteral("Sorvanto");
        QTest::newRow("dot first") << QStringLiteral("/tmp/.hidden") << QStringLiteral("");
        QTest::newRow("accents") << QString::fromUtf8("/x/ÁGUA.exe") << QString::fromUtf8("Água");
    }

    void theTitleComesFromTheExecutablesName() {
        QFETCH(QString, path);
        QFETCH(QString, title);
        QCOMPARE(applicationTitle(path), title);
    }

    void errorTextsEndWithAFullStop() {
        QCOMPARE(errorBoxText(QStringLiteral("Integer overflow")), QStringLiteral("Integer overflow."));
        QCOMPARE(errorBoxText(QStringLiteral("done.")), QStringLiteral("done."));
        QCOMPARE(errorBoxText(QStringLiteral("what!")), QStringLiteral("what!"));
        QCOMPARE(errorBoxText(QStringLiteral("3")), QStringLiteral("3."));
        QCOMPARE(errorBoxText(QString()), QString());
    }

    void intervalArithmeticIsChecked() {
        QCOMPARE(intervalMilliseconds(1), 60000u);
        QCOMPARE(intervalMilliseconds(2880), 172800000u);
        QCOMPARE(intervalMilliseconds(35791), 2147460000u);
        QCOMPARE(intervalMilliseconds(0), 0u);
        QVERIFY_THROWS_EXCEPTION(IntOverflow, intervalMilliseconds(35792));
        QVERIFY_THROWS_EXCEPTION(IntOverflow, intervalMilliseconds(2147484));
        QVERIFY_THROWS_EXCEPTION(IntOverflow, intervalMilliseconds(-2147483647));
        QVERIFY_THROWS_EXCEPTION(RangeError, intervalMilliseconds(-1));
        QVERIFY_THROWS_EXCEPTION(IntOverflow, checkedMul(INT32_MIN, -1));
        QCOMPARE(checkedMul(-46341, 46340), -2147441940);
    }

    void scaledValuesRoundHalvesAwayFromZero() {
        QCOMPARE(MulDiv(144, 1024, 800), 184);
        QCOMPARE(MulDiv(1, 1, 2), 1);
        QCOMPARE(MulDiv(5, 1, 2), 3);
        QCOMPARE(MulDiv(-5, 1, 2), -3);
        QCOMPARE(MulDiv(5, -1, 2), -3);
        QCOMPARE(MulDiv(5, 1, -2), -3);
        QCOMPARE(MulDiv(-5, -1, -2), -3);
        QCOMPARE(MulDiv(7, 1, 4), 2);
        QCOMPARE(MulDiv(-7, 1, 4), -2);
        // The product needs more than 32 bits; the result does not.
        QCOMPARE(MulDiv(INT32_MAX, INT32_MAX, INT32_MAX), INT32_MAX);
        QCOMPARE(MulDiv(2000000000, 3, 4), 1500000000);
        QVERIFY_THROWS_EXCEPTION(IntOverflow, MulDiv(2680000, 4000000, 800));
        QVERIFY_THROWS_EXCEPTION(IntOverflow, MulDiv(INT32_MIN, -1, 1));
        QVERIFY_THROWS_EXCEPTION(DivByZero, MulDiv(1, 1, 0));
    }

    void fontHeightsAreWholePoints() {
        // At 96 pixels per inch a point is 4/3 of a pixel.
        QCOMPARE(layout::pointsFromPixels(21), 16);
        QCOMPARE(layout::pointsFromPixels(11), 8);
        QCOMPARE(layout::pointsFromPixels(9), 7);
        QCOMPARE(layout::pointsFromPixels(15), 11);
    }

    void theCountdownRestartsOnlyWhenItsSettingsChange() {
        test::FakeTimers timers;
        auto timer = timers.createTimer();
        auto& fake = *timers.timers[0];
        int ticks = 0;
        timer->setEnabled(true);
        QVERIFY(!fake.running());  // no handler yet: nothing counts
        timer->setEnabled(false);
        connect(timer.get(), &Timer::ticked, [&] { ++ticks; });
        timer->setInterval(0);
        timer->setEnabled(true);
        QVERIFY(!fake.running());
        timer->setInterval(5000);
        QCOMPARE(fake.starts(), 1);
        timer->setEnabled(true);
        timer->setInterval(5000);
        QCOMPARE(fake.starts(), 1);
        timer->setInterval(6000);
        QCOMPARE(fake.starts(), 2);
        fake.fire();
        QCOMPARE(ticks, 1);
        timer->setEnabled(false);
        fake.fire();
        QCOMPARE(ticks, 1);

        // A refused countdown leaves the timer disabled, and enabling it again asks again.
        fake.refuse = true;
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, timer->setEnabled(true));
        QVERIFY(!timer->enabled());
        fake.refuse = false;
        timer->setEnabled(true);
        QVERIFY(fake.running());
    }
};

QTEST_MAIN(RulesTest)
#include "tst_rules.moc"
