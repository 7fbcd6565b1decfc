// SPDX-License-Identifier: GPL-3.0-or-later
// Thousands of generated texts typed into the interval field, the field left, and the reminder
// armed: every one either becomes a valid countdown or stays under the field's value rules,
// never a wrapped interval, never an error box.
#include "fakes/windowfixture.h"

#include <QRandomGenerator>
#include <QTest>
#include <cstdio>

using namespace sorvanto;
using namespace sorvanto::test;

namespace {

// Texts from every character class, and the shapes of numbers that go wrong.
QStringList corpus(int count) {
    const QStringList classes = {
        QStringLiteral("0123456789"),
        QStringLiteral("+-"),
        QStringLiteral(" \t"),
        QStringLiteral("abcxyzABC"),
        QStringLiteral(".,;:!?$#%&*()[]{}\"'\\/"),
        QString::fromUtf8("áçãõéü€£"),
        QString::fromUtf8("٠١٢٣٤٥٦٧٨٩"),
        QString::fromUtf8("😀🎉"),
        QStringLiteral("\x01\x1b\x7f"),
    };
    QStringList texts = {
        QString(),
        QStringLiteral("0"),
        QStringLiteral("-0"),
        QStringLiteral("+0"),
        QStringLiteral("1"),
        QStringLiteral("2880"),
        QStringLiteral("2881"),
        QStringLiteral("00002880"),
        QStringLiteral("35791"),
        QStringLiteral("35792"),
        QStringLiteral("2147483647"),
        QStringLiteral("2147483648"),
        QStringLiteral("-2147483648"),
        QStringLiteral("-2147483649"),
        QStringLiteral("4294967296"),
        QStringLiteral("99999999999999999999"),
        QString(1000, u'9'),
        QString(300, u'0') + u'7',
        QStringLiteral("--5"),
        QStringLiteral("+-5"),
        QStringLiteral("5-"),
        QStringLiteral("1e3"),
        QStringLiteral("0x10"),
        QStringLiteral(" 12"),
        QStringLiteral("12 "),
        QStringLiteral("1,5"),
        QStringLiteral("1.5"),
    };
    QRandomGenerator random(20261208);
    while (texts.size() < count) {
        QString text;
        const int length = random.bounded(1, random.bounded(2) ? 6 : 40);
        for (int i = 0; i < length; ++i) {
            // Digits half the time, so that many texts come close to being numbers.
            const QString& from = classes[random.bounded(2) ? 0 : random.bounded(classes.size())];
            text += from[random.bounded(from.size())];
        }
        texts << text;
    }
    return texts;
}

// Each character as the keyboard delivers it, whether or not it has a key of its own.
void type(QWidget* field, const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, text.mid(i, length), Qt::NoModifier);
        i += length - 1;
    }
}

}  // namespace

class InputTest : public QObject {
    Q_OBJECT

private slots:
    void everyTypedIntervalArmsAValidCountdown() {
        WindowFixture w;
        w.start();
        SpinEdit* field = w.frm->Spininterval;
        const QString allowed = QStringLiteral("0123456789+-") + field->locale().decimalPoint();

        int numbers = 0, others = 0;
        // Each text hides and shows the window, which takes tens of milliseconds under Wine.
        const int count = WindowFixture::onTheFakeScreenAlone() ? 3000 : 500;
        for (const QString& typed : corpus(count)) {
            field->clear();
            type(field, typed);
            const QString kept = field->text();
            for (QChar c : kept) QVERIFY2(allowed.contains(c), qPrintable(typed));

            QFocusEvent leaving(QEvent::FocusOut, Qt::TabFocusReason);
            QCoreApplication::sendEvent(field, &leaving);
            const QString left = field->text();
            const auto number = parseWholeNumber(kept);
            if (number) {
                ++numbers;
                QVERIFY2(parseWholeNumber(left) == std::clamp(*number, 1, 2880), qPrintable(typed + u'|' + left));
            } else {
                ++others;
                QCOMPARE(left, kept);
            }

            w.select(0);
            QVERIFY2(w.timer1().running(), qPrintable(typed));
            const std::uint32_t minutes = number ? std::clamp(*number, 1, 2880) : 1;
            QCOMPARE(w.timer1().interval(), minutes * 60000u);

            w.choose("Configuraes1");
            QVERIFY(w.frm->isVisible());
            w.select(1);
            QVERIFY(!w.timer1().running());
        }
        w.finish();
        std::fprintf(stderr, "%d texts that read as numbers, %d that do not\n", numbers, others);
        QVERIFY(numbers > count / 10 && others > count / 10);
    }
};

QTEST_MAIN(InputTest)
#include "tst_input.moc"
