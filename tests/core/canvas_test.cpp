#include "core/canvas.h"
#include "core/raster.h"

#include <QPainter>
#include <gtest/gtest.h>

using namespace quorvex;

namespace {

int countColour(const Raster& r, Colour c) {
    int n = 0;
    for (int y = 0; y < r.height(); ++y)
        for (int x = 0; x < r.width(); ++x)
            n += r.pixel(x, y) == c;
    return n;
}

// A marker as the digitizing tools draw it: the centre pixel set, then a filled ellipse in
// not-XOR mode with pen and brush in the marker colour.
void drawMarker(Canvas& canvas, int x, int y, int size, Colour colour) {
    canvas.pen = Pen{colour, 1, PenStyle::Solid, RasterOp::NotXorPen};
    canvas.brush = Brush{colour, true};
    canvas.setPixel(x, y, colour);
    if (size > 1) canvas.ellipse(x - size, y - size, x + size, y + size);
}

} // namespace

TEST(Raster, RepresentableValuesPerFormat) {
    const Colour c = makeColour(0x87, 0x45, 0x23);
    EXPECT_EQ(Raster(1, 1, PixelFormat::Bit24).representable(c), c);
    EXPECT_EQ(Raster(1, 1, PixelFormat::Bit32).representable(c), c);
    EXPECT_EQ(Raster(1, 1, PixelFormat::Bit15).representable(c),
              makeColour(expand5(0x87 >> 3), expand5(0x45 >> 3), expand5(0x23 >> 3)));
    EXPECT_EQ(Raster(1, 1, PixelFormat::Bit16).representable(c),
              makeColour(expand5(0x87 >> 3), expand6(0x45 >> 2), expand5(0x23 >> 3)));
    EXPECT_EQ(Raster(1, 1, PixelFormat::Bit1).representable(makeColour(200, 200, 200)), kWhite);
    EXPECT_EQ(Raster(1, 1, PixelFormat::Bit1).representable(makeColour(20, 40, 20)), kBlack);
    EXPECT_EQ(Raster(1, 1, PixelFormat::Bit4).representable(makeColour(250, 5, 5)), kRed);
    // Full intensity survives the 16-bit formats.
    EXPECT_EQ(Raster(1, 1, PixelFormat::Bit15).representable(kWhite), kWhite);
    EXPECT_EQ(Raster(1, 1, PixelFormat::Bit16).representable(kWhite), kWhite);
}

TEST(Raster, PalettesHaveTheirSizes) {
    EXPECT_EQ(twoColourPalette().size(), 2u);
    EXPECT_EQ(standard16Palette().size(), 16u);
    EXPECT_EQ(halftonePalette().size(), 256u);
    EXPECT_EQ(Raster(2, 2, PixelFormat::Bit8).palette().size(), 256u);
    EXPECT_TRUE(Raster(2, 2, PixelFormat::Bit24).palette().empty());
}

TEST(Raster, RefusesAbsurdSizes) {
    EXPECT_THROW(Raster(100000, 100000, PixelFormat::Bit24), std::length_error);
    EXPECT_FALSE(rasterSizeAllowed(100000, 100000));
    EXPECT_TRUE(rasterSizeAllowed(10000, 8000));
}

TEST(Canvas, MarkerDrawnTwiceRestoresWhite) {
    for (PixelFormat format : {PixelFormat::Bit24, PixelFormat::Bit32, PixelFormat::Bit16,
                               PixelFormat::Bit15, PixelFormat::Bit8, PixelFormat::Bit4}) {
        for (int size : {2, 3, 6, 10}) {
            Raster raster(40, 40, format, kWhite);
            const Raster original = raster;
            Canvas canvas(raster);
            drawMarker(canvas, 20, 20, size, kRed);
            EXPECT_EQ(raster.pixel(20, 20), kWhite) << "centre pixel of the disc is white";
            EXPECT_EQ(raster.pixel(20 - size + 1, 20), raster.representable(kRed));
            EXPECT_GT(countColour(raster, raster.representable(kRed)), 4);
            drawMarker(canvas, 20, 20, size, kRed);
            EXPECT_EQ(raster, original) << static_cast<int>(format) << " size " << size;
        }
    }
}

TEST(Canvas, EllipseAgainThenPixelLeavesTheCentre) {
    Raster raster(30, 30, PixelFormat::Bit24, kWhite);
    Canvas canvas(raster);
    drawMarker(canvas, 15, 15, 4, kRed);
    canvas.ellipse(11, 11, 19, 19);
    canvas.setPixel(15, 15, kRed);
    EXPECT_EQ(countColour(raster, kRed), 1);
    EXPECT_EQ(raster.pixel(15, 15), kRed);
}

TEST(Canvas, MarkerOfSizeOneStays) {
    Raster raster(10, 10, PixelFormat::Bit24, kWhite);
    Canvas canvas(raster);
    drawMarker(canvas, 5, 5, 1, kRed);
    drawMarker(canvas, 5, 5, 1, kRed);
    EXPECT_EQ(raster.pixel(5, 5), kRed);
    EXPECT_EQ(countColour(raster, kRed), 1);
}

TEST(Canvas, GreyMarkerOnOneBitRasterRestores) {
    Raster raster(30, 30, PixelFormat::Bit1, kWhite);
    raster.setPixel(3, 3, kBlack);
    const Raster original = raster;
    Canvas canvas(raster);
    drawMarker(canvas, 15, 15, 5, kGrey);
    EXPECT_NE(raster, original);
    drawMarker(canvas, 15, 15, 5, kGrey);
    EXPECT_EQ(raster, original);
}

TEST(Canvas, DottedRectangleErasesItself) {
    Raster raster(50, 40, PixelFormat::Bit24, kWhite);
    raster.setPixel(10, 5, kBlack); // something under the rectangle
    const Raster original = raster;
    Canvas canvas(raster);
    canvas.pen = Pen{kRed, 1, PenStyle::Dot, RasterOp::NotXorPen};
    canvas.brush.solid = false;
    canvas.rectangle(5, 5, 45, 35);
    EXPECT_NE(raster, original);
    // Dots: the first three pixels drawn, the next three skipped.
    EXPECT_EQ(raster.pixel(5, 5), kRed);
    EXPECT_EQ(raster.pixel(7, 5), kRed);
    EXPECT_EQ(raster.pixel(8, 5), kWhite);
    EXPECT_EQ(raster.pixel(11, 5), kRed);
    // The interior stays untouched with a clear brush; right and bottom are exclusive.
    EXPECT_EQ(raster.pixel(20, 20), kWhite);
    for (int y = 0; y < 40; ++y)
        EXPECT_EQ(raster.pixel(45, y), original.pixel(45, y));
    canvas.rectangle(5, 5, 45, 35);
    EXPECT_EQ(raster, original);
}

TEST(Canvas, SolidRectangleOutlineTouchesEachPixelOnce) {
    Raster raster(20, 20, PixelFormat::Bit24, kWhite);
    Canvas canvas(raster);
    canvas.pen = Pen{kRed, 1, PenStyle::Solid, RasterOp::NotXorPen};
    canvas.brush.solid = false;
    canvas.rectangle(2, 3, 12, 10);
    // Outline of a 10 x 7 box: 2 * 10 + 2 * 5 pixels, every one red (drawn exactly once).
    EXPECT_EQ(countColour(raster, kRed), 30);
    EXPECT_EQ(raster.pixel(11, 9), kRed);
    EXPECT_EQ(raster.pixel(12, 9), kWhite);
}

TEST(Canvas, LinesLeaveOutTheLastPixel) {
    Raster raster(10, 10, PixelFormat::Bit24, kWhite);
    Canvas canvas(raster);
    canvas.line(1, 1, 5, 1);
    EXPECT_EQ(countColour(raster, kBlack), 4);
    EXPECT_EQ(raster.pixel(5, 1), kWhite);
    canvas.polyline({{1, 3}, {4, 3}, {4, 6}});
    EXPECT_EQ(raster.pixel(4, 3), kBlack);
    EXPECT_EQ(raster.pixel(4, 6), kWhite);
}

TEST(Canvas, RasterOpsOnColoursAndIndices) {
    EXPECT_EQ(applyRasterOp(RasterOp::NotXorPen, 0x0000FF, 0xFFFFFF, 0xFFFFFF), 0x0000FFu);
    EXPECT_EQ(applyRasterOp(RasterOp::NotXorPen, 0x0000FF, 0x0000FF, 0xFFFFFF), 0xFFFFFFu);
    EXPECT_EQ(applyRasterOp(RasterOp::White, 0, 0, 1), 1u);
    EXPECT_EQ(applyRasterOp(RasterOp::Not, 0, 0x00FF00, 0xFFFFFF), 0xFF00FFu);
    EXPECT_EQ(applyRasterOp(RasterOp::Nop, 5, 9, 0xF), 9u);
    // The white-painting mode on a 1-bit raster.
    Raster mono(4, 1, PixelFormat::Bit1, kBlack);
    Canvas canvas(mono);
    canvas.pen = Pen{kRed, 1, PenStyle::Solid, RasterOp::White};
    canvas.line(0, 0, 3, 0);
    EXPECT_EQ(mono.pixel(0, 0), kWhite);
    EXPECT_EQ(mono.pixel(2, 0), kWhite);
    EXPECT_EQ(mono.pixel(3, 0), kBlack);
}

TEST(Canvas, WidePenAndBezier) {
    Raster raster(32, 32, PixelFormat::Bit24, kWhite);
    Canvas canvas(raster);
    canvas.pen = Pen{kRed, 3, PenStyle::Solid, RasterOp::NotXorPen};
    canvas.line(2, 16, 29, 16);
    // Three pixels thick, both ends included, each pixel changed once.
    for (int x = 2; x <= 29; ++x)
        for (int y = 15; y <= 17; ++y)
            EXPECT_EQ(raster.pixel(x, y), kRed) << x << "," << y;
    EXPECT_EQ(raster.pixel(16, 14), kWhite);
    canvas.line(2, 16, 29, 16);
    EXPECT_EQ(countColour(raster, kWhite), 32 * 32);

    canvas.pen = Pen{kBlack, 1, PenStyle::Solid, RasterOp::CopyPen};
    EXPECT_FALSE(canvas.polyBezier({{0, 0}, {5, 5}, {10, 0}}));
    EXPECT_EQ(countColour(raster, kBlack), 0);
    EXPECT_TRUE(canvas.polyBezier({{2, 30}, {10, 2}, {20, 2}, {29, 30}}));
    EXPECT_EQ(raster.pixel(2, 30), kBlack);
    EXPECT_GT(countColour(raster, kBlack), 30);
    const auto flat =
        Canvas::flattenBezier({{0, 0}, {0, 9}, {9, 9}, {9, 0}, {9, -9}, {0, -9}, {0, 0}});
    EXPECT_EQ(flat.front(), QPoint(0, 0));
    EXPECT_EQ(flat.back(), QPoint(0, 0));
}

TEST(Raster, QImageRoundTrip) {
    Raster raster(3, 2, PixelFormat::Bit24, kWhite);
    raster.setPixel(0, 0, kRed);
    raster.setPixel(2, 1, makeColour(1, 2, 3));
    const QImage image = toQImage(raster);
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(fromQImage(image), raster);

    QImage mono(5, 3, QImage::Format_Mono);
    mono.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    mono.fill(1);
    mono.setPixel(2, 1, 0);
    const Raster monoRaster = fromQImage(mono);
    EXPECT_EQ(monoRaster.format(), PixelFormat::Bit1);
    EXPECT_EQ(monoRaster.pixel(2, 1), kBlack);
    EXPECT_EQ(monoRaster.pixel(0, 0), kWhite);
}

// The view paints from the raster's own buffer: every format's pixels read back as they are, the
// unused fourth byte counts as opaque when painted, and a drawing shows without a new picture.
TEST(WrapRaster, ShowsThePixelsOfEveryFormatWithoutACopy) {
    const PixelFormat formats[] = {PixelFormat::Bit1,  PixelFormat::Bit4,  PixelFormat::Bit8,
                                   PixelFormat::Bit15, PixelFormat::Bit16, PixelFormat::Bit24,
                                   PixelFormat::Bit32, PixelFormat::Device};
    for (PixelFormat format : formats) {
        Raster raster(6, 4, format, kWhite);
        raster.setPixel(1, 0, kBlack);
        raster.setPixel(5, 3, makeColour(200, 40, 90));
        raster.setPixel(0, 2, kRed);
        const QImage picture = wrapRaster(raster);
        ASSERT_EQ(picture.constBits(), reinterpret_cast<const uchar*>(raster.row(0)));
        QImage screen(6, 4, QImage::Format_RGB32);
        screen.fill(qRgb(255, 0, 255));
        QPainter(&screen).drawImage(0, 0, picture);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 6; ++x) {
                const QRgb expected = toQRgb(raster.pixel(x, y)) | 0xFF000000u;
                ASSERT_EQ(picture.pixel(x, y) & 0xFFFFFFu, expected & 0xFFFFFFu)
                    << int(format) << " at " << x << "," << y;
                ASSERT_EQ(screen.pixel(x, y), expected) << int(format) << " at " << x << "," << y;
            }
        Canvas canvas(raster);
        canvas.pen.colour = makeColour(0, 0, 255);
        canvas.line(0, 3, 5, 3);
        EXPECT_EQ(picture.pixel(2, 3) & 0xFFFFFFu, toQRgb(raster.pixel(2, 3)) & 0xFFFFFFu);
        EXPECT_NE(raster.pixel(2, 3), kWhite);
    }
}
