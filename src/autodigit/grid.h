#pragma once

#include "core/raster.h"

#include <QString>
#include <functional>
#include <vector>

namespace quorvex {

// The k-th word of a field (k from 1): the text before the first space for k = 1; for k > 1,
// k - 1 times the text up to the first space and the spaces after it are removed. With fewer
// words than k the last word comes back again; a text starting with a space has an empty first
// word.
QString gridWord(const QString& text, int k);

// The area an automatic run scans, in image pixels (rows from the top), left <= right, top <=
// bottom.
struct ScanArea {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// Grid lines kept away from the scan.
struct GridSettings {
    bool searchOn = false;                    // find the lines in the image
    bool typedOn = false;                     // use typed lines
    int searchFactorH = 5, searchFactorV = 5; // 3..20
    int lineWidthH = 3, lineWidthV = 3;       // 1..99
};

struct GridLines {
    std::vector<int> horizontal; // image rows, at most 20
    std::vector<int> vertical;   // image columns (typed only), at most 20
};

// Typed lines: `words` entries of each field are read (one more than the Space presses made in
// it), at most 20; horizontal entries count from the bottom edge (image height - value), vertical
// ones from the left. A first empty word ends a field. Throws ConversionError for a word that is
// not a whole number.
void readTypedLines(const QString& horizontalText, int horizontalWords, const QString& verticalText,
                    int verticalWords, int imageHeight, GridLines& lines);

// Whether a pixel has the curve colour, as grid lines are sought: exactly, or (distance
// recognition) within the tolerance.
using CurveColourTest = std::function<bool(Colour)>;

// Horizontal lines found in the area: rows where at least factor - 2 of the sampled columns (the
// multiples of d = (right - left) / factor, rounded) have the curve colour exactly; a line is
// recorded by its top row, rows within the line width below it are not recorded again; at most
// 20. A sampling step of 0 finds nothing.
void findHorizontalLines(const Raster& raster, Colour curve, const ScanArea& area, int indent,
                         const GridSettings& grid, GridLines& lines);
void findHorizontalLines(const Raster& raster, const CurveColourTest& isCurve, const ScanArea& area,
                         int indent, const GridSettings& grid, GridLines& lines);

// Whether column x is a grid line: a typed column, or (searching) a column where at least
// factor - 2 samples at steps of (bottom - top) / factor from the top have the curve colour.
bool isGridColumn(const Raster& raster, const CurveColourTest& isCurve, const ScanArea& area,
                  int indent, const GridSettings& grid, const GridLines& lines, int x);
bool isGridColumn(const Raster& raster, Colour curve, const ScanArea& area, int indent,
                  const GridSettings& grid, const GridLines& lines, int x);
// isGridColumn for every column from `first` to `last`, reading the sampled rows once each.
std::vector<char> gridColumns(const Raster& raster, const CurveColourTest& isCurve,
                              const ScanArea& area, int indent, const GridSettings& grid,
                              const GridLines& lines, int first, int last);

// When row y lies in the band of a horizontal line (U - h - 1 .. U + h + 1, h = width / 2
// rounded), the band's last row; otherwise -1.
int gridBandEnd(const GridLines& lines, int lineWidthH, int y);

} // namespace quorvex
