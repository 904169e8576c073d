// Turning the image: the angle of a drawn line and the rotation of rasters of every format.
#include "core/canvas.h"
#include "image/image_error.h"
#include "image/rotation.h"
#include "tools/pencil.h"

#include <cmath>
#include <gtest/gtest.h>
#include <set>

using namespace quorvex;

namespace {

// A small raster with a different colour (as the format stores it) at every pixel it can.
Raster patterned(PixelFormat format, int w, int h) {
    Raster r(w, h, format);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            r.setPixel(x, y, makeColour(x * 37 % 256, y * 53 % 256, (x + y) * 91 % 256));
    return r;
}

const PixelFormat kFormats[] = {PixelFormat::Bit1,  PixelFormat::Bit4,  PixelFormat::Bit8,
                                PixelFormat::Bit15, PixelFormat::Bit16, PixelFormat::Bit24,
                                PixelFormat::Bit32, PixelFormat::Device};

} // namespace

TEST(RotationLine, AngleFromTwoPoints) {
    // arctan 1 times 180 / 3.14, not 45 (about 45.0225 as the figure is usually quoted).
    EXPECT_DOUBLE_EQ(rotationLineAngle({100, 100}, {200, 200}), std::atan(1.0) * 57.32484076433121);
    EXPECT_NEAR(rotationLineAngle({100, 100}, {200, 200}), 45.0225, 1e-3);
    EXPECT_EQ(rotationLineAngle({10, 50}, {300, 50}), 0.0);
    EXPECT_NEAR(rotationLineAngle({200, 100}, {100, 200}), -45.0225, 1e-3);
    EXPECT_GT(rotationLineAngle({0, 0}, {100, 10}), 0); // down to the right: positive
}

TEST(Rotation, QuarterTurnsAreExactAndFourGiveTheOriginal) {
    for (PixelFormat format : kFormats) {
        const Raster r = patterned(format, 7, 4);
        const Raster once = rotateRaster(r, 90, kWhite);
        ASSERT_EQ(once.width(), 4);
        ASSERT_EQ(once.height(), 7);
        // The top edge goes to the left: (x, y) lands at (y, width - 1 - x).
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 7; ++x)
                ASSERT_EQ(once.pixel(y, 6 - x), r.pixel(x, y));
        EXPECT_EQ(once.format(), format);
        EXPECT_EQ(once.palette(), r.palette());
        Raster back = once;
        for (int i = 0; i < 3; ++i)
            back = rotateRaster(back, 90, kWhite);
        EXPECT_EQ(back, r);
        EXPECT_EQ(rotateRaster(r, 0, kBlack), r);
        EXPECT_EQ(rotateRaster(r, 360, kBlack), r);
        EXPECT_EQ(rotateRaster(rotateRaster(r, 180, kBlack), -180, kBlack), r);
        EXPECT_EQ(rotateRaster(r, -90, kBlack), rotateRaster(r, 270, kBlack));
    }
}

// Any other angle: the bounding box of the turned picture, only the source's colours and the
// background, format and palette kept, and the picture whole (its pixel count kept up to the
// rounding along its edges).
TEST(Rotation, OtherAnglesKeepColoursFormatAndEverything) {
    for (PixelFormat format : kFormats) {
        const Raster r = patterned(format, 40, 30);
        const Colour background = makeColour(0, 200, 0);
        const Raster turned = rotateRaster(r, 30, background);
        EXPECT_EQ(turned.width(), 50);  // ceil(40 cos 30 + 30 sin 30) = ceil(49.64)
        EXPECT_EQ(turned.height(), 46); // ceil(40 sin 30 + 30 cos 30) = ceil(45.98)
        EXPECT_EQ(turned.format(), format);
        EXPECT_EQ(turned.palette(), r.palette());
        std::set<Colour> allowed(r.pixels().begin(), r.pixels().end());
        const Colour fill = turned.representable(background);
        int covered = 0;
        for (Colour c : turned.pixels()) {
            ASSERT_TRUE(allowed.count(c) || c == fill) << int(format);
            if (c != fill || allowed.count(fill)) ++covered;
        }
        if (!allowed.count(fill)) {
            EXPECT_NEAR(covered, 40 * 30, 40);
        }
    }
}

// A skewed axis drawn along with the rotation tool ends up horizontal.
TEST(Rotation, TheDrawnLineEndsUpHorizontal) {
    Raster chart(400, 300, PixelFormat::Bit24);
    Canvas canvas(chart);
    canvas.pen.colour = kBlack;
    const QPoint start(50, 100), end(350, 160);
    canvas.line(start.x(), start.y(), end.x(), end.y());
    const Raster turned = rotateRaster(chart, rotationLineAngle(start, end), kWhite);
    int top = turned.height(), bottom = -1, dark = 0;
    for (int y = 0; y < turned.height(); ++y)
        for (int x = 0; x < turned.width(); ++x)
            if (turned.pixel(x, y) == kBlack) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
                ++dark;
            }
    EXPECT_GT(dark, 290); // the whole axis is still there
    EXPECT_LE(bottom - top, 1);
    // The other way round, drawn upwards to the right.
    Raster other(400, 300, PixelFormat::Bit24);
    Canvas c2(other);
    c2.pen.colour = kBlack;
    c2.line(50, 200, 350, 120);
    const Raster turned2 = rotateRaster(other, rotationLineAngle({50, 200}, {350, 120}), kWhite);
    top = turned2.height();
    bottom = -1;
    for (int y = 0; y < turned2.height(); ++y)
        for (int x = 0; x < turned2.width(); ++x)
            if (turned2.pixel(x, y) == kBlack) {
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    EXPECT_LE(bottom - top, 1);
}

TEST(Rotation, TooLargeATurnFailsAndLeavesTheSource) {
    const Raster thin(kMaxRasterSide, 1, PixelFormat::Bit1);
    EXPECT_THROW(rotateRaster(thin, 45, kWhite), ImageError);
    const Raster upright = rotateRaster(thin, 90, kWhite);
    EXPECT_EQ(upright.height(), kMaxRasterSide);
}

TEST(Pencil, DiscsByTheirBoundingBox) {
    Raster r(60, 60, PixelFormat::Bit24);
    const QRect touched = paintPencilDisc(r, 30, 30, 10, kRed);
    EXPECT_EQ(touched, QRect(20, 20, 20, 20));
    int left = 60, right = -1, top = 60, bottom = -1;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 60; ++x)
            if (r.pixel(x, y) == kRed) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    EXPECT_EQ(right - left + 1, 20); // a disc 20 pixels across
    EXPECT_EQ(bottom - top + 1, 20);
    EXPECT_EQ(r.pixel(30, 30), kRed);
    EXPECT_EQ(r.pixel(20, 20), kWhite); // the box's corner is outside the disc
    // Painting with the background colour erases.
    paintPencilDisc(r, 30, 30, 10, kWhite);
    EXPECT_EQ(r, Raster(60, 60, PixelFormat::Bit24));
    // Out of the raster: nothing, and nothing touched.
    EXPECT_TRUE(paintPencilDisc(r, -30, -30, 5, kRed).isEmpty());
    EXPECT_EQ(r, Raster(60, 60, PixelFormat::Bit24));
}
