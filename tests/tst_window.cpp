// The main window with fake desktop services: start-up, arming, the alert, the views, the tray
// and every way out.
#include "controls/hintstyle.h"
#include "fakes/fakeplatform.h"
#include "main.h"

#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

using namespace sorvanto;
using namespace sorvanto::test;

class WindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<FakePlatform> platform;
    std::unique_ptr<Tfrmmain> frm;
    std::unique_ptr<QSignalSpy> terminate;

    FakeTimer& timer1() { return *platform->timers.timers.at(0); }
    FakeTimer& timer2() { return *platform->timers.timers.at(1); }
    QString title() const { return applicationTitle(QCoreApplication::applicationFilePath()); }

    void select(int item) {
        QTest::mouseClick(frm->rdgrpativo->findChildren<QRadioButton*>().at(item), Qt::LeftButton);
    }
    void arm(const QString& minutes) {
        frm->Spininterval->setText(minutes);
        select(0);
    }
    void tray(int mouseMessage) { emit platform->notifyIcon.trayMessage(TrayCallbackMessage, mouseMessage); }
    QList<QWidget*> configurationControls() const {
        return {frm->btnspfont, frm->chkbxsom, frm->Labelsom, frm->editsom, frm->Spininterval, frm->Label2,
                frm->rdgrpativo, frm->ColorBox1, frm->Label1, frm->Panel4, frm->Panel5, frm->Panel6};
    }
    void verifyConfigurationView() {
        for (QWidget* c : configurationControls()) QVERIFY2(!c->isHidden(), qPrintable(c->objectName()));
        QVERIFY(frm->btnspok1->isHidden());
        QVERIFY(!frm->btnspexit->isHidden());
        QVERIFY(frm->Label4->isHidden());
    }
    void verifyArmedView() {
        for (QWidget* c : configurationControls()) QVERIFY2(c->isHidden(), qPrintable(c->objectName()));
        QVERIFY(!frm->btnspok1->isHidden());
        QVERIFY(frm->btnspexit->isHidden());
    }
    // The control with the keyboard focus by its name in the layout; a radio item after its group's.
    QString focused() const {
        QWidget* w = QApplication::focusWidget();
        if (auto* item = qobject_cast<QRadioButton*>(w))
            return item->parentWidget()->objectName() + u'/' + item->text();
        return w ? w->objectName() : QString();
    }
    // The offscreen platform keeps its focus window while the window is hidden, so showing it again
    // does not make it the active one, as a desktop does.
    void activate() {
        QApplication::setActiveWindow(frm.get());
        QVERIFY(QTest::qWaitForWindowActive(frm.get()));
    }
    // The stops that Tab (or Shift+Tab) visits from the reminder text until it comes back there.
    QStringList tabCycle(Qt::KeyboardModifiers modifiers = {}) {
        frm->RichEdit1->setFocus(Qt::OtherFocusReason);
        QStringList stops{focused()};
        for (int i = 0; i < 12 && (i == 0 || stops.back() != stops.front()); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, modifiers);
            stops << focused();
        }
        return stops;
    }
    void verifyMinimizedAsHidden() {
        QVERIFY(frm->isVisible());
        QVERIFY(frm->isMinimized());
        QVERIFY(!frm->WindowShown);
    }
    // From the task list, as the window manager does it: the window is restored and activated.
    void bringBack() {
        frm->setWindowState(frm->windowState() & ~Qt::WindowMinimized);
        activate();
        QVERIFY(frm->WindowShown);
        QVERIFY(!frm->isMinimized());
        verifyConfigurationView();
    }
    void verifyLaidOutPlaces() {
        QCOMPARE(frm->Panel3->geometry(), QRect(2, 2, 532, 75));
        QCOMPARE(frm->editmsg1->geometry(), QRect(144, 55, 353, 18));
        QCOMPARE(frm->Panel4->geometry(), QRect(300, 5, 52, 34));
        QCOMPARE(frm->Panel5->geometry(), QRect(139, 5, 143, 36));
        QCOMPARE(frm->Panel6->geometry(), QRect(4, 3, 114, 40));
        QCOMPARE(frm->Spininterval->geometry(), QRect(1, 14, 50, 19));
        QCOMPARE(frm->Label3->geometry(), QRect(3, 1, 55, 11));
        QCOMPARE(frm->RichEdit1->geometry(), QRect(2, 77, 532, 219));
    }

private slots:
    // The program's own style, as it sets it.
    void initTestCase() { QApplication::setStyle(new HintStyle); }

    void init() {
        platform = std::make_unique<FakePlatform>();
        frm = std::make_unique<Tfrmmain>(platform->services());
        terminate = std::make_unique<QSignalSpy>(frm.get(), &Tfrmmain::terminateRequested);
        frm->show();
        QVERIFY(QTest::qWaitForWindowExposed(frm.get()));
    }

    void cleanup() {
        terminate.reset();
        frm.reset();
        QVERIFY2(platform->dialogs.unexpected().isEmpty(), qPrintable(platform->dialogs.unexpected().join(u'\n')));
        platform.reset();
    }

    void startsInTheConfigurationViewWithTheTrayIcon() {
        QCOMPARE(platform->notifyIcon.calls.size(), 1u);
        const auto& add = platform->notifyIcon.calls.front();
        QCOMPARE(add.message, NotifyIconMessage::NIM_ADD);
        QCOMPARE(add.data.cbSize, 88u);
        QCOMPARE(add.data.hWnd.data(), frm.get());
        QCOMPARE(add.data.uID, 0u);
        QCOMPARE(add.data.uFlags, 7u);
        QCOMPARE(add.data.uCallbackMessage, 1025u);
        QCOMPARE(add.data.szTip, title());
        QVERIFY(!add.data.hIcon.isNull());
        QCOMPARE(platform->notifyIcon.hostMenu, frm->PopupMenu1);

        QVERIFY(frm->WindowShown);
        QVERIFY(!frm->AlertRaised);
        verifyConfigurationView();
        verifyLaidOutPlaces();
        QVERIFY(!timer1().enabled());
        QVERIFY(!timer2().enabled());
        QCOMPARE(frm->pos(), QPoint((800 - 536) / 2, (600 - 341) / 2));
    }

    void layoutGivesTheDefaults() {
        QCOMPARE(frm->windowTitle(), QStringLiteral("Velmora-SORVANTO Vrs. 1.0"));
        QCOMPARE(frm->size(), QSize(536, 341));
        QCOMPARE(frm->RichEdit1->toPlainText(), QStringLiteral("está na hora de levantar dessa cadeira!!!"));
        QCOMPARE(frm->editmsg1->text(),
                 QStringLiteral("escreva seu texto de sorvanto abaixo") + QString(56, u' ') + u':');
        QVERIFY(frm->editmsg1->isReadOnly());
        QCOMPARE(frm->Spininterval->text(), QStringLiteral("1"));
        QCOMPARE(frm->Spininterval->minimum(), 1);
        QCOMPARE(frm->Spininterval->maximum(), 2880);
        QCOMPARE(frm->rdgrpativo->itemIndex(), 1);
        QCOMPARE(frm->ColorBox1->currentIndex(), 16);
        QCOMPARE(frm->ColorBox1->currentText(), QStringLiteral("White"));
        QVERIFY(frm->editsom->text().isEmpty());
        QVERIFY(!frm->chkbxsom->isChecked());
        QCOMPARE(frm->RichEdit1->font().pixelSize(), 21);
        QVERIFY(frm->RichEdit1->font().bold());
        QCOMPARE(frm->RichEdit1->palette().color(QPalette::Text), QColor(Qt::red));
        QCOMPARE(frm->btnspok1->font().pixelSize(), 16);
        QCOMPARE(frm->editmsg1->palette().color(QPalette::Text), QColor(Qt::yellow));
        QCOMPARE(frm->editsom->toolTip(), QStringLiteral("clique duas vezes paraescolher o som!"));
        QCOMPARE(frm->btnspfont->toolTip(),
                 QStringLiteral("clique aqui para  modificar a fonte da letra do sorvanto!"));
        QCOMPARE(frm->rdgrpativo->toolTip(), QStringLiteral("ative´desative o sorvanto programado"));
        QCOMPARE(frm->Label3->toolTip(), frm->Label1->toolTip());
        QVERIFY(frm->Label2->toolTip().isEmpty());
        QCOMPARE(frm->chkbxsom->toolTipDuration(), 2500);
        QCOMPARE(frm->btnspfont->focusPolicy(), Qt::NoFocus);
        QCOMPARE(frm->Spininterval->accessibleName(), QStringLiteral("Intervalo"));
        QCOMPARE(frm->chkbxsom->accessibleDescription(), frm->chkbxsom->toolTip());

        const QList<QAction*> items = frm->PopupMenu1->actions();
        QCOMPARE(items.size(), 4);
        QCOMPARE(items[0]->text(), QStringLiteral("Velmora - SORVANTO"));
        QVERIFY(items[1]->isSeparator());
        QCOMPARE(items[2]->text(), QStringLiteral("Configurações"));
        QCOMPARE(items[3]->text(), QStringLiteral("Sair"));
    }

    void armingHidesTheWindowAndStartsTheCountdown_data() {
        QTest::addColumn<QString>("minutes");
        QTest::addColumn<uint>("milliseconds");
        QTest::newRow("one minute") << "1" << 60000u;
        QTest::newRow("ten") << "10" << 600000u;
        QTest::newRow("two days") << "2880" << 2880u * 60000u;
        QTest::newRow("not a number reads as the minimum") << "abc" << 60000u;
    }

    void armingHidesTheWindowAndStartsTheCountdown() {
        QFETCH(QString, minutes);
        QFETCH(uint, milliseconds);
        arm(minutes);
        QVERIFY(!frm->isVisible());
        QVERIFY(!frm->WindowShown);
        QVERIFY(timer1().running());
        QCOMPARE(timer1().interval(), milliseconds);
        verifyArmedView();
    }

    void armedViewShrinksTheTopPanelToABar() {
        arm("1");
        QCOMPARE(frm->Panel3->height(), 22);
        QCOMPARE(frm->editmsg1->pos(), QPoint(144, 2));
        QCOMPARE(frm->Panel4->size(), QSize(0, 0));
        QCOMPARE(frm->Panel6->size(), QSize(0, 0));
        QCOMPARE(frm->Panel5->size(), QSize(57, 13));
        QCOMPARE(frm->Label3->pos(), QPoint(1, 1));
        frm->Configuraes1Click();
        verifyConfigurationView();
        verifyLaidOutPlaces();
    }

    void theAlertComesBackMaximizedOnTop() {
        arm("1");
        timer1().fire();
        QVERIFY(!timer1().running());
        QCOMPARE(frm->editmsg1->text(), QStringLiteral("1  minuto(s) atrás  você pediu para lembrar que:"));
        QVERIFY(frm->isMaximized());
        QVERIFY(frm->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(frm->isVisible());
        QVERIFY(frm->WindowShown);
        QVERIFY(frm->AlertRaised);
        verifyArmedView();
        QCOMPARE(frm->Panel3->height(), 22);
        QVERIFY(platform->sound.played.isEmpty());

        timer1().fire();
        QCOMPARE(timer1().starts(), 1);
        QTest::mouseClick(frm->btnspok1, Qt::LeftButton);
        QCOMPARE(terminate->count(), 1);
        QCOMPARE(platform->notifyIcon.count(NotifyIconMessage::NIM_DELETE), 1);
    }

    void theAlertPlaysTheChosenSound() {
        frm->chkbxsom->setChecked(true);
        frm->editsom->setText(QStringLiteral("/tmp/chime.wav"));
        arm("1");
        timer1().fire();
        QCOMPARE(platform->sound.played, QStringList{QStringLiteral("/tmp/chime.wav")});

        frm->editsom->clear();
        platform->sound.fail = true;
        frm->Configuraes1Click();
        frm->Configuraes1Click();
        select(1);
        select(0);
        timer1().fire();
        QCOMPARE(platform->sound.played.size(), 2);
        QVERIFY(platform->sound.played.back().isEmpty());
        QVERIFY(frm->isVisible());
    }

    void theMessageLineShowsTheFieldAsItIsWhenTheAlertFires_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("shown");
        QTest::newRow("leading zeros") << "007" << "7";
        QTest::newRow("above the range") << "9000" << "9000";
        QTest::newRow("not a number") << "x1" << "1";
        QTest::newRow("past 32 bits") << "99999999999" << "1";
    }

    void theMessageLineShowsTheFieldAsItIsWhenTheAlertFires() {
        QFETCH(QString, field);
        QFETCH(QString, shown);
        arm("5");
        frm->Spininterval->setText(field);
        timer1().fire();
        QVERIFY(frm->editmsg1->text().startsWith(shown + QStringLiteral("  minuto(s) atrás  você")));
    }

    void anAlertWithTheConfigurationOpenKeepsItsControls() {
        arm("3");
        frm->Configuraes1Click();
        QVERIFY(frm->isVisible());
        QVERIFY(timer1().running());
        timer1().fire();
        QVERIFY(frm->isMaximized());
        QVERIFY(!frm->btnspok1->isHidden());
        QVERIFY(frm->btnspexit->isHidden());
        QVERIFY(!frm->Spininterval->isHidden());
        QCOMPARE(frm->editmsg1->text(), QStringLiteral("3  minuto(s) atrás  você pediu para lembrar que:"));
    }

    void desativadoStopsTheCountdownAndReArmingStartsAFreshOne() {
        arm("2");
        frm->Configuraes1Click();
        select(1);
        QVERIFY(!timer1().running());
        QVERIFY(frm->isVisible());
        select(1);
        QVERIFY(!timer1().running());
        frm->Spininterval->setText(QStringLiteral("4"));
        select(0);
        QVERIFY(timer1().running());
        QCOMPARE(timer1().interval(), 240000u);
        QCOMPARE(timer1().starts(), 2);
    }

    void selectingTheSelectedItemDoesNothing() {
        arm("1");
        frm->Configuraes1Click();
        select(0);
        QVERIFY(frm->isVisible());
        QCOMPARE(timer1().starts(), 1);
    }

    void aRefusedTimerIsShownAndTheWindowStaysArmed() {
        timer1().refuse = true;
        platform->dialogs.expectError(title(), QStringLiteral("Not enough timers available."));
        arm("1");
        QVERIFY(platform->dialogs.expectedErrors.isEmpty());
        QVERIFY(!frm->isVisible());
        QVERIFY(!timer1().running());
        QVERIFY(!timer1().enabled());
        verifyArmedView();
    }

    void exitPaths() {
        QTest::mouseClick(frm->btnspexit, Qt::LeftButton);
        QCOMPARE(terminate->count(), 1);
        QCOMPARE(platform->notifyIcon.count(NotifyIconMessage::NIM_DELETE), 1);
        QCOMPARE(platform->notifyIcon.calls.back().data.hWnd.data(), frm.get());
    }

    void sairFromTheMenuStopsBothTimersFirst() {
        arm("1");
        bool firedDuringExit = false;
        connect(&timer1(), &Timer::ticked, [&] { firedDuringExit = true; });
        frm->Sair1->trigger();
        timer1().fire();
        QVERIFY(!firedDuringExit);
        QVERIFY(!timer1().enabled());
        QVERIFY(!timer2().enabled());
        QCOMPARE(terminate->count(), 1);
        QCOMPARE(platform->notifyIcon.count(NotifyIconMessage::NIM_DELETE), 0);
    }

    void closingTheWindowDisarmsAndRemovesTheIcon() {
        arm("1");
        frm->Configuraes1Click();
        QVERIFY(frm->close());
        QVERIFY(!timer1().enabled());
        QCOMPARE(platform->notifyIcon.count(NotifyIconMessage::NIM_DELETE), 1);
        QCOMPARE(terminate->count(), 1);
    }

    void configuracoesTogglesTheWindow() {
        frm->Configuraes1Click();
        QVERIFY(!frm->isVisible());
        QVERIFY(!frm->WindowShown);
        verifyArmedView();
        QCOMPARE(frm->Panel3->height(), 22);
        frm->Configuraes1Click();
        QVERIFY(frm->isVisible());
        verifyConfigurationView();
        verifyLaidOutPlaces();
        QVERIFY(!frm->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(!frm->isMaximized());
    }

    void configuracoesFromTheAlertMakesTheWindowNormalAgain() {
        arm("1");
        timer1().fire();
        frm->Configuraes1Click();
        QVERIFY(!frm->isVisible());
        QVERIFY(!frm->isMaximized());
        QVERIFY(!frm->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(frm->AlertRaised);
        frm->Configuraes1Click();
        verifyConfigurationView();
        QCOMPARE(frm->size(), QSize(536, 341));
        QCOMPARE(frm->editmsg1->text(), QStringLiteral("1  minuto(s) atrás  você pediu para lembrar que:"));
    }

    void doubleClickOnTheBottomPanelHidesUntilTheFirstAlert() {
        QTest::mouseDClick(frm->Panel2, Qt::LeftButton, {}, QPoint(20, 20));
        QVERIFY(!frm->isVisible());
        QVERIFY(!frm->WindowShown);
        frm->Configuraes1Click();
        select(0);
        timer1().fire();
        QTest::mouseDClick(frm->Panel2, Qt::LeftButton, {}, QPoint(20, 20));
        QVERIFY(frm->isVisible());
    }

    void theTrayAnswersTheRightAndMiddleButtonsOnly() {
        arm("1");
        tray(WM_LBUTTONDOWN);
        tray(WM_LBUTTONDBLCLK);
        tray(WM_MOUSEMOVE);
        QVERIFY(platform->pointer.popups.empty());
        QVERIFY(!frm->isVisible());

        platform->pointer.cursor = QPoint(700, 12);
        tray(WM_RBUTTONDOWN);
        QCOMPARE(platform->pointer.popups.size(), 1u);
        QCOMPARE(platform->pointer.popups[0].first, frm->PopupMenu1);
        QCOMPARE(platform->pointer.popups[0].second, QPoint(700, 12));

        timer1().fire();
        tray(WM_MBUTTONDOWN);
        QVERIFY(!frm->isVisible());
        QVERIFY(frm->isMaximized());
        QVERIFY(frm->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        frm->Configuraes1Click();
        verifyConfigurationView();
    }

    void otherMessagesToTheWindowAreNotTrayEvents() {
        emit platform->notifyIcon.trayMessage(TrayCallbackMessage + 1, WM_MBUTTONDOWN);
        QVERIFY(frm->isVisible());
    }

    void minimizingHidesTheWindowAndTheCountdownGoesOn() {
        arm("1");
        frm->Configuraes1Click();
        frm->setWindowState(Qt::WindowMinimized);
        QVERIFY(!frm->isVisible());
        QVERIFY(!frm->WindowShown);
        QVERIFY(timer1().running());
        timer1().fire();
        QVERIFY(frm->isVisible());
        QVERIFY(!frm->isMinimized());
    }

    // Without a tray nothing could bring a hidden window back: every way of hiding minimizes it
    // instead, the countdown going on, and the user's bringing it back is "Configurações".
    void withoutATrayHidingMinimizesAndTheUserBringsTheWindowBack() {
        platform->notifyIcon.trayThere = false;
        arm("30");
        verifyMinimizedAsHidden();
        verifyArmedView();
        QVERIFY(timer1().running());
        bringBack();
        QVERIFY(timer1().running());
        select(1);
        QVERIFY(!timer1().running());

        frm->setWindowState(Qt::WindowMinimized);
        verifyMinimizedAsHidden();
        bringBack();
        QTest::mouseDClick(frm->Panel2, Qt::LeftButton, {}, QPoint(20, 20));
        verifyMinimizedAsHidden();
        bringBack();
        frm->Configuraes1Click();
        verifyMinimizedAsHidden();

        select(0);
        timer1().fire();
        QTRY_VERIFY(frm->isMaximized());
        QVERIFY(frm->WindowShown);
        verifyArmedView();
        tray(WM_MBUTTONDOWN);
        verifyMinimizedAsHidden();

        platform->notifyIcon.trayThere = true;
        bringBack();
        select(1);
        select(0);
        QVERIFY(!frm->isVisible());
        QVERIFY(!frm->isMinimized());
    }

    // A tiling window manager keeps the window on screen: it shows the configuration view at once.
    void withoutATrayAWindowManagerThatKeepsTheWindowShowsTheConfiguration() {
        platform->notifyIcon.trayThere = false;
        platform->windowManager.declinesToMinimize = true;
        arm("30");
        QVERIFY(frm->isVisible());
        QVERIFY(frm->WindowShown);
        verifyConfigurationView();
        QVERIFY(timer1().running());
    }

    // Mapped already maximized, a window loses parts of its first frame under some compositors:
    // the alert comes on screen at its normal size and is maximized there, brought in front as the
    // user would bring it; the configuration view is only shown.
    void theAlertIsMaximizedOnScreenAndBroughtToTheFront() {
        arm("1");
        QTRY_VERIFY(!frm->windowHandle()->isExposed());
        timer1().fire();
        QVERIFY(frm->isVisible());
        QVERIFY(!frm->isMaximized());
        QTRY_VERIFY(frm->isMaximized());
        QCOMPARE(platform->windowManager.broughtToFront, std::vector<QWidget*>{frm.get()});
        frm->Configuraes1Click();
        frm->Configuraes1Click();
        QTRY_VERIFY(frm->windowHandle()->isExposed());
        QVERIFY(!frm->isMaximized());
        QCOMPARE(platform->windowManager.broughtToFront.size(), 1u);
    }

    // A tiling window manager gives the alert less room than the layout: "OK" stays in the window.
    void okStaysInsideANarrowWindow() {
        arm("1");
        timer1().fire();
        QTRY_VERIFY(frm->isMaximized());
        frm->setWindowState(Qt::WindowNoState);
        frm->resize(320, 240);
        QTRY_COMPARE(frm->Panel2->width(), 316);
        QVERIFY(frm->Panel2->rect().contains(frm->btnspok1->geometry()));
        QCOMPARE(frm->btnspok1->y(), 4);
    }

    void theKeyboardVisitsTheControlsInTheirLaidOutOrder() {
        QStringList configuration{"RichEdit1", "editmsg1", "rdgrpativo/Desativado", "Spininterval",
                                  "ColorBox1", "editsom",  "chkbxsom",              "RichEdit1"};
        auto backwards = [](QStringList stops) {
            std::reverse(stops.begin(), stops.end());
            return stops;
        };
        const QString text = frm->RichEdit1->toPlainText();
        QVERIFY(QTest::qWaitForWindowActive(frm.get()));
        QCOMPARE(tabCycle(), configuration);
        QCOMPARE(frm->RichEdit1->toPlainText(), text);
        QCOMPARE(tabCycle(Qt::ShiftModifier), backwards(configuration));
        QTest::keyClick(frm->RichEdit1, Qt::Key_Return);
        QCOMPARE(frm->RichEdit1->document()->blockCount(), 2);

        arm("1");
        timer1().fire();
        activate();
        const QStringList armed{"RichEdit1", "editmsg1", "RichEdit1"};
        QCOMPARE(tabCycle(), armed);
        QCOMPARE(tabCycle(Qt::ShiftModifier), armed);

        frm->Configuraes1Click();
        frm->Configuraes1Click();
        activate();
        configuration[2] = "rdgrpativo/Ativado";
        QCOMPARE(tabCycle(), configuration);
        QCOMPARE(tabCycle(Qt::ShiftModifier), backwards(configuration));
    }

    // Each stop, as Tab reaches it, is marked by at least a line along both its sides in colours
    // that stand out from what was there, the navy panel included.
    void theFocusMarkStandsOutAtEveryStop() {
        QVERIFY(QTest::qWaitForWindowActive(frm.get()));
        frm->RichEdit1->setFocus(Qt::OtherFocusReason);
        for (int stop = 0; stop < 7; ++stop) {
            const QImage before = frm->grab().toImage();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            const QImage after = frm->grab().toImage();
            const QWidget* w = QApplication::focusWidget();
            const QRect place(w->mapTo(frm.get(), QPoint(0, 0)), w->size());
            int marked = 0;
            for (int y = place.top(); y <= place.bottom(); ++y)
                for (int x = place.left(); x <= place.right(); ++x)
                    marked += contrastRatio(after.pixelColor(x, y), before.pixelColor(x, y)) >= 3;
            QVERIFY2(marked >= 2 * w->height(), qPrintable(QStringLiteral("%1: %2").arg(focused()).arg(marked)));
        }
    }

    void theMessageLineIsEnteredFromItsStartWithNothingSelected() {
        QVERIFY(QTest::qWaitForWindowActive(frm.get()));
        for (QWidget* from : std::initializer_list<QWidget*>{frm->RichEdit1, frm->Spininterval}) {
            from->setFocus(Qt::OtherFocusReason);
            for (int i = 0; i < 3 && QApplication::focusWidget() != frm->editmsg1; ++i)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab,
                                from == frm->RichEdit1 ? Qt::NoModifier : Qt::ShiftModifier);
            QCOMPARE(QApplication::focusWidget(), frm->editmsg1);
            QVERIFY(!frm->editmsg1->hasSelectedText());
            QCOMPARE(frm->editmsg1->cursorPosition(), 0);
        }
    }
};

QTEST_MAIN(WindowTest)
#include "tst_window.moc"
