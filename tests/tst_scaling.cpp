// SPDX-License-Identifier: GPL-3.0-or-later
// The window fitted to the screen it starts on: the layout was made for a screen 800 wide and a
// line of text 13 pixels high. Expected places are worked out by hand in the comments, every
// product rounded to the nearest whole number.
#include "fakes/windowfixture.h"

#include <QTest>
#include <optional>

using namespace sorvanto;
using namespace sorvanto::test;

class ScalingTest : public QObject {
    Q_OBJECT

private:
    std::optional<WindowFixture> w;
    Tfrmmain* frm = nullptr;

    void start(QSize screen, int lineHeight = 13, QMargins frame = {}, QSize available = {}) {
        FakeScreen& fake = w->platform.screen;
        fake.screenSize = screen;
        fake.lineHeight = lineHeight;
        fake.frame = frame;
        fake.available = available;
        w->start();
        frm = w->frm.get();
    }
    // Beyond the offscreen platform, the window manager may keep the frame a pixel inside the screen.
    void verifyPlacedAt(QPoint asked) {
        if (WindowFixture::onTheFakeScreenAlone())
            QCOMPARE(frm->pos(), asked);
        else
            QVERIFY((frm->pos() - asked).manhattanLength() <= 1);
    }
    // Pictures from different files may differ in metadata such as their colour space.
    static bool samePixels(const QImage& a, const QImage& b) {
        if (a.size() != b.size()) return false;
        const QImage pa = a.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        const QImage pb = b.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        for (int y = 0; y < pa.height(); ++y)
            for (int x = 0; x < pa.width(); ++x)
                if (pa.pixel(x, y) != pb.pixel(x, y)) return false;
        return true;
    }

private slots:
    void init() { w.emplace(); }
    void cleanup() { w->finish(); }

    void aScreen800WideChangesNothing_data() {
        QTest::addColumn<QSize>("screen");
        QTest::newRow("800 x 600") << QSize(800, 600);
        QTest::newRow("taller") << QSize(800, 1000);
        QTest::newRow("shorter") << QSize(800, 480);
        QTest::newRow("no screen at all") << QSize();
    }

    void aScreen800WideChangesNothing() {
        QFETCH(QSize, screen);
        start(screen, 13, QMargins(4, 23, 4, 4));
        w->verifyAsLaidOut();
        QCOMPARE(frm->btnspexit->geometry(), QRect(492, 5, 39, 36));
        QCOMPARE(frm->ColorBox1->geometry(), QRect(62, 15, 80, 18));
        QCOMPARE(frm->Panel1->font().pixelSize(), 11);
    }

    void otherWidthsScaleEveryControlByTheWidthRatio_data() {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QSize>("client");
        QTest::addColumn<QRect>("editmsg1");
        QTest::addColumn<QRect>("btnspexit");
        QTest::addColumn<QRect>("ColorBox1");
        QTest::addColumn<QRect>("Panel5");
        QTest::addColumn<QRect>("Panel3");
        QTest::addColumn<QRect>("Panel2");
        QTest::addColumn<QRect>("RichEdit1");
        QTest::addColumn<int>("richEditPixels");
        QTest::addColumn<int>("colourListPixels");
        QTest::addColumn<int>("windowPixels");

        // Ratio 1.28. Outer height 768 × 341 ÷ 600 = 436, width 1024 × 536 ÷ 800 = 686, then
        // × 1.28: 878 × 558. editmsg1: 144 → 184.32, 55 → 70.4, right 497 → 636.16, bottom
        // 73 → 93.44. btnspexit: 492 → 629.76, 5 → 6.4, 531 → 679.68, 41 → 52.48. ColorBox1:
        // 62 → 79.36, 15 → 19.2, 142 → 181.76, height kept. Panel5: 139 → 177.92, 5 → 6.4,
        // 282 → 360.96, 41 → 52.48. Panel3's edges 2 → 2.56, 77 → 98.56: 96 high. Panel2's
        // 296 → 378.88, 339 → 433.92: 55 high, at 558 − 2 − 55. Fonts: 21 px is 16 pt → 20.48
        // → 20 pt = 26.67 px; 15 px is 11 pt → 14.08 → 14 pt = 18.67 px; the window's 11 px is
        // 8 pt → 10.24 → 10 pt = 13.33 px.
        QTest::newRow("1024 x 768") << QSize(1024, 768) << QSize(878, 558) << QRect(184, 70, 452, 23)
                                    << QRect(630, 6, 50, 46) << QRect(79, 19, 103, 18) << QRect(178, 6, 183, 46)
                                    << QRect(2, 2, 874, 96) << QRect(2, 501, 874, 55) << QRect(2, 98, 874, 403) << 27
                                    << 19 << 13;

        // Ratio 0.8. The rule gives 480 × 341 ÷ 600 = 272 and 640 × 536 ÷ 800 = 428, then
        // 342 × 218, too small for the controls scaled once: the window keeps 536 × 0.8 = 428.8
        // by 341 × 0.8 = 272.8. editmsg1: 115.2, 44, right 397.6, bottom 58.4. btnspexit:
        // 393.6, 4, 424.8, 32.8. ColorBox1: 49.6, 12, 113.6; 18 high it ends at 30, past
        // Panel5 (111.2, 4, 225.6, 32.8: 29 high), which grows to hold it inside its 1-pixel
        // frame: 31 high. Panel3: 1.6 and 61.6: 60 high. Panel2: 236.8 and 271.2: 34 high, at
        // 273 − 2 − 34. Fonts: 16 pt → 12.8 → 13 pt = 17.33 px; 11 pt → 8.8 → 9 pt = 12 px;
        // 8 pt → 6.4 → 6 pt = 8 px.
        QTest::newRow("640 x 480") << QSize(640, 480) << QSize(429, 273) << QRect(115, 44, 283, 14)
                                   << QRect(394, 4, 31, 29) << QRect(50, 12, 64, 18) << QRect(111, 4, 115, 31)
                                   << QRect(2, 2, 425, 60) << QRect(2, 237, 425, 34) << QRect(2, 62, 425, 175) << 17
                                   << 12 << 8;

        // Ratio 1.7075. The rule gives 436 and 1366 × 536 ÷ 800 = 915, then 1562 × 744: wider
        // than the screen, so 1366 × 744. editmsg1: 245.88, 93.91, right 848.63, bottom
        // 124.65. btnspexit: 840.09, 8.54, 906.68, 70.01. ColorBox1: 105.87, 25.61, 242.47.
        // Panel5: 237.34, 8.54, 481.52, 70.01. Panel3: 3.42 and 131.48: 128 high. Panel2:
        // 505.42 and 578.84: 74 high, at 744 − 2 − 74. Fonts: 16 pt → 27.32 → 27 pt = 36 px;
        // 11 pt → 18.78 → 19 pt = 25.33 px; 8 pt → 13.66 → 14 pt = 18.67 px.
        QTest::newRow("1366 x 768") << QSize(1366, 768) << QSize(1366, 744) << QRect(246, 94, 603, 31)
                                    << QRect(840, 9, 67, 61) << QRect(106, 26, 136, 18) << QRect(237, 9, 245, 61)
                                    << QRect(2, 2, 1362, 128) << QRect(2, 668, 1362, 74) << QRect(2, 130, 1362, 538)
                                    << 36 << 25 << 19;

        // Ratio 2.4. The rule gives 1080 × 341 ÷ 600 = 613 and 1286, then 3086 × 1471: the
        // window takes the screen. editmsg1: 345.6, 132, right 1192.8, bottom 175.2.
        // btnspexit: 1180.8, 12, 1274.4, 98.4. ColorBox1: 148.8, 36, 340.8. Panel5: 333.6, 12,
        // 676.8, 98.4. Panel3: 4.8 and 184.8: 180 high. Panel2: 710.4 and 813.6: 104 high, at
        // 1080 − 2 − 104. Fonts: 16 pt → 38.4 → 38 pt = 50.67 px; 11 pt → 26.4 → 26 pt =
        // 34.67 px; 8 pt → 19.2 → 19 pt = 25.33 px.
        QTest::newRow("1920 x 1080") << QSize(1920, 1080) << QSize(1920, 1080) << QRect(346, 132, 847, 43)
                                     << QRect(1181, 12, 93, 86) << QRect(149, 36, 192, 18) << QRect(334, 12, 343, 86)
                                     << QRect(2, 2, 1916, 180) << QRect(2, 974, 1916, 104) << QRect(2, 182, 1916, 792)
                                     << 51 << 35 << 25;
    }

    void otherWidthsScaleEveryControlByTheWidthRatio() {
        QFETCH(QSize, screen);
        QFETCH(QSize, client);
        start(screen);
        QCOMPARE(frm->size(), client);
        QTEST(frm->editmsg1->geometry(), "editmsg1");
        QTEST(frm->btnspexit->geometry(), "btnspexit");
        QTEST(frm->ColorBox1->geometry(), "ColorBox1");
        QTEST(frm->Panel5->geometry(), "Panel5");
        QTEST(frm->Panel3->geometry(), "Panel3");
        QTEST(frm->Panel2->geometry(), "Panel2");
        QTEST(frm->RichEdit1->geometry(), "RichEdit1");
        QTEST(frm->RichEdit1->font().pixelSize(), "richEditPixels");
        QTEST(frm->ColorBox1->font().pixelSize(), "colourListPixels");
        QTEST(frm->font().pixelSize(), "windowPixels");
        // The panels, Label4 and the check box have no font of their own and follow the window's.
        QTEST(frm->Panel1->font().pixelSize(), "windowPixels");
        QTEST(frm->Label4->font().pixelSize(), "windowPixels");
        QTEST(frm->chkbxsom->font().pixelSize(), "windowPixels");
        verifyPlacedAt(QPoint((screen.width() - client.width()) / 2, (screen.height() - client.height()) / 2));
    }

    void moreFontsAt1024() {
        start(QSize(1024, 768));
        // 12 px is 9 pt → 11.52 → 12 pt = 16 px; 16 px is 12 pt → 15.36 → 15 pt = 20 px;
        // 11 px is 8 pt → 10 pt = 13.33 px; 9 px is 6.75 → 7 pt → 8.96 → 9 pt = 12 px.
        QCOMPARE(frm->editmsg1->font().pixelSize(), 16);
        QCOMPARE(frm->btnspok1->font().pixelSize(), 20);
        QCOMPARE(frm->btnspexit->font().pixelSize(), 13);
        QCOMPARE(frm->Label1->font().pixelSize(), 12);
        QCOMPARE(frm->editsom->font().pixelSize(), 12);
        QCOMPARE(frm->editsom->font().family(), QStringLiteral("MS Sans Serif"));
        QVERIFY(frm->RichEdit1->font().bold());
        // rdgrpativo: 378 → 483.84, 2 → 2.56, right 527 → 674.56, bottom 43 → 55.04.
        QCOMPARE(frm->rdgrpativo->geometry(), QRect(484, 3, 191, 52));
    }

    void theViewsComeBackAsScaled() {
        start(QSize(1024, 768));
        w->choose("Configuraes1");
        // The top panel's bar: the message line, 23 high, inside a frame of 2.
        QCOMPARE(frm->Panel3->height(), 27);
        QCOMPARE(frm->editmsg1->pos(), QPoint(184, 2));
        w->choose("Configuraes1");
        QCOMPARE(frm->Panel3->geometry(), QRect(2, 2, 874, 96));
        QCOMPARE(frm->editmsg1->geometry(), QRect(184, 70, 452, 23));
        QCOMPARE(frm->Panel5->geometry(), QRect(178, 6, 183, 46));
        QCOMPARE(frm->RichEdit1->geometry(), QRect(2, 98, 874, 403));

        w->alert();
        QVERIFY(frm->isMaximized());
        w->configurationAgain();
        QCOMPARE(frm->size(), QSize(878, 558));
    }

    void theFrameCountsInTheOuterSize() {
        // Outer 536 + 8 by 341 + 27. Height 768 × 368 ÷ 600 = 471.04, less the frame 444;
        // width 1024 × 544 ÷ 800 = 696.32, less the frame 688; then 880.64 × 568.32. Outer
        // 889 × 595, centred: (1024 − 889) ÷ 2, (768 − 595) ÷ 2.
        start(QSize(1024, 768), 13, QMargins(4, 23, 4, 4));
        QCOMPARE(frm->size(), QSize(881, 568));
        verifyPlacedAt(QPoint(67, 86));
        QCOMPARE(frm->editmsg1->geometry(), QRect(184, 70, 452, 23));
    }

    void theWindowStaysOffTheDesktopsPanels() {
        // 1920 × 1080 with a panel 40 high: the window may take 1920 × 1040 less its frame.
        start(QSize(1920, 1080), 13, QMargins(1, 20, 1, 1), QSize(1920, 1040));
        QCOMPARE(frm->size(), QSize(1918, 1019));
        verifyPlacedAt(QPoint(0, 20));
    }

    void theLayoutFollowsTheHeightOfText() {
        // A line 16 high instead of 13. Client 536 × 16 ÷ 13 = 659.69, 341 → 419.69.
        // editmsg1: 144 → 177.23, 55 → 67.69, right 497 → 611.69, bottom 73 → 89.85.
        // Fonts: 16 pt → 19.69 → 20 pt = 26.67 px; 8 pt → 9.85 → 10 pt = 13.33 px.
        start(QSize(800, 600), 16);
        QCOMPARE(frm->size(), QSize(660, 420));
        QCOMPARE(frm->editmsg1->geometry(), QRect(177, 68, 435, 22));
        QCOMPARE(frm->ColorBox1->height(), 18);
        QCOMPARE(frm->RichEdit1->font().pixelSize(), 27);
        QCOMPARE(frm->font().pixelSize(), 13);
    }

    void textHeightFirstThenTheScreen() {
        // A line 12 high on a screen 1024 wide. First 12 : 13: client 494.77 × 314.77;
        // editmsg1 132.92, 50.77, right 458.77, bottom 67.38; 21 px = 16 pt → 14.77 → 15 pt
        // = 20 px. Then the screen: 768 × 315 ÷ 600 = 403, 1024 × 495 ÷ 800 = 633, × 1.28:
        // 810.24 × 515.84; editmsg1 170.24, 65.28, right 587.52, bottom 85.76; 15 pt →
        // 19.2 → 19 pt = 25.33 px.
        start(QSize(1024, 768), 12);
        QCOMPARE(frm->size(), QSize(810, 516));
        QCOMPARE(frm->editmsg1->geometry(), QRect(170, 65, 418, 21));
        QCOMPARE(frm->RichEdit1->font().pixelSize(), 25);
    }

    void anOverflowIsShownAndTheWindowWorksAsLaidOut_data() {
        QTest::addColumn<QSize>("screen");
        QTest::newRow("screen height × outer height") << QSize(100000000, 100000000);
        // 600 × 341 and 4000000 × 536 fit; the client width 2680000 × 5000 does not.
        QTest::newRow("scaled client width") << QSize(4000000, 600);
    }

    void anOverflowIsShownAndTheWindowWorksAsLaidOut() {
        if (!WindowFixture::onTheFakeScreenAlone())
            QSKIP("centred on a screen this large, the window lies beyond a real one");
        QFETCH(QSize, screen);
        w->platform.dialogs.expectError(WindowFixture::title(), QStringLiteral("Integer overflow."));
        start(screen);
        QVERIFY(w->platform.dialogs.expectedErrors.isEmpty());
        QVERIFY(w->iconShown());
        w->verifyAsLaidOut();

        // Armed, the window is still reached through the tray icon before the alert.
        w->arm("2");
        QVERIFY(!frm->isVisible());
        w->choose("Configuraes1");
        QVERIFY(frm->isVisible());
        w->timer1().fire();
        QCOMPARE(frm->editmsg1->text(), QStringLiteral("2  minuto(s) atrás  você pediu para lembrar que:"));
        w->clickToEnd(frm->btnspok1);
    }

    void theGlyphAndTheIconComeAtTwiceTheResolution() {
        start(QSize(800, 600));
        const QImage glyph2x(QStringLiteral(":/glyphs/exit@2x.png"));
        const QPixmap glyph = frm->btnspexit->icon().pixmap(QSize(16, 16), 2.0);
        QCOMPARE(frm->btnspexit->iconSize(), QSize(16, 16));
        QCOMPARE(glyph.size(), QSize(32, 32));
        QVERIFY(samePixels(glyph.toImage(), glyph2x.copy(0, 0, 32, 32)));
        QCOMPARE(frm->btnspexit->icon().pixmap(QSize(16, 16), 1.0).size(), QSize(16, 16));

        const QImage icon2x(QStringLiteral(":/icons/sorvanto@2x.png"));
        const QPixmap tray = w->platform.notifyIcon.calls.front().data.hIcon.pixmap(QSize(32, 32), 2.0);
        QCOMPARE(tray.size(), QSize(64, 64));
        QVERIFY(samePixels(tray.toImage(), icon2x));
    }
};

QTEST_MAIN(ScalingTest)
#include "tst_scaling.moc"
