#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

namespace quorvex {

class Table;

// The choices of the "Options of data file" dialog.
struct DataFileOptions {
    bool tab = true;         // delimiter: TAB, else one space
    bool allColumns = false; // every data column, else the current pair
    bool firstLine = false;  // write firstLineText as a first line
    QString firstLineText = QStringLiteral("Text");
};

// One line of the saved file for Table row `row` (without the line end).
QByteArray dataFileLine(const Table& table, int row, int curve, const DataFileOptions& options);

// Saves rows 1 .. row count of the Table, each line ending in CR LF, UTF-8. `step(row)` runs
// before each row and returns false to stop: the lines written so far are kept under the chosen
// name. The file is written under a temporary name and renamed over the target at the end, so a
// failure leaves any old file untouched.
enum class SaveOutcome { Saved, Stopped, Failed };
SaveOutcome saveDataFile(const Table& table, int curve, const DataFileOptions& options,
                         const QString& path, const std::function<bool(int row)>& step,
                         QString* error);

// Loads TAB-separated text into the Table from row 1 and column 1 (see Table::importRows), then
// makes the row count two more than the rows loaded and continues curve 1 after them.
void importDataFile(Table& table, const QByteArray& bytes);

} // namespace quorvex
