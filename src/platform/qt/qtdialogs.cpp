// SPDX-License-Identifier: GPL-3.0-or-later
#include "qtdialogs.h"

#include "fontchooser.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <algorithm>

namespace sorvanto {

namespace {

// A pattern in the name box, as "*.wav" is when the chooser opens, names no file: confirming it
// shows the files it matches and leaves the chooser open.
class OpenFileChooser : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

protected:
    void accept() override {
        const QStringList files = selectedFiles();
        const QString name = files.isEmpty() ? QString() : QFileInfo(files.constFirst()).fileName();
        if (!name.contains(u'*') && !name.contains(u'?')) {
            QFileDialog::accept();
            return;
        }
        QStringList filters = nameFilters();
        const auto same = std::find_if(filters.cbegin(), filters.cend(),
                                       [&](const QString& filter) { return patterns(filter) == QStringList{name}; });
        if (same != filters.cend()) {
            selectNameFilter(*same);
            return;
        }
        setNameFilters(filters << name);
        selectNameFilter(name);
    }

private:
    // "waves sounds (*.wav)" filters by *.wav.
    static QStringList patterns(const QString& filter) {
        const qsizetype open = filter.lastIndexOf(u'(');
        const QString list = open < 0 ? filter : filter.mid(open + 1).chopped(filter.endsWith(u')') ? 1 : 0);
        return list.split(u' ', Qt::SkipEmptyParts);
    }
};

}  // namespace

// Qt's catalogues come in a package of their own; without them the dialogs stay in English.
QtDialogs::QtDialogs() {
    if (qtTexts_.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qtTexts_);
}

void QtDialogs::showError(const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Critical, title, text, QMessageBox::Ok);
    box.exec();
}

std::optional<FontChoice> QtDialogs::chooseFont(const FontChoice& font) {
    FontChooser chooser(font, QApplication::activeWindow());
    if (chooser.exec() != QDialog::Accepted) return std::nullopt;
    return chooser.choice();
}

std::optional<TColor> QtDialogs::chooseColour(TColor colour) {
    const QColor current = toQColor(colour, QApplication::palette());
    QColorDialog::setCustomColor(0, current);
    QColorDialog chooser(current, QApplication::activeWindow());
    chooser.setOption(QColorDialog::DontUseNativeDialog);
    if (chooser.exec() != QDialog::Accepted) return std::nullopt;
    const QColor chosen = chooser.selectedColor();
    return rgb(chosen.red(), chosen.green(), chosen.blue());
}

std::optional<QString> QtDialogs::chooseOpenFile(const OpenFileOptions& options) {
    OpenFileChooser chooser(QApplication::activeWindow());
    chooser.setOption(QFileDialog::DontUseNativeDialog);
    chooser.setAcceptMode(QFileDialog::AcceptOpen);
    chooser.setFileMode(QFileDialog::AnyFile);
    chooser.setNameFilter(options.filterLabel + QStringLiteral(" (") + options.filterPattern + u')');
    chooser.setDefaultSuffix(options.defaultExtension);
    chooser.setDirectory(options.initialDir);
    // A full name in the name box opens the chooser where that file is.
    chooser.selectFile(options.fileName);
    const bool confirmed = chooser.exec() == QDialog::Accepted;
    QDir::setCurrent(chooser.directory().absolutePath());
    if (!confirmed || chooser.selectedFiles().isEmpty()) return std::nullopt;
    return chooser.selectedFiles().constFirst();
}

}  // namespace sorvanto
