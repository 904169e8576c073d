// Undoing a "Fixed" format of 100000 x 2 cells through the Table's history, against the format
// alone; and the memory the history holds for it, against the text of the cells it changed.
#include "bench.h"
#include "core/numbers.h"
#include "table/table_history.h"
#include "table/table_operations.h"

#include <algorithm>
#include <cstdlib>
#include <random>

using namespace quorvex;

namespace {

void fillNumbers(Table& table) {
    std::mt19937 random(11);
    std::uniform_real_distribution<double> value(-1000, 1000);
    table.setRowCount(Table::kMaxRows);
    for (int row = 1; row <= Table::kMaxRows; ++row) {
        table.store().setCell(1, row, NumberText(value(random), QChar('.')));
        table.store().setCell(2, row, NumberText(value(random), QChar('.')));
    }
}

std::size_t pairTextBytes(const Table& table) {
    std::size_t bytes = 0;
    for (int row = 1; row <= Table::kMaxRows; ++row)
        bytes += table.store().cellBytes(1, row).size() + table.store().cellBytes(2, row).size();
    return bytes;
}

const bench::Register undoFormat("undo_format", [] {
    NumberStyle style;
    style.format = NumberFormat::Fixed;
    style.precision = 10;
    style.digits = 2;
    const auto format = [&style](Table& table) {
        applyNumberFormat(table, 1, FormatColumns::Both, style, QChar('.'),
                          [](int) { return true; });
    };
    double undoMs = 1e300, formatMs = 1e300, recordedMs = 1e300;
    std::size_t historyBytes = 0, oldText = 0, newText = 0;
    for (int repeat = 0; repeat < 5; ++repeat) {
        Table plain;
        fillNumbers(plain);
        formatMs = std::min(formatMs, bench::bestMs(1, [&] { format(plain); }));

        Table table;
        fillNumbers(table);
        oldText = pairTextBytes(table);
        TableHistory history(table);
        recordedMs = std::min(recordedMs, bench::bestMs(1, [&] {
                                  TableChangeScope change(history, QStringLiteral("format"));
                                  format(table);
                              }));
        newText = pairTextBytes(table);
        historyBytes = history.memoryBytes();
        undoMs = std::min(undoMs, bench::bestMs(1, [&] { history.stack().undo(); }));
        if (pairTextBytes(table) != oldText) std::abort();
    }
    std::printf("undo_format memory_ratio=%.3f history_bytes=%zu changed_old_text_bytes=%zu "
                "new_text_bytes=%zu format_with_history_ms=%.1f\n",
                static_cast<double>(historyBytes) / static_cast<double>(oldText), historyBytes,
                oldText, newText, recordedMs);
    bench::report("undo_format", undoMs, formatMs);
});

} // namespace
