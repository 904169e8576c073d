#include "autodigit/engine.h"

#include "autodigit/colour_distance.h"
#include "autodigit/pixel_masks.h"
#include "core/round.h"

#include <algorithm>
#include <memory>
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
    return (s.recognition.mode == RecognitionMode::Exact ||
            s.recognition.mode == RecognitionMode::Distance) &&
           (s.grid.searchOn || s.grid.typedOn) && !lines.horizontal.empty();
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
                const std::function<void(int, double)>& point) {
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

using PointSink = std::function<void(int, double)>;
using ColumnDone = std::function<bool(int)>;

// The topmost examined row of each column of a wide band whose pixel matches. Rows are read one
// after the other, only in the 64-column chunks that still miss their row; the matches of a chunk
// are gathered into a bit mask (a vectorisable loop when its columns are adjacent).
constexpr int kWideBand = 16384;
// How many rows ahead the pending chunks are fetched (measured best on our machines).
constexpr int kPrefetchRows = 4;

// The columns of a 64-column chunk as stretches of adjacent image columns (offset in the chunk,
// length); columns outside the image belong to none and never match.
struct ChunkStretches {
    std::vector<std::pair<int, int>> stretches;
    std::uint64_t outside = 0;
    bool whole = false; // one stretch of all the chunk's columns
};

ChunkStretches chunkStretches(const Raster& raster, const int* xs, int n) {
    ChunkStretches out;
    for (int c = 0; c < n;) {
        if (xs[c] < 0 || xs[c] >= raster.width()) {
            out.outside |= std::uint64_t(1) << c;
            ++c;
            continue;
        }
        int length = 1;
        while (c + length < n && xs[c + length] == xs[c] + length &&
               xs[c + length] < raster.width())
            ++length;
        out.stretches.emplace_back(c, length);
        c += length;
    }
    out.whole = out.stretches.size() == 1 && out.stretches[0].second == n;
    return out;
}

template <typename ChunkMask>
void findTopmost(const Raster& raster, const std::vector<int>& rows, const int* xs, int count,
                 ChunkMask chunkMask, int* found) {
    const int chunks = (count + 63) / 64;
    std::vector<int> pending(static_cast<std::size_t>(chunks));
    std::vector<std::uint64_t> foundMask(static_cast<std::size_t>(chunks), 0);
    std::vector<ChunkStretches> layout(static_cast<std::size_t>(chunks));
    for (int k = 0; k < chunks; ++k) {
        pending[static_cast<std::size_t>(k)] = k;
        const int first = 64 * k, n = std::min(count, first + 64) - first;
        layout[std::size_t(k)] = chunkStretches(raster, xs + first, n);
        // Columns outside the image count as settled: they have nothing to find.
        foundMask[std::size_t(k)] = layout[std::size_t(k)].outside;
    }
    for (int y : rows) {
        if (pending.empty()) return;
        if (y < 0 || y >= raster.height()) continue; // outside the image nothing matches
        const Colour* row = raster.row(y);
        // The chunks stay in column order, so each row is read from left to right, as the
        // memory's prefetching likes it.
        std::size_t kept = 0;
        for (std::size_t i = 0; i < pending.size(); ++i) {
            const int k = pending[i];
            const int first = 64 * k, n = std::min(count, first + 64) - first;
            std::uint64_t m = 0;
            const ChunkStretches& parts = layout[std::size_t(k)];
#if defined(__SSE2__)
            // A chunk left pending is read again a few rows further down: ask for it now.
            if (y + kPrefetchRows < raster.height() && xs[first] >= 0 &&
                xs[first] < raster.width()) {
                const char* ahead =
                    reinterpret_cast<const char*>(raster.row(y + kPrefetchRows) + xs[first]);
                for (int line = 0; line < 4; ++line)
                    _mm_prefetch(ahead + 64 * line, _MM_HINT_T0);
            }
#endif
            if (parts.whole) {
                m = chunkMask(row + xs[first], n);
            } else {
                for (const auto& [offset, length] : parts.stretches)
                    m |= chunkMask(row + xs[first + offset], length) << offset;
            }
            std::uint64_t& done = foundMask[static_cast<std::size_t>(k)];
            for (std::uint64_t fresh = m & ~done; fresh; fresh &= fresh - 1)
                found[first + __builtin_ctzll(fresh)] = y;
            done |= m;
            const std::uint64_t all = n == 64 ? ~std::uint64_t(0) : ((std::uint64_t(1) << n) - 1);
            if (done != all) pending[kept++] = k;
        }
        pending.resize(kept);
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
                raster, rows, xs, count,
                [curve](const Colour* p, int n) { return equalMask(p, n, curve); }, found.data());
            break;
        case RecognitionMode::Interval:
            findTopmost(
                raster, rows, xs, count,
                [lo, hi](const Colour* p, int n) { return rangeMask(p, n, lo, hi); }, found.data());
            break;
        default:
            findTopmost(
                raster, rows, xs, count,
                [limit](const Colour* p, int n) { return greyMask(p, n, limit); }, found.data());
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

// The distance scan reads the examined rows once, top to bottom, across bands of columns. Paper
// pixels (compared four at a time) are skipped unless a run is open in their column; every other
// pixel goes to its column's run tracker. When a band's rows are read, its columns take their
// runs from left to right: the one nearest the previous point (the strongest at first) when
// one-valued, every run otherwise.
ScanOutcome distanceScan(const Raster& raster, const ScanSettings& s, const GridLines& lines,
                         const std::vector<int>& columns, const PointSink& point,
                         const ColumnDone& done) {
    const Recognition& r = s.recognition;
    const int top = std::max(s.area.top + s.indent, 0);
    const int bottom = std::min(s.area.bottom - s.indent, raster.height() - 1);
    ColourDistance distance(r.curve);
    const std::optional<Colour> paper =
        paperColour(raster, s.area.left, top, s.area.right, bottom, distance, r.tolerance);
    const CurveInk ink(r.curve, paper);
    const DistanceRule rule{r.tolerance};
    // A value no pixel has when there is no paper: then every pixel is looked at.
    const Colour paperValue = paper.value_or(0xFFFFFFFFu);
    const bool rowTest = rowTestActive(s, lines);
    std::vector<char> examined(static_cast<std::size_t>(std::max(bottom - top + 1, 0)), 1);
    if (rowTest)
        for (int y = top; y <= bottom; ++y)
            examined[std::size_t(y - top)] = gridBandEnd(lines, s.grid.lineWidthH, y) < 0;
    const auto rowExamined = [&](int y) {
        return y >= top && y <= bottom && examined[std::size_t(y - top)];
    };
    CurveFollower follower;
    // The weight (the height in pixels) of the last run the area's edge did not cut.
    std::optional<double> lineHeight;
    std::vector<RunTracker> trackers;
    for (std::size_t start = 0; start < columns.size(); start += kWideBand) {
        const int count =
            static_cast<int>(std::min<std::size_t>(kWideBand, columns.size() - start));
        const int* xs = columns.data() + start;
        trackers.clear();
        for (int c = 0; c < count; ++c) {
            const int x = xs[c];
            const bool inside = x >= 0 && x < raster.width();
            trackers.emplace_back(
                distance, ink, rule,
                [&raster, &rowExamined, x, inside](int y) -> std::optional<Colour> {
                    if (!inside || !rowExamined(y)) return std::nullopt;
                    return raster.pixel(x, y);
                });
        }
        const int chunks = (count + 63) / 64;
        std::vector<std::uint64_t> active(static_cast<std::size_t>(chunks), 0);
        for (int y = top; y <= bottom; ++y) {
            if (!rowExamined(y)) {
                for (RunTracker& t : trackers)
                    t.gap();
                std::fill(active.begin(), active.end(), 0);
                continue;
            }
            const Colour* row = raster.row(y);
            for (int k = 0; k < chunks; ++k) {
                const int first = 64 * k, n = std::min(count, first + 64) - first;
                std::uint64_t candidates = 0;
                if (xs[first] >= 0 && xs[first + n - 1] < raster.width() &&
                    xs[first + n - 1] - xs[first] == n - 1) {
                    const std::uint64_t all =
                        n == 64 ? ~std::uint64_t(0) : ((std::uint64_t(1) << n) - 1);
                    candidates = ~equalMask(row + xs[first], n, paperValue) & all;
                } else {
                    for (int c = 0; c < n; ++c) {
                        const int x = xs[first + c];
                        if (x >= 0 && x < raster.width() && row[x] != paperValue)
                            candidates |= std::uint64_t(1) << c;
                    }
                }
                std::uint64_t& open = active[std::size_t(k)];
                for (std::uint64_t work = candidates | open; work; work &= work - 1) {
                    const int c = __builtin_ctzll(work);
                    RunTracker& t = trackers[std::size_t(first + c)];
                    if (candidates >> c & 1)
                        t.feed(y, row[xs[first + c]]);
                    else
                        t.gap();
                    if (t.active())
                        open |= std::uint64_t(1) << c;
                    else
                        open &= ~(std::uint64_t(1) << c);
                }
            }
        }
        // Before the first whole run the curve's height is taken as the middle one of the band.
        if (!lineHeight) {
            std::vector<double> heights;
            for (RunTracker& t : trackers)
                for (const CurveRun& run : t.finish())
                    if (run.top > top && run.bottom < bottom && !run.hiddenAbove &&
                        !run.hiddenBelow)
                        heights.push_back(run.strength);
            if (!heights.empty()) {
                std::nth_element(heights.begin(), heights.begin() + heights.size() / 2,
                                 heights.end());
                lineHeight = heights[heights.size() / 2];
            }
        }
        for (int c = 0; c < count; ++c) {
            const std::vector<CurveRun>& runs = trackers[std::size_t(c)].finish();
            const auto report = [&](const CurveRun& run) {
                double centre = run.centre;
                const bool cutAbove = run.top <= top || run.hiddenAbove,
                           cutBelow = run.bottom >= bottom || run.hiddenBelow;
                if (!cutAbove && !cutBelow) {
                    lineHeight = run.strength;
                } else {
                    // The area's edge or other ink cut the run: its other edge stands, and the
                    // curve is as thick as it was in the last whole run.
                    if ((cutAbove && cutBelow) || !lineHeight) return;
                    if (run.strength < *lineHeight)
                        centre = cutBelow ? run.centre - run.strength / 2 + *lineHeight / 2
                                          : run.centre + run.strength / 2 - *lineHeight / 2;
                }
                point(xs[c], r.subPixel ? centre : double(Round(centre)));
            };
            if (s.oneValued) {
                if (const std::optional<CurveRun> run = follower.next(xs[c], runs)) report(*run);
            } else {
                for (const CurveRun& run : runs)
                    report(run);
            }
            if (done && !done(xs[c])) return ScanOutcome::Stopped;
        }
    }
    return ScanOutcome::Finished;
}

} // namespace

CurveColourTest curveColourTest(const Recognition& recognition) {
    if (recognition.mode != RecognitionMode::Distance) {
        const Colour curve = recognition.curve;
        return [curve](Colour c) { return c == curve; };
    }
    auto distance = std::make_shared<ColourDistance>(recognition.curve);
    const float tolerance = float(recognition.tolerance);
    return [distance, tolerance](Colour c) { return (*distance)(c) <= tolerance; };
}

std::vector<int> scanColumns(const Raster& raster, const ScanSettings& s, const GridLines& lines) {
    std::vector<int> columns;
    const int step = std::max(1, s.step);
    const int first = s.area.left + s.indent + 1;
    const int last = std::max(first, s.area.right - s.indent - 2);
    const std::vector<char> grid = gridColumns(raster, curveColourTest(s.recognition), s.area,
                                               s.indent, s.grid, lines, first, last);
    int x = first;
    do {
        if (x <= last && grid[std::size_t(x - first)])
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
    if (s.recognition.mode == RecognitionMode::Distance)
        return distanceScan(raster, s, lines, columns, point, done);
    if (!s.recognition.closestModes() && s.oneValued)
        return oneValuedRunScan(raster, s, lines, columns, point, done);
    return transposedScan(raster, s, lines, columns, point, done);
}

} // namespace quorvex
