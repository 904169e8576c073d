#include "autodigit/engine.h"

#include "core/round.h"

#include <algorithm>

namespace quorvex {

namespace {

constexpr int kBand = 64;

// One column copied out of the raster: pixels of rows first .. first + size - 1, outside the
// image kOutsideImage.
struct ColumnView {
    const std::int64_t* pixels;
    int first;
    int size;
    std::int64_t at(int y) const {
        const int i = y - first;
        return i >= 0 && i < size ? pixels[i] : kOutsideImage;
    }
};

// The middle of the vertical run that starts at row y (at most k + 1 rows), by the rules of
// the mode; y itself when nothing is counted.
int selfCorrect(const ColumnView& c, const Recognition& r, int y, int k, std::int64_t best) {
    long long sum = 0;
    int count = 0;
    for (int row = y; row <= y + k; ++row) {
        const std::int64_t p = c.at(row);
        switch (r.mode) {
        case RecognitionMode::Exact:
        case RecognitionMode::Interval:
        case RecognitionMode::Brightness:
            if (!r.matches(p)) goto done;
            sum += row;
            ++count;
            break;
        case RecognitionMode::ClosestHue:
        case RecognitionMode::TowardsBlack:
            if (p == std::int64_t(r.curve)) {
                sum += row;
                ++count;
            } else if (!r.matches(p)) {
                goto done;
            } else if (r.closer(p, best)) {
                best = r.bestValue(p);
                sum += row;
                ++count;
            }
            break;
        }
    }
done:
    return count > 0 ? Round(static_cast<double>(sum) / count) : y;
}

void scanColumn(const ColumnView& c, int x, const ScanSettings& s, const GridLines& lines,
                const std::function<void(int, int)>& point) {
    const Recognition& r = s.recognition;
    const ScanArea& a = s.area;
    if (r.closestModes()) {
        std::int64_t best = r.initialBest();
        int chosen = -1;
        for (int y = a.top + s.indent; y <= a.bottom - s.indent; ++y) {
            const std::int64_t p = c.at(y);
            if (!r.matches(p)) continue;
            if (r.closer(p, best)) {
                best = r.bestValue(p);
                chosen = y;
            }
            if (p == std::int64_t(r.curve)) {
                chosen = y;
                break;
            }
        }
        if (chosen >= 0) point(x, s.selfCorrection ? selfCorrect(c, r, chosen, s.correctionDepth, best) : chosen);
        return;
    }
    const bool rowTest = r.mode == RecognitionMode::Exact && (s.grid.searchOn || s.grid.typedOn) &&
                         !lines.horizontal.empty();
    int y = a.top + s.indent + 1;
    do {
        if (rowTest) {
            const int bandEnd = gridBandEnd(lines, s.grid.lineWidthH, y);
            if (bandEnd >= 0) {
                y = bandEnd + 1;
                continue;
            }
        }
        if (r.matches(c.at(y))) {
            if (s.selfCorrection) y = selfCorrect(c, r, y, s.correctionDepth, 0);
            point(x, y);
            if (s.oneValued) return;
            if (s.thickness >= 2) y += s.thickness;
        }
        ++y;
    } while (y <= a.bottom - s.indent - 2);
}

} // namespace

std::vector<int> scanColumns(const Raster& raster, const ScanSettings& s, const GridLines& lines) {
    std::vector<int> columns;
    const int step = std::max(1, s.step);
    int x = s.area.left + s.indent + 1;
    do {
        if (isGridColumn(raster, s.recognition.curve, s.area, s.indent, s.grid, lines, x)) x += s.grid.lineWidthV;
        else columns.push_back(x);
        x += step;
    } while (x < s.area.right - s.indent - 1);
    return columns;
}

ScanOutcome scanArea(const Raster& raster, const ScanSettings& s, const GridLines& lines,
                     const std::function<void(int, int)>& point, const std::function<bool(int)>& column) {
    const std::vector<int> columns = scanColumns(raster, s, lines);
    // Every row a column scan can read: from the area's top (plus indent) to its bottom, plus the
    // rows self-correction and the thickness skip may look at below it.
    const int first = s.area.top + s.indent;
    const int last = std::max(s.area.bottom - s.indent, first + 1) + std::max(s.correctionDepth, 0) + 2;
    const int rows = last - first + 1;
    std::vector<std::int64_t> band(static_cast<std::size_t>(kBand) * static_cast<std::size_t>(rows));
    for (std::size_t start = 0; start < columns.size(); start += kBand) {
        const int count = static_cast<int>(std::min<std::size_t>(kBand, columns.size() - start));
        // Copy the band row by row: sequential reads of each image row.
        for (int i = 0; i < rows; ++i) {
            const int y = first + i;
            const bool inside = y >= 0 && y < raster.height();
            const Colour* row = inside ? raster.row(y) : nullptr;
            for (int c = 0; c < count; ++c) {
                const int x = columns[start + static_cast<std::size_t>(c)];
                band[static_cast<std::size_t>(c) * static_cast<std::size_t>(rows) + static_cast<std::size_t>(i)] =
                    inside && x >= 0 && x < raster.width() ? std::int64_t(row[x]) : kOutsideImage;
            }
        }
        for (int c = 0; c < count; ++c) {
            const int x = columns[start + static_cast<std::size_t>(c)];
            const ColumnView view{band.data() + static_cast<std::size_t>(c) * static_cast<std::size_t>(rows), first, rows};
            scanColumn(view, x, s, lines, point);
            if (column && !column(x)) return ScanOutcome::Stopped;
        }
    }
    return ScanOutcome::Finished;
}

} // namespace quorvex
