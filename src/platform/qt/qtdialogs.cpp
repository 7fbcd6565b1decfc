#include "qtdialogs.h"

#include "fontchooser.h"

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

namespace sorvanto {

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
    QFileDialog chooser(QApplication::activeWindow());
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
