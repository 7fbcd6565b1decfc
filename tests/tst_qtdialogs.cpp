// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop's real choosers, worked as a user would while they are open: the program's own
// font chooser, and Qt's colour and file choosers as the dialog service sets them up.
#include "platform/qt/fontchooser.h"
#include "platform/qt/qtdialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace sorvanto;

namespace {

const FontChoice FirstChoice = {
    .name = QStringLiteral("MS Sans Serif"), .pointSize = 18, .bold = true, .colour = clRed};

// Runs work on the modal dialog of type Dialog once it is open and active, as a user finds it,
// from inside its event loop. A dialog that work left open, as a failed check does, is cancelled.
// (Activated only after work, a dialog would move its focus while it closes.)
template <class Dialog>
void whenOpen(std::function<void(Dialog*)> work) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, work] {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible() || !dialog->isActiveWindow()) return;
        poll->stop();
        poll->deleteLater();
        work(dialog);
        if (dialog->isVisible()) dialog->reject();
    });
    poll->start(10);
}

void touch(const QString& path) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

}  // namespace

class QtDialogsTest : public QObject {
    Q_OBJECT

private:
    template <class Widget>
    static Widget* part(QWidget* dialog, const char* name) {
        auto* widget = dialog->findChild<Widget*>(QString::fromLatin1(name));
        if (!widget) qFatal("no %s", name);
        return widget;
    }

    QString startDir_;

private slots:
    void initTestCase() { startDir_ = QDir::currentPath(); }
    void cleanup() { QDir::setCurrent(startDir_); }

    // The font chooser.

    void theFontChooserOpensOnTheFontItIsGiven() {
        FontChooser chooser(FirstChoice);
        QCOMPARE(part<QLineEdit>(&chooser, "nameField")->text(), QStringLiteral("MS Sans Serif"));
        QCOMPARE(part<QLineEdit>(&chooser, "styleField")->text(), QStringLiteral("Bold"));
        QCOMPARE(part<QLineEdit>(&chooser, "sizeField")->text(), QStringLiteral("18"));
        QCOMPARE(part<QListWidget>(&chooser, "sizeList")->currentItem()->text(), QStringLiteral("18"));
        QCOMPARE(part<QComboBox>(&chooser, "colourBox")->currentText(), QStringLiteral("Red"));
        QCOMPARE(chooser.choice(), FirstChoice);
    }

    void itListsTheScreenFontsFourStylesAndTheCommonSizes() {
        FontChooser chooser(FirstChoice);
        auto* names = part<QListWidget>(&chooser, "nameList");
        QStringList listed;
        for (int i = 0; i < names->count(); ++i) listed << names->item(i)->text();
        QStringList families = QFontDatabase::families();
        families.removeIf([](const QString& f) { return QFontDatabase::isPrivateFamily(f); });
        QCOMPARE(listed, families);
        QVERIFY(listed.contains(QStringLiteral("Liberation Serif")));
        QCOMPARE(part<QListWidget>(&chooser, "styleList")->count(), 4);
        QCOMPARE(part<QListWidget>(&chooser, "sizeList")->item(0)->text(), QStringLiteral("8"));
        auto* colours = part<QComboBox>(&chooser, "colourBox");
        QCOMPARE(colours->count(), 16);
        QCOMPARE(colours->itemText(0), QStringLiteral("Black"));
        QCOMPARE(colours->itemText(15), QStringLiteral("White"));
    }

    void everythingItOffersEndsUpInTheChoiceAndTheSample() {
        FontChooser chooser(FirstChoice);
        auto* names = part<QListWidget>(&chooser, "nameList");
        names->setCurrentItem(names->findItems(QStringLiteral("Liberation Serif"), Qt::MatchExactly).constFirst());
        part<QListWidget>(&chooser, "styleList")->setCurrentRow(3);
        auto* size = part<QLineEdit>(&chooser, "sizeField");
        size->clear();
        QTest::keyClicks(size, QStringLiteral("2000"));
        QCOMPARE(size->text(), QStringLiteral("200"));
        QVERIFY(!part<QListWidget>(&chooser, "sizeList")->currentItem());
        for (QCheckBox* effect : chooser.findChildren<QCheckBox*>()) effect->setChecked(true);
        part<QComboBox>(&chooser, "colourBox")->setCurrentText(QStringLiteral("Blue"));

        const FontChoice expected = {.name = QStringLiteral("Liberation Serif"),
                                     .pointSize = 200,
                                     .bold = true,
                                     .italic = true,
                                     .underline = true,
                                     .strikeOut = true,
                                     .colour = clBlue};
        QCOMPARE(chooser.choice(), expected);
        auto* sample = part<QLabel>(&chooser, "sample");
        QCOMPARE(sample->font().family(), QStringLiteral("Liberation Serif"));
        QCOMPARE(sample->font().pixelSize(), 267);
        QVERIFY(sample->font().italic() && sample->font().bold() && sample->font().strikeOut());
        QCOMPARE(sample->palette().color(QPalette::WindowText), QColor(Qt::blue));
    }

    void aTypedNameFindsItsFontAndOnlyAKnownNameIsTaken() {
        FontChooser chooser(FirstChoice);
        chooser.show();
        auto* name = part<QLineEdit>(&chooser, "nameField");
        name->clear();
        QTest::keyClicks(name, QStringLiteral("liberation s"));
        QCOMPARE(part<QListWidget>(&chooser, "nameList")->currentItem()->text(), QStringLiteral("Liberation Sans"));
        QCOMPARE(name->text(), QStringLiteral("liberation s"));
        chooser.accept();
        QVERIFY(chooser.isVisible());
        QVERIFY(name->hasSelectedText());

        name->end(false);
        QTest::keyClicks(name, QStringLiteral("ans"));
        QCOMPARE(chooser.choice().name, QStringLiteral("Liberation Sans"));
        auto* size = part<QLineEdit>(&chooser, "sizeField");
        size->clear();
        chooser.accept();
        QVERIFY(chooser.isVisible());
        QTest::keyClicks(size, QStringLiteral("9"));
        chooser.accept();
        QCOMPARE(chooser.result(), int(QDialog::Accepted));
    }

    void aColourOutsideTheBoxIsKeptUnlessChanged_data() {
        QTest::addColumn<uint>("colour");
        QTest::newRow("a theme's colour") << uint(clHighlight);
        QTest::newRow("a colour of no name") << uint(rgb(1, 2, 3));
    }

    void aColourOutsideTheBoxIsKeptUnlessChanged() {
        QFETCH(uint, colour);
        FontChoice font = FirstChoice;
        font.colour = colour;
        FontChooser chooser(font);
        auto* colours = part<QComboBox>(&chooser, "colourBox");
        QCOMPARE(colours->currentText(), QStringLiteral("Custom"));
        QCOMPARE(chooser.choice().colour, TColor(colour));
        colours->setCurrentText(QStringLiteral("Navy"));
        QCOMPARE(chooser.choice().colour, clNavy);
    }

    void theFontServiceReturnsOnlyAConfirmedChoice() {
        QtDialogs dialogs;
        whenOpen<FontChooser>([](FontChooser* chooser) {
            chooser->findChild<QListWidget*>(QStringLiteral("styleList"))->setCurrentRow(0);
            chooser->reject();
        });
        QCOMPARE(dialogs.chooseFont(FirstChoice), std::nullopt);

        whenOpen<FontChooser>([](FontChooser* chooser) {
            chooser->findChild<QListWidget*>(QStringLiteral("styleList"))->setCurrentRow(1);
            chooser->accept();
        });
        FontChoice italic = FirstChoice;
        italic.bold = false;
        italic.italic = true;
        QCOMPARE(dialogs.chooseFont(FirstChoice), italic);
    }

    // The colour chooser.

    void theColourChooserShowsTheColourAsCurrentAndFirstCustom() {
        QtDialogs dialogs;
        whenOpen<QColorDialog>([](QColorDialog* chooser) {
            QCOMPARE(chooser->currentColor(), QColor(10, 20, 30));
            QCOMPARE(QColorDialog::customColor(0), QColor(10, 20, 30));
            chooser->setCurrentColor(QColor(200, 100, 50));
            chooser->accept();
        });
        QCOMPARE(dialogs.chooseColour(rgb(10, 20, 30)), std::optional<TColor>(rgb(200, 100, 50)));

        whenOpen<QColorDialog>([](QColorDialog* chooser) {
            QCOMPARE(chooser->currentColor(), QColor(0, 0, 0));
            chooser->setCurrentColor(QColor(1, 1, 1));
            chooser->reject();
        });
        QCOMPARE(dialogs.chooseColour(clBlack), std::nullopt);
    }

    // The file chooser.

    void theFileChooserOffersWaveFilesAndTakesANewName() {
        QTemporaryDir dir;
        touch(dir.filePath(QStringLiteral("a.wav")));
        touch(dir.filePath(QStringLiteral("b.txt")));
        const OpenFileOptions options = {.initialDir = dir.path(),
                                         .fileName = QStringLiteral("*.wav"),
                                         .filterLabel = QStringLiteral("waves sounds"),
                                         .filterPattern = QStringLiteral("*.wav"),
                                         .defaultExtension = QStringLiteral("wav")};
        QtDialogs dialogs;
        whenOpen<QFileDialog>([&](QFileDialog* chooser) {
            QCOMPARE(QFileInfo(chooser->directory().path()), QFileInfo(dir.path()));
            QCOMPARE(chooser->nameFilters(), QStringList{QStringLiteral("waves sounds (*.wav)")});
            QCOMPARE(chooser->fileMode(), QFileDialog::AnyFile);
            QVERIFY(chooser->isSizeGripEnabled());
            auto* name = chooser->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QCOMPARE(name->text(), QStringLiteral("*.wav"));
            QTest::keyClick(name, Qt::Key_Return);
            QVERIFY(chooser->isVisible());
            QCOMPARE(chooser->selectedNameFilter(), QStringLiteral("waves sounds (*.wav)"));
            name->clear();
            QTest::keyClicks(name, QStringLiteral("*.txt"));
            QTest::keyClick(name, Qt::Key_Return);
            QVERIFY(chooser->isVisible());
            QCOMPARE(chooser->selectedNameFilter(), QStringLiteral("*.txt"));
            name->clear();
            QTest::keyClicks(name, QStringLiteral("novo"));
            QTest::keyClick(name, Qt::Key_Return);
        });
        QCOMPARE(dialogs.chooseOpenFile(options), std::optional<QString>(dir.filePath(QStringLiteral("novo.wav"))));
        QCOMPARE(QFileInfo(QDir::currentPath()), QFileInfo(dir.path()));
    }

    void aFullNameOpensTheChooserWhereTheFileIs() {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sons")));
        const QString chime = dir.filePath(QStringLiteral("sons/chime.wav"));
        touch(chime);
        const OpenFileOptions options = {.initialDir = dir.path(),
                                         .fileName = chime,
                                         .filterLabel = QStringLiteral("waves sounds"),
                                         .filterPattern = QStringLiteral("*.wav"),
                                         .defaultExtension = QStringLiteral("wav")};
        QtDialogs dialogs;
        whenOpen<QFileDialog>([&](QFileDialog* chooser) {
            QCOMPARE(QFileInfo(chooser->directory().path()), QFileInfo(dir.filePath(QStringLiteral("sons"))));
            QCOMPARE(chooser->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text(),
                     QStringLiteral("chime.wav"));
            static_cast<QDialog*>(chooser)->accept();
        });
        QCOMPARE(dialogs.chooseOpenFile(options), std::optional<QString>(chime));

        whenOpen<QFileDialog>([](QFileDialog* chooser) { chooser->reject(); });
        QCOMPARE(dialogs.chooseOpenFile(options), std::nullopt);
    }
};

QTEST_MAIN(QtDialogsTest)
#include "tst_qtdialogs.moc"
