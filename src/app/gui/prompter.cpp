#include "app/gui/prompter.h"

#include "core/file_filter.h"
#include "image/image_document.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

namespace quorvex {

Answer QtPrompter::question(QWidget* parent, const QString& text, bool withCancel) {
    auto buttons = QMessageBox::Yes | QMessageBox::No;
    if (withCancel) buttons |= QMessageBox::Cancel;
    const auto answer = QMessageBox::question(parent, bareCaption(), text, buttons);
    if (answer == QMessageBox::Yes) return Answer::Yes;
    if (answer == QMessageBox::No) return Answer::No;
    return withCancel ? Answer::Cancel : Answer::No;
}

void QtPrompter::information(QWidget* parent, const QString& text, bool warning) {
    if (warning)
        QMessageBox::warning(parent, bareCaption(), text);
    else
        QMessageBox::information(parent, bareCaption(), text);
}

std::optional<Prompter::OpenChoice> QtPrompter::openFile(QWidget* parent, const QString& title,
                                                         const QString& folder,
                                                         const QStringList& filters, int filter) {
    QFileDialog dialog(parent, title, folder);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(filters);
    if (filter >= 0 && filter < filters.size()) dialog.selectNameFilter(filters[filter]);
    bool switched = false;
    QObject::connect(&dialog, &QFileDialog::filterSelected, [&switched] { switched = true; });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return OpenChoice{dialog.selectedFiles().front(),
                      static_cast<int>(filters.indexOf(dialog.selectedNameFilter())), switched};
}

std::optional<Prompter::SaveChoice> QtPrompter::saveFile(QWidget* parent, const QString& title,
                                                         const QString& folder,
                                                         const QStringList& filters,
                                                         const QString& initialName) {
    QFileDialog dialog(parent, title, folder);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    // The program asks its own overwrite question.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setNameFilters(filters);
    if (!filters.isEmpty()) dialog.setDefaultSuffix(filterSuffix(filters.front()));
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog](const QString& filter) {
                         // "All files" keeps the extension of the type chosen before.
                         const QString suffix = filterSuffix(filter);
                         if (!suffix.isEmpty()) dialog.setDefaultSuffix(suffix);
                     });
    if (!initialName.isEmpty()) dialog.selectFile(initialName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return SaveChoice{dialog.selectedFiles().front(),
                      std::max(0, static_cast<int>(filters.indexOf(dialog.selectedNameFilter())))};
}

std::optional<QColor> QtPrompter::colour(QWidget* parent, const QColor& initial) {
    const QColor chosen = QColorDialog::getColor(initial, parent);
    if (!chosen.isValid()) return std::nullopt;
    return chosen;
}

bool QtPrompter::run(QDialog* dialog) {
    return dialog->exec() == QDialog::Accepted;
}

void QtPrompter::preparePrinter(QWidget*, QPrinter&) {}

bool QtPrompter::openDocument(const QString& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

} // namespace quorvex
