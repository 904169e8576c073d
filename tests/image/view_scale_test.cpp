#include "core/numbers.h"
#include "core/raster.h"
#include "image/view_scale.h"

#include <gtest/gtest.h>

using namespace quorvex;

TEST(ViewScale, MeasureItemsAndTypedValues) {
    EXPECT_EQ(measureItemText(3), "50%");
    EXPECT_DOUBLE_EQ(measureItemScale(3), 0.5);
    EXPECT_DOUBLE_EQ(measureItemScale(kRealSizeItem), 1.0);
    EXPECT_DOUBLE_EQ(typedMeasurePercent("150", '.'), 150);
    EXPECT_DOUBLE_EQ(typedMeasurePercent("150%", '.'), 150);
    EXPECT_DOUBLE_EQ(typedMeasurePercent("%12,5", ','), 12.5);
    EXPECT_THROW(typedMeasurePercent("1%5%", '.'), ConversionError);
    EXPECT_THROW(typedMeasurePercent("abc", '.'), ConversionError);
    for (QChar c : QString("0123456789%Aaotu\r"))
        EXPECT_TRUE(measureKeyAccepted(c)) << c.unicode();
    for (QChar c : QString(",.\bxX -"))
        EXPECT_FALSE(measureKeyAccepted(c)) << c.unicode();
}

TEST(ViewScale, ScaledSizesRoundHalfToEven) {
    EXPECT_EQ(scaledImageSize(QSize(801, 601), 0.5), QSize(400, 300));
    EXPECT_EQ(scaledImageSize(QSize(803, 605), 0.5), QSize(402, 302));
    EXPECT_EQ(scaledImageSize(QSize(10, 10), 1.5), QSize(15, 15));
}

TEST(ViewScale, FitIntoTheBox) {
    auto f = fitIntoBox(QSize(600, 400), QSize(1200, 400));
    ASSERT_TRUE(f);
    EXPECT_DOUBLE_EQ(f->scale, 0.5);
    EXPECT_EQ(f->size, QSize(600, 200));
    f = fitIntoBox(QSize(600, 400), QSize(100, 200));
    ASSERT_TRUE(f);
    EXPECT_DOUBLE_EQ(f->scale, 2.0);
    EXPECT_EQ(f->size, QSize(200, 400));
    EXPECT_FALSE(fitIntoBox(QSize(600, 400), QSize(0, 0)));
    EXPECT_FALSE(fitIntoBox(QSize(0, 400), QSize(10, 10)));
}

TEST(ViewScale, ZoomSquare) {
    EXPECT_EQ(zoomGeometry(2).half, 30);
    EXPECT_EQ(zoomGeometry(10).margin, 7);
    EXPECT_EQ(zoomGeometry(3).half, 20);
    const QSize view(400, 300);
    EXPECT_FALSE(zoomSourceSquare(31, 100, 1.0, 2, view));
    const auto square = zoomSourceSquare(32, 100, 1.0, 2, view);
    ASSERT_TRUE(square);
    EXPECT_EQ(square->topLeft(), QPoint(2, 70));
    EXPECT_EQ(square->bottomRight(), QPoint(62, 130));
    EXPECT_FALSE(zoomSourceSquare(369, 100, 1.0, 2, view));
    const auto scaled = zoomSourceSquare(100, 100, 2.0, 2, view);
    ASSERT_TRUE(scaled);
    EXPECT_EQ(scaled->topLeft(), QPoint(35, 35));
}

TEST(ViewScale, ZoomPictureStretchesAndCrosses) {
    Raster r(100, 100, PixelFormat::Bit24, kWhite);
    r.setPixel(50, 50, kBlack);
    const QImage z = zoomPicture(r, QRect(QPoint(20, 20), QPoint(80, 80)), QSize(174, 174));
    EXPECT_EQ(z.size(), QSize(174, 174));
    // The cross: white inverted against red is red; the middle pixel shows the raster again.
    EXPECT_EQ(z.pixel(87, 10), qRgb(255, 0, 0));
    EXPECT_EQ(z.pixel(10, 87), qRgb(255, 0, 0));
    EXPECT_EQ(z.pixel(20, 20), qRgb(255, 255, 255));
    EXPECT_EQ(z.pixel(88, 88), qRgb(0, 0, 0)) << "raster pixel (50, 50) magnified";
    // Outside the raster: white.
    const QImage edge = zoomPicture(r, QRect(QPoint(-30, -30), QPoint(30, 30)), QSize(174, 174));
    EXPECT_EQ(edge.pixel(5, 5), qRgb(255, 255, 255));
}
