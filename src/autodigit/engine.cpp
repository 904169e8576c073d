#include "autodigit/engine.h"

#include "core/round.h"

#include <algorithm>
#include <optional>

namespace quorvex {

namespace {

constexpr int kBand = 64;
constexpr std::uint32_t kOutsideValue = 0xFFFFFFFFu; // never a 0x00BBGGRR colour

std::int64_t asPixel(std::uint32_t v) {
    return v == kOutsideValue ? kOutsideImage : std::int64_t(v);
}

// One column copied out of the raster: pixels of rows first .. first + size - 1.
struct ColumnView {
    const std::uint32_t* pixels;
    int first;
    int size;
    std::int64_t operator()(int y) const {
        const int i = y - first;
        return i >= 0 && i < size ? asPixel(pixels[i]) : kOutsideImage;
    }
};

// A column read straight from the raster (short runs only: self-correction).
struct RasterColumn {
    const Raster& raster;
    int x;
    std::int64_t operator()(int y) const {
        return raster.contains(x, y) ? std::int64_t(raster.pixel(x, y)) : kOutsideImage;
    }
};

// The middle of the vertical run that starts at row y (at most k + 1 rows), by the rules of
// the mode; y itself when nothing is counted.
template <typename Column>
int selfCorrect(const Column& column, const Recognition& r, int y, int k, std::int64_t best) {
    long long sum = 0;
    int count = 0;
    for (int row = y; row <= y + k; ++row) {
        const std::int64_t p = column(row);
        if (r.closestModes()) {
            if (p == std::int64_t(r.curve)) {
                sum += row;
                ++count;
            } else if (!r.matches(p)) {
                break;
            } else if (r.closer(p, best)) {
                best = r.bestValue(p);
                sum += row;
                ++count;
            }
        } else {
            if (!r.matches(p)) break;
            sum += row;
            ++count;
        }
    }
    return count > 0 ? Round(static_cast<double>(sum) / count) : y;
}

bool rowTestActive(const ScanSettings& s, const GridLines& lines) {
    return s.recognition.mode == RecognitionMode::Exact && (s.grid.searchOn || s.grid.typedOn) &&
           !lines.horizontal.empty();
}

// Walks the rows of a run scan: from the row below the area's top (plus indent) down to the row
// two above its bottom (the first row always), skipping the bands of horizontal grid lines in the
// exact mode. `examine(y)` returns the row after which the walk goes on, or nothing to end it.
template <typename Examine>
void walkRunScan(const ScanSettings& s, const GridLines& lines, Examine&& examine) {
    const bool rowTest = rowTestActive(s, lines);
    int y = s.area.top + s.indent + 1;
    do {
        if (rowTest) {
            const int bandEnd = gridBandEnd(lines, s.grid.lineWidthH, y);
            if (bandEnd >= 0) {
                y = bandEnd + 1;
                continue;
            }
        }
        const std::optional<int> next = examine(y);
        if (!next) return;
        y = *next + 1;
    } while (y <= s.area.bottom - s.indent - 2);
}

// The column rule itself, over any column accessor.
template <typename Column>
void scanColumn(const Column& c, int x, const ScanSettings& s, const GridLines& lines,
                const std::function<void(int, int)>& point) {
    const Recognition& r = s.recognition;
    const ScanArea& a = s.area;
    if (r.closestModes()) {
        std::int64_t best = r.initialBest();
        int chosen = -1;
        for (int y = a.top + s.indent; y <= a.bottom - s.indent; ++y) {
            const std::int64_t p = c(y);
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
        if (chosen >= 0)
            point(x,
                  s.selfCorrection ? selfCorrect(c, r, chosen, s.correctionDepth, best) : chosen);
        return;
    }
    walkRunScan(s, lines, [&](int y) -> std::optional<int> {
        if (!r.matches(c(y))) return y;
        if (s.selfCorrection) y = selfCorrect(c, r, y, s.correctionDepth, 0);
        point(x, y);
        if (s.oneValued) return std::nullopt;
        return s.thickness >= 2 ? y + s.thickness : y;
    });
}

// The rows a one-valued run scan examines, in order, until it finds a match: they do not depend
// on the column, only on the area and the grid bands.
std::vector<int> examinedRows(const ScanSettings& s, const GridLines& lines) {
    std::vector<int> rows;
    walkRunScan(s, lines, [&rows](int y) -> std::optional<int> {
        rows.push_back(y);
        return y;
    });
    return rows;
}

using PointSink = std::function<void(int, int)>;
using ColumnDone = std::function<bool(int)>;

// The topmost examined row of each column of a wide band whose pixel matches. Rows are read one
// after the other, only in the 64-column chunks that still miss their row; the matches of a chunk
// are gathered into a bit mask (a vectorisable loop when its columns are adjacent).
constexpr int kWideBand = 2048;

template <typename Match>
void findTopmost(const Raster& raster, const std::vector<int>& rows, const int* xs, int count,
                 Match match, int* found) {
    const int chunks = (count + 63) / 64;
    std::vector<int> pending(static_cast<std::size_t>(chunks));
    std::vector<std::uint64_t> foundMask(static_cast<std::size_t>(chunks), 0);
    std::vector<char> contiguous(static_cast<std::size_t>(chunks));
    for (int k = 0; k < chunks; ++k) {
        pending[static_cast<std::size_t>(k)] = k;
        const int first = 64 * k, last = std::min(count, first + 64) - 1;
        contiguous[static_cast<std::size_t>(k)] =
            xs[last] - xs[first] == last - first && xs[first] >= 0 && xs[last] < raster.width();
    }
    for (int y : rows) {
        if (pending.empty()) return;
        if (y < 0 || y >= raster.height()) continue; // outside the image nothing matches
        const Colour* row = raster.row(y);
        for (std::size_t i = 0; i < pending.size();) {
            const int k = pending[i];
            const int first = 64 * k, n = std::min(count, first + 64) - first;
            std::uint64_t m = 0;
            if (contiguous[static_cast<std::size_t>(k)]) {
                const Colour* p = row + xs[first];
                for (int c = 0; c < n; ++c)
                    m |= std::uint64_t(match(p[c])) << c;
            } else {
                for (int c = 0; c < n; ++c) {
                    const int x = xs[first + c];
                    if (x >= 0 && x < raster.width()) m |= std::uint64_t(match(row[x])) << c;
                }
            }
            std::uint64_t& done = foundMask[static_cast<std::size_t>(k)];
            for (std::uint64_t fresh = m & ~done; fresh; fresh &= fresh - 1)
                found[first + __builtin_ctzll(fresh)] = y;
            done |= m;
            const std::uint64_t all = n == 64 ? ~std::uint64_t(0) : ((std::uint64_t(1) << n) - 1);
            if (done == all) {
                pending[i] = pending.back();
                pending.pop_back();
            } else {
                ++i;
            }
        }
    }
}

// One point per column, the topmost match, moved by self-correction.
ScanOutcome oneValuedRunScan(const Raster& raster, const ScanSettings& s, const GridLines& lines,
                             const std::vector<int>& columns, const PointSink& point,
                             const ColumnDone& done) {
    const Recognition& r = s.recognition;
    const std::vector<int> rows = examinedRows(s, lines);
    const Colour curve = r.curve;
    const std::int64_t lo = r.low(), hi = r.high();
    const int limit = r.brightnessMax;
    std::vector<int> found(kWideBand);
    for (std::size_t start = 0; start < columns.size(); start += kWideBand) {
        const int count =
            static_cast<int>(std::min<std::size_t>(kWideBand, columns.size() - start));
        const int* xs = columns.data() + start;
        std::fill(found.begin(), found.begin() + count, -1);
        switch (r.mode) {
        case RecognitionMode::Exact:
            findTopmost(
                raster, rows, xs, count, [curve](Colour v) { return v == curve; }, found.data());
            break;
        case RecognitionMode::Interval:
            findTopmost(
                raster, rows, xs, count,
                [lo, hi](Colour v) { return lo <= std::int64_t(v) && std::int64_t(v) <= hi; },
                found.data());
            break;
        default:
            findTopmost(
                raster, rows, xs, count,
                [limit](Colour v) {
                    const Colour r8 = v & 0xFF;
                    return v == (r8 | (r8 << 8) | (r8 << 16)) && int(r8) <= limit;
                },
                found.data());
            break;
        }
        for (int c = 0; c < count; ++c) {
            if (found[static_cast<std::size_t>(c)] >= 0) {
                const RasterColumn column{raster, xs[c]};
                const int y = found[static_cast<std::size_t>(c)];
                point(xs[c],
                      s.selfCorrection ? selfCorrect(column, r, y, s.correctionDepth, 0) : y);
            }
            if (done && !done(xs[c])) return ScanOutcome::Stopped;
        }
    }
    return ScanOutcome::Finished;
}

// The other cases: each band of columns is copied into a column-major buffer row by row, and
// the column rule runs on the copies.
ScanOutcome transposedScan(const Raster& raster, const ScanSettings& s, const GridLines& lines,
                           const std::vector<int>& columns, const PointSink& point,
                           const ColumnDone& done) {
    const int first = s.area.top + s.indent;
    const int last =
        std::max(s.area.bottom - s.indent, first + 1) + std::max(s.correctionDepth, 0) + 2;
    const int rows = last - first + 1;
    std::vector<std::uint32_t> band(static_cast<std::size_t>(kBand) *
                                    static_cast<std::size_t>(rows));
    for (std::size_t start = 0; start < columns.size(); start += kBand) {
        const int count = static_cast<int>(std::min<std::size_t>(kBand, columns.size() - start));
        for (int i = 0; i < rows; ++i) {
            const int y = first + i;
            const bool inside = y >= 0 && y < raster.height();
            const Colour* row = inside ? raster.row(y) : nullptr;
            for (int c = 0; c < count; ++c) {
                const int x = columns[start + static_cast<std::size_t>(c)];
                band[static_cast<std::size_t>(c) * static_cast<std::size_t>(rows) +
                     static_cast<std::size_t>(i)] =
                    inside && x >= 0 && x < raster.width() ? row[x] : kOutsideValue;
            }
        }
        for (int c = 0; c < count; ++c) {
            const int x = columns[start + static_cast<std::size_t>(c)];
            const ColumnView view{band.data() +
                                      static_cast<std::size_t>(c) * static_cast<std::size_t>(rows),
                                  first, rows};
            scanColumn(view, x, s, lines, point);
            if (done && !done(x)) return ScanOutcome::Stopped;
        }
    }
    return ScanOutcome::Finished;
}

} // namespace

std::vector<int> scanColumns(const Raster& raster, const ScanSettings& s, const GridLines& lines) {
    std::vector<int> columns;
    const int step = std::max(1, s.step);
    int x = s.area.left + s.indent + 1;
    do {
        if (isGridColumn(raster, s.recognition.curve, s.area, s.indent, s.grid, lines, x))
            x += s.grid.lineWidthV;
        else
            columns.push_back(x);
        x += step;
    } while (x < s.area.right - s.indent - 1);
    return columns;
}

ScanOutcome scanArea(const Raster& raster, const ScanSettings& s, const GridLines& lines,
                     const PointSink& point, const ColumnDone& done) {
    const std::vector<int> columns = scanColumns(raster, s, lines);
    if (!s.recognition.closestModes() && s.oneValued)
        return oneValuedRunScan(raster, s, lines, columns, point, done);
    return transposedScan(raster, s, lines, columns, point, done);
}

} // namespace quorvex
