#include "exchange/clipboard_text.h"

#include "table/table.h"

namespace quorvex {

CopyRange normalisedRange(CopyRange r, int columns, int rows) {
    if (r.right < r.left || r.right < 0) r.right = columns - 1;
    if (r.left < 0) r.left = 0;
    if (r.bottom < r.top || r.bottom < 0) r.bottom = rows - 1;
    if (r.top < 0) r.top = 0;
    return r;
}

CopyRange rangeForMode(CopyMode mode, int curve, int nextRow, int columns, int rows,
                       CopyRange custom) {
    switch (mode) {
    case CopyMode::WholeTable:
        return {1, 1, -1, -1};
    case CopyMode::WholeTableWithFixed:
        return {-1, -1, -1, -1};
    case CopyMode::VisibleWithFixed:
        return {-1, -1, columns, rows};
    case CopyMode::VisibleWithoutFixed:
        return {1, 1, columns, rows};
    case CopyMode::CurrentPair:
        return {2 * curve - 1, -1, 2 * curve, nextRow};
    case CopyMode::Custom:
        return custom;
    case CopyMode::XColumn:
    case CopyMode::YColumn:
        break;
    }
    return {};
}

namespace {

// Appends a cell's text; cells outside the grid are empty.
void appendCell(QByteArray& text, const Table& table, int column, int row) {
    if (column < 0 || row < 0 || column >= table.gridColumnCount() || row >= table.gridRowCount())
        return;
    if (column == 0) {
        text += table.cell(0, row).toUtf8();
        return;
    }
    const std::string_view bytes = table.store().cellBytes(column, row);
    text.append(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

} // namespace

QByteArray rangeText(const Table& table, CopyRange range, char separator) {
    QByteArray text;
    for (int row = range.top; row <= range.bottom; ++row) {
        for (int column = range.left; column <= range.right; ++column) {
            appendCell(text, table, column, row);
            text += separator;
        }
        text += "\r\n";
    }
    return text;
}

QByteArray columnText(const Table& table, int column) {
    QByteArray text;
    for (int row = 0; row < table.gridRowCount(); ++row) {
        appendCell(text, table, column, row);
        text += "\r\n";
    }
    return text;
}

} // namespace quorvex
