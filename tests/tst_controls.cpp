// SPDX-License-Identifier: GPL-3.0-or-later
// The window's controls on their own: the interval field, the self-sizing panels, the radio
// group and the colour list.
#include "controls/colorbox.h"
#include "controls/panel.h"
#include "controls/radiogroup.h"
#include "controls/speedbutton.h"
#include "controls/spinedit.h"

#include <QLabel>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

using namespace sorvanto;

class ControlsTest : public QObject {
    Q_OBJECT

private:
    struct Field {
        QWidget window;
        SpinEdit* spin = new SpinEdit(&window);
        QLineEdit* other = new QLineEdit(&window);
        Field() {
            spin->setRange(1, 2880);
            spin->setText(QStringLiteral("1"));
            spin->setGeometry(0, 0, 50, 19);
            other->move(0, 30);
            window.show();
            spin->setFocus();
        }
        void leave() {
            other->setFocus();
            QCoreApplication::processEvents();
        }
    };

private slots:
    void wholeNumbersAreReadWithoutClamping_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("value");
        QTest::newRow("plain") << "42" << 42;
        QTest::newRow("leading zeros") << "007" << 7;
        QTest::newRow("plus sign") << "+5" << 5;
        QTest::newRow("minus sign") << "-3" << -3;
        QTest::newRow("above the range") << "9000" << 9000;
        QTest::newRow("largest") << "2147483647" << 2147483647;
        QTest::newRow("smallest") << "-2147483648" << int(-2147483648LL);
        QTest::newRow("past 32 bits") << "2147483648" << 1;
        QTest::newRow("far past 32 bits") << "99999999999999999999999" << 1;
        QTest::newRow("empty") << "" << 1;
        QTest::newRow("sign alone") << "-" << 1;
        QTest::newRow("decimal") << "1.5" << 1;
        QTest::newRow("text") << "abc" << 1;
        QTest::newRow("trailing blank") << "5 " << 1;
        QTest::newRow("two signs") << "+-5" << 1;
        QTest::newRow("arabic-indic digits") << QString::fromUtf8("٥") << 1;
    }

    void wholeNumbersAreReadWithoutClamping() {
        QFETCH(QString, text);
        QFETCH(int, value);
        Field f;
        f.spin->setText(text);
        QCOMPARE(f.spin->value(), value);
    }

    void stepsAndArrowKeysStayInTheRange() {
        Field f;
        QTest::keyClick(f.spin, Qt::Key_Down);
        QCOMPARE(f.spin->text(), QStringLiteral("1"));
        QTest::keyClick(f.spin, Qt::Key_Up);
        QCOMPARE(f.spin->text(), QStringLiteral("2"));
        f.spin->setText(QStringLiteral("2880"));
        QTest::keyClick(f.spin, Qt::Key_Up);
        QCOMPARE(f.spin->text(), QStringLiteral("2880"));
        f.spin->setText(QStringLiteral("2147483647"));
        QTest::keyClick(f.spin, Qt::Key_Up);
        QCOMPARE(f.spin->text(), QStringLiteral("2880"));
        f.spin->setText(QStringLiteral("abc"));
        QTest::keyClick(f.spin, Qt::Key_Up);
        QCOMPARE(f.spin->text(), QStringLiteral("2"));

        const auto buttons = f.spin->findChildren<QToolButton*>();
        QCOMPARE(buttons.size(), 2);
        for (QToolButton* b : buttons) {
            QVERIFY(b->autoRepeat());
            QCOMPARE(b->autoRepeatDelay(), 400);
            QCOMPARE(b->autoRepeatInterval(), 100);
            QCOMPARE(b->focusPolicy(), Qt::NoFocus);
        }
        f.spin->setText(QStringLiteral("10"));
        QToolButton* up = buttons[0]->arrowType() == Qt::UpArrow ? buttons[0] : buttons[1];
        QToolButton* down = up == buttons[0] ? buttons[1] : buttons[0];
        QTest::mouseClick(up, Qt::LeftButton);
        QCOMPARE(f.spin->text(), QStringLiteral("11"));
        QTest::mouseClick(down, Qt::LeftButton);
        QTest::mouseClick(down, Qt::LeftButton);
        QCOMPARE(f.spin->text(), QStringLiteral("9"));
    }

    void onlyNumberCharactersCanBeTyped() {
        Field f;
        f.spin->clear();
        QTest::keyClicks(f.spin, QStringLiteral("1a b-+x2"));
        QTest::sendKeyEvent(QTest::Click, f.spin, Qt::Key_unknown, QString::fromUtf8("٣"), Qt::NoModifier);
        QTest::keyClick(f.spin, Qt::Key_Return);
        QTest::keyClick(f.spin, Qt::Key_Enter);
        const QChar point = f.spin->locale().decimalPoint().front();
        QTest::keyClicks(f.spin, QString(point));
        QCOMPARE(f.spin->text(), QStringLiteral("1-+2") + point);
        QTest::keyClick(f.spin, Qt::Key_Backspace);
        QCOMPARE(f.spin->text(), QStringLiteral("1-+2"));
    }

    void leavingTheFieldClampsANumberAndLeavesTextAlone_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("after");
        QTest::newRow("above") << QStringLiteral("5000") << QStringLiteral("2880");
        QTest::newRow("zero") << QStringLiteral("0") << QStringLiteral("1");
        QTest::newRow("negative") << QStringLiteral("-7") << QStringLiteral("1");
        QTest::newRow("in range keeps its zeros") << QStringLiteral("007") << QStringLiteral("007");
        QTest::newRow("text") << QStringLiteral("abc") << QStringLiteral("abc");
        QTest::newRow("past 32 bits") << QStringLiteral("99999999999") << QStringLiteral("99999999999");
        QTest::newRow("empty") << QStringLiteral("") << QStringLiteral("");
    }

    void leavingTheFieldClampsANumberAndLeavesTextAlone() {
        QFETCH(QString, typed);
        QFETCH(QString, after);
        Field f;
        QVERIFY(QTest::qWaitForWindowActive(&f.window));
        f.spin->setFocus();
        f.spin->setText(typed);
        f.leave();
        QCOMPARE(f.spin->text(), after);
    }

    void panelsFitTheirVisibleChildrenWhileTheWindowIsShown() {
        QWidget window;
        window.resize(300, 200);
        auto* panel = new Panel(&window);
        panel->setAutoSize(true);
        panel->setGeometry(50, 40, 143, 36);
        auto* a = new QLabel(QStringLiteral("a"), panel);
        a->setGeometry(3, 1, 55, 11);
        auto* b = new QLabel(QStringLiteral("b"), panel);
        b->setGeometry(72, 1, 60, 11);
        auto* c = new QLabel(QStringLiteral("c"), panel);
        c->setGeometry(62, 15, 80, 18);

        c->hide();
        QCOMPARE(panel->size(), QSize(143, 36));  // not on screen: nothing moves
        c->show();
        window.show();
        c->hide();
        QCOMPARE(panel->geometry(), QRect(50, 40, 131, 13));
        QCOMPARE(a->pos(), QPoint(1, 1));
        QCOMPARE(b->pos(), QPoint(70, 1));
        b->hide();
        QCOMPARE(panel->size(), QSize(57, 13));
        a->hide();
        QCOMPARE(panel->size(), QSize(0, 0));
        QCOMPARE(panel->pos(), QPoint(50, 40));
    }

    void aDockedPanelKeepsItsWidthAndTheRestFollows() {
        QWidget window;
        window.resize(536, 341);
        auto* outer = new Panel(&window);
        outer->setBevelInnerLowered(true);
        outer->setGeometry(0, 0, 536, 341);
        auto* top = new Panel(outer);
        top->setBevelInnerLowered(true);
        top->setAutoSize(true);
        setAlign(top, Align::Top);
        top->setGeometry(2, 2, 532, 75);
        auto* bottom = new Panel(outer);
        setAlign(bottom, Align::Bottom);
        bottom->setGeometry(2, 296, 532, 43);
        auto* rest = new QWidget(outer);
        setAlign(rest, Align::Client);
        auto* line = new QLabel(top);
        line->setGeometry(144, 55, 353, 18);
        auto* other = new QLabel(top);
        other->setGeometry(378, 2, 149, 41);
        window.show();
        alignControls(outer, outer->frameWidth());
        QCOMPARE(rest->geometry(), QRect(2, 77, 532, 219));

        other->hide();
        QCOMPARE(top->geometry(), QRect(2, 2, 532, 22));
        QCOMPARE(line->pos(), QPoint(144, 2));
        QCOMPARE(rest->geometry(), QRect(2, 24, 532, 272));

        outer->resize(800, 600);
        QCOMPARE(bottom->geometry(), QRect(2, 600 - 2 - 43, 796, 43));
        QCOMPARE(rest->geometry(), QRect(2, 24, 796, 600 - 4 - 22 - 43));
    }

    void theRadioGroupReportsOnlyAChangedSelection() {
        RadioGroup group(nullptr, {QStringLiteral("Ativado"), QStringLiteral("Desativado")}, 2);
        group.setItemIndex(1);
        group.resize(149, 41);
        group.show();
        QSignalSpy clicked(&group, &RadioGroup::clicked);
        const auto items = group.findChildren<QRadioButton*>();
        QTest::mouseClick(items[1], Qt::LeftButton);
        QCOMPARE(clicked.count(), 0);
        QTest::mouseClick(items[0], Qt::LeftButton);
        QCOMPARE(clicked.count(), 1);
        QCOMPARE(group.itemIndex(), 0);
        QCOMPARE(items[0]->y(), items[1]->y());
    }

    void theColourListNamesEveryColour() {
        ColorBox box(nullptr);
        QCOMPARE(box.count(), 48);
        QCOMPARE(box.itemText(0), QStringLiteral("Custom..."));
        QCOMPARE(box.colour(0), clBlack);
        QCOMPARE(box.itemText(1), QStringLiteral("Black"));
        QCOMPARE(box.itemText(16), QStringLiteral("White"));
        QCOMPARE(box.itemText(17), QStringLiteral("Money Green"));
        QCOMPARE(box.colour(17), rgb(192, 220, 192));
        QCOMPARE(box.itemText(25), QStringLiteral("Btn Face"));
        QCOMPARE(box.itemText(30), QStringLiteral("Gradient Active Caption"));
        QCOMPARE(box.itemText(43), QStringLiteral("3 D Dk Shadow"));
        QCOMPARE(box.itemText(47), QStringLiteral("Window Text"));
        QCOMPARE(box.colour(47), clWindowText);
        box.selectColour(clWhite);
        QCOMPARE(box.currentIndex(), 16);
    }

    void systemColoursFollowThePalette() {
        QPalette palette;
        palette.setColor(QPalette::Button, QColor(1, 2, 3));
        palette.setColor(QPalette::Base, QColor(4, 5, 6));
        QCOMPARE(toQColor(clBtnFace, palette), QColor(1, 2, 3));
        QCOMPARE(toQColor(clWindow, palette), QColor(4, 5, 6));
        QCOMPARE(toQColor(clNavy, palette), QColor(0, 0, 128));
    }

    void aColourListDrawsItsTextNoTallerThanItself() {
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(35);
        const QFont fitting = fontFitting(font, 18);
        QVERIFY(QFontMetrics(fitting).height() <= 18);
        QFont larger = fitting;
        larger.setPixelSize(fitting.pixelSize() + 1);
        QVERIFY(QFontMetrics(larger).height() > 18);
        font.setPixelSize(9);
        QCOMPARE(fontFitting(font, 18), font);
    }

    void speedButtonsNeverTakeTheFocus() {
        QWidget window;
        SpeedButton button(&window);
        QPixmap strip(32, 16);
        strip.fill(Qt::red);
        button.setGlyph({strip});
        QCOMPARE(button.focusPolicy(), Qt::NoFocus);
        QCOMPARE(button.iconSize(), QSize(16, 16));
        QCOMPARE(button.toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    }
};

QTEST_MAIN(ControlsTest)
#include "tst_controls.moc"
