// The program's drawings kept beside the picture: shown over it, saved with it, never in it.
#include "core/canvas.h"
#include "core/mark_layer.h"

#include <gtest/gtest.h>

using namespace quorvex;

namespace {
Raster picture() {
    Raster r(150, 90, PixelFormat::Bit24, kWhite);
    for (int x = 0; x < 150; ++x)
        r.setPixel(x, 40, kBlack); // a curve the drawings cross
    return r;
}
} // namespace

TEST(MarkLayer, DrawingsGoBesideTheRaster) {
    Raster r = picture();
    const Raster before = r;
    MarkLayer marks;
    marks.reset(r.width(), r.height());
    Canvas canvas(r, &marks);
    canvas.pen = Pen{kRed, 1, PenStyle::Solid, RasterOp::NotXorPen};
    canvas.brush = Brush{kRed, true};
    canvas.ellipse(60, 30, 80, 50); // across the curve, over two tiles
    canvas.pen.style = PenStyle::Dot;
    canvas.brush.solid = false;
    canvas.rectangle(2, 2, 140, 85);
    EXPECT_EQ(r, before) << "the picture keeps its pixels";
    EXPECT_FALSE(marks.isEmpty());
    // Shown: the layer over the raster, as the same drawing on the raster itself gives.
    Raster drawn = picture();
    Canvas direct(drawn);
    direct.pen = Pen{kRed, 1, PenStyle::Solid, RasterOp::NotXorPen};
    direct.brush = Brush{kRed, true};
    direct.ellipse(60, 30, 80, 50);
    direct.pen.style = PenStyle::Dot;
    direct.brush.solid = false;
    direct.rectangle(2, 2, 140, 85);
    Raster shown = r;
    marks.paintInto(shown);
    EXPECT_EQ(shown, drawn);
    // Exchanged for a save: the raster shows the drawings; exchanged back: as before.
    marks.exchangeWith(r);
    EXPECT_EQ(r, drawn);
    marks.exchangeWith(r);
    EXPECT_EQ(r, before);
    // Drawn again in not-XOR, every figure goes, and with it every tile.
    canvas.pen.style = PenStyle::Dot;
    canvas.rectangle(2, 2, 140, 85);
    canvas.pen.style = PenStyle::Solid;
    canvas.brush.solid = true;
    canvas.ellipse(60, 30, 80, 50);
    EXPECT_TRUE(marks.isEmpty());
    EXPECT_TRUE(marks.markedTiles(QRect(0, 0, 150, 90)).empty());
}

// A format change of the picture takes the drawings along, pixel by pixel as the picture.
TEST(MarkLayer, FollowsAPixelConversion) {
    Raster r = picture();
    MarkLayer marks;
    marks.reset(r.width(), r.height());
    marks.setShownPixel(r, 5, 5, makeColour(250, 10, 10));
    marks.setShownPixel(r, 6, 5, makeColour(254, 254, 254)); // becomes white: no mark after
    marks.setShownPixel(r, 7, 40, kBlack);                   // equal to the raster: no mark
    EXPECT_EQ(marks.markedPixels(), 2);
    const auto toSixteen = [](const Raster& from) {
        Raster to(from.width(), from.height(), PixelFormat::Bit4);
        for (int y = 0; y < from.height(); ++y)
            for (int x = 0; x < from.width(); ++x)
                to.setPixel(x, y, from.pixel(x, y));
        return to;
    };
    const Raster converted = toSixteen(r);
    marks.followConversion(r, converted, toSixteen);
    EXPECT_EQ(marks.markedPixels(), 1);
    EXPECT_EQ(marks.shownPixel(converted, 5, 5), converted.representable(makeColour(250, 10, 10)));
    EXPECT_FALSE(marks.isMarked(6, 5));
}
