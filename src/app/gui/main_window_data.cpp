// Handing the Table to others: text data files (saving and loading), the clipboard and
// spreadsheet workbooks.
#include "app/gui/main_window.h"

#include "core/messages.h"
#include "exchange/clipboard_text.h"
#include "exchange/gui/copy_to_clipboard_dialog.h"
#include "exchange/gui/data_file_options_dialog.h"
#include "exchange/text_data.h"
#include "exchange/workbook.h"
#include "table/table.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QTabWidget>
#include <QTemporaryFile>

namespace quorvex {

// The folder of the data-file dialogs: the one last used for data, else the picture's, else the
// home folder (never the program's own, which is no place for a user's data).
QString MainWindow::dataDialogFolder() const {
    const QString remembered = ini_.readString(ini::kData, ini::kDirectory, QString());
    if (!remembered.isEmpty() && QFileInfo(remembered).isDir()) return remembered;
    if (!document_.fileName.isEmpty() && QFileInfo(document_.fileName).absoluteDir().exists())
        return QFileInfo(document_.fileName).absolutePath();
    return QDir::homePath();
}

void MainWindow::saveTable() {
    if (longOperationRunning_) return; // one long operation at a time
    DataFileOptionsDialog options(this);
    if (!runDialog(&options)) return;
    const std::optional<int> curve = readCurve();
    if (!curve) return;
    const QString folder = dataDialogFolder();
    const auto choice =
        prompter_->saveFile(this, QStringLiteral("Save Table as text file"), folder,
                            {QStringLiteral("Data files (*.dat)"),
                             QStringLiteral("Text files (*.txt)"), QStringLiteral("All files (*)")},
                            QStringLiteral("Untitled"));
    if (!choice) return;
    const QString path = choice->path;
    if (QFileInfo::exists(path) &&
        prompter_->question(this, message(Msg::FileExistsReplace), true) != Answer::Yes)
        return;
    QString error;
    SaveOutcome outcome;
    {
        LongOperation operation(longOperationHooks(), table_->gridRowCount());
        outcome = saveDataFile(
            *table_, *curve, options.options(), path,
            [&operation](int row) { return operation.step(row); }, &error);
    }
    if (outcome == SaveOutcome::Failed) {
        prompter_->information(this, error, true);
        return;
    }
    if (outcome == SaveOutcome::Saved) {
        ini_.writeString(ini::kData, ini::kDirectory, QFileInfo(path).absolutePath());
        saveIni();
    }
}

void MainWindow::openDataFile() {
    const QString folder = dataDialogFolder();
    const auto choice = prompter_->openFile(
        this, QStringLiteral("Import data from file to Table"), folder,
        {QStringLiteral("Text files (*.txt *.dat)"), QStringLiteral("All files (*)")}, 0);
    if (!choice) return;
    QFile file(choice->path);
    if (!file.open(QIODevice::ReadOnly)) {
        prompter_->information(this, file.errorString(), true);
        return;
    }
    QString curveError;
    try {
        importDataFile(*table_, file.readAll());
    } catch (const ConversionError& error) {
        // The data is in the Table; only the current curve could not follow it.
        curveError = error.message();
    }
    ini_.writeString(ini::kData, ini::kDirectory, QFileInfo(choice->path).absolutePath());
    saveIni();
    showTable();
    if (!curveError.isEmpty()) prompter_->information(this, curveError, true);
}

// ---- the clipboard

// The text goes to the clipboard as UTF-8 plain text; a clipboard that does not hold it
// afterwards counts as a failure.
void MainWindow::copyToClipboard() {
    CopyToClipboardDialog dialog(this);
    if (!runDialog(&dialog)) return;
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->clear();
    const auto fail = [&] {
        clipboard->clear();
        prompter_->information(this, message(Msg::ClipboardCopyFailed));
    };
    QString text;
    try {
        const int curve = table_->currentCurve();
        const CopyMode mode = dialog.mode();
        QByteArray bytes;
        if (mode == CopyMode::XColumn || mode == CopyMode::YColumn) {
            bytes = columnText(*table_, 2 * curve - (mode == CopyMode::XColumn ? 1 : 0));
        } else {
            const int columns = table_->gridColumnCount(), rows = table_->gridRowCount();
            const CopyRange range = rangeForMode(mode, curve, table_->nextRow(curve), columns, rows,
                                                 dialog.customRange());
            bytes = rangeText(*table_, normalisedRange(range, columns, rows), dialog.separator());
        }
        text = QString::fromUtf8(bytes);
    } catch (const ConversionError&) {
        return fail(); // the curve number is no number: nothing to copy
    } catch (const std::bad_alloc&) {
        return fail();
    }
    clipboard->setText(text);
    if (clipboard->text() != text) fail();
}

// ---- spreadsheet workbooks

bool MainWindow::writeTableWorkbook(const QString& path) {
    if (longOperationRunning_) return false;
    QString error;
    WorkbookOutcome outcome;
    {
        LongOperation operation(longOperationHooks(), table_->gridRowCount());
        outcome = writeWorkbook(
            *table_, path, localeDecimalSeparator(),
            [&operation](int row) { return operation.step(row); }, &error);
    }
    if (outcome == WorkbookOutcome::Failed) prompter_->information(this, error, true);
    return outcome == WorkbookOutcome::Written;
}

// Without an automation interface the Table goes into a workbook that the desktop opens with
// its spreadsheet application; without one the workbook stays in the temporary folder and the
// status bar names it.
void MainWindow::exportToSpreadsheet() {
    if (longOperationRunning_) return; // one long operation at a time
    QTemporaryFile reserved(temporaryWorkbookTemplate(QDir::tempPath()));
    reserved.setAutoRemove(false);
    if (!reserved.open()) {
        prompter_->information(
            this,
            message(Msg::WorkbookWriteFailed).arg(reserved.fileTemplate(), reserved.errorString()),
            true);
        return;
    }
    const QString path = reserved.fileName();
    reserved.close();
    if (!writeTableWorkbook(path)) {
        QFile::remove(path);
        return;
    }
    if (!prompter_->openDocument(path)) {
        // The workbook stays where the message says; the user may keep it elsewhere instead.
        showStatus(QDir::toNativeSeparators(path));
        if (prompter_->question(this,
                                message(Msg::ExcelNotFoundKept).arg(QDir::toNativeSeparators(path)),
                                false) == Answer::Yes &&
            saveTableAsSpreadsheet())
            QFile::remove(path);
    }
}

bool MainWindow::saveTableAsSpreadsheet() {
    const QString folder = dataDialogFolder();
    const auto choice = prompter_->saveFile(this, message(Msg::SaveSpreadsheetTitle), folder,
                                            {QStringLiteral("Excel workbooks (*.xlsx)")},
                                            QStringLiteral("Untitled"));
    if (!choice) return false;
    const QString path = choice->path;
    if (QFileInfo::exists(path) &&
        prompter_->question(this, message(Msg::FileExistsReplace), true) != Answer::Yes)
        return false;
    if (!writeTableWorkbook(path)) return false;
    ini_.writeString(ini::kData, ini::kDirectory, QFileInfo(path).absolutePath());
    saveIni();
    return true;
}

} // namespace quorvex
