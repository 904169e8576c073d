#pragma once

#include "table/number_format.h"
#include "table/table.h"

#include <QByteArray>
#include <QChar>
#include <functional>
#include <stdexcept>
#include <string_view>

namespace quorvex {

// The operations of the Table page on the current pair (or a column of it). They read cells with
// the decimal separator given, write numbers with NumberText, and stop at the first cell that
// does not convert with ConversionError (what was written before stays). A long operation
// reports each row to `step`, which returns false when the user asked to stop.
using RowStep = std::function<bool(int row)>;
enum class TableOutcome { Done, Stopped };

// An arithmetic failure (division by zero, overflow); message() is the text for the user.
class ArithmeticError : public std::runtime_error {
public:
    explicit ArithmeticError(const QString& message);
    const QString& message() const { return message_; }

private:
    QString message_;
};

// The decimal separator as the UTF-8 bytes the cells are stored in, for reading many cells.
struct CellSeparator {
    explicit CellSeparator(QChar c);
    std::string_view view() const {
        return std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size()));
    }
    QByteArray utf8;
};

// The number of a cell's stored bytes, or ConversionError with the cell's text.
double cellNumber(std::string_view bytes, const CellSeparator& separator);

// Sorts rows 1 .. RowCountSetting of the curve's pair on the number in the X cell: each run of
// rows between empty X cells on its own, equal numbers in their order, the texts of both
// columns moved unchanged; other columns and NextRow stay. The new order is worked out first
// and then put in place, so a cell that does not convert, or a stop, leaves the pair as it was.
TableOutcome sortPairOnX(Table& table, int curve, QChar separator, const RowStep& step);

// Deletes rows from .. to of every column (the rows below move up, column 0 is renumbered).
// The curve's NextRow goes down by the deleted rows that lay before it, so no point is written
// over an older one. Nothing happens when from > to. Returns the rows deleted.
int deleteRows(Table& table, int curve, int from, int to);

// Replaces every `from` character by `to` in rows 1 .. RowCountSetting of a column.
void replaceInColumn(Table& table, int column, QChar from, QChar to);

enum class Arithmetic { Multiply, Divide, Add, Subtract };
// Applies the operation with a value to every non-empty cell of a column (rows 1 ..
// RowCountSetting): column-value, or value-column when `valueFirst`. A division by zero or an
// overflow throws ArithmeticError.
TableOutcome calculateColumn(Table& table, int column, double value, Arithmetic operation,
                             bool valueFirst, QChar separator, const RowStep& step);

// Evaluates the Lagrange polynomial through the points of pair 1 (rows 1 .. m, m the last row of
// pair 1 holding text) at the X values of pair 2 (rows 1 .. q, q the last filled X2 cell) and
// writes the results into Y2. An empty or non-numeric cell among them throws ConversionError;
// equal node X values throw ArithmeticError (a division by zero).
enum class InterpolationOutcome { Done, Stopped, NoNodes, NoPoints };
InterpolationOutcome interpolateLagrange(Table& table, QChar separator, const RowStep& step);

// Rewrites the numbers of the curve's pair (rows 1 .. RowCountSetting) in a number format:
// with "X-Y" the rows whose two cells are filled, with "X" or "Y" the filled cells of that
// column.
enum class FormatColumns { Both, X, Y };
TableOutcome applyNumberFormat(Table& table, int curve, FormatColumns columns,
                               const NumberStyle& style, QChar separator, const RowStep& step);

} // namespace quorvex
