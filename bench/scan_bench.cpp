// The automatic scan over a large chart, against one plain pass over the same pixels.
#include "autodigit/engine.h"
#include "bench.h"

#include <cmath>

using namespace quorvex;

namespace {

// White, a one-pixel sine in the curve colour, and (for the grid case) grid lines in the same
// colour every 500 pixels.
Raster chart(bool grid) {
    const int width = 10000, height = 8000;
    Raster r(width, height, PixelFormat::Bit24, kWhite);
    const Colour curve = kRed;
    if (grid) {
        for (int y = 250; y < height; y += 500)
            for (int x = 0; x < width; ++x)
                r.setPixelRaw(x, y, curve);
        for (int x = 250; x < width; x += 500)
            for (int y = 0; y < height; ++y)
                r.setPixelRaw(x, y, curve);
    }
    int previous = -1;
    for (int x = 0; x < width; ++x) {
        const int y = static_cast<int>(height / 2 + height / 3 * std::sin(x / 900.0));
        const int from = previous < 0 ? y : std::min(previous, y),
                  to = previous < 0 ? y : std::max(previous, y);
        for (int row = from; row <= to; ++row)
            r.setPixelRaw(x, row, curve);
        previous = y;
    }
    return r;
}

void scanBenchmark(const char* name, RecognitionMode mode, bool grid) {
    const Raster r = chart(grid);
    ScanSettings s;
    s.recognition.mode = mode;
    s.recognition.subPixel = true;
    s.recognition.curve = kRed;
    s.recognition.interval = 20;
    s.recognition.side = IntervalSide::Both;
    s.area = {0, 0, r.width() - 1, r.height() - 1};
    s.selfCorrection = true;
    s.oneValued = true;
    GridLines lines;
    if (grid) {
        s.grid.searchOn = true;
        findHorizontalLines(r, kRed, s.area, 0, s.grid, lines);
    }
    std::size_t points = 0;
    const bench::Pair t = bench::compare(
        3,
        [&] {
            points = 0;
            GridLines found = lines;
            if (grid) findHorizontalLines(r, kRed, s.area, 0, s.grid, found);
            scanArea(
                r, s, found, [&](int, double) { ++points; }, [](int) { return true; });
        },
        [&] {
            // One plain sequential pass that reads every pixel of the area once.
            std::size_t matches = 0;
            for (int y = 0; y < r.height(); ++y) {
                const Colour* row = r.row(y);
                for (int x = 0; x < r.width(); ++x)
                    matches += row[x] == kRed;
            }
            if (matches == 0) std::abort();
        });
    if (points == 0) std::abort();
    const double gigabytes = double(r.width()) * r.height() * sizeof(Colour) / 1e9;
    std::printf("%s ratio=%.3f ms=%.1f baseline_ms=%.1f points=%zu plain_pass_gb_s=%.1f\n", name,
                t.ms / t.baselineMs, t.ms, t.baselineMs, points, gigabytes / (t.baselineMs / 1e3));
}

const bench::Register scanExact("scan_exact",
                                [] { scanBenchmark("scan_exact", RecognitionMode::Exact, false); });
const bench::Register scanInterval("scan_interval", [] {
    scanBenchmark("scan_interval", RecognitionMode::Interval, false);
});
const bench::Register scanDistance("scan_distance", [] {
    scanBenchmark("scan_distance", RecognitionMode::Distance, false);
});
const bench::Register scanGrid("scan_grid",
                               [] { scanBenchmark("scan_grid", RecognitionMode::Exact, true); });

} // namespace
