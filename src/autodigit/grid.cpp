#include "autodigit/grid.h"

#include "core/numbers.h"
#include "core/round.h"

#include <algorithm>

namespace quorvex {

QString gridWord(const QString& text, int k) {
    QString rest = text;
    for (int i = 1; i < k; ++i) {
        const int space = rest.indexOf(QLatin1Char(' '));
        if (space < 0) break; // fewer words than k: the last one again
        int next = space;
        while (next < rest.size() && rest[next] == QLatin1Char(' '))
            ++next;
        rest = rest.mid(next);
    }
    const int space = rest.indexOf(QLatin1Char(' '));
    return space < 0 ? rest : rest.left(space);
}

namespace {
template <typename Append>
void readField(const QString& text, int words, Append&& append, const std::vector<int>& list) {
    if (text.isEmpty()) return;
    for (int k = 1;; ++k) {
        const QString w = gridWord(text, k);
        if (w.isEmpty()) return;
        append(parseInt(w));
        if (!(k + 1 <= words && list.size() < 20)) return;
    }
}
} // namespace

void readTypedLines(const QString& horizontalText, int horizontalWords, const QString& verticalText,
                    int verticalWords, int imageHeight, GridLines& lines) {
    readField(
        horizontalText, horizontalWords,
        [&](int v) { lines.horizontal.push_back(imageHeight - v); }, lines.horizontal);
    readField(
        verticalText, verticalWords, [&](int v) { lines.vertical.push_back(v); }, lines.vertical);
}

void findHorizontalLines(const Raster& raster, Colour curve, const ScanArea& area, int indent,
                         const GridSettings& grid, GridLines& lines) {
    findHorizontalLines(
        raster, [curve](Colour c) { return c == curve; }, area, indent, grid, lines);
}

void findHorizontalLines(const Raster& raster, const CurveColourTest& isCurve, const ScanArea& area,
                         int indent, const GridSettings& grid, GridLines& lines) {
    lines.horizontal.clear();
    const int d = Round(double(area.right - area.left) / grid.searchFactorH);
    if (d <= 0) return;
    const int firstColumn = std::max(area.left + indent, 0),
              lastColumn = std::min(area.right - indent, raster.width() - 1);
    const int firstSample = (firstColumn + d - 1) / d * d;
    for (int k = std::max(area.top + indent, 0);
         k <= std::min(area.bottom - indent, raster.height() - 1); ++k) {
        const Colour* row = raster.row(k);
        int hits = 0;
        for (int s = firstSample; s <= lastColumn; s += d)
            hits += isCurve(row[s]);
        if (hits >= grid.searchFactorH - 2 &&
            (lines.horizontal.empty() || k > lines.horizontal.back() + grid.lineWidthH)) {
            if (lines.horizontal.size() >= 20) return;
            lines.horizontal.push_back(k);
        }
    }
}

bool isGridColumn(const Raster& raster, const CurveColourTest& isCurve, const ScanArea& area,
                  int indent, const GridSettings& grid, const GridLines& lines, int x) {
    if (grid.typedOn &&
        std::find(lines.vertical.begin(), lines.vertical.end(), x) != lines.vertical.end())
        return true;
    if (!grid.searchOn) return false;
    const int e = Round(double(area.bottom - area.top) / grid.searchFactorV);
    if (e <= 0 || x < 0 || x >= raster.width()) return false; // no samples to take
    int hits = 0;
    int y = area.top + indent;
    do {
        if (y >= 0 && y < raster.height() && isCurve(raster.pixel(x, y))) ++hits;
        y += e;
    } while (y <= area.bottom - indent);
    return hits >= grid.searchFactorV - 2;
}

bool isGridColumn(const Raster& raster, Colour curve, const ScanArea& area, int indent,
                  const GridSettings& grid, const GridLines& lines, int x) {
    return isGridColumn(
        raster, [curve](Colour c) { return c == curve; }, area, indent, grid, lines, x);
}

std::vector<char> gridColumns(const Raster& raster, const CurveColourTest& isCurve,
                              const ScanArea& area, int indent, const GridSettings& grid,
                              const GridLines& lines, int first, int last) {
    std::vector<char> flags(static_cast<std::size_t>(std::max(last - first + 1, 0)), 0);
    if (flags.empty()) return flags;
    if (grid.typedOn)
        for (int v : lines.vertical)
            if (v >= first && v <= last) flags[std::size_t(v - first)] = 1;
    if (!grid.searchOn) return flags;
    const int e = Round(double(area.bottom - area.top) / grid.searchFactorV);
    if (e <= 0) return flags;
    const int from = std::max(first, 0), to = std::min(last, raster.width() - 1);
    std::vector<int> hits(flags.size(), 0);
    int y = area.top + indent;
    do {
        if (y >= 0 && y < raster.height()) {
            const Colour* row = raster.row(y);
            for (int x = from; x <= to; ++x)
                hits[std::size_t(x - first)] += isCurve(row[x]);
        }
        y += e;
    } while (y <= area.bottom - indent);
    for (std::size_t i = 0; i < flags.size(); ++i)
        if (hits[i] >= grid.searchFactorV - 2) flags[i] = 1;
    return flags;
}

int gridBandEnd(const GridLines& lines, int lineWidthH, int y) {
    const int h = Round(lineWidthH / 2.0);
    for (int u : lines.horizontal)
        if (u - h - 1 <= y && y <= u + h + 1) return u + h + 1;
    return -1;
}

} // namespace quorvex
