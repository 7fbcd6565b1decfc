// SPDX-License-Identifier: GPL-3.0-or-later
// The reminder's font, background colour and sound file, chosen in the main window with fake
// choosers that answer only what each test announced.
#include "fakes/windowfixture.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QPainter>
#include <QSignalSpy>
#include <QStyleOptionComboBox>
#include <QTest>
#include <QTextCursor>
#include <optional>

using namespace sorvanto;
using namespace sorvanto::test;

namespace {

constexpr int Custom = 0, Black = 1, Navy = 5, Silver = 9, Yellow = 12, MoneyGreen = 17, BtnFace = 25;

const FontChoice FirstChoice = {
    .name = QStringLiteral("MS Sans Serif"), .pointSize = 18, .bold = true, .colour = clRed};
const FontChoice Serif = {.name = QStringLiteral("Liberation Serif"),
                          .pointSize = 28,
                          .italic = true,
                          .underline = true,
                          .strikeOut = true,
                          .colour = clBlue};

QColor fromTheme(TColor colour) { return toQColor(colour, QGuiApplication::palette()); }

}  // namespace

class ChoicesTest : public QObject {
    Q_OBJECT

private:
    std::optional<WindowFixture> w;
    Tfrmmain* frm = nullptr;
    std::unique_ptr<QSignalSpy> clicks;
    std::unique_ptr<QSignalSpy> changes;

    FakeDialogs& dialogs() { return w->platform.dialogs; }
    QColor background() const { return frm->RichEdit1->palette().color(QPalette::Base); }
    QColor textColour() const { return frm->RichEdit1->palette().color(QPalette::Text); }

    void pickInDroppedList(int index) {
        ColorBox* box = frm->ColorBox1;
        box->showPopup();
        QAbstractItemView* list = box->view();
        QVERIFY(QTest::qWaitForWindowExposed(list->window()));
        // The dropped list ignores a release that comes right after it opened, as a click's would.
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        const QModelIndex entry = list->model()->index(index, 0);
        list->scrollTo(entry);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(entry).center());
        QTRY_VERIFY(!list->window()->isVisible());
    }

    void key(Qt::Key key) { QTest::keyClick(frm->ColorBox1, key); }

    // A click on the font button, and the chooser's answer.
    void clickFontButton(std::optional<FontChoice> answer) {
        dialogs().expectFont(std::move(answer));
        QTest::mouseClick(frm->btnspfont, Qt::LeftButton);
    }
    // A double click on the sound field, and the file chooser's answer.
    void doubleClickSoundField(std::optional<QString> answer) {
        dialogs().expectOpenFile(std::move(answer));
        QTest::mouseDClick(frm->editsom, Qt::LeftButton, {}, QPoint(10, 10));
    }
    // How many clicks and changes the colour list has reported.
    std::pair<int, int> events() const { return {int(clicks->count()), int(changes->count())}; }

private slots:
    void init() {
        w.emplace();
        w->start();
        frm = w->frm.get();
        clicks = std::make_unique<QSignalSpy>(frm->ColorBox1, &ColorBox::clicked);
        changes = std::make_unique<QSignalSpy>(frm->ColorBox1, &ColorBox::changed);
    }

    void cleanup() {
        clicks.reset();
        changes.reset();
        w->finish();
    }

    // The font button.

    void theFontChooserOpensOnItsFirstChoiceAndCancellingChangesNothing() {
        const QFont font = frm->RichEdit1->font();
        clickFontButton(std::nullopt);
        QCOMPARE(dialogs().fontsShown, std::vector<FontChoice>{FirstChoice});
        QCOMPARE(frm->RichEdit1->font(), font);
        QCOMPARE(textColour(), QColor(Qt::red));
    }

    void aConfirmedFontGoesToTheWholeTextArea() {
        frm->RichEdit1->setPlainText(QStringLiteral("levanta!"));
        clickFontButton(Serif);
        const QFont font = frm->RichEdit1->font();
        QCOMPARE(font.family(), QStringLiteral("Liberation Serif"));
        QCOMPARE(font.pixelSize(), 37);
        QVERIFY(!font.bold());
        QVERIFY(font.italic());
        QVERIFY(font.underline());
        QVERIFY(font.strikeOut());
        QCOMPARE(textColour(), QColor(Qt::blue));
        QTextCursor text(frm->RichEdit1->document());
        text.movePosition(QTextCursor::End);
        QCOMPARE(text.charFormat().font().family(), QStringLiteral("Liberation Serif"));

        FontChoice themed = FirstChoice;
        themed.colour = clHighlight;
        clickFontButton(themed);
        QCOMPARE(textColour(), fromTheme(clHighlight));
        QVERIFY(frm->RichEdit1->font().bold());
        QVERIFY(!frm->RichEdit1->font().italic());
    }

    void theFontChooserRemembersOnlyConfirmedChoices() {
        clickFontButton(Serif);
        clickFontButton(std::nullopt);
        QCOMPARE(dialogs().fontsShown.back(), Serif);

        // What the text area shows meanwhile is not what the chooser opens on.
        QFont other = frm->RichEdit1->font();
        other.setPixelSize(50);
        frm->RichEdit1->setFont(other);
        FontChoice larger = Serif;
        larger.pointSize = 40;
        clickFontButton(larger);
        clickFontButton(std::nullopt);
        QCOMPARE(dialogs().fontsShown, (std::vector<FontChoice>{FirstChoice, Serif, Serif, larger}));
        QCOMPARE(frm->RichEdit1->font().pixelSize(), 53);
    }

    void pointsAndPixelsRoundToTheNearest_data() {
        QTest::addColumn<int>("points");
        QTest::addColumn<int>("pixels");
        QTest::newRow("8 pt") << 8 << 11;
        QTest::newRow("10 pt") << 10 << 13;
        QTest::newRow("11 pt") << 11 << 15;
        QTest::newRow("18 pt") << 18 << 24;
        QTest::newRow("1 pt") << 1 << 1;
        QTest::newRow("999 pt") << 999 << 1332;
    }

    void pointsAndPixelsRoundToTheNearest() {
        QFETCH(int, points);
        QFETCH(int, pixels);
        FontChoice font = FirstChoice;
        font.pointSize = points;
        clickFontButton(font);
        QCOMPARE(frm->RichEdit1->font().pixelSize(), pixels);
    }

    // The colour list.

    void pickingInTheDroppedListAppliesAtOnce() {
        QCOMPARE(background(), QColor(Qt::white));
        pickInDroppedList(Navy);
        QCOMPARE(frm->ColorBox1->currentIndex(), Navy);
        QCOMPARE(background(), QColor(0, 0, 128));
        QCOMPARE(events(), std::pair(1, 1));

        pickInDroppedList(BtnFace);
        QCOMPARE(frm->ColorBox1->currentText(), QStringLiteral("Btn Face"));
        QCOMPARE(background(), fromTheme(clBtnFace));
        QCOMPARE(changes->count(), 2);
    }

    void arrowKeysOnTheClosedListApplyEachEntryWithoutAChooser() {
        frm->ColorBox1->setFocus();
        key(Qt::Key_Down);
        QCOMPARE(frm->ColorBox1->currentIndex(), MoneyGreen);
        QCOMPARE(background(), QColor(192, 220, 192));
        QCOMPARE(events(), std::pair(1, 1));

        for (int i = MoneyGreen; i > Custom; --i) key(Qt::Key_Up);
        QCOMPARE(frm->ColorBox1->currentIndex(), Custom);
        QCOMPARE(background(), QColor(Qt::black));
        QCOMPARE(events(), std::pair(MoneyGreen + 1, MoneyGreen + 1));
        QVERIFY(dialogs().coloursShown.empty());
    }

    void customInTheDroppedListAppliesItsColourThenAsks() {
        QColor whileAsking;
        auto look = [&] {
            whileAsking = background();
            QCOMPARE(events(), std::pair(1, 0));
        };
        dialogs().expectColour(rgb(10, 20, 30), look);
        pickInDroppedList(Custom);
        QCOMPARE(dialogs().coloursShown, std::vector<TColor>{clBlack});
        QCOMPARE(whileAsking, QColor(Qt::black));
        QCOMPARE(frm->ColorBox1->colour(Custom), rgb(10, 20, 30));
        QCOMPARE(background(), QColor(10, 20, 30));
        QCOMPARE(changes->count(), 1);

        // Cancelled: the entry keeps its colour and nothing more happens.
        pickInDroppedList(Yellow);
        dialogs().expectColour(std::nullopt, [&] { whileAsking = background(); });
        pickInDroppedList(Custom);
        QCOMPARE(dialogs().coloursShown.back(), rgb(10, 20, 30));
        QCOMPARE(whileAsking, QColor(10, 20, 30));
        QCOMPARE(frm->ColorBox1->currentIndex(), Custom);
        QCOMPARE(frm->ColorBox1->colour(Custom), rgb(10, 20, 30));
        QCOMPARE(events(), std::pair(3, 2));
    }

    void aCancelledFirstCustomPickLeavesTheTextAreaBlack() {
        dialogs().expectColour(std::nullopt);
        pickInDroppedList(Custom);
        QCOMPARE(background(), QColor(Qt::black));
        QCOMPARE(frm->ColorBox1->colour(Custom), clBlack);
        QCOMPARE(frm->ColorBox1->currentIndex(), Custom);
        QCOMPARE(changes->count(), 0);
    }

    void enterOnTheCustomEntryAsksButAppliesNothing() {
        frm->ColorBox1->setFocus();
        key(Qt::Key_Return);
        QVERIFY(dialogs().coloursShown.empty());

        frm->ColorBox1->setCurrentIndex(Black);
        key(Qt::Key_Up);
        QCOMPARE(background(), QColor(Qt::black));
        const auto eventsBefore = events();
        dialogs().expectColour(rgb(1, 2, 3));
        key(Qt::Key_Return);
        QCOMPARE(dialogs().coloursShown, std::vector<TColor>{clBlack});
        QCOMPARE(frm->ColorBox1->colour(Custom), rgb(1, 2, 3));
        QCOMPARE(background(), QColor(Qt::black));
        QCOMPARE(events(), eventsBefore);

        key(Qt::Key_Down);
        key(Qt::Key_Up);
        QCOMPARE(background(), QColor(1, 2, 3));
    }

    void theClosedListShowsItsEntryAsASwatchAndName() {
        ColorBox* box = frm->ColorBox1;
        QStyleOptionComboBox option;
        option.initFrom(box);
        const QRect field =
            box->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, box);
        const QPoint frame = field.topLeft() + QPoint(1, 1);
        const QPoint inside = frame + QPoint(field.height() / 2 - 1, field.height() / 2 - 1);
        const QPoint gap(field.left() + field.height() + 2, field.center().y());
        auto pixel = [&](QPoint at) { return box->grab().toImage().pixelColor(at); };

        box->setCurrentIndex(Navy);
        QCOMPARE(pixel(inside), QColor(0, 0, 128));
        QCOMPARE(pixel(frame), QColor(0, 0, 128));
        QCOMPARE(pixel(gap), fromTheme(clWindow));
        box->setCurrentIndex(Yellow);
        QCOMPARE(pixel(inside), QColor(Qt::yellow));
        QCOMPARE(pixel(frame), QColor(Qt::black));

        // With the focus the entry shows selected: highlighted, and a dark swatch framed in white.
        QVERIFY(QTest::qWaitForWindowActive(frm));
        box->setFocus();
        box->setCurrentIndex(Navy);
        QCOMPARE(pixel(frame), QColor(Qt::white));
        QCOMPARE(pixel(gap), box->palette().color(QPalette::Highlight));
    }

    void droppedEntriesAreFramedByTheirLightnessAndSelection_data() {
        QTest::addColumn<int>("entry");
        QTest::addColumn<bool>("selected");
        QTest::addColumn<QColor>("frame");
        QTest::newRow("yellow, selected") << Yellow << true << QColor(Qt::black);
        QTest::newRow("money green: one component above 192") << MoneyGreen << false << QColor(Qt::black);
        QTest::newRow("navy, selected") << Navy << true << QColor(Qt::white);
        QTest::newRow("navy") << Navy << false << QColor(0, 0, 128);
        QTest::newRow("silver: 192 is not above") << Silver << false << QColor(192, 192, 192);
        QTest::newRow("custom, black the first time") << Custom << true << QColor(Qt::white);
    }

    void droppedEntriesAreFramedByTheirLightnessAndSelection() {
        QFETCH(int, entry);
        QFETCH(bool, selected);
        QFETCH(QColor, frame);
        ColorBox* box = frm->ColorBox1;
        const QModelIndex index = box->model()->index(entry, 0);
        QStyleOptionViewItem option;
        option.initFrom(box->view());
        option.rect = QRect(0, 0, 120, box->itemHeight());
        if (selected) option.state |= QStyle::State_Selected;
        QCOMPARE(box->itemDelegate()->sizeHint(option, index).height(), 12);
        QImage image(option.rect.size(), QImage::Format_RGB32);
        image.fill(Qt::magenta);
        QPainter painter(&image);
        box->itemDelegate()->paint(&painter, option, index);
        painter.end();
        QCOMPARE(image.pixelColor(1, 1), frame);
        QCOMPARE(image.pixelColor(10, 10), frame);
        QCOMPARE(image.pixelColor(5, 5), toQColor(box->colour(entry), QGuiApplication::palette()));
        QCOMPARE(image.pixelColor(11, 5),
                 selected ? option.palette.color(QPalette::Highlight) : option.palette.color(QPalette::Base));
    }

    // The sound field.

    void theFileChooserStartsInTheProgramsDirectoryWithTheLastName() {
        frm->editsom->setText(QStringLiteral("typed by hand"));
        doubleClickSoundField(std::nullopt);
        QCOMPARE(frm->editsom->text(), QStringLiteral("typed by hand"));
        const OpenFileOptions first = dialogs().openFilesShown.at(0);
        QCOMPARE(first.initialDir, QCoreApplication::applicationDirPath());
        QCOMPARE(first.fileName, QStringLiteral("*.wav"));
        QCOMPARE(first.filterLabel, QStringLiteral("waves sounds"));
        QCOMPARE(first.filterPattern, QStringLiteral("*.wav"));
        QCOMPARE(first.defaultExtension, QStringLiteral("wav"));

        doubleClickSoundField(QStringLiteral("/home/ana/sons/chime.wav"));
        QCOMPARE(frm->editsom->text(), QStringLiteral("/home/ana/sons/chime.wav"));

        frm->editsom->setText(QStringLiteral("typed again"));
        doubleClickSoundField(std::nullopt);
        QCOMPARE(frm->editsom->text(), QStringLiteral("typed again"));
        doubleClickSoundField(std::nullopt);
        for (std::size_t i = 2; i < 4; ++i) {
            QCOMPARE(dialogs().openFilesShown.at(i).fileName, QStringLiteral("/home/ana/sons/chime.wav"));
            QCOMPARE(dialogs().openFilesShown.at(i).initialDir, QCoreApplication::applicationDirPath());
        }
    }

    void onlyTheLeftButtonsDoubleClickOpensTheFileChooser() {
        for (Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton})
            QTest::mouseDClick(frm->editsom, button, {}, QPoint(10, 10));
        QVERIFY(dialogs().openFilesShown.empty());
    }

    // What the alert shows and plays.

    void choicesMadeWhileArmedShowInTheAlert() {
        w->select(0);
        w->choose("Configuraes1");
        QVERIFY(frm->isVisible());
        QTest::mouseClick(frm->chkbxsom, Qt::LeftButton);
        doubleClickSoundField(QStringLiteral("/tmp/ding.wav"));
        clickFontButton(Serif);
        frm->ColorBox1->setFocus();
        key(Qt::Key_Down);
        w->timer1().fire();

        QVERIFY(frm->isMaximized());
        QCOMPARE(background(), QColor(192, 220, 192));
        QCOMPARE(textColour(), QColor(Qt::blue));
        QCOMPARE(frm->RichEdit1->font().family(), QStringLiteral("Liberation Serif"));
        QCOMPARE(frm->RichEdit1->font().pixelSize(), 37);
        QCOMPARE(w->platform.sound.played, QStringList{QStringLiteral("/tmp/ding.wav")});
    }
};

QTEST_MAIN(ChoicesTest)
#include "tst_choices.moc"
