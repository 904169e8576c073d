#include "table/table_operations.h"

#include "core/messages.h"
#include "core/numbers.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <string_view>
#include <vector>

namespace quorvex {

ArithmeticError::ArithmeticError(const QString& message)
    : std::runtime_error(message.toStdString()), message_(message) {}

CellSeparator::CellSeparator(QChar c) : utf8(QString(c).toUtf8()) {}

double cellNumber(std::string_view bytes, const CellSeparator& separator) {
    double value = 0;
    if (!tryParseDouble(bytes, separator.view(), value))
        throw ConversionError(
            message(Msg::InvalidFloat)
                .arg(QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()))));
    return value;
}

namespace {

void writeNumber(Table& table, int column, int row, double value) {
    if (!std::isfinite(value)) throw ArithmeticError(message(Msg::FloatOverflow));
    table.setCell(column, row, NumberText(value));
}

} // namespace

TableOutcome sortPairOnX(Table& table, int curve, QChar separatorChar, const RowStep& step) {
    const TableStore& store = table.store();
    const CellSeparator separator(separatorChar);
    const int xColumn = 2 * curve - 1;
    const int rows = table.rowCountSetting();
    // Keys of the filled X cells; runs of filled rows are sorted each on its own.
    std::vector<double> keys(static_cast<std::size_t>(rows) + 1);
    std::vector<char> filled(static_cast<std::size_t>(rows) + 1);
    for (int row = 1; row <= rows; ++row) {
        if (step && !step(row)) return TableOutcome::Stopped;
        filled[static_cast<std::size_t>(row)] = !store.isEmpty(xColumn, row);
    }
    // Only cells that are compared must be numbers: a filled row alone between empty ones
    // keeps its place whatever it holds.
    for (int row = 1; row <= rows; ++row) {
        const auto at = static_cast<std::size_t>(row);
        if (!filled[at]) continue;
        const bool inRun = (row > 1 && filled[at - 1]) || (row < rows && filled[at + 1]);
        if (inRun) keys[at] = cellNumber(store.cellBytes(xColumn, row), separator);
    }
    // source[i]: the row (counted from row 1) whose pair moves into row 1 + i.
    std::vector<int> source(static_cast<std::size_t>(rows));
    std::iota(source.begin(), source.end(), 1);
    for (int first = 1; first <= rows;) {
        if (!filled[static_cast<std::size_t>(first)]) {
            ++first;
            continue;
        }
        int last = first;
        while (last + 1 <= rows && filled[static_cast<std::size_t>(last + 1)])
            ++last;
        std::stable_sort(source.begin() + (first - 1), source.begin() + last, [&](int a, int b) {
            return keys[static_cast<std::size_t>(a)] < keys[static_cast<std::size_t>(b)];
        });
        first = last + 1;
    }
    for (int& s : source)
        --s;
    table.store().permutePairRows(xColumn, 1, source);
    table.cellsWritten(xColumn, 1, xColumn + 1, rows);
    return TableOutcome::Done;
}

int deleteRows(Table& table, int curve, int from, int to) {
    from = std::max(from, 1);
    if (from > to) return 0;
    table.store().removeRows(from, to);
    const int deleted = to - from + 1;
    const int next = table.nextRow(curve);
    const int deletedBefore = std::clamp(next - from, 0, deleted);
    table.setNextRow(curve, next - deletedBefore);
    table.cellsWritten(1, from, table.gridColumnCount() - 1, table.gridRowCount() - 1);
    return deleted;
}

void replaceInColumn(Table& table, int column, QChar from, QChar to) {
    if (from == to) return;
    for (int row = 1; row <= table.rowCountSetting(); ++row) {
        if (table.store().isEmpty(column, row)) continue;
        QString text = table.store().cell(column, row);
        if (!text.contains(from)) continue;
        table.store().setCell(column, row, text.replace(from, to));
    }
    table.cellsWritten(column, 1, column, table.rowCountSetting());
}

TableOutcome calculateColumn(Table& table, int column, double value, Arithmetic operation,
                             bool valueFirst, QChar separatorChar, const RowStep& step) {
    const CellSeparator separator(separatorChar);
    for (int row = 1; row <= table.rowCountSetting(); ++row) {
        const std::string_view cell = table.store().cellBytes(column, row);
        if (cell.empty()) continue;
        if (step && !step(row)) return TableOutcome::Stopped;
        const double x = cellNumber(cell, separator);
        double y = 0;
        switch (operation) {
        case Arithmetic::Multiply:
            y = x * value;
            break;
        case Arithmetic::Divide:
            if ((valueFirst ? x : value) == 0)
                throw ArithmeticError(message(Msg::FloatDivideByZero));
            y = valueFirst ? value / x : x / value;
            break;
        case Arithmetic::Add:
            y = x + value;
            break;
        case Arithmetic::Subtract:
            y = valueFirst ? value - x : x - value;
            break;
        }
        writeNumber(table, column, row, y);
    }
    return TableOutcome::Done;
}

InterpolationOutcome interpolateLagrange(Table& table, QChar separatorChar, const RowStep& step) {
    const CellSeparator separator(separatorChar);
    const TableStore& store = table.store();
    // The nodes are rows 1 .. the last row of pair 1 that holds anything, the evaluation points
    // rows 1 .. the last filled X2 cell: an empty cell among them is no number and is reported,
    // never silently taken as the end of the data.
    std::vector<double> xs, ys;
    const int nodes = table.lastFilledRow(1);
    for (int row = 1; row <= nodes; ++row) {
        xs.push_back(cellNumber(store.cellBytes(1, row), separator));
        ys.push_back(cellNumber(store.cellBytes(2, row), separator));
    }
    int points = 0;
    for (int row = store.storedRows() - 1; row >= 1 && points == 0; --row)
        if (!store.isEmpty(3, row)) points = row;
    if (xs.empty()) return InterpolationOutcome::NoNodes;
    if (points < 1) return InterpolationOutcome::NoPoints;
    const std::size_t m = xs.size();
    for (int j = 1; j <= points; ++j) {
        if (step && !step(j)) return InterpolationOutcome::Stopped;
        const double t = cellNumber(store.cellBytes(3, j), separator);
        double sum = 0;
        for (std::size_t k = 0; k < m; ++k) {
            double l = 1;
            for (std::size_t i = 0; i < m; ++i) {
                if (i == k) continue;
                if (xs[k] == xs[i]) throw ArithmeticError(message(Msg::FloatDivideByZero));
                l = (t - xs[i]) * l / (xs[k] - xs[i]);
            }
            sum += l * ys[k];
        }
        writeNumber(table, 4, j, sum);
    }
    return InterpolationOutcome::Done;
}

TableOutcome applyNumberFormat(Table& table, int curve, FormatColumns columns,
                               const NumberStyle& style, QChar separatorChar, const RowStep& step) {
    const CellSeparator separator(separatorChar);
    TableStore& store = table.store();
    const int xColumn = 2 * curve - 1;
    const int rows = table.rowCountSetting();
    std::string x, y;
    auto render = [&](std::string& out, std::string_view cell) {
        out.clear();
        appendFormatted(out, cellNumber(cell, separator), style);
    };
    TableOutcome outcome = TableOutcome::Done;
    int last = 0;
    for (int row = 1; row <= rows; ++row) {
        if (step && !step(row)) {
            outcome = TableOutcome::Stopped;
            break;
        }
        const std::string_view xCell = store.cellBytes(xColumn, row);
        const std::string_view yCell = store.cellBytes(xColumn + 1, row);
        try {
            if (columns == FormatColumns::Both) {
                if (xCell.empty() || yCell.empty()) continue;
                render(x, xCell);
                render(y, yCell);
                store.setPairBytes(xColumn, row, x, y);
            } else {
                const std::string_view cell = columns == FormatColumns::X ? xCell : yCell;
                if (cell.empty()) continue;
                render(x, cell);
                store.setCellBytes(columns == FormatColumns::X ? xColumn : xColumn + 1, row, x);
            }
        } catch (...) {
            table.cellsWritten(xColumn, 1, xColumn + 1, std::max(last, 1));
            throw;
        }
        last = row;
    }
    table.cellsWritten(xColumn, 1, xColumn + 1, std::max(last, 1));
    return outcome;
}

} // namespace quorvex
