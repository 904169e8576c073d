#include "autodigit/engine.h"
#include "autodigit/grid.h"
#include "autodigit/recognition.h"
#include "core/numbers.h"
#include "core/round.h"

#include <gtest/gtest.h>

using namespace quorvex;

namespace {

using Points = std::vector<std::pair<int, int>>;

Points scan(const Raster& r, const ScanSettings& s, const GridLines& lines = {}) {
    Points points;
    scanArea(
        r, s, lines, [&](int x, int y) { points.emplace_back(x, y); }, nullptr);
    return points;
}

ScanSettings settingsFor(const Raster& r, Colour curve) {
    ScanSettings s;
    s.recognition.curve = curve;
    s.area = {0, 0, r.width() - 1, r.height() - 1};
    s.selfCorrection = false;
    return s;
}

// A vertical run of `length` pixels of a colour in column x from row y.
void run(Raster& r, int x, int y, int length, Colour c) {
    for (int i = 0; i < length; ++i)
        r.setPixel(x, y + i, c);
}

// The column-by-column rule written out from its description, sharing nothing with the engine
// but the colour rule: columns from left + indent + 1 at the step (a grid column moves on by
// its width), rows of a column from the top; the closest modes keep one best pixel, the others
// every run (the topmost only when one-valued); a found pixel moves to the middle of its run
// when self-correction is on; in the exact mode the bands of horizontal grid lines are skipped.
Points literalScan(const Raster& r, const ScanSettings& s, const GridLines& lines) {
    const Recognition& rule = s.recognition;
    const ScanArea& a = s.area;
    const int b = s.indent;
    const std::int64_t curve = rule.curve;
    auto pixel = [&r](int x, int y) -> std::int64_t {
        return x >= 0 && y >= 0 && x < r.width() && y < r.height() ? std::int64_t(r.pixel(x, y))
                                                                   : kOutsideImage;
    };
    auto gridColumn = [&](int x) {
        for (int v : lines.vertical)
            if (s.grid.typedOn && v == x) return true;
        if (!s.grid.searchOn) return false;
        const int e = Round(double(a.bottom - a.top) / s.grid.searchFactorV);
        if (e <= 0) return false;
        int hits = 0, y = a.top + b;
        do {
            hits += pixel(x, y) == curve;
            y += e;
        } while (y <= a.bottom - b);
        return hits >= s.grid.searchFactorV - 2;
    };
    auto bandEnd = [&](int y) {
        if (rule.mode != RecognitionMode::Exact || !(s.grid.searchOn || s.grid.typedOn)) return -1;
        const int h = Round(s.grid.lineWidthH / 2.0);
        for (int u : lines.horizontal)
            if (u - h - 1 <= y && y <= u + h + 1) return u + h + 1;
        return -1;
    };
    auto middleOfRun = [&](int x, int y, std::int64_t best) {
        if (!s.selfCorrection) return y;
        long long sum = 0;
        int count = 0;
        for (int row = y; row <= y + s.correctionDepth; ++row) {
            const std::int64_t p = pixel(x, row);
            if (rule.closestModes()) {
                // The curve colour counts; a pixel outside the rule ends the run; another pixel
                // counts, and becomes the best, only when it is closer than the best so far.
                if (p == curve) {
                    sum += row, ++count;
                } else if (!rule.matches(p)) {
                    break;
                } else if (rule.closer(p, best)) {
                    best = rule.bestValue(p);
                    sum += row, ++count;
                }
            } else {
                if (!rule.matches(p)) break;
                sum += row, ++count;
            }
        }
        return count ? Round(double(sum) / count) : y;
    };
    Points points;
    int x = a.left + b + 1;
    do {
        if (gridColumn(x)) {
            x += s.grid.lineWidthV;
        } else if (rule.closestModes()) {
            std::int64_t best = rule.initialBest();
            int chosen = -1;
            for (int y = a.top + b; y <= a.bottom - b; ++y) {
                const std::int64_t p = pixel(x, y);
                if (!rule.matches(p)) continue;
                if (rule.closer(p, best)) best = rule.bestValue(p), chosen = y;
                if (p == curve) {
                    chosen = y;
                    break;
                }
            }
            if (chosen >= 0) points.emplace_back(x, middleOfRun(x, chosen, best));
        } else {
            int y = a.top + b + 1;
            do {
                if (const int end = bandEnd(y); end >= 0) {
                    y = end;
                } else if (rule.matches(pixel(x, y))) {
                    y = middleOfRun(x, y, 0);
                    points.emplace_back(x, y);
                    if (s.oneValued) break;
                    if (s.thickness >= 2) y += s.thickness;
                }
                ++y;
            } while (y <= a.bottom - b - 2);
        }
        x += std::max(1, s.step);
    } while (x < a.right - b - 1);
    return points;
}

} // namespace

TEST(Recognition, IntervalBoundsAndMatching) {
    Recognition r;
    r.mode = RecognitionMode::Interval;
    r.curve = kRed;
    const struct {
        int interval;
        IntervalSide side;
        std::int64_t lo, hi;
    } cases[] = {{0, IntervalSide::Both, 255, 255},  {1, IntervalSide::Both, 255, 255},
                 {3, IntervalSide::Both, 253, 257},  {5, IntervalSide::Both, 253, 257},
                 {20, IntervalSide::Left, 245, 255}, {20, IntervalSide::Right, 255, 265},
                 {300, IntervalSide::Both, 105, 405}};
    for (const auto& c : cases) {
        r.interval = c.interval;
        r.side = c.side;
        EXPECT_EQ(r.low(), c.lo) << c.interval;
        EXPECT_EQ(r.high(), c.hi) << c.interval;
    }
    // Red +- 10 also takes the nearly black colours with G = 1: the interval runs over the value.
    r.interval = 20;
    r.side = IntervalSide::Both;
    EXPECT_TRUE(r.matches(makeColour(245, 0, 0)));
    EXPECT_FALSE(r.matches(makeColour(244, 0, 0)));
    EXPECT_TRUE(r.matches(makeColour(9, 1, 0)));
    EXPECT_FALSE(r.matches(makeColour(10, 1, 0)));
    EXPECT_FALSE(r.matches(makeColour(250, 0, 1)));
    EXPECT_FALSE(r.matches(kOutsideImage));
    // Black with the side left: only black.
    r.curve = kBlack;
    r.side = IntervalSide::Left;
    EXPECT_TRUE(r.matches(kBlack));
    EXPECT_FALSE(r.matches(makeColour(1, 0, 0)));
    // Brightness: greys up to the limit only.
    r.mode = RecognitionMode::Brightness;
    r.brightnessMax = 100;
    EXPECT_TRUE(r.matches(makeColour(100, 100, 100)));
    EXPECT_FALSE(r.matches(makeColour(101, 101, 101)));
    EXPECT_FALSE(r.matches(makeColour(10, 10, 11)));
}

TEST(Engine, ExactOneValuedTakesTheTopmostPixel) {
    Raster r(6, 40, PixelFormat::Bit24, kWhite);
    run(r, 2, 10, 3, kBlack);
    run(r, 2, 25, 2, kBlack);
    run(r, 3, 30, 1, kBlack);
    ScanSettings s = settingsFor(r, kBlack);
    EXPECT_EQ(scan(r, s), (Points{{2, 10}, {3, 30}}));
    s.selfCorrection = true;
    s.correctionDepth = 15;
    EXPECT_EQ(scan(r, s), (Points{{2, 11}, {3, 30}}));
    // A pixel one bit off is not the curve colour.
    r.setPixel(1, 5, makeColour(1, 0, 0));
    EXPECT_EQ(scan(r, s).size(), 2u);
}

TEST(Engine, SelfCorrectionMovesToTheMiddleOfTheRun) {
    const struct {
        int length, depth, expected;
    } cases[] = {{4, 15, 12}, {3, 15, 11}, {1, 15, 10}, {2, 15, 10}, {10, 3, 12}, {6, 2, 11}};
    for (const auto& c : cases) {
        Raster r(3, 40, PixelFormat::Bit24, kWhite);
        run(r, 1, 10, c.length, kBlack);
        ScanSettings s = settingsFor(r, kBlack);
        s.selfCorrection = true;
        s.correctionDepth = c.depth;
        EXPECT_EQ(scan(r, s), (Points{{1, c.expected}})) << c.length << " rows, depth " << c.depth;
    }
}

TEST(Engine, ManyValuedWithThickness) {
    Raster r(3, 40, PixelFormat::Bit24, kWhite);
    run(r, 1, 10, 3, kBlack);
    run(r, 1, 20, 1, kBlack);
    ScanSettings s = settingsFor(r, kBlack);
    s.oneValued = false;
    s.thickness = 1;
    EXPECT_EQ(scan(r, s), (Points{{1, 10}, {1, 11}, {1, 12}, {1, 20}}));
    s.thickness = 2; // after a point at y the next row examined is y + 3
    EXPECT_EQ(scan(r, s), (Points{{1, 10}, {1, 20}}));
    run(r, 1, 13, 1, kBlack);
    EXPECT_EQ(scan(r, s), (Points{{1, 10}, {1, 13}, {1, 20}}));
}

TEST(Engine, ClosestModesTakeOneBestPixelPerColumn) {
    Raster r(5, 30, PixelFormat::Bit24, kWhite); // columns 1 and 2 are examined
    r.setPixel(1, 5, makeColour(240, 0, 0));
    r.setPixel(1, 8, makeColour(250, 0, 0)); // nearer to red
    r.setPixel(1, 12, makeColour(246, 0, 0));
    r.setPixel(2, 4, makeColour(252, 0, 0));
    r.setPixel(2, 9, kRed); // the curve colour itself ends the column
    r.setPixel(2, 15, makeColour(254, 0, 0));
    ScanSettings s = settingsFor(r, kRed);
    s.recognition.mode = RecognitionMode::ClosestHue;
    s.recognition.interval = 40;
    EXPECT_EQ(scan(r, s), (Points{{1, 8}, {2, 9}}));

    Raster g(3, 30, PixelFormat::Bit24, kWhite);
    g.setPixel(1, 3, makeColour(90, 90, 90));
    g.setPixel(1, 7, makeColour(20, 20, 20));
    g.setPixel(1, 9, makeColour(50, 50, 50));
    g.setPixel(1, 11, makeColour(10, 10, 12)); // not grey
    ScanSettings b = settingsFor(g, kBlack);
    b.recognition.mode = RecognitionMode::TowardsBlack;
    b.recognition.brightnessMax = 100;
    EXPECT_EQ(scan(g, b), (Points{{1, 7}}));
    b.recognition.mode = RecognitionMode::Brightness;
    b.oneValued = false;
    b.thickness = 1;
    EXPECT_EQ(scan(g, b), (Points{{1, 3}, {1, 7}, {1, 9}}));
    b.recognition.mode = RecognitionMode::Interval; // interval around black: only near-black values
    b.recognition.curve = kBlack;
    b.recognition.interval = 0;
    EXPECT_TRUE(scan(g, b).empty());
}

TEST(Engine, StepIndentAndFirstColumnAndRow) {
    Raster r(30, 30, PixelFormat::Bit24, kBlack);
    ScanSettings s = settingsFor(r, kBlack);
    s.area = {2, 2, 27, 27};
    s.step = 4;
    s.indent = 3;
    // Columns 6, 10, ... while x < 27 - 3 - 1; rows from 2 + 3 + 1.
    const Points p = scan(r, s);
    Points expected;
    for (int x = 6; x < 23; x += 4)
        expected.emplace_back(x, 6);
    EXPECT_EQ(p, expected);
    // An area too narrow and low for the bounds still has its first column and row examined.
    s.area = {10, 10, 11, 11};
    s.indent = 0;
    EXPECT_EQ(scan(r, s), (Points{{11, 11}}));
    // Pixels outside the image never match.
    s.area = {25, 25, 40, 40};
    for (const auto& point : scan(r, s))
        EXPECT_LT(point.first, 30);
}

TEST(Engine, StopEndsTheScanAfterAColumn) {
    Raster r(200, 20, PixelFormat::Bit24, kBlack);
    ScanSettings s = settingsFor(r, kBlack);
    Points points;
    int columns = 0;
    const ScanOutcome outcome = scanArea(
        r, s, {}, [&](int x, int y) { points.emplace_back(x, y); },
        [&](int) { return ++columns < 70; });
    EXPECT_EQ(outcome, ScanOutcome::Stopped);
    EXPECT_EQ(points.size(), 70u);
    EXPECT_EQ(points.back().first, 70);
}

TEST(Grid, WordsOfAField) {
    const struct {
        const char* text;
        int k;
        const char* word;
    } cases[] = {
        {"10 20 30", 1, "10"}, {"10 20 30", 2, "20"}, {"10  20", 2, "20"}, {"10 20", 3, "20"},
        {"10", 2, "10"},       {" 10", 1, ""},        {"10 ", 2, ""},      {"", 1, ""}};
    for (const auto& c : cases)
        EXPECT_EQ(gridWord(c.text, c.k), c.word) << c.text << " " << c.k;
}

TEST(Grid, TypedLines) {
    GridLines lines;
    readTypedLines("10 20 30", 3, "150", 1, 300, lines);
    EXPECT_EQ(lines.horizontal, (std::vector<int>{290, 280, 270}));
    EXPECT_EQ(lines.vertical, (std::vector<int>{150}));
    GridLines fewer;
    readTypedLines("10 20 30", 2, "", 1, 300, fewer);
    EXPECT_EQ(fewer.horizontal, (std::vector<int>{290, 280}));
    GridLines repeated; // one number, five Space presses deleted again: the entry repeats
    readTypedLines("7", 6, "", 1, 100, repeated);
    EXPECT_EQ(repeated.horizontal.size(), 6u);
    GridLines trailing;
    readTypedLines("7 ", 2, "", 1, 100, trailing);
    EXPECT_EQ(trailing.horizontal, (std::vector<int>{93}));
    GridLines bad;
    EXPECT_THROW(readTypedLines("1 x", 2, "", 1, 100, bad), ConversionError);
}

TEST(Grid, FoundLinesBandsAndColumns) {
    Raster r(101, 200, PixelFormat::Bit24, kWhite);
    for (int y : {100, 101, 102})
        for (int x = 0; x <= 100; ++x)
            r.setPixel(x, y, kBlack);
    GridSettings g;
    g.searchOn = true;
    g.searchFactorH = 5; // d = 20
    g.lineWidthH = 3;
    GridLines lines;
    findHorizontalLines(r, kBlack, {0, 0, 100, 199}, 0, g, lines);
    EXPECT_EQ(lines.horizontal, (std::vector<int>{100}));
    g.lineWidthH = 1;
    findHorizontalLines(r, kBlack, {0, 0, 100, 199}, 0, g, lines);
    EXPECT_EQ(lines.horizontal, (std::vector<int>{100, 102}));
    // Bands: width 3 -> U-3..U+3, width 1 -> U-1..U+1, width 5 -> h = 2.
    GridLines one{{100}, {}};
    EXPECT_EQ(gridBandEnd(one, 3, 97), 103);
    EXPECT_EQ(gridBandEnd(one, 3, 96), -1);
    EXPECT_EQ(gridBandEnd(one, 1, 101), 101);
    EXPECT_EQ(gridBandEnd(one, 5, 103), 103);
    // A zero sampling step neither divides by zero nor loops.
    GridLines none;
    findHorizontalLines(r, kBlack, {0, 0, 1, 199}, 0, g, none);
    EXPECT_TRUE(none.horizontal.empty());
    EXPECT_FALSE(isGridColumn(r, kBlack, {0, 0, 100, 1}, 0, g, none, 5));
    // 21 qualifying rows: 20 recorded.
    Raster many(50, 300, PixelFormat::Bit24, kWhite);
    for (int i = 0; i < 21; ++i)
        for (int x = 0; x < 50; ++x)
            many.setPixel(x, 10 + i * 10, kBlack);
    GridLines twenty;
    g.lineWidthH = 3;
    findHorizontalLines(many, kBlack, {0, 0, 49, 299}, 0, g, twenty);
    EXPECT_EQ(twenty.horizontal.size(), 20u);
}

TEST(Engine, GridExclusion) {
    // A black curve at row 30 crossing a black grid: a horizontal line at row 60, a vertical one
    // at column 50.
    Raster r(101, 100, PixelFormat::Bit24, kWhite);
    for (int x = 0; x <= 100; ++x)
        r.setPixel(x, 60, kBlack);
    for (int y = 0; y < 100; ++y)
        r.setPixel(50, y, kBlack);
    for (int x = 0; x <= 100; ++x)
        r.setPixel(x, 30 + (x % 3 == 0 ? 1 : 0), kBlack);
    ScanSettings s = settingsFor(r, kBlack);
    s.grid.searchOn = true;
    GridLines lines;
    findHorizontalLines(r, kBlack, s.area, 0, s.grid, lines);
    // Row 30 and 31 are curve rows: enough sampled columns there too, so they are taken for lines.
    EXPECT_NE(std::find(lines.horizontal.begin(), lines.horizontal.end(), 60),
              lines.horizontal.end());
    const std::vector<int> columns = scanColumns(r, s, lines);
    EXPECT_EQ(std::find(columns.begin(), columns.end(), 50), columns.end())
        << "the grid column is skipped";
    EXPECT_NE(std::find(columns.begin(), columns.end(), 54), columns.end())
        << "next column 50 + width + 1";
    EXPECT_EQ(std::find(columns.begin(), columns.end(), 51), columns.end());
    // Typed lines: a vertical line at 150 is never hit with step 4 from 101.
    ScanSettings typed = settingsFor(r, kBlack);
    typed.grid.typedOn = true;
    typed.area = {100, 0, 100, 99};
    GridLines t{{}, {150}};
    Raster wide(300, 10, PixelFormat::Bit24, kWhite);
    typed.area = {100, 0, 299, 9};
    typed.step = 4;
    auto cols = scanColumns(wide, typed, t);
    EXPECT_NE(std::find(cols.begin(), cols.end(), 149), cols.end());
    EXPECT_NE(std::find(cols.begin(), cols.end(), 153), cols.end());
    typed.step = 1;
    cols = scanColumns(wide, typed, t);
    EXPECT_EQ(std::find(cols.begin(), cols.end(), 150), cols.end());
    EXPECT_NE(std::find(cols.begin(), cols.end(), 154), cols.end());
    EXPECT_EQ(std::find(cols.begin(), cols.end(), 153), cols.end());
}

TEST(Engine, FastScanGivesExactlyTheColumnByColumnPoints) {
    // Random pictures of a few colours and random settings, typed grid lines among them: the
    // scan that reads rows must give the same points as the rule written out in this test.
    std::srand(12345);
    const Colour palette[] = {
        kWhite, kBlack, kRed, makeColour(250, 0, 0), makeColour(40, 40, 40), makeColour(1, 1, 0)};
    for (int trial = 0; trial < 300; ++trial) {
        const int width = 5 + std::rand() % 140, height = 5 + std::rand() % 60;
        Raster r(width, height, PixelFormat::Bit24, kWhite);
        const int density = 2 + std::rand() % 20;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (std::rand() % density == 0) r.setPixel(x, y, palette[std::rand() % 6]);
        ScanSettings s;
        const RecognitionMode modes[] = {RecognitionMode::Exact, RecognitionMode::Interval,
                                         RecognitionMode::ClosestHue, RecognitionMode::Brightness,
                                         RecognitionMode::TowardsBlack};
        s.recognition.mode = modes[std::rand() % 5];
        s.recognition.curve = palette[1 + std::rand() % 5];
        s.recognition.interval = std::rand() % 40;
        s.recognition.side = static_cast<IntervalSide>(std::rand() % 3);
        s.recognition.brightnessMax = std::rand() % 256;
        s.area = {std::rand() % 5 - 2, std::rand() % 5 - 2, width - 1 - std::rand() % 5 + 2,
                  height - 1 - std::rand() % 5 + 2};
        s.step = 1 + std::rand() % 3;
        s.indent = std::rand() % 3;
        s.oneValued = std::rand() % 2;
        s.thickness = 1 + std::rand() % 4;
        s.selfCorrection = std::rand() % 2;
        s.correctionDepth = 2 + std::rand() % 5;
        const int gridKind = std::rand() % 4; // none, search, typed
        s.grid.searchOn = gridKind == 1;
        s.grid.typedOn = gridKind == 2;
        s.grid.searchFactorH = s.grid.searchFactorV = 3 + std::rand() % 5;
        s.grid.lineWidthH = s.grid.lineWidthV = 1 + std::rand() % 4;
        GridLines lines;
        if (s.grid.searchOn)
            findHorizontalLines(r, s.recognition.curve, s.area, s.indent, s.grid, lines);
        if (s.grid.typedOn)
            for (int k = std::rand() % 4; k > 0; --k) {
                lines.horizontal.push_back(std::rand() % height);
                lines.vertical.push_back(std::rand() % width);
            }
        Points fast;
        scanArea(
            r, s, lines, [&](int x, int y) { fast.emplace_back(x, y); }, nullptr);
        ASSERT_EQ(fast, literalScan(r, s, lines)) << "trial " << trial;
    }
}
