#include "exchange/text_data.h"

#include "core/atomic_file.h"
#include "table/table.h"

#include <algorithm>

namespace quorvex {

QByteArray dataFileLine(const Table& table, int row, int curve, const DataFileOptions& options) {
    const char delimiter = options.tab ? '\t' : ' ';
    QByteArray line;
    if (options.allColumns) {
        for (int column = 1; column < table.gridColumnCount(); ++column) {
            if (column > 1) line += delimiter;
            line += table.cell(column, row).toUtf8();
        }
    } else {
        line += table.cell(2 * curve - 1, row).toUtf8();
        line += delimiter;
        line += table.cell(2 * curve, row).toUtf8();
    }
    return line;
}

SaveOutcome saveDataFile(const Table& table, int curve, const DataFileOptions& options, const QString& path,
                         const std::function<bool(int)>& step, QString* error) {
    AtomicFile file(path);
    auto failed = [&] {
        if (error) *error = file.errorString();
        return SaveOutcome::Failed;
    };
    if (!file.open()) return failed();
    if (options.firstLine && !file.write(options.firstLineText.toUtf8() + "\r\n")) return failed();
    SaveOutcome outcome = SaveOutcome::Saved;
    QByteArray line;
    for (int row = 1; row <= table.rowCountSetting(); ++row) {
        if (step && !step(row)) {
            outcome = SaveOutcome::Stopped;
            break;
        }
        line = dataFileLine(table, row, curve, options);
        line += "\r\n";
        if (!file.write(line)) return failed();
    }
    if (!file.commit()) return failed();
    return outcome;
}

void importDataFile(Table& table, const QByteArray& bytes) {
    std::vector<QStringList> rows;
    const QString text = QString::fromUtf8(bytes);
    int start = 0;
    const int length = text.size();
    while (start < length) {
        int end = start;
        while (end < length && text[end] != QLatin1Char('\r') && text[end] != QLatin1Char('\n')) ++end;
        rows.push_back(text.mid(start, end - start).split(QLatin1Char('\t')));
        if (end < length && text[end] == QLatin1Char('\r') && end + 1 < length && text[end + 1] == QLatin1Char('\n')) ++end;
        start = end + 1;
    }
    table.importRows(rows);
    const int rowCount = std::min(table.gridRowCount() + 1, Table::kMaxRows);
    table.setRowCount(rowCount);
    table.setNextRow(1, rowCount);
    table.tableEdited(1, rowCount);
}

} // namespace quorvex
