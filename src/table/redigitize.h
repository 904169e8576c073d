#pragma once

#include "table/table.h"

#include <QChar>
#include <QString>

namespace quorvex {

// New coordinates for two rows of the current pair, from which every row is rescaled.
struct RedigitizeRequest {
    int firstRow = 1, secondRow = 1;
    QString newX1, newY1, newX2, newY2; // as typed
    int xTransfer = 0, yTransfer = 0;   // the calibration's scales
};

enum class RedigitizeOutcome { Done, Coincident, Mistakes };

// Rewrites every row of the pair whose two cells are filled (rows 1 .. the larger of NextRow
// and the grid row count) with a mapping that is linear in the scale's transformed values and
// takes the two reference rows to their new coordinates; the Table holds values as the
// calibration writes them (real values on a "log10" axis, transformed values on the others).
// Coincident: the two new coordinates of an axis are equal after the transform (nothing is
// changed). Mistakes: a text that is no number, a value outside its scale's domain, or reference
// rows that cannot define a mapping; rows already rewritten stay. Afterwards the curve continues
// after its last rewritten row.
RedigitizeOutcome redigitizePair(Table& table, int curve, const RedigitizeRequest& request,
                                 QChar separator);

} // namespace quorvex
