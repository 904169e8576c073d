#include "table/redigitize.h"

#include "core/numbers.h"
#include "tools/calibration.h"

#include <cmath>
#include <stdexcept>

namespace quorvex {

namespace {

struct Mistake {};

double number(const QString& text, QChar separator) {
    double value = 0;
    if (!tryParseDouble(text, separator, value)) throw Mistake{};
    return value;
}

// A Table value in the scale's transformed units, and back: on a "log10" axis the Table holds
// real values, on every other scale the transformed values themselves.
long double transformedOfTable(int transferFunction, double value) {
    if (transferFunction != Log10Axis) return value;
    if (value <= 0) throw Mistake{};
    return std::log10(static_cast<long double>(value));
}

double tableOfTransformed(int transferFunction, long double value) {
    const long double result = transferFunction == Log10Axis ? std::pow(10.0L, value) : value;
    const double narrowed = static_cast<double>(result);
    if (!std::isfinite(narrowed)) throw Mistake{};
    return narrowed;
}

// The linear map of one axis that takes the old transformed values a1, a2 to b1, b2.
struct AxisMap {
    long double a1, a2, b1, b2;
    long double operator()(long double a) const { return b1 + (a - a1) * (b2 - b1) / (a2 - a1); }
};

} // namespace

RedigitizeOutcome redigitizePair(Table& table, int curve, const RedigitizeRequest& request,
                                 QChar separator) {
    const int r1 = std::min(request.firstRow, request.secondRow);
    const int r2 = std::max(request.firstRow, request.secondRow);
    const int xColumn = 2 * curve - 1;
    int lastWritten = 0;
    bool mistake = false;
    try {
        if (r1 == r2 || r1 < 1) throw Mistake{};
        // The new coordinates through the scales' transfer functions.
        const bool swapped = request.firstRow > request.secondRow;
        const long double x1 = transfer(request.xTransfer, number(request.newX1, separator));
        const long double x2 = transfer(request.xTransfer, number(request.newX2, separator));
        const long double y1 = transfer(request.yTransfer, number(request.newY1, separator));
        const long double y2 = transfer(request.yTransfer, number(request.newY2, separator));
        if (x1 == x2 || y1 == y2) return RedigitizeOutcome::Coincident;
        auto old = [&](int column, int row, int function) {
            return transformedOfTable(function, number(table.cell(column, row), separator));
        };
        const long double ox1 = old(xColumn, r1, request.xTransfer);
        const long double ox2 = old(xColumn, r2, request.xTransfer);
        const long double oy1 = old(xColumn + 1, r1, request.yTransfer);
        const long double oy2 = old(xColumn + 1, r2, request.yTransfer);
        if (ox1 == ox2 || oy1 == oy2) throw Mistake{};
        // The first typed pair of coordinates belongs to the first row spin box.
        const AxisMap mapX{ox1, ox2, swapped ? x2 : x1, swapped ? x1 : x2};
        const AxisMap mapY{oy1, oy2, swapped ? y2 : y1, swapped ? y1 : y2};
        const int last = std::max(table.nextRow(curve), table.gridRowCount());
        for (int row = 1; row <= last; ++row) {
            if (table.isEmpty(xColumn, row) || table.isEmpty(xColumn + 1, row)) continue;
            const double x =
                tableOfTransformed(request.xTransfer, mapX(old(xColumn, row, request.xTransfer)));
            const double y = tableOfTransformed(request.yTransfer,
                                                mapY(old(xColumn + 1, row, request.yTransfer)));
            table.setCell(xColumn, row, NumberText(x, separator));
            table.setCell(xColumn + 1, row, NumberText(y, separator));
            lastWritten = row;
        }
    } catch (const Mistake&) {
        mistake = true;
    } catch (const PointError&) {
        mistake = true; // a new coordinate outside its scale's domain
    }
    // The curve continues after its last rewritten row, never over it.
    if (lastWritten > 0) table.setNextRow(curve, lastWritten + 1);
    return mistake ? RedigitizeOutcome::Mistakes : RedigitizeOutcome::Done;
}

} // namespace quorvex
