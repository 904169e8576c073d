#pragma once

#include <QByteArray>

namespace quorvex {

class Table;

// A block of grid cells: columns left .. right and rows top .. bottom, counted from 0 (column 0
// holds the row numbers, row 0 the headers).
struct CopyRange {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const CopyRange& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

// The range against a grid of `columns` x `rows`: a right edge below the left one or below 0
// becomes the last column, a left edge below 0 becomes 0; the same for bottom and top. So -1
// means "to the last" for right and bottom and "from the fixed one" for left and top.
CopyRange normalisedRange(CopyRange range, int columns, int rows);

// What "Copy to Clipboard" copies.
enum class CopyMode {
    WholeTable,          // without the fixed column and row
    WholeTableWithFixed, // with them
    VisibleWithFixed,    // to one column and one row past the grid
    VisibleWithoutFixed, // the same without the fixed column and row
    XColumn,             // the current pair's X column, as a column text
    YColumn,             // its Y column
    CurrentPair,         // the pair with its header, to its next row
    Custom               // the range typed into the dialog
};
constexpr int kCopyModes = 8;

// The range a mode copies (before normalising); `custom` for the custom mode. Not meaningful
// for the two column modes.
CopyRange rangeForMode(CopyMode mode, int curve, int nextRow, int columns, int rows,
                       CopyRange custom);

// The separators between fields: TAB, space, comma, semicolon.
constexpr char kCopySeparators[4] = {'\t', ' ', ',', ';'};

// The text of a normalised range: for each row a line of every cell followed by the
// separator, ending with CR LF. Cells outside the grid are empty. UTF-8.
QByteArray rangeText(const Table& table, CopyRange range, char separator);

// The text of one column: every cell from the header row to the last row, each followed by
// CR LF. UTF-8.
QByteArray columnText(const Table& table, int column);

} // namespace quorvex
