// Recognition by colour distance: colours, anti-aliased coverage, runs and their centres, the
// choice of run from column to column, and the scan in this mode.
#include "autodigit/colour_distance.h"
#include "autodigit/engine.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

using namespace quorvex;

namespace {

const Colour kBlue = makeColour(0, 0, 255);

// The colour an anti-aliased line leaves on white paper where it covers `alpha` of a pixel.
Colour mixed(Colour ink, double alpha) {
    auto channel = [alpha](int ink, int paper) {
        return static_cast<int>(std::lround(alpha * ink + (1 - alpha) * paper));
    };
    return makeColour(channel(redOf(ink), 255), channel(greenOf(ink), 255),
                      channel(blueOf(ink), 255));
}

// Draws across every column a horizontal anti-aliased line of width `width` centred on row
// `centre` (row y covers y - 0.5 .. y + 0.5).
void antiAliasedLine(Raster& r, Colour ink, double centre, double width, int from, int to) {
    for (int x = from; x <= to; ++x)
        for (int y = 0; y < r.height(); ++y) {
            const double cover = std::max(0.0, std::min(y + 0.5, centre + width / 2) -
                                                   std::max(y - 0.5, centre - width / 2));
            if (cover > 0) r.setPixel(x, y, mixed(ink, std::min(cover, 1.0)));
        }
}

ScanSettings distanceSettings(const Raster& r, Colour curve) {
    ScanSettings s;
    s.recognition.mode = RecognitionMode::Distance;
    s.recognition.curve = curve;
    s.recognition.tolerance = 25;
    s.recognition.subPixel = true;
    s.area = {0, 0, r.width() - 1, r.height() - 1};
    return s;
}

std::vector<std::pair<int, double>> scan(const Raster& r, const ScanSettings& s,
                                         const GridLines& lines = {}) {
    std::vector<std::pair<int, double>> points;
    scanArea(
        r, s, lines, [&](int x, double y) { points.emplace_back(x, y); }, nullptr);
    return points;
}

} // namespace

TEST(ColourDistance, LabAndDistances) {
    const Lab white = labOf(kWhite), black = labOf(kBlack);
    EXPECT_NEAR(white.L, 100, 0.01);
    EXPECT_NEAR(white.a, 0, 0.01);
    EXPECT_NEAR(white.b, 0, 0.01);
    EXPECT_NEAR(black.L, 0, 0.01);
    EXPECT_NEAR(deltaE76(labOf(kRed), labOf(kRed)), 0, 1e-12);
    EXPECT_GT(deltaE76(labOf(kRed), labOf(makeColour(0, 128, 0))), 100);
    ColourDistance toRed(kRed);
    EXPECT_FLOAT_EQ(toRed(makeColour(250, 0, 0)),
                    float(deltaE76(labOf(makeColour(250, 0, 0)), labOf(kRed))));
    EXPECT_FLOAT_EQ(toRed(makeColour(250, 0, 0)), toRed(makeColour(250, 0, 0))); // cached
    Recognition r;
    r.mode = RecognitionMode::Distance;
    r.curve = kRed;
    r.tolerance = 10;
    EXPECT_TRUE(r.matches(makeColour(250, 5, 5)));
    EXPECT_FALSE(r.matches(makeColour(200, 60, 60)));
    EXPECT_FALSE(r.matches(kOutsideImage));
}

TEST(ColourDistance, CoverageOfAnAntiAliasedEdge) {
    const CurveInk ink(kBlue, kWhite);
    ASSERT_TRUE(ink.known());
    EXPECT_NEAR(*ink.coverage(mixed(kBlue, 0.3)), 0.3, 0.01);
    EXPECT_NEAR(*ink.coverage(kBlue), 1.0, 1e-6);
    EXPECT_NEAR(*ink.coverage(kWhite), 0.0, 1e-6);
    // Off the way from paper to ink: another colour, and strong ink of its own.
    EXPECT_FALSE(ink.coverage(kRed));
    EXPECT_TRUE(ink.foreignInk(kRed));
    EXPECT_FALSE(ink.foreignInk(makeColour(230, 230, 230))); // a light grid line
    // A curve too close to the paper's colour leaves no coverage to measure.
    EXPECT_FALSE(CurveInk(makeColour(240, 240, 240), kWhite).known());
    EXPECT_FALSE(CurveInk(kBlue, std::nullopt).known());
}

// An anti-aliased line of two pixels or more at a fractional row is found at that row, in the
// scan and by the self-correction of a click; rounded without the sub-pixel option.
TEST(DistanceScan, AntiAliasedLinesAtFractionalRows) {
    for (const double centre : {10.3, 17.75, 22.5}) {
        for (const double width : {2.0, 2.4, 3.0}) {
            Raster r(30, 40, PixelFormat::Bit24);
            antiAliasedLine(r, kBlue, centre, width, 0, 29);
            ScanSettings s = distanceSettings(r, kBlue);
            const auto points = scan(r, s);
            ASSERT_EQ(points.size(), scanColumns(r, s, {}).size()) << centre << " " << width;
            for (const auto& [x, y] : points)
                EXPECT_NEAR(y, centre, 0.1) << "centre " << centre << " width " << width;
            const std::optional<double> clicked =
                distanceCorrectedRow(r, kBlue, 25, 12, int(centre) + 3, 6);
            ASSERT_TRUE(clicked);
            EXPECT_NEAR(*clicked, centre, 0.1);
            s.recognition.subPixel = false;
            for (const auto& [x, y] : scan(r, s))
                EXPECT_EQ(y, std::round(y));
        }
    }
}

// Where the curve crosses something, the scan stays with the curve it follows: the thicker
// line first, kept through its crossing with a thinner line of the same colour; a far run of
// the curve colour (a legend) is not taken.
TEST(DistanceScan, FollowsTheCurveThroughACrossing) {
    Raster r(80, 80, PixelFormat::Bit24);
    for (int x = 0; x < 80; ++x) {
        const int y = 5 + x * 3 / 4;
        for (int k = 0; k < 3; ++k)
            r.setPixel(x, y + k, kRed); // the curve: rows y .. y + 2
        r.setPixel(x, 40, kRed);        // a thin line across it
    }
    for (int x = 60; x < 70; ++x)
        r.setPixel(x, 10, kRed); // a legend sample far above the curve
    ScanSettings s = distanceSettings(r, kRed);
    const auto points = scan(r, s);
    ASSERT_GE(points.size(), 70u);
    for (const auto& [x, y] : points)
        EXPECT_NEAR(y, 5 + x * 3 / 4 + 1, 1.5) << "column " << x;
    // Many-valued keeps every run: the thin line and the legend too.
    s.oneValued = false;
    int onThinLine = 0, onLegend = 0;
    for (const auto& [x, y] : scan(r, s)) {
        onThinLine += std::abs(y - 40) < 0.01;
        onLegend += x >= 60 && std::abs(y - 10) < 0.01;
    }
    EXPECT_GE(onThinLine, 70);
    EXPECT_EQ(onLegend, 10);
}

// Grid exclusion works as in the exact mode: the rows of a typed line of the curve colour are
// left out.
TEST(DistanceScan, GridRowsAreLeftOut) {
    Raster r(40, 60, PixelFormat::Bit24);
    for (int x = 0; x < 40; ++x) {
        r.setPixel(x, 30, kRed); // a grid line in the curve colour
        r.setPixel(x, 45, makeColour(250, 10, 10));
    }
    ScanSettings s = distanceSettings(r, kRed);
    s.oneValued = false;
    s.grid.typedOn = true;
    s.grid.lineWidthH = 1;
    GridLines lines;
    lines.horizontal = {30};
    for (const auto& [x, y] : scan(r, s, lines))
        EXPECT_NEAR(y, 45, 1e-9) << x;
    EXPECT_EQ(scan(r, s, lines).size(), scanColumns(r, s, lines).size());
}
