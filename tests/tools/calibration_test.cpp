#include "core/numbers.h"
#include "tools/calibration.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace quorvex;

namespace {

// An axis from pixel 0 (value a) to pixel `span` (value b) on both axes; Y rows count down, so
// the left-bottom corner is at row `span` and the right-top at row 0.
Calibration axes(const char* a, const char* b, int function, int span = 200) {
    Calibration c;
    c.pixelLeftBottom = QPoint(0, span);
    c.pixelRightTop = QPoint(span, 0);
    c.xLeftBottom = c.yLeftBottom = QString::fromLatin1(a);
    c.xRightTop = c.yRightTop = QString::fromLatin1(b);
    c.xTransfer = c.yTransfer = function;
    return c;
}

} // namespace

TEST(ToGraph, EveryTransferFunction) {
    const struct {
        const char* a;
        const char* b;
        int function;
        int span;
        double pixel;
        double expected;
    } cases[] = {
        {"0", "10", Linear, 200, 50, 2.5},
        {"-1", "1", Linear, 200, 0, -1},
        {"1", "100", Log10Axis, 200, 100, 10}, // back to the quantity
        {"1", "100", Log10Value, 200, 100, 1}, // the decimal logarithm itself
        {"1", "100", Ln, 200, 100, std::log(10.0)},
        {"1", "16", Log2, 200, 100, 2},
        {"0", "1", Exp, 200, 100, (1 + std::exp(1.0)) / 2},
        {"1", "0.5", Reciprocal, 100, 50, 1.5}, // 1/x interpolated, stays reciprocal
        {"1", "3", Square, 200, 100, 5},
        {"4", "16", SquareRoot, 200, 100, 3},
        {"0", "10", -1, 200, 50, 2.5}, // no item selected: linear
    };
    for (const auto& c : cases) {
        const Calibration cal = axes(c.a, c.b, c.function, c.span);
        const ToGraph g(cal, QChar('.'));
        EXPECT_NEAR(g.x(c.pixel), c.expected, 1e-12) << c.a << " " << c.b << " f" << c.function;
        // Rows count downwards: the same fraction from the bottom.
        EXPECT_NEAR(g.y(c.span - c.pixel), c.expected, 1e-12)
            << c.a << " " << c.b << " f" << c.function;
    }
}

TEST(ToGraph, CornersGiveTheirValuesWhateverTheOrientation) {
    Calibration c;
    c.pixelLeftBottom = QPoint(300, 20); // a reversed rectangle
    c.pixelRightTop = QPoint(100, 220);
    c.xLeftBottom = "0,25";
    c.xRightTop = "7";
    c.yLeftBottom = "-3";
    c.yRightTop = "1E3";
    const ToGraph g(c, QChar(','));
    EXPECT_DOUBLE_EQ(g.x(300), 0.25);
    EXPECT_DOUBLE_EQ(g.x(100), 7);
    EXPECT_DOUBLE_EQ(g.y(20), -3);
    EXPECT_DOUBLE_EQ(g.y(220), 1000);
}

TEST(ToGraph, Failures) {
    Calibration bad = axes("0", "x", Linear);
    EXPECT_THROW(ToGraph(bad, QChar('.')), ConversionError);
    const struct {
        const char* a;
        const char* b;
        int function;
        PointFailure failure;
    } cases[] = {{"0", "10", Log10Axis, PointFailure::ZeroDivide},
                 {"0", "10", Reciprocal, PointFailure::ZeroDivide},
                 {"-1", "10", Ln, PointFailure::Other},
                 {"-4", "10", SquareRoot, PointFailure::Other},
                 {"1", "100000", Exp, PointFailure::Other}};
    for (const auto& c : cases) {
        try {
            ToGraph(axes(c.a, c.b, c.function), QChar('.'));
            FAIL() << "no failure for " << c.a;
        } catch (const PointError& e) {
            EXPECT_EQ(e.failure(), c.failure) << c.a << " f" << c.function;
        }
    }
    Calibration flat = axes("0", "10", Linear);
    flat.pixelRightTop.setX(0);
    const ToGraph g(flat, QChar('.'));
    EXPECT_TRUE(g.degenerate());
    EXPECT_THROW(g.x(5), PointError);
    // A value that the conversion's wider arithmetic holds but no double can is a failure, never
    // an infinity in a cell.
    const ToGraph huge(axes("0", "1E308", Linear), QChar('.'));
    EXPECT_NO_THROW(huge.x(0));
    EXPECT_THROW(huge.x(400), PointError);
    const ToGraph logAxis(axes("1", "1E300", Log10Axis), QChar('.'));
    EXPECT_NO_THROW(logAxis.x(100));
    EXPECT_THROW(logAxis.x(300), PointError);
    EXPECT_EQ(pointFailureText(PointFailure::ZeroDivide), "Wow!!! EZeroDivide!");
    EXPECT_EQ(pointFailureText(PointFailure::ConvertError), "Wow!!! EConvertError!");
    EXPECT_EQ(pointFailureText(PointFailure::Other), "Error!");
}

#include "tools/readout.h"

TEST(Readout, PanelsAndFailures) {
    Raster r(300, 300, PixelFormat::Bit24, kWhite);
    r.setPixel(10, 50, kRed);
    Calibration c;
    c.pixelLeftBottom = QPoint(0, 300);
    c.pixelRightTop = QPoint(300, 0);
    c.xLeftBottom = "0";
    c.xRightTop = "3";
    c.yLeftBottom = "0";
    c.yRightTop = "30";
    Readout out = mouseReadout(r, c, '.', 10, 50, 1.0);
    EXPECT_EQ(out.colour, "clRed");
    EXPECT_EQ(out.pixel, "x,y= (10, 250)");
    EXPECT_EQ(out.x, "X=0.1");
    EXPECT_EQ(out.y, "Y=25");
    EXPECT_FALSE(out.failure);
    // At 200 % the view point (20, 100) is the same pixel.
    out = mouseReadout(r, c, '.', 20, 100, 2.0);
    EXPECT_EQ(out.pixel, "x,y= (10, 250)");
    EXPECT_TRUE(insideShownImage(r, 600, 600, 2.0));
    EXPECT_FALSE(insideShownImage(r, 601, 10, 2.0));
    c.xRightTop = "";
    EXPECT_EQ(mouseReadout(r, c, '.', 1, 1, 1.0).failure, PointFailure::ConvertError);
    c.xRightTop = "3";
    c.pixelRightTop.setX(0);
    out = mouseReadout(r, c, '.', 1, 1, 1.0);
    EXPECT_FALSE(out.failure);
    EXPECT_EQ(out.x, "X=") << "a degenerate calibration shows empty values";
    EXPECT_EQ(out.y, "Y=");
    c.pixelRightTop.setX(300);
    c.xTransfer = Reciprocal;
    EXPECT_EQ(mouseReadout(r, c, '.', 1, 1, 1.0).failure, PointFailure::ZeroDivide);
}
