#include "exchange/workbook.h"

#include "core/atomic_file.h"
#include "core/messages.h"
#include "core/numbers.h"
#include "table/table.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <signal.h>
#include <string>
#include <xlsxwriter.h>

namespace quorvex {

namespace {

// Cuts a UTF-8 text to at most `limit` characters of a spreadsheet cell (UTF-16 code units,
// counted here in code points, which is never more), at a character boundary.
std::string_view cutToCellLimit(std::string_view text) {
    std::size_t characters = 0, at = 0;
    while (at < text.size()) {
        const unsigned char lead = static_cast<unsigned char>(text[at]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        // A character outside the basic plane takes two units of the cell's limit.
        const std::size_t units = length == 4 ? 2 : 1;
        if (characters + units > static_cast<std::size_t>(kMaxSpreadsheetText)) break;
        characters += units;
        at += length;
    }
    return text.substr(0, std::min(at, text.size()));
}

QString failure(const QString& path, const QString& reason) {
    return message(Msg::WorkbookWriteFailed).arg(path, reason);
}

} // namespace

WorkbookOutcome writeWorkbook(const Table& table, const QString& path, QChar separatorChar,
                              const RowStep& step, QString* error) {
    const SaveTarget target = resolveSaveTarget(path);
    if (target.kind == SaveTarget::Kind::Refused) {
        if (error) *error = failure(path, target.error);
        return WorkbookOutcome::Failed;
    }
    const QString partial = target.temporaryFolder() + QLatin1Char('/') +
                            QFileInfo(target.path).fileName() + QStringLiteral(".part");
    const QByteArray partialName = QFile::encodeName(partial);
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    lxw_workbook* book = workbook_new_opt(partialName.constData(), &options);
    if (!book) {
        if (error) *error = failure(path, message(Msg::OutOfMemory));
        return WorkbookOutcome::Failed;
    }
    lxw_worksheet* sheet = workbook_add_worksheet(book, nullptr);
    lxw_format* look = workbook_add_format(book);
    format_set_font_name(look, "Times New Roman");
    format_set_font_size(look, 12);
    format_set_shrink(look);
    const int columns = table.gridColumnCount() - 1; // data columns 1 .. columns
    lxw_error result = LXW_NO_ERROR;
    if (sheet && columns > 0)
        result = worksheet_set_column(sheet, 0, static_cast<lxw_col_t>(columns - 1),
                                      LXW_DEF_COL_WIDTH, look);
    const CellSeparator separator(separatorChar);
    const TableStore& store = table.store();
    std::string text;
    bool stopped = false;
    for (int row = 1; row < table.gridRowCount() && result == LXW_NO_ERROR && sheet; ++row) {
        if (step && !step(row)) {
            stopped = true;
            break;
        }
        if (row >= store.storedRows()) continue;
        for (int column = 1; column <= columns && result == LXW_NO_ERROR; ++column) {
            const std::string_view bytes = store.cellBytes(column, row);
            if (bytes.empty()) continue;
            const auto sheetRow = static_cast<lxw_row_t>(row - 1);
            const auto sheetColumn = static_cast<lxw_col_t>(column - 1);
            double number = 0;
            if (tryParseDouble(bytes, separator.view(), number) && std::isfinite(number)) {
                result = worksheet_write_number(sheet, sheetRow, sheetColumn, number, look);
            } else {
                text.assign(cutToCellLimit(bytes));
                result = worksheet_write_string(sheet, sheetRow, sheetColumn, text.c_str(), look);
            }
        }
    }
    if (!sheet) result = LXW_ERROR_MEMORY_MALLOC_FAILED;
    errno = 0;
    const lxw_error closed = workbook_close(book); // frees the workbook in every case
    const int closeErrno = errno;
    if (result == LXW_NO_ERROR) result = closed;
    if (stopped || result != LXW_NO_ERROR) {
        QFile::remove(partial);
        if (stopped) return WorkbookOutcome::Stopped;
        // A failed file operation of the archive writer has its cause in errno ("No space
        // left on device"); the library's own text only names its error code.
        const bool fileOperation = result == LXW_ERROR_ZIP_FILE_OPERATION ||
                                   result == LXW_ERROR_ZIP_CLOSE ||
                                   result == LXW_ERROR_CREATING_TMPFILE;
        const QString reason = fileOperation && closeErrno != 0
                                   ? QString::fromLocal8Bit(std::strerror(closeErrno))
                                   : QString::fromUtf8(lxw_strerror(result));
        if (error) *error = failure(path, reason);
        return WorkbookOutcome::Failed;
    }
    // The complete workbook replaces the target in one step, so an old file stays whole until
    // then.
    QString reason;
    if (!replaceWithTemporary(partial, target, &reason)) {
        if (error) *error = failure(path, reason);
        return WorkbookOutcome::Failed;
    }
    return WorkbookOutcome::Written;
}

} // namespace quorvex

namespace quorvex {

namespace {
const QString kWorkbookPrefix = QStringLiteral("quorvex-table-");
} // namespace

QString temporaryWorkbookTemplate(const QString& folder) {
    return QDir(folder).filePath(kWorkbookPrefix +
                                 QString::number(QCoreApplication::applicationPid()) +
                                 QStringLiteral("-XXXXXX.xlsx"));
}

int removeEarlierTemporaryWorkbooks(const QString& folder) {
    int removed = 0;
    const QStringList names =
        QDir(folder).entryList({kWorkbookPrefix + QStringLiteral("*.xlsx")}, QDir::Files);
    for (const QString& name : names) {
        // "quorvex-table-PID-XXXXXX.xlsx"; a name without a process number is an older one.
        const QString rest = name.mid(kWorkbookPrefix.size());
        bool numbered = false;
        const qint64 pid = rest.section(QLatin1Char('-'), 0, 0).toLongLong(&numbered);
        const bool writerRuns =
            numbered && pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM);
        if (!writerRuns && QFile::remove(QDir(folder).filePath(name))) ++removed;
    }
    return removed;
}

} // namespace quorvex
