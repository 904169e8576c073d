// Tick labels read as numbers, and the scale the labels of one axis make.
#include "autodigit/axis_labels.h"
#include "charts.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace quorvex;

TEST(AxisLabels, TheNumbersLabelsShow) {
    const struct {
        const char* text;
        std::optional<double> value;
    } cases[] = {
        {"0", 0},
        {"2.5", 2.5},
        {"2,5", 2.5},
        {"\u22120.5", -0.5}, // the typographic minus
        {"\u2013 3", -3},
        {"1e3", 1000},
        {"1E-3", 0.001},
        {"10^3", 1000},
        {"10^-2", 0.01},
        {"10\u00b3", 1000},
        {"10\u207b\u00b2", 0.01},
        {"2\u00d710\u00b3", 2000},
        {"5x10^-1", 0.5},
        {"1 000", 1000}, // a space between the thousands
        {"", std::nullopt},
        {"a", std::nullopt},
        {"10^x", std::nullopt},
        {"3^2", std::nullopt},
        {"1.5.2", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const std::optional<double> got = tickLabelValue(QString::fromUtf8(c.text));
        ASSERT_EQ(got.has_value(), c.value.has_value());
        if (c.value) {
            EXPECT_DOUBLE_EQ(*got, *c.value);
        }
    }
}

namespace {
std::vector<AxisTick> ticks(std::initializer_list<double> values, double first = 100,
                            double spacing = 50) {
    std::vector<AxisTick> out;
    for (double v : values) {
        out.push_back({first, v});
        first += spacing;
    }
    return out;
}
} // namespace

TEST(AxisLabels, LinearAndLogarithmicAxes) {
    AxisFit fit = fitAxis(ticks({0, 2, 4, 6, 8}));
    ASSERT_TRUE(fit.ok);
    EXPECT_EQ(fit.scale, AxisScale::Linear);
    EXPECT_TRUE(fit.repaired.isEmpty());
    fit = fitAxis(ticks({1, 10, 100, 1000}));
    ASSERT_TRUE(fit.ok);
    EXPECT_EQ(fit.scale, AxisScale::Log10);
    // Positions given in any order come back in order.
    fit = fitAxis({{300, 3}, {100, 1}, {200, 2}});
    ASSERT_TRUE(fit.ok);
    EXPECT_EQ(fit.ticks.front().position, 100);
}

TEST(AxisLabels, WhatTheSequenceMakesCertainIsRepaired) {
    // Minus signs lost by the text extraction: "1.0 0.5 0.0 0.5 1.0" on a -1 .. 1 axis.
    AxisFit fit = fitAxis(ticks({1.0, 0.5, 0.0, 0.5, 1.0}));
    ASSERT_TRUE(fit.ok);
    EXPECT_EQ(fit.ticks[0].value, -1.0);
    EXPECT_EQ(fit.ticks[1].value, -0.5);
    EXPECT_EQ(fit.ticks[4].value, 1.0);
    EXPECT_FALSE(fit.repaired.isEmpty());
    // One label misread ("8" for "3") among five.
    fit = fitAxis(ticks({1, 2, 8, 4, 5}));
    ASSERT_TRUE(fit.ok);
    EXPECT_NEAR(fit.ticks[2].value, 3, 1e-9);
    // One decade misread on a log axis.
    fit = fitAxis(ticks({1, 10, 1000, 1000, 10000}));
    ASSERT_TRUE(fit.ok);
    EXPECT_EQ(fit.scale, AxisScale::Log10);
    EXPECT_NEAR(fit.ticks[2].value, 100, 1e-9);
}

TEST(AxisLabels, WhatCannotBeMadeCertainIsRefused) {
    EXPECT_FALSE(fitAxis(ticks({5})).ok);
    EXPECT_FALSE(fitAxis(ticks({1, 7, 2})).ok);          // three labels, no certain repair
    EXPECT_FALSE(fitAxis(ticks({1, 9, 2, 8, 3, 7})).ok); // two wrong
    const AxisFit fit = fitAxis(ticks({1, 7, 2}));
    EXPECT_FALSE(fit.reason.isEmpty());
}

// The shared matplotlib figures: the axes found from the PDF's paths and words give the
// sidecar's calibration.
TEST(AxisLabels, TheAxesOfMatplotlibFiguresAreFound) {
    const struct {
        const char* figure;
        QPointF leftBottom, rightTop; // page points of the sidecar's corners
        double xLeft, xRight, yBottom, yTop;
        int yScale;
    } cases[] = {
        {"vec_three_legend", {51.84, 250.56}, {410.4, 20.16}, 0, 10, 0, 10, 0},
        // The log axis's extreme ticks are 1 and 100 (the sidecar gives the plot's corners).
        {"vec_markers_logy", {43.2, 229.68}, {342.0, 0}, 0, 10, 1, 100, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.figure);
        const VectorFile file(chartFile("vector/") + QString::fromLatin1(c.figure) + ".pdf");
        const AxesFound axes = findAxesInLayer(file.record(1, 200));
        ASSERT_TRUE(axes.ok) << axes.reason.toStdString();
        const auto pixel = [](double points) { return points * 200 / 72 - 0.5; };
        EXPECT_NEAR(axes.calibration.leftBottom().x(), pixel(c.leftBottom.x()), 1e-6);
        EXPECT_NEAR(axes.calibration.rightTop().x(), pixel(c.rightTop.x()), 1e-6);
        if (c.yScale == 0) {
            EXPECT_NEAR(axes.calibration.leftBottom().y(), pixel(c.leftBottom.y()), 1e-6);
            EXPECT_NEAR(axes.calibration.rightTop().y(), pixel(c.rightTop.y()), 1e-6);
        }
        EXPECT_EQ(axes.calibration.xLeftBottom.toDouble(), c.xLeft);
        EXPECT_EQ(axes.calibration.xRightTop.toDouble(), c.xRight);
        EXPECT_EQ(axes.calibration.yLeftBottom.toDouble(), c.yBottom);
        EXPECT_EQ(axes.calibration.yRightTop.toDouble(), c.yTop);
        EXPECT_EQ(axes.calibration.yTransfer, c.yScale);
    }
}
