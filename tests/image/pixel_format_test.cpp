#include "image/pixel_format.h"

#include <gtest/gtest.h>

#include <algorithm>

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

// Pictures of up to 256 colours (a GIF that Qt hands over in 32 bits) become 8-bit rasters with
// exactly their colours, in the order of first appearance; a 257th colour keeps the raster.
TEST(IndexedIfFewColours, KeepsTheColoursOfSmallPalettesOnly) {
    Raster picture(40, 14, PixelFormat::Bit24, kWhite);
    std::vector<Colour> expected{kWhite};
    for (int i = 0; i < 255; ++i) {
        // Runs of two, then a step: neighbours repeat as they do in real pictures.
        const Colour c = makeColour(i, (i * 37) & 0xFF, 255 - i);
        picture.setPixel((2 * i) % 40, (2 * i) / 40, c);
        picture.setPixel((2 * i + 1) % 40, (2 * i + 1) / 40, c);
        expected.push_back(c);
    }
    // The white ones left at the end of the raster are already known.
    const Raster indexed = indexedIfFewColours(picture);
    ASSERT_EQ(indexed.format(), PixelFormat::Bit8);
    EXPECT_EQ(indexed.palette().front(), makeColour(0, 0, 255));
    std::vector<Colour> sortedPalette = indexed.palette(), sortedExpected = expected;
    std::sort(sortedPalette.begin(), sortedPalette.end());
    std::sort(sortedExpected.begin(), sortedExpected.end());
    EXPECT_EQ(sortedPalette, sortedExpected);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            ASSERT_EQ(indexed.pixel(x, y), picture.pixel(x, y)) << x << "," << y;

    picture.setPixel(39, 13, makeColour(1, 2, 3));
    const Raster kept = indexedIfFewColours(picture);
    EXPECT_EQ(kept.format(), PixelFormat::Bit24);
    EXPECT_EQ(kept.pixel(39, 13), makeColour(1, 2, 3));

    const Raster grey(3, 3, PixelFormat::Bit8, kBlack);
    EXPECT_EQ(indexedIfFewColours(grey).palette(), grey.palette());
}
