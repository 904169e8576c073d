#include "image/pixel_format.h"

#include <gtest/gtest.h>

using namespace quorvex;

TEST(GrayscaleRaster, WeightsOfThePrimaries) {
    Raster raster(5, 1, PixelFormat::Bit24, kWhite);
    raster.setPixel(0, 0, makeColour(255, 0, 0));
    raster.setPixel(1, 0, makeColour(0, 255, 0));
    raster.setPixel(2, 0, makeColour(0, 0, 255));
    raster.setPixel(3, 0, kWhite);
    raster.setPixel(4, 0, kBlack);
    ASSERT_TRUE(GrayscaleRaster(raster));
    EXPECT_EQ(raster.format(), PixelFormat::Bit8);
    ASSERT_EQ(raster.palette().size(), 256u);
    const int expected[] = {76, 149, 28, 255, 0};
    for (int x = 0; x < 5; ++x) {
        EXPECT_EQ(raster.paletteIndex(raster.pixel(x, 0)), expected[x]);
        EXPECT_EQ(raster.pixel(x, 0), makeColour(expected[x], expected[x], expected[x]));
    }
}

TEST(GrayscaleRaster, LeavesEightBitAndEmptyRastersAlone) {
    Raster colour8(3, 3, PixelFormat::Bit8, kRed);
    const Raster before = colour8;
    EXPECT_FALSE(GrayscaleRaster(colour8));
    EXPECT_EQ(colour8, before);
    Raster empty;
    EXPECT_FALSE(GrayscaleRaster(empty));
    EXPECT_TRUE(empty.isEmpty());
}

TEST(GrayscaleRaster, WorksFromEveryOtherFormat) {
    for (PixelFormat f : {PixelFormat::Bit1, PixelFormat::Bit4, PixelFormat::Bit15,
                          PixelFormat::Bit16, PixelFormat::Bit32, PixelFormat::Device}) {
        Raster raster(3, 2, f, kWhite);
        raster.setPixel(1, 1, kBlack);
        ASSERT_TRUE(GrayscaleRaster(raster));
        EXPECT_EQ(raster.pixel(0, 0), kWhite);
        EXPECT_EQ(raster.pixel(1, 1), kBlack);
    }
}

TEST(ConvertPixelFormat, TargetsAndTheirColours) {
    Raster source(4, 1, PixelFormat::Bit24, kWhite);
    source.setPixel(0, 0, makeColour(250, 10, 10));
    source.setPixel(1, 0, makeColour(100, 100, 100));
    source.setPixel(2, 0, makeColour(0x87, 0x45, 0x23));
    const struct {
        PixelFormat target;
        Colour first, second;
    } cases[] = {
        {PixelFormat::Bit1, kBlack, kBlack},
        {PixelFormat::Bit4, kRed, kGrey},
        {PixelFormat::Bit8, kRed, makeColour(100, 100, 100)},
        {PixelFormat::Bit15, makeColour(expand5(31), expand5(1), expand5(1)),
         makeColour(expand5(12), expand5(12), expand5(12))},
        {PixelFormat::Bit16, makeColour(expand5(31), expand6(2), expand5(1)),
         makeColour(expand5(12), expand6(25), expand5(12))},
        {PixelFormat::Bit24, makeColour(250, 10, 10), makeColour(100, 100, 100)},
        {PixelFormat::Bit32, makeColour(250, 10, 10), makeColour(100, 100, 100)},
    };
    for (const auto& c : cases) {
        const Raster r = convertPixelFormat(source, c.target);
        EXPECT_EQ(r.format(), c.target);
        EXPECT_EQ(r.width(), 4);
        EXPECT_EQ(r.pixel(0, 0), c.first) << pixelFormatName(c.target).toStdString();
        EXPECT_EQ(r.pixel(1, 0), c.second) << pixelFormatName(c.target).toStdString();
        EXPECT_EQ(r.pixel(3, 0), kWhite);
        // Every pixel is a value of the target format.
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(r.representable(r.pixel(x, 0)), r.pixel(x, 0));
    }
    EXPECT_EQ(convertPixelFormat(source, PixelFormat::Bit24), source);
}
