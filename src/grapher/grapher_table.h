#pragma once

#include "grapher/chart.h"
#include "table/table.h"
#include "table/table_operations.h"

#include <QChar>
#include <vector>

namespace quorvex {

// What the Grapher reads from and writes to the Table: the points of the current pair, the row
// of a clicked point, its removal and its move.

// Adds the points of rows 1 .. RowCountSetting of the curve's pair to a series, in Table order:
// a row whose two cells are empty is skipped, any other row must hold two numbers
// (ConversionError otherwise; the points added before stay).
TableOutcome addPairPoints(const Table& table, int curve, ChartSeries& series, Colour colour,
                           QChar separator, const RowStep& step);

// The row of a point: among rows 1 .. NextRow of the pair whose X cell is filled, does not begin
// with "X" and holds a number, the last whose X and Y numbers equal the point exactly; 0 when
// there is none.
int rowOfPoint(const Table& table, int curve, double x, double y, QChar separator);

// Removes a row of the pair: the rows below it move up by one (every row, so no text is lost),
// the last becomes empty, and NextRow goes down by one (at least 1). Other pairs stay.
void removePairRow(Table& table, int curve, int row);

// Rewrites every row of the pair (1 .. RowCountSetting) that holds the old point (X filled and
// not beginning with "X", both numbers equal exactly) with the new values as NumberText, and
// returns those rows. A row that does not convert ends with ConversionError before any row is
// rewritten.
std::vector<int> movePairPoint(Table& table, int curve, double oldX, double oldY, double newX,
                               double newY, QChar separator, const RowStep& step);

// Whether an axis may turn logarithmic: its current minimum is above 0.
inline bool logarithmicAllowed(double axisMinimum) {
    return axisMinimum > 0;
}

} // namespace quorvex
