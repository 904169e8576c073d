#include "exchange/text_data.h"

#include "core/atomic_file.h"
#include "table/table.h"

#include <algorithm>
#include <cstring>

namespace quorvex {

namespace {
void appendLine(const Table& table, int row, int curve, const DataFileOptions& options,
                QByteArray& out) {
    const char delimiter = options.tab ? '\t' : ' ';
    if (options.allColumns)
        table.store().appendRowText(row, 1, table.gridColumnCount() - 1, delimiter, out);
    else
        table.store().appendRowText(row, 2 * curve - 1, 2 * curve, delimiter, out);
}
} // namespace

QByteArray dataFileLine(const Table& table, int row, int curve, const DataFileOptions& options) {
    QByteArray line;
    appendLine(table, row, curve, options, line);
    return line;
}

SaveOutcome saveDataFile(const Table& table, int curve, const DataFileOptions& options,
                         const QString& path, const std::function<bool(int)>& step,
                         QString* error) {
    AtomicFile file(path);
    auto failed = [&] {
        if (error) *error = file.errorString();
        return SaveOutcome::Failed;
    };
    if (!file.open()) return failed();
    if (options.firstLine && !file.write(options.firstLineText.toUtf8() + "\r\n")) return failed();
    SaveOutcome outcome = SaveOutcome::Saved;
    QByteArray block;
    block.reserve(1 << 16);
    for (int row = 1; row <= table.rowCountSetting(); ++row) {
        if (step && !step(row)) {
            outcome = SaveOutcome::Stopped;
            break;
        }
        appendLine(table, row, curve, options, block);
        block += "\r\n";
        if (block.size() >= (1 << 16)) {
            if (!file.write(block)) return failed();
            block.resize(0);
        }
    }
    if (!file.write(block)) return failed();
    if (!file.commit()) return failed();
    return outcome;
}

void importDataFile(Table& table, const QByteArray& bytes) {
    // Lines end at CR, LF or CR LF; fields are separated by TAB.
    const char* p = bytes.constData();
    const char* end = p + bytes.size();
    int lines = 0, widest = 0;
    std::vector<QByteArrayView> fields;
    while (p < end) {
        const char* lineEnd = p;
        while (lineEnd < end && *lineEnd != '\r' && *lineEnd != '\n')
            ++lineEnd;
        fields.clear();
        for (const char* field = p;;) {
            const char* tab = static_cast<const char*>(
                std::memchr(field, '\t', static_cast<std::size_t>(lineEnd - field)));
            if (!tab) {
                fields.emplace_back(field, lineEnd - field);
                break;
            }
            fields.emplace_back(field, tab - field);
            field = tab + 1;
        }
        ++lines;
        table.importRow(lines, fields);
        widest = std::max(widest, static_cast<int>(fields.size()));
        if (lineEnd < end && *lineEnd == '\r' && lineEnd + 1 < end && lineEnd[1] == '\n') ++lineEnd;
        p = lineEnd + 1;
    }
    table.finishImport(lines, widest);
    const int rowCount = std::min(table.gridRowCount() + 1, Table::kMaxRows);
    table.setRowCount(rowCount);
    table.setNextRow(1, rowCount);
    table.tableEdited(1, rowCount);
}

} // namespace quorvex
