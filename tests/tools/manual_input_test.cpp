#include "tools/manual_input.h"
#include "tools/markers.h"

#include <gtest/gtest.h>

using namespace quorvex;

namespace {

// A white raster with a horizontal red curve three rows thick from row `top`.
Raster curveRaster(int top, int thickness = 3) {
    Raster r(40, 60, PixelFormat::Bit24, kWhite);
    for (int y = top; y < top + thickness; ++y)
        for (int x = 0; x < 40; ++x)
            r.setPixel(x, y, kRed);
    return r;
}

int count(const Raster& r, Colour c) {
    int n = 0;
    for (int y = 0; y < r.height(); ++y)
        for (int x = 0; x < r.width(); ++x)
            n += r.pixel(x, y) == c;
    return n;
}

} // namespace

TEST(SelfCorrection, FindsTheMiddleOfTheTopmostRun) {
    const Raster r = curveRaster(25);
    EXPECT_EQ(selfCorrectedRow(r, kRed, 10, 20, 1.0, 15), 26)
        << "three rows below the click, middle row";
    EXPECT_EQ(selfCorrectedRow(r, kRed, 10, 30, 1.0, 15), 26) << "above the click too";
    // The same at other view scales: (u, v) are view positions.
    EXPECT_EQ(selfCorrectedRow(r, kRed, 20, 40, 2.0, 15), 26);
    EXPECT_EQ(selfCorrectedRow(r, kRed, 5, 10, 0.5, 15), 26);
    // Nothing within the window.
    EXPECT_EQ(selfCorrectedRow(r, kRed, 10, 5, 1.0, 15), std::nullopt);
    // A run starting just below the window is not taken.
    EXPECT_EQ(selfCorrectedRow(r, kRed, 10, 9, 1.0, 15), std::nullopt);
    EXPECT_EQ(selfCorrectedRow(r, kRed, 10, 10, 1.0, 15), 26);
    // Outside the image.
    EXPECT_EQ(selfCorrectedRow(r, kRed, 45, 20, 1.0, 15), std::nullopt);
}

TEST(SelfCorrection, ExactColourTwoCurvesAndRunLength) {
    Raster r = curveRaster(25);
    for (int y = 10; y < 12; ++y)
        r.setPixel(7, y, kRed);
    EXPECT_EQ(selfCorrectedRow(r, kRed, 7, 20, 1.0, 15), 10)
        << "the upper curve wins (rows 10, 11: 10.5 to even)";
    r.setPixel(8, 25, kRed ^ 1); // one bit off
    EXPECT_EQ(selfCorrectedRow(r, kRed, 8, 20, 1.0, 15), 26) << "rows 26, 27 only: 26.5 to even";
    // A long run counts at most window + 1 rows.
    const Raster thick = curveRaster(20, 30);
    EXPECT_EQ(selfCorrectedRow(thick, kRed, 3, 22, 1.0, 4), 22) << "rows 20..24";
}

TEST(Bezier, DrawnAtCountsThreeKPlusOne) {
    Raster r(50, 50, PixelFormat::Bit24, kWhite);
    BezierStroke stroke;
    const QPoint points[] = {{5, 5}, {15, 40}, {30, 40}, {45, 5}, {40, 20}, {30, 30}, {20, 45}};
    std::vector<bool> drawn;
    std::vector<int> reds;
    for (const QPoint& p : points) {
        ASSERT_TRUE(stroke.add(p));
        drawn.push_back(drawBezierStroke(r, stroke, 1, kRed));
        reds.push_back(count(r, kRed));
    }
    EXPECT_EQ(drawn, (std::vector<bool>{false, false, false, true, false, false, true}));
    EXPECT_EQ(reds[0], 0);
    EXPECT_GT(reds[3], 30);
    EXPECT_EQ(reds[4], reds[3]) << "nothing new at the 5th and 6th press";
    EXPECT_EQ(reds[5], reds[3]);
    EXPECT_GT(reds[6], reds[3]);
    for (int i = 7; i < BezierStroke::kMaxPoints; ++i)
        ASSERT_TRUE(stroke.add({1, 1}));
    EXPECT_FALSE(stroke.add({2, 2})) << "the 255th point overflows";
    EXPECT_EQ(stroke.count(), 254);
    // On a 1-bit raster the stroke paints white.
    Raster mono(20, 20, PixelFormat::Bit1, kBlack);
    BezierStroke s2;
    for (QPoint p : {QPoint(1, 1), QPoint(5, 18), QPoint(12, 18), QPoint(18, 1)})
        s2.add(p);
    EXPECT_TRUE(drawBezierStroke(mono, s2, 1, kGrey));
    EXPECT_GT(count(mono, kWhite), 10);
}

TEST(Markers, DrawnAndUndone) {
    Raster r(60, 40, PixelFormat::Bit24, kWhite);
    const Raster white = r;
    drawMarker(r, 20, 20, 5, kRed);
    EXPECT_EQ(r.pixel(20, 20), kWhite);
    EXPECT_EQ(r.pixel(17, 20), kRed);
    // The latest-point undo draws the marker again: white again.
    drawMarker(r, 20, 20, 5, kRed);
    EXPECT_EQ(r, white);
    // Size changed in between: a ring is left.
    drawMarker(r, 20, 20, 5, kRed);
    drawMarker(r, 20, 20, 3, kRed);
    EXPECT_NE(r, white);
    EXPECT_EQ(r.pixel(20, 20), kWhite);
    EXPECT_EQ(r.pixel(20, 16), kRed) << "the ring between radius 3 and 5";
    EXPECT_EQ(r.pixel(21, 20), kWhite);

    // A digitization undo leaves each centre pixel in the marker colour.
    Raster d(60, 40, PixelFormat::Bit24, kWhite);
    MarkerList list;
    for (QPoint p : {QPoint(10, 10), QPoint(30, 20), QPoint(50, 30)}) {
        drawMarker(d, p.x(), p.y(), 3, kRed);
        list.append(p);
    }
    UndoRecord record;
    record.markerCount = list.count();
    record.markerSize = 3;
    record.markerColour = kRed;
    undoDigitizationMarkers(d, list, record);
    EXPECT_EQ(count(d, kRed), 3);
    EXPECT_EQ(d.pixel(30, 20), kRed);
}

TEST(Markers, ListCapacityAndRedRemoval) {
    MarkerList list;
    for (int i = 0; i < 1005; ++i)
        list.append({i, i});
    EXPECT_EQ(list.count(), 1000);
    EXPECT_EQ(list.at(999), QPoint(999, 999));

    Raster r(3, 1, PixelFormat::Bit8, kWhite);
    r.setPixel(0, 0, kRed);
    r.setPixel(1, 0, makeColour(0, 0, 255));
    removeRedMarkers(r);
    EXPECT_EQ(r.format(), PixelFormat::Bit24);
    EXPECT_EQ(r.pixel(0, 0), makeColour(254, 254, 254));
    EXPECT_EQ(r.pixel(1, 0), makeColour(0, 0, 255));
}

TEST(Markers, SelectionRectangleTwiceRestores) {
    Raster r(30, 30, PixelFormat::Bit24, kWhite);
    const Raster white = r;
    drawSelectionRectangle(r, {25, 20, 3, 4}, kRed); // unnormalised, as while dragging
    EXPECT_NE(r, white);
    drawSelectionRectangle(r, {25, 20, 3, 4}, kRed);
    EXPECT_EQ(r, white);
}
