#pragma once

#include "table/table_operations.h"

#include <QChar>
#include <QString>

namespace quorvex {

class Table;

// The Table as a spreadsheet workbook (.xlsx): every non-empty data cell goes into the cell of
// the same row and column of the first worksheet (Table row 1, column 1 is A1). A text that
// reads as a number with the given decimal separator is written as a number, any other as a
// string. Every column has the look Times New Roman 12, shrink to fit, no wrap. Rows are
// written one after another in constant memory; the file is written under a temporary name
// beside the target and renamed over it at the end, so a failure or a stop leaves no partial
// workbook and any old file untouched. `step(row)` returns false to stop.
enum class WorkbookOutcome { Written, Stopped, Failed };
WorkbookOutcome writeWorkbook(const Table& table, const QString& path, QChar separator,
                              const RowStep& step, QString* error);

// The workbooks handed to the desktop's spreadsheet application live in the temporary folder
// under names that carry the process number of the program that wrote them: the application
// may still read one after the export returns, so each is removed by a later start, once the
// program that wrote it has ended.
QString temporaryWorkbookTemplate(const QString& folder);
// Removes the temporary workbooks in the folder whose writer no longer runs (and those of
// versions that did not name the writer); returns how many.
int removeEarlierTemporaryWorkbooks(const QString& folder);

// The longest text a spreadsheet cell holds; longer cell texts are cut there.
constexpr int kMaxSpreadsheetText = 32767;

} // namespace quorvex
