#include "grapher/grapher_table.h"

#include "core/messages.h"
#include "core/numbers.h"

#include <string>

namespace quorvex {

namespace {

bool candidateRow(const Table& table, int xColumn, int row) {
    const std::string_view x = table.store().cellBytes(xColumn, row);
    return !x.empty() && x.front() != 'X';
}

// The two numbers of a row; ConversionError with the text of the cell that is none.
std::pair<double, double> rowNumbers(const Table& table, int xColumn, int row,
                                     const CellSeparator& separator) {
    const TableStore& store = table.store();
    return {cellNumber(store.cellBytes(xColumn, row), separator),
            cellNumber(store.cellBytes(xColumn + 1, row), separator)};
}

} // namespace

TableOutcome addPairPoints(const Table& table, int curve, ChartSeries& series, Colour colour,
                           QChar separatorChar, const RowStep& step) {
    const CellSeparator separator(separatorChar);
    const int xColumn = 2 * curve - 1;
    series.reserve(series.size() + table.rowCountSetting());
    for (int row = 1; row <= table.rowCountSetting(); ++row) {
        if (step && !step(row)) return TableOutcome::Stopped;
        if (table.store().isEmpty(xColumn, row) && table.store().isEmpty(xColumn + 1, row))
            continue;
        const auto [x, y] = rowNumbers(table, xColumn, row, separator);
        series.add(x, y, colour);
    }
    return TableOutcome::Done;
}

int rowOfPoint(const Table& table, int curve, double x, double y, QChar separatorChar) {
    const CellSeparator separator(separatorChar);
    const TableStore& store = table.store();
    const int xColumn = 2 * curve - 1;
    int match = 0;
    for (int row = 1; row <= table.nextRow(curve); ++row) {
        if (!candidateRow(table, xColumn, row)) continue;
        double rx = 0, ry = 0;
        if (tryParseDouble(store.cellBytes(xColumn, row), separator.view(), rx) &&
            tryParseDouble(store.cellBytes(xColumn + 1, row), separator.view(), ry) && rx == x &&
            ry == y)
            match = row;
    }
    return match;
}

void removePairRow(Table& table, int curve, int row) {
    if (row < 1) return;
    const int xColumn = 2 * curve - 1;
    TableStore& store = table.store();
    const int last = std::max(row, store.storedRows() - 1);
    for (int p = row; p < last; ++p) {
        const std::string x(store.cellBytes(xColumn, p + 1));
        const std::string y(store.cellBytes(xColumn + 1, p + 1));
        store.setPairBytes(xColumn, p, x, y);
    }
    store.setPairBytes(xColumn, last, {}, {});
    table.setNextRow(curve, table.nextRow(curve) - 1);
    table.cellsWritten(xColumn, row, xColumn + 1, std::max(last, row));
}

std::vector<int> movePairPoint(Table& table, int curve, double oldX, double oldY, double newX,
                               double newY, QChar separatorChar, const RowStep& step) {
    const CellSeparator separator(separatorChar);
    const int xColumn = 2 * curve - 1;
    // The rows are found first and rewritten only when every candidate converted, so a row
    // that is no number leaves the pair as it was.
    std::vector<int> moved;
    for (int row = 1; row <= table.rowCountSetting(); ++row) {
        if (!candidateRow(table, xColumn, row)) continue;
        if (step && !step(row)) break;
        const auto [x, y] = rowNumbers(table, xColumn, row, separator);
        if (x == oldX && y == oldY) moved.push_back(row);
    }
    for (int row : moved) {
        table.setCell(xColumn, row, NumberText(newX, separatorChar));
        table.setCell(xColumn + 1, row, NumberText(newY, separatorChar));
    }
    return moved;
}

} // namespace quorvex
