#include "charts.h"
#include "core/canvas.h"
#include "image/bmp.h"
#include "image/image_error.h"
#include "image/image_file.h"
#include "image/pixel_format.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quorvex;

namespace {

Raster colourfulRaster(int width, int height) {
    Raster r(width, height, PixelFormat::Bit24, kWhite);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            r.setPixel(x, y, makeColour(x * 37, y * 53, (x + y) * 11));
    return r;
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

Raster decode(const QByteArray& bytes) {
    return decodeBmp(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                     static_cast<std::size_t>(bytes.size()));
}

void put16(QByteArray& b, int v) {
    b.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF));
}
void put32(QByteArray& b, unsigned v) {
    for (int i = 0; i < 4; ++i)
        b.append(char((v >> (8 * i)) & 0xFF));
}

// A bitmap file with a 40-byte header, built byte by byte.
QByteArray bmpFile(int width, int height, int bpp, unsigned compression,
                   const std::vector<unsigned>& palette, const QByteArray& bits) {
    QByteArray b("BM");
    put32(b, 0);
    put32(b, 0);
    put32(b, 14 + 40 + 4 * static_cast<unsigned>(palette.size()));
    put32(b, 40);
    put32(b, static_cast<unsigned>(width));
    put32(b, static_cast<unsigned>(height));
    put16(b, 1);
    put16(b, bpp);
    put32(b, compression);
    put32(b, static_cast<unsigned>(bits.size()));
    put32(b, 0);
    put32(b, 0);
    put32(b, static_cast<unsigned>(palette.size()));
    put32(b, 0);
    for (unsigned rgb : palette)
        put32(b, rgb); // stored as B, G, R, 0
    b += bits;
    return b;
}

} // namespace

TEST(Bmp, SaveAndReloadKeepsPixelsAndFormat) {
    QTemporaryDir dir;
    const Raster colours = colourfulRaster(13, 7); // odd width: every row is padded
    for (PixelFormat f :
         {PixelFormat::Bit1, PixelFormat::Bit4, PixelFormat::Bit8, PixelFormat::Bit15,
          PixelFormat::Bit16, PixelFormat::Bit24, PixelFormat::Bit32}) {
        const Raster raster = convertPixelFormat(colours, f);
        const QString path = dir.filePath(pixelFormatName(f) + ".bmp");
        writeBmpFile(raster, path);
        const Raster back = readBuiltIn(path);
        EXPECT_EQ(back.format(), f) << pixelFormatName(f).toStdString();
        EXPECT_EQ(back, raster) << pixelFormatName(f).toStdString();
    }
    // A device-dependent raster is written with 32 bits per pixel.
    const Raster device = convertPixelFormat(colours, PixelFormat::Device);
    writeBmpFile(device, dir.filePath("device.bmp"));
    const Raster back = readBuiltIn(dir.filePath("device.bmp"));
    EXPECT_EQ(back.format(), PixelFormat::Bit32);
    EXPECT_EQ(back.pixels(), device.pixels());
}

TEST(Bmp, LargeBitmapsStreamThroughTheReader) {
    // Files beyond the reader's first block are decoded block by block as they are read.
    QTemporaryDir dir;
    const Raster colours = colourfulRaster(601, 257);
    for (PixelFormat f : {PixelFormat::Bit4, PixelFormat::Bit8, PixelFormat::Bit16,
                          PixelFormat::Bit24, PixelFormat::Bit32}) {
        const Raster raster = convertPixelFormat(colours, f);
        const QString path = dir.filePath(pixelFormatName(f) + ".bmp");
        writeBmpFile(raster, path);
        ASSERT_GT(QFileInfo(path).size(), 64 * 1024);
        EXPECT_EQ(readBuiltIn(path), raster) << pixelFormatName(f).toStdString();
    }
    QFile full(dir.filePath("24 bit.bmp"));
    ASSERT_TRUE(full.open(QIODevice::ReadOnly));
    writeBytes(dir.filePath("cut-large.bmp"), full.readAll().left(200000));
    EXPECT_THROW(readBuiltIn(dir.filePath("cut-large.bmp")), ImageError);
}

TEST(Bmp, GreyPaletteSurvivesAndRowsArePadded) {
    Raster raster(3, 2, PixelFormat::Bit24, kWhite);
    raster.setPixel(0, 0, kRed);
    ASSERT_TRUE(GrayscaleRaster(raster));
    const QByteArray bytes = encodeBmp(raster);
    // 14 + 40 + 256 * 4 header bytes, then two rows of 4 bytes (3 pixels + 1 padding).
    EXPECT_EQ(bytes.size(), 14 + 40 + 1024 + 8);
    EXPECT_EQ(static_cast<unsigned char>(bytes[14 + 40 + 1024 + 4]), 76); // top row, stored last
    EXPECT_EQ(decode(bytes), raster);
}

TEST(Bmp, ReadsHandMadeFiles) {
    // 1 bit, 2 x 2, bottom-up: bottom row (black, white), top row (white, black).
    QByteArray oneBit;
    oneBit.append(char(0x40)).append(3, '\0');
    oneBit.append(char(0x80)).append(3, '\0');
    Raster r = decode(bmpFile(2, 2, 1, 0, {0x000000, 0xFFFFFF}, oneBit));
    EXPECT_EQ(r.format(), PixelFormat::Bit1);
    EXPECT_EQ(r.pixel(0, 1), kBlack);
    EXPECT_EQ(r.pixel(1, 1), kWhite);
    EXPECT_EQ(r.pixel(0, 0), kWhite);
    EXPECT_EQ(r.pixel(1, 0), kBlack);

    // RLE8, 4 x 2: bottom row "run of 3 x index 1, one literal index 2", top row "delta then 1".
    QByteArray rle8;
    rle8.append(char(3)).append(char(1));                                 // three pixels of index 1
    rle8.append(char(0)).append(char(3));                                 // absolute run of three
    rle8.append(char(2)).append(char(2)).append(char(2)).append(char(0)); // padded to a word
    rle8.append(char(0)).append(char(0));                                 // end of line
    rle8.append(char(0)).append(char(2)).append(char(3)).append(char(0)); // delta (3, 0)
    rle8.append(char(1)).append(char(1));
    rle8.append(char(0)).append(char(1)); // end of bitmap
    r = decode(bmpFile(4, 2, 8, 1, {0xFFFFFF, 0x0000FF, 0x00FF00}, rle8));
    EXPECT_EQ(r.format(), PixelFormat::Bit8);
    EXPECT_EQ(r.palette()[1], makeColour(0, 0, 255)); // stored as the bytes FF 00 00 00
    EXPECT_EQ(r.pixel(0, 1), r.palette()[1]);
    EXPECT_EQ(r.pixel(2, 1), r.palette()[1]);
    EXPECT_EQ(r.pixel(3, 1), r.palette()[2]);
    EXPECT_EQ(r.pixel(3, 0), r.palette()[1]);
    EXPECT_EQ(r.pixel(0, 0), r.palette()[0]);

    // RLE4, 4 x 1: a run of four alternating indices 1 and 2.
    QByteArray rle4;
    rle4.append(char(4)).append(char(0x12));
    rle4.append(char(0)).append(char(1));
    r = decode(bmpFile(4, 1, 4, 2, {0x000000, 0xFF0000, 0x00FF00}, rle4));
    EXPECT_EQ(r.format(), PixelFormat::Bit4);
    EXPECT_EQ(r.pixel(0, 0), makeColour(255, 0, 0));
    EXPECT_EQ(r.pixel(1, 0), makeColour(0, 255, 0));
    EXPECT_EQ(r.pixel(2, 0), makeColour(255, 0, 0));

    // 16 bits without masks are 5-5-5.
    QByteArray sixteen;
    put16(sixteen, 0x7C00); // red
    put16(sixteen, 0x001F); // blue
    r = decode(bmpFile(2, 1, 16, 0, {}, sixteen));
    EXPECT_EQ(r.format(), PixelFormat::Bit15);
    EXPECT_EQ(r.pixel(0, 0), kRed);
    EXPECT_EQ(r.pixel(1, 0), makeColour(0, 0, 255));
}

TEST(Bmp, TopDownRowsAndTheCorpusBitmap) {
    QByteArray bits;
    bits.append(char(0)).append(char(0)).append(char(255)); // red, top row
    bits.append(char(0));
    bits.append(char(255)).append(char(0)).append(char(0)); // blue, bottom row
    bits.append(char(0));
    QByteArray file = bmpFile(1, 2, 24, 0, {}, bits);
    const int minusTwo = -2;
    std::memcpy(file.data() + 22, &minusTwo, 4);
    const Raster r = decode(file);
    EXPECT_EQ(r.pixel(0, 0), kRed);
    EXPECT_EQ(r.pixel(0, 1), makeColour(0, 0, 255));

    const QString path = chartFile("bmp_logistic.bmp");
    ASSERT_CHART(path);
    const Raster corpus = readBuiltIn(path);
    EXPECT_EQ(corpus.format(), PixelFormat::Bit24);
    EXPECT_EQ(corpus.width() * corpus.height() * 3 + 54, 921654);
}

TEST(Bmp, BrokenFilesGiveClearErrors) {
    const Raster good = colourfulRaster(8, 8);
    const QByteArray bytes = encodeBmp(good);
    QByteArray huge = bytes;
    const int big = 100000;
    std::memcpy(huge.data() + 18, &big, 4);
    std::memcpy(huge.data() + 22, &big, 4);
    QByteArray badHeader = bytes;
    badHeader[14] = 77; // unknown header size
    QByteArray badBits = bytes;
    badBits[28] = 7; // 7 bits per pixel
    QByteArray rleTopDown = bmpFile(4, -2, 8, 1, {0, 0xFFFFFF}, QByteArray(4, '\0'));
    const struct {
        const char* name;
        QByteArray data;
    } cases[] = {
        {"empty", QByteArray()},
        {"signature only", QByteArray("BM")},
        {"not a bitmap", QByteArray(100, 'x')},
        {"truncated pixels", bytes.left(bytes.size() - 10)},
        {"truncated header", bytes.left(30)},
        {"absurd size", huge},
        {"unknown header", badHeader},
        {"bad bit count", badBits},
        {"rle top-down", rleTopDown},
    };
    for (const auto& c : cases) {
        EXPECT_THROW(decode(c.data), ImageError) << c.name;
    }
    // Through the file reader the message names the file.
    QTemporaryDir dir;
    writeBytes(dir.filePath("cut.bmp"), bytes.left(bytes.size() / 2));
    try {
        readBuiltIn(dir.filePath("cut.bmp"));
        FAIL() << "no error";
    } catch (const ImageError& e) {
        EXPECT_TRUE(e.message().contains("cut.bmp"));
        EXPECT_TRUE(e.message().contains("truncated"));
    }
}

TEST(Bmp, WriteFailureLeavesNoFile) {
    EXPECT_THROW(writeBmpFile(colourfulRaster(2, 2), "/nonexistent-folder/x.bmp"), ImageError);
}
