// SPDX-License-Identifier: GPL-3.0-or-later
// The main window with fake desktop services: start-up, arming, the alert, the views, the tray
// and every way out.
#include "controls/hintstyle.h"
#include "fakes/windowfixture.h"

#include <QRadioButton>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>
#include <optional>

using namespace sorvanto;
using namespace sorvanto::test;

class WindowTest : public QObject {
    Q_OBJECT

private:
    std::optional<WindowFixture> w;
    Tfrmmain* frm = nullptr;

    QList<QWidget*> configurationControls() const {
        return {frm->btnspfont,  frm->chkbxsom,  frm->Labelsom, frm->editsom, frm->Spininterval, frm->Label2,
                frm->rdgrpativo, frm->ColorBox1, frm->Label1,   frm->Panel4,  frm->Panel5,       frm->Panel6};
    }
    // The configuration view: on screen, with every control of the configuration, as laid out.
    void verifyConfigurationView() {
        QVERIFY(frm->isVisible());
        for (QWidget* c : configurationControls()) QVERIFY2(!c->isHidden(), qPrintable(c->objectName()));
        QVERIFY(frm->btnspok1->isHidden());
        QVERIFY(!frm->btnspexit->isHidden());
        QVERIFY(frm->Label4->isHidden());
        w->verifyAsLaidOut();
    }
    // The armed view: the configuration's controls hidden, "OK" in place of "Sair", the top panel a bar.
    void verifyArmedView() {
        for (QWidget* c : configurationControls()) QVERIFY2(c->isHidden(), qPrintable(c->objectName()));
        QVERIFY(!frm->btnspok1->isHidden());
        QVERIFY(frm->btnspexit->isHidden());
        QCOMPARE(frm->Panel3->height(), 22);
    }
    // The control with the keyboard focus by its name in the layout; a radio item after its group's.
    QString focused() const {
        QWidget* focus = QApplication::focusWidget();
        if (auto* item = qobject_cast<QRadioButton*>(focus))
            return item->parentWidget()->objectName() + u'/' + item->text();
        return focus ? focus->objectName() : QString();
    }
    // The offscreen platform keeps its focus window while the window is hidden, so showing it again
    // does not make it the active one, as a desktop does.
    void activate() {
        setActiveWindow(frm);
        QVERIFY(QTest::qWaitForWindowActive(frm));
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
    // Tab visits these stops from the reminder text round to it, and Shift+Tab the same the other way.
    void verifyTabCycle(QStringList stops) {
        QCOMPARE(tabCycle(), stops);
        std::reverse(stops.begin(), stops.end());
        QCOMPARE(tabCycle(Qt::ShiftModifier), stops);
    }
    // What the user goes on typing as the alert comes, meant for another program, on the focus here.
    void typeAlong() {
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("ok fine"));
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Space, Qt::Key_Enter})
            QTest::keyClick(QApplication::focusWidget(), key);
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

private slots:
    // The program's own style, as it sets it; the application owns it, which clang-tidy's analyzer
    // does not know.
    // NOLINTNEXTLINE(clang-analyzer-cplusplus.NewDeleteLeaks)
    void initTestCase() { QApplication::setStyle(new HintStyle); }

    void init() {
        w.emplace();
        w->start();
        frm = w->frm.get();
    }

    void cleanup() { w->finish(); }

    void startsInTheConfigurationViewWithTheTrayIcon() {
        QCOMPARE(w->platform.notifyIcon.calls.size(), 1u);
        const auto& add = w->platform.notifyIcon.calls.front();
        QCOMPARE(add.message, NotifyIconMessage::NIM_ADD);
        QCOMPARE(add.data.cbSize, 88u);
        QCOMPARE(add.data.hWnd.data(), frm);
        QCOMPARE(add.data.uID, 0u);
        QCOMPARE(add.data.uFlags, 7u);
        QCOMPARE(add.data.uCallbackMessage, 1025u);
        QCOMPARE(add.data.szTip, WindowFixture::title());
        QVERIFY(!add.data.hIcon.isNull());
        QCOMPARE(w->platform.notifyIcon.hostMenu, frm->PopupMenu1);
        QVERIFY(w->iconShown());

        verifyConfigurationView();
        QVERIFY(!w->timer1().enabled());
        QCOMPARE(frm->pos(), QPoint((800 - 536) / 2, (600 - 341) / 2));
    }

    void layoutGivesTheDefaults() {
        QCOMPARE(frm->windowTitle(), QStringLiteral("Velmora-SORVANTO Vrs. 1.0"));
        QCOMPARE(frm->RichEdit1->toPlainText(), QStringLiteral("está na hora de levantar dessa cadeira!!!"));
        QCOMPARE(frm->editmsg1->text(),
                 QStringLiteral("escreva seu texto de sorvanto abaixo") + QString(56, u' ') + u':');
        QVERIFY(frm->editmsg1->isReadOnly());
        QCOMPARE(frm->Spininterval->text(), QStringLiteral("1"));
        QCOMPARE(frm->rdgrpativo->itemIndex(), 1);
        QCOMPARE(frm->ColorBox1->currentIndex(), 16);
        QCOMPARE(frm->ColorBox1->currentText(), QStringLiteral("White"));
        QVERIFY(frm->editsom->text().isEmpty());
        QVERIFY(!frm->chkbxsom->isChecked());
        QCOMPARE(frm->editmsg1->palette().color(QPalette::Text), QColor(Qt::yellow));
        QCOMPARE(frm->editsom->toolTip(), QStringLiteral("clique duas vezes paraescolher o som!"));
        QCOMPARE(frm->btnspfont->toolTip(),
                 QStringLiteral("clique aqui para  modificar a fonte da letra do sorvanto!"));
        QCOMPARE(frm->rdgrpativo->toolTip(), QStringLiteral("ative´desative o sorvanto programado"));
        QCOMPARE(frm->Label3->toolTip(), frm->Label1->toolTip());
        QVERIFY(frm->Label2->toolTip().isEmpty());
        QCOMPARE(frm->chkbxsom->toolTipDuration(), 2500);
        QCOMPARE(frm->Spininterval->accessibleName(), QStringLiteral("Intervalo"));
        QCOMPARE(frm->chkbxsom->accessibleDescription(), frm->chkbxsom->toolTip());

        const QList<QAction*> items = frm->PopupMenu1->actions();
        QCOMPARE(items.size(), 4);
        QCOMPARE(items[0]->text(), QStringLiteral("Velmora - SORVANTO"));
        QVERIFY(items[1]->isSeparator());
        QCOMPARE(items[2]->text(), QStringLiteral("Configurações"));
        QCOMPARE(items[3]->text(), QStringLiteral("Sair"));
    }

    void armingHidesTheWindowAndStartsTheCountdown() {
        w->arm("10");
        QVERIFY(!frm->isVisible());
        QVERIFY(w->timer1().running());
        QCOMPARE(w->timer1().interval(), 600000u);
        verifyArmedView();
    }

    void armedViewShrinksTheTopPanelToABar() {
        w->arm("1");
        QCOMPARE(frm->Panel3->height(), 22);
        QCOMPARE(frm->editmsg1->pos(), QPoint(144, 2));
        QCOMPARE(frm->Panel4->size(), QSize(0, 0));
        QCOMPARE(frm->Panel6->size(), QSize(0, 0));
        QCOMPARE(frm->Panel5->size(), QSize(57, 13));
        QCOMPARE(frm->Label3->pos(), QPoint(1, 1));
        w->choose("Configuraes1");
        verifyConfigurationView();
    }

    void theAlertComesBackMaximizedOnTop() {
        w->alert();
        QVERIFY(!w->timer1().running());
        QCOMPARE(frm->editmsg1->text(), QStringLiteral("1  minuto(s) atrás  você pediu para lembrar que:"));
        QVERIFY(frm->isMaximized());
        QVERIFY(frm->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(frm->isVisible());
        verifyArmedView();
        QVERIFY(w->platform.sound.played.isEmpty());

        w->clickToEnd(frm->btnspok1);
    }

    void theAlertPlaysTheChosenSound() {
        QTest::mouseClick(frm->chkbxsom, Qt::LeftButton);
        frm->editsom->setText(QStringLiteral("/tmp/chime.wav"));
        w->alert();
        QCOMPARE(w->platform.sound.played, QStringList{QStringLiteral("/tmp/chime.wav")});

        frm->editsom->clear();
        w->platform.sound.fail = true;
        w->configurationAgain();
        w->select(1);
        w->select(0);
        w->timer1().fire();
        QCOMPARE(w->platform.sound.played.size(), 2);
        QVERIFY(w->platform.sound.played.back().isEmpty());
        QVERIFY(frm->isVisible());
    }

    void theMessageLineShowsTheFieldAsItIsWhenTheAlertFires_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("shown");
        QTest::newRow("leading zeros") << QStringLiteral("007") << QStringLiteral("7");
        QTest::newRow("above the range") << QStringLiteral("9000") << QStringLiteral("9000");
        QTest::newRow("not a number") << QStringLiteral("x1") << QStringLiteral("1");
        QTest::newRow("past 32 bits") << QStringLiteral("99999999999") << QStringLiteral("1");
    }

    void theMessageLineShowsTheFieldAsItIsWhenTheAlertFires() {
        QFETCH(QString, field);
        QFETCH(QString, shown);
        w->arm("5");
        frm->Spininterval->setText(field);
        w->timer1().fire();
        QVERIFY(frm->editmsg1->text().startsWith(shown + QStringLiteral("  minuto(s) atrás  você")));
    }

    void anAlertWithTheConfigurationOpenKeepsItsControls() {
        w->arm("3");
        w->choose("Configuraes1");
        QVERIFY(frm->isVisible());
        QVERIFY(w->timer1().running());
        activate();
        QCOMPARE(focused(), QStringLiteral("RichEdit1"));
        w->timer1().fire();
        activate();
        QCOMPARE(focused(), QStringLiteral("editmsg1"));
        QVERIFY(frm->isMaximized());
        QVERIFY(!frm->btnspok1->isHidden());
        QVERIFY(frm->btnspexit->isHidden());
        QVERIFY(!frm->Spininterval->isHidden());
        QCOMPARE(frm->editmsg1->text(), QStringLiteral("3  minuto(s) atrás  você pediu para lembrar que:"));
        w->configurationAgain();
        activate();
        QCOMPARE(focused(), QStringLiteral("RichEdit1"));
    }

    void onlyAChangedSelectionArmsOrDisarms() {
        w->arm("2");
        w->choose("Configuraes1");
        w->select(0);
        QVERIFY(frm->isVisible());
        QCOMPARE(w->timer1().starts(), 1);
        w->select(1);
        QVERIFY(!w->timer1().running());
        QVERIFY(frm->isVisible());
        frm->Spininterval->setText(QStringLiteral("4"));
        w->select(0);
        QVERIFY(w->timer1().running());
        QCOMPARE(w->timer1().interval(), 240000u);
        QCOMPARE(w->timer1().starts(), 2);
    }

    void aRefusedTimerIsShownAndTheWindowStaysArmed() {
        w->timer1().refuse = true;
        w->platform.dialogs.expectError(WindowFixture::title(), QStringLiteral("Not enough timers available."));
        w->arm("1");
        QVERIFY(w->platform.dialogs.expectedErrors.isEmpty());
        QVERIFY(!frm->isVisible());
        QVERIFY(!w->timer1().running());
        QVERIFY(!w->timer1().enabled());
        verifyArmedView();
    }

    void sairRemovesTheIconAndEnds() {
        w->clickToEnd(frm->btnspexit);
        QCOMPARE(w->platform.notifyIcon.calls.back().data.hWnd.data(), frm);
    }

    void sairFromTheMenuStopsTheCountdownBeforeTheLastEvents() {
        w->arm("1");
        QTimer waiting;
        connect(&waiting, &QTimer::timeout, &w->timer1(), &FakeTimer::fire);
        waiting.start(0);
        w->choose("Sair1");
        QVERIFY(!frm->isVisible());
        QVERIFY(!w->timer1().enabled());
        QVERIFY(w->ended);
        QVERIFY(w->iconShown());
    }

    void closingTheWindowDisarmsAndRemovesTheIcon() {
        w->arm("1");
        w->choose("Configuraes1");
        w->closeWindow();
        QVERIFY(!frm->isVisible());
        QVERIFY(!w->timer1().enabled());
        QVERIFY(!w->iconShown());
        QVERIFY(w->ended);
    }

    void configuracoesTogglesTheWindow() {
        w->choose("Configuraes1");
        QVERIFY(!frm->isVisible());
        verifyArmedView();
        w->choose("Configuraes1");
        verifyConfigurationView();
        QVERIFY(!frm->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(!frm->isMaximized());
    }

    void configuracoesFromTheAlertMakesTheWindowNormalAgain() {
        w->alert();
        w->choose("Configuraes1");
        QVERIFY(!frm->isVisible());
        QVERIFY(!frm->isMaximized());
        QVERIFY(!frm->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        w->choose("Configuraes1");
        verifyConfigurationView();
        QCOMPARE(frm->editmsg1->text(), QStringLiteral("1  minuto(s) atrás  você pediu para lembrar que:"));
    }

    void doubleClickOnTheBottomPanelHidesUntilTheFirstAlert() {
        QTest::mouseDClick(frm->Panel2, Qt::LeftButton, {}, QPoint(20, 20));
        QVERIFY(!frm->isVisible());
        w->choose("Configuraes1");
        w->select(0);
        w->timer1().fire();
        QTest::mouseDClick(frm->Panel2, Qt::LeftButton, {}, QPoint(20, 20));
        QVERIFY(frm->isVisible());
    }

    void theTrayAnswersTheRightAndMiddleButtonsOnly() {
        w->arm("1");
        w->tray(WM_LBUTTONDOWN);
        w->tray(WM_LBUTTONDBLCLK);
        w->tray(WM_MOUSEMOVE);
        QVERIFY(w->platform.pointer.popups.empty());
        QVERIFY(!frm->isVisible());

        w->platform.pointer.cursor = QPoint(700, 12);
        w->tray(WM_RBUTTONDOWN);
        QCOMPARE(w->platform.pointer.popups.size(), 1u);
        QCOMPARE(w->platform.pointer.popups[0].first, frm->PopupMenu1);
        QCOMPARE(w->platform.pointer.popups[0].second, QPoint(700, 12));

        w->timer1().fire();
        w->tray(WM_MBUTTONDOWN);
        QVERIFY(!frm->isVisible());
        QVERIFY(frm->isMaximized());
        QVERIFY(frm->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        w->choose("Configuraes1");
        verifyConfigurationView();
    }

    void otherMessagesToTheWindowAreNotTrayEvents() {
        emit w->platform.notifyIcon.trayMessage(TrayCallbackMessage + 1, WM_MBUTTONDOWN);
        QVERIFY(frm->isVisible());
    }

    void minimizingHidesTheWindowAndTheCountdownGoesOn() {
        w->arm("1");
        w->choose("Configuraes1");
        frm->setWindowState(Qt::WindowMinimized);
        QVERIFY(!frm->isVisible());
        QVERIFY(w->timer1().running());
        w->choose("Configuraes1");
        verifyConfigurationView();
        frm->setWindowState(Qt::WindowMinimized);
        w->timer1().fire();
        QVERIFY(frm->isVisible());
        QVERIFY(!frm->isMinimized());
    }

    // Without a tray nothing could bring a hidden window back: every way of hiding minimizes it
    // instead, the countdown going on, and the user's bringing it back is "Configurações".
    void withoutATrayHidingMinimizesAndTheUserBringsTheWindowBack() {
        if (QGuiApplication::platformName() == QLatin1String("windows"))
            QSKIP("Windows always has a notification area; Wine restores a window that minimizes itself at once");
        w->platform.notifyIcon.trayThere = false;
        w->arm("30");
        verifyMinimizedAsHidden();
        verifyArmedView();
        QVERIFY(w->timer1().running());
        bringBack();
        QVERIFY(w->timer1().running());
        w->select(1);
        QVERIFY(!w->timer1().running());

        frm->setWindowState(Qt::WindowMinimized);
        verifyMinimizedAsHidden();
        bringBack();
        QTest::mouseDClick(frm->Panel2, Qt::LeftButton, {}, QPoint(20, 20));
        verifyMinimizedAsHidden();
        bringBack();
        w->choose("Configuraes1");
        verifyMinimizedAsHidden();

        w->select(0);
        w->timer1().fire();
        QTRY_VERIFY(frm->isMaximized());
        QVERIFY(frm->WindowShown);
        verifyArmedView();
        w->tray(WM_MBUTTONDOWN);
        verifyMinimizedAsHidden();

        w->platform.notifyIcon.trayThere = true;
        bringBack();
        w->select(1);
        w->select(0);
        QVERIFY(!frm->isVisible());
        QVERIFY(!frm->isMinimized());
    }

    // A tiling window manager keeps the window on screen: it shows the configuration view at once.
    void withoutATrayAWindowManagerThatKeepsTheWindowShowsTheConfiguration() {
        w->platform.notifyIcon.trayThere = false;
        w->platform.windowManager.declinesToMinimize = true;
        w->arm("30");
        QVERIFY(frm->WindowShown);
        verifyConfigurationView();
        QVERIFY(w->timer1().running());
    }

    // Mapped already maximized, a window loses parts of its first frame under some compositors:
    // the alert comes on screen at its normal size and is maximized there, brought in front as the
    // user would bring it; the configuration view is only shown.
    void theAlertIsMaximizedOnScreenAndBroughtToTheFront() {
        w->arm("1");
        QTRY_VERIFY(!frm->windowHandle()->isExposed());
        w->timer1().fire();
        QVERIFY(frm->isVisible());
        QVERIFY(!frm->isMaximized());
        QTRY_VERIFY(frm->isMaximized());
        QCOMPARE(w->platform.windowManager.broughtToFront, std::vector<QWidget*>{frm});
        w->configurationAgain();
        QTRY_VERIFY(frm->windowHandle()->isExposed());
        QVERIFY(!frm->isMaximized());
        QCOMPARE(w->platform.windowManager.broughtToFront.size(), 1u);
    }

    // A tiling window manager gives the alert less room than the layout: "OK" stays in the window,
    // which then asks for the whole screen as a fullscreen window; it is normal again once left.
    void aTilingWindowManagerGivesTheAlertTheScreenWithOkInside() {
        w->alert();
        QTRY_VERIFY(frm->isMaximized());
        frm->setWindowState(Qt::WindowNoState);
        frm->resize(320, 240);
        QTRY_COMPARE(frm->Panel2->width(), 316);
        QVERIFY(frm->Panel2->rect().contains(frm->btnspok1->geometry()));
        QCOMPARE(frm->btnspok1->y(), 4);
        QTRY_VERIFY(frm->isFullScreen());
        w->configurationAgain();
        QVERIFY(!frm->isFullScreen());
        verifyConfigurationView();
    }

    void theKeyboardVisitsTheControlsInTheirLaidOutOrder() {
        QStringList configuration{"RichEdit1",    "editmsg1",  "rdgrpativo/Desativado",
                                  "Spininterval", "ColorBox1", "editsom",
                                  "chkbxsom",     "RichEdit1"};
        const QString text = frm->RichEdit1->toPlainText();
        QVERIFY(QTest::qWaitForWindowActive(frm));
        verifyTabCycle(configuration);
        QCOMPARE(frm->RichEdit1->toPlainText(), text);
        QTest::keyClick(frm->RichEdit1, Qt::Key_Return);
        QCOMPARE(frm->RichEdit1->document()->blockCount(), 2);

        const QString reminder = frm->RichEdit1->toPlainText();
        w->alert();
        activate();
        QCOMPARE(focused(), QStringLiteral("editmsg1"));
        typeAlong();
        QCOMPARE(frm->RichEdit1->toPlainText(), reminder);
        QVERIFY(!w->ended);
        verifyTabCycle({"RichEdit1", "editmsg1", "RichEdit1"});

        w->configurationAgain();
        activate();
        configuration[2] = "rdgrpativo/Ativado";
        verifyTabCycle(configuration);
    }

    // Each stop, as Tab reaches it, is marked by at least a line along both its sides in colours
    // that stand out from what was there, the navy panel included: with the desktop's highlight,
    // and with one that does not stand out there, as the classic desktops' navy.
    void theFocusMarkStandsOutAtEveryStop_data() {
        QTest::addColumn<QColor>("highlight");
        QTest::newRow("the desktop's") << QColor();
        QTest::newRow("navy") << QColor(0, 0, 128);
    }
    void theFocusMarkStandsOutAtEveryStop() {
        QFETCH(QColor, highlight);
        const QPalette desktops = QApplication::palette();
        const auto restore = qScopeGuard([&] { QApplication::setPalette(desktops); });
        if (highlight.isValid()) {
            QPalette palette = desktops;
            palette.setColor(QPalette::Highlight, highlight);
            QApplication::setPalette(palette);
            // The window takes the desktop's palette when it is made, as the program makes it.
            cleanup();
            init();
        }
        QVERIFY(QTest::qWaitForWindowActive(frm));
        frm->RichEdit1->setFocus(Qt::OtherFocusReason);
        for (int stop = 0; stop < 7; ++stop) {
            const QImage before = frm->grab().toImage();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            const QImage after = frm->grab().toImage();
            const QWidget* w = QApplication::focusWidget();
            const QRect place(w->mapTo(frm, QPoint(0, 0)), w->size());
            int marked = 0;
            for (int y = place.top(); y <= place.bottom(); ++y)
                for (int x = place.left(); x <= place.right(); ++x)
                    marked += contrastRatio(after.pixelColor(x, y), before.pixelColor(x, y)) >= 3;
            QVERIFY2(marked >= 2 * w->height(), qPrintable(QStringLiteral("%1: %2").arg(focused()).arg(marked)));
        }
    }

    void theMessageLineIsEnteredFromItsStartWithNothingSelected() {
        QVERIFY(QTest::qWaitForWindowActive(frm));
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
