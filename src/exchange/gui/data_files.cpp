#include "exchange/gui/data_files.h"

#include "app/settings_files.h"
#include "components/widgets.h"
#include "core/messages.h"
#include "exchange/clipboard_text.h"
#include "exchange/gui/copy_to_clipboard_dialog.h"
#include "exchange/gui/data_file_options_dialog.h"
#include "exchange/text_data.h"
#include "exchange/workbook.h"
#include "table/table.h"
#include "table/table_history.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>
#include <QToolButton>

namespace quorvex {

DataFiles::DataFiles(const PartContext& context) : WindowPart(context) {
    CommandRegistry& c = commands();
    QAction* saveItem = c.addAction("N49", QStringLiteral("Save data from Table..."));
    saveItem->setShortcut(QKeySequence::Save);
    QAction* spreadsheetFile = c.addAction("SaveSpreadsheet", message(Msg::SaveSpreadsheetItem));
    QAction* openItem = c.addAction("N50", QStringLiteral("Open data file to Table..."));
    QAction* spreadsheetItem = c.addAction("TableintoExcel1", QStringLiteral("Table into Excel"));
    QAction* clipboardItem =
        c.addAction("ColumninClipboard1", QStringLiteral("Copy to Clipboard..."));
    QToolButton* saveButton =
        glyphButton("SpeedButton16", Glyph::Save, QStringLiteral("Save Table as text file"));
    QToolButton* importButton = glyphButton(
        "SpeedButton2", Glyph::Import,
        QStringLiteral("Import data from text file to Table.\r\nDelimiter must be TAB!"));
    QToolButton* clipboardButton =
        glyphButton("PasteButton", Glyph::Copy, QStringLiteral("Copy to Clipboard..."));
    QToolButton* spreadsheetButton = glyphButton("Excel2", Glyph::Spreadsheet,
                                                 QStringLiteral("Insert Table data into MS Excel"));
    for (QToolButton* b : {saveButton, importButton, clipboardButton, spreadsheetButton})
        c.addWidget(b->objectName().toLatin1().constData(), b);
    for (QObject* control :
         std::initializer_list<QObject*>{saveItem, saveButton, clipboardItem, clipboardButton,
                                         spreadsheetItem, spreadsheetButton, spreadsheetFile}) {
        if (auto* a = qobject_cast<QAction*>(control)) a->setEnabled(false);
        c.addRule(control, CommandNeeds::Data);
    }
    connect(saveItem, &QAction::triggered, this, &DataFiles::saveTable);
    connect(saveButton, &QToolButton::clicked, this, &DataFiles::saveTable);
    connect(spreadsheetFile, &QAction::triggered, this, &DataFiles::saveTableAsSpreadsheet);
    connect(openItem, &QAction::triggered, this, &DataFiles::openDataFile);
    connect(importButton, &QToolButton::clicked, this, &DataFiles::openDataFile);
    connect(clipboardItem, &QAction::triggered, this, &DataFiles::copyToClipboard);
    connect(clipboardButton, &QToolButton::clicked, this, &DataFiles::copyToClipboard);
    connect(spreadsheetItem, &QAction::triggered, this, &DataFiles::exportToSpreadsheet);
    connect(spreadsheetButton, &QToolButton::clicked, this, &DataFiles::exportToSpreadsheet);
    c.addCommand(QStringLiteral("data.saveTable"), [this] { saveTable(); });
}

// The folder of the data-file dialogs: the one last used for data, else the picture's, else the
// home folder (never the program's own, which is no place for a user's data).
QString DataFiles::dataDialogFolder() const {
    const QString remembered = ini().readString(ini::kData, ini::kDirectory, QString());
    if (!remembered.isEmpty() && QFileInfo(remembered).isDir()) return remembered;
    if (!session().document().fileName.isEmpty() &&
        QFileInfo(session().document().fileName).absoluteDir().exists())
        return QFileInfo(session().document().fileName).absolutePath();
    return QDir::homePath();
}

void DataFiles::saveTable() {
    if (session().longOperationRunning()) return; // one long operation at a time
    DataFileOptionsDialog options(window());
    if (!runDialog(&options)) return;
    const std::optional<int> curve = readCurve();
    if (!curve) return;
    const QString folder = dataDialogFolder();
    const auto choice =
        prompter().saveFile(window(), QStringLiteral("Save Table as text file"), folder,
                            {QStringLiteral("Data files (*.dat)"),
                             QStringLiteral("Text files (*.txt)"), QStringLiteral("All files (*)")},
                            QStringLiteral("Untitled"));
    if (!choice) return;
    const QString path = choice->path;
    if (QFileInfo::exists(path) &&
        prompter().question(window(), message(Msg::FileExistsReplace), true) != Answer::Yes)
        return;
    QString error;
    SaveOutcome outcome;
    {
        LongOperation operation(session().longOperationHooks(), table().gridRowCount());
        outcome = saveDataFile(
            table(), *curve, options.options(), path,
            [&operation](int row) { return operation.step(row); }, &error);
    }
    if (outcome == SaveOutcome::Failed) {
        prompter().information(window(), error, true);
        return;
    }
    if (outcome == SaveOutcome::Saved) {
        ini().writeString(ini::kData, ini::kDirectory, QFileInfo(path).absolutePath());
        saveIni();
    }
}

void DataFiles::openDataFile() {
    const QString folder = dataDialogFolder();
    const auto choice = prompter().openFile(
        window(), QStringLiteral("Import data from file to Table"), folder,
        {QStringLiteral("Text files (*.txt *.dat)"), QStringLiteral("All files (*)")}, 0);
    if (!choice) return;
    QFile file(choice->path);
    if (!file.open(QIODevice::ReadOnly)) {
        prompter().information(window(), file.errorString(), true);
        return;
    }
    QString curveError;
    const bool intoEmptyTable = !table().holdsData();
    try {
        TableChangeScope change(history(),
                                message(Msg::ChangeImport).arg(QFileInfo(choice->path).fileName()));
        importDataFile(table(), file.readAll());
    } catch (const ConversionError& error) {
        // The data is in the Table; only the current curve could not follow it.
        curveError = error.message();
    }
    // A file opened into an empty Table starts the work afresh: nothing before it to undo.
    if (intoEmptyTable) history().clear();
    ini().writeString(ini::kData, ini::kDirectory, QFileInfo(choice->path).absolutePath());
    saveIni();
    commands().run(QStringLiteral("table.show"));
    if (!curveError.isEmpty()) prompter().information(window(), curveError, true);
}

// ---- the clipboard

// The text goes to the clipboard as UTF-8 plain text; a clipboard that does not hold it
// afterwards counts as a failure.
void DataFiles::copyToClipboard() {
    CopyToClipboardDialog dialog(window());
    if (!runDialog(&dialog)) return;
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->clear();
    const auto fail = [&] {
        clipboard->clear();
        prompter().information(window(), message(Msg::ClipboardCopyFailed));
    };
    QString text;
    try {
        const int curve = table().currentCurve();
        const CopyMode mode = dialog.mode();
        QByteArray bytes;
        if (mode == CopyMode::XColumn || mode == CopyMode::YColumn) {
            bytes = columnText(table(), 2 * curve - (mode == CopyMode::XColumn ? 1 : 0));
        } else {
            const int columns = table().gridColumnCount(), rows = table().gridRowCount();
            const CopyRange range = rangeForMode(mode, curve, table().nextRow(curve), columns, rows,
                                                 dialog.customRange());
            bytes = rangeText(table(), normalisedRange(range, columns, rows), dialog.separator());
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

bool DataFiles::writeTableWorkbook(const QString& path) {
    if (session().longOperationRunning()) return false;
    QString error;
    WorkbookOutcome outcome;
    {
        LongOperation operation(session().longOperationHooks(), table().gridRowCount());
        outcome = writeWorkbook(
            table(), path, localeDecimalSeparator(),
            [&operation](int row) { return operation.step(row); }, &error);
    }
    if (outcome == WorkbookOutcome::Failed) prompter().information(window(), error, true);
    return outcome == WorkbookOutcome::Written;
}

// Without an automation interface the Table goes into a workbook that the desktop opens with
// its spreadsheet application; without one the workbook stays in the temporary folder and the
// status bar names it.
void DataFiles::exportToSpreadsheet() {
    if (session().longOperationRunning()) return; // one long operation at a time
    QTemporaryFile reserved(temporaryWorkbookTemplate(QDir::tempPath()));
    reserved.setAutoRemove(false);
    if (!reserved.open()) {
        prompter().information(
            window(),
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
    if (!prompter().openDocument(path)) {
        // The workbook stays where the message says; the user may keep it elsewhere instead.
        session().showStatus(QDir::toNativeSeparators(path));
        if (prompter().question(window(),
                                message(Msg::ExcelNotFoundKept).arg(QDir::toNativeSeparators(path)),
                                false) == Answer::Yes &&
            saveTableAsSpreadsheet())
            QFile::remove(path);
    }
}

bool DataFiles::saveTableAsSpreadsheet() {
    const QString folder = dataDialogFolder();
    const auto choice = prompter().saveFile(window(), message(Msg::SaveSpreadsheetTitle), folder,
                                            {QStringLiteral("Excel workbooks (*.xlsx)")},
                                            QStringLiteral("Untitled"));
    if (!choice) return false;
    const QString path = choice->path;
    if (QFileInfo::exists(path) &&
        prompter().question(window(), message(Msg::FileExistsReplace), true) != Answer::Yes)
        return false;
    if (!writeTableWorkbook(path)) return false;
    ini().writeString(ini::kData, ini::kDirectory, QFileInfo(path).absolutePath());
    saveIni();
    return true;
}

} // namespace quorvex
