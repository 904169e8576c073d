#include "charts.h"
#include "image/ico.h"
#include "image/image_error.h"
#include "image/image_file.h"
#include "image/png_chunks.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quorvex;

namespace {

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// A picture with a red left half and a blue right half, saved by Qt in the given format.
QByteArray twoColourPicture(const char* format, int quality = -1) {
    QImage image(16, 8, QImage::Format_RGB32);
    image.fill(qRgb(255, 0, 0));
    for (int y = 0; y < 8; ++y)
        for (int x = 8; x < 16; ++x)
            image.setPixel(x, y, qRgb(0, 0, 255));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, format, quality));
    return bytes;
}

// The smallest GIF of 2 x 1 pixels: palette (black, white), pixel indices (1, 0).
QByteArray tinyGif() {
    const unsigned char bytes[] = {'G',  'I', 'F',  '8',  '9', 'a', 2, 0, 1, 0,
                                   0x80, 0,   0,                    // screen, 2-colour table
                                   0,    0,   0,    255,  255, 255, // black, white
                                   ',',  0,   0,    0,    0,   2,   0, 1, 0, 0, // image descriptor
                                   2,    2,   0x0C, 0x0A, 0, // LZW: clear, 1, 0, end
                                   ';'};
    return QByteArray(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

} // namespace

TEST(ReaderChoice, ExtensionsAndTypes) {
    EXPECT_EQ(readerForPath("a/b.gif"), ImageReader::Gif);
    EXPECT_EQ(readerForPath("a/b.GIF"), ImageReader::Gif);
    EXPECT_EQ(readerForPath("a/b.Gif"), ImageReader::BuiltIn);
    EXPECT_EQ(readerForPath("a/b.tif"), ImageReader::Tiff);
    EXPECT_EQ(readerForPath("a/b.TIF"), ImageReader::Tiff);
    EXPECT_EQ(readerForPath("a/b.tiff"), ImageReader::BuiltIn);
    EXPECT_EQ(readerForPath("a/b.bmp"), ImageReader::BuiltIn);
    const struct {
        const char* path;
        const char* type;
        bool supported;
    } cases[] = {{"x.bmp", "BMP", true},    {"x.Jpg", "JPG", true},  {"x.JPEG", "JPG", true},
                 {"x.jpeg", "JPG", true},   {"x.ico", "ICO", true},  {"x.wmf", "WMF", true},
                 {"x.emf", "EMF", true},    {"x.png", "PNG", true},  {"x.Gif", "GIF", false},
                 {"x.tiff", "TIFF", false}, {"x.txt", "TXT", false}, {"ab", "", false}};
    for (const auto& c : cases) {
        EXPECT_EQ(builtInType(c.path), c.type) << c.path;
        EXPECT_EQ(builtInTypeSupported(builtInType(c.path)), c.supported) << c.path;
    }
}

TEST(BuiltInReader, MissingFileGivesTheRedCross) {
    const Raster cross = readBuiltIn("/nonexistent/picture.bmp");
    EXPECT_EQ(cross.width(), 32);
    EXPECT_EQ(cross.height(), 32);
    EXPECT_EQ(cross.format(), PixelFormat::Bit24);
    EXPECT_EQ(cross, missingFileRaster());
    for (int i : {2, 10, 16, 29}) {
        EXPECT_EQ(cross.pixel(i, i), kRed);
        EXPECT_EQ(cross.pixel(i, 31 - i), kRed);
    }
    EXPECT_EQ(cross.pixel(3, 2), kRed) << "the pen is 3 pixels wide";
    EXPECT_EQ(cross.pixel(0, 31), kWhite);
    EXPECT_EQ(cross.pixel(16, 2), kWhite);
    EXPECT_EQ(cross.pixel(31, 0), kWhite);
}

TEST(BuiltInReader, UnsupportedTypeFailsBeforeReading) {
    QTemporaryDir dir;
    writeBytes(dir.filePath("chart.Gif"), tinyGif());
    try {
        readBuiltIn(dir.filePath("chart.Gif"));
        FAIL() << "no error";
    } catch (const ImageError& e) {
        EXPECT_TRUE(e.message().contains("GIF")) << e.message().toStdString();
    }
    writeBytes(dir.filePath("notes.txt"), "hello");
    EXPECT_THROW(readBuiltIn(dir.filePath("notes.txt")), ImageError);
}

TEST(BuiltInReader, JpegThroughLibjpeg) {
    QTemporaryDir dir;
    writeBytes(dir.filePath("p.jpeg"), twoColourPicture("JPG", 100));
    const Raster r = readBuiltIn(dir.filePath("p.jpeg"));
    EXPECT_EQ(r.format(), PixelFormat::Bit24);
    EXPECT_EQ(r.width(), 16);
    EXPECT_EQ(r.height(), 8);
    EXPECT_GT(redOf(r.pixel(2, 4)), 240);
    EXPECT_LT(blueOf(r.pixel(2, 4)), 15);
    EXPECT_GT(blueOf(r.pixel(13, 4)), 240);

    // Grey JPEGs come out as colour rasters with R = G = B.
    QImage grey(8, 8, QImage::Format_Grayscale8);
    grey.fill(128);
    grey.save(dir.filePath("g.jpg"), "JPG", 100);
    const Raster g = readBuiltIn(dir.filePath("g.jpg"));
    EXPECT_EQ(g.format(), PixelFormat::Bit24);
    EXPECT_TRUE(isGrey(g.pixel(3, 3)));
    EXPECT_NEAR(redOf(g.pixel(3, 3)), 128, 2);

    const QString path = chartFile("jpeg_damped.jpg");
    ASSERT_CHART(path);
    const Raster corpus = readBuiltIn(path);
    EXPECT_GT(corpus.width(), 100);
}

TEST(BuiltInReader, BrokenJpegs) {
    QTemporaryDir dir;
    const QByteArray good = twoColourPicture("JPG");
    QByteArray huge = good;
    // The SOF0 marker holds height and width; make them 60000 x 60000.
    const int sof = huge.indexOf("\xFF\xC0");
    ASSERT_GT(sof, 0);
    huge[sof + 5] = char(0xEA);
    huge[sof + 6] = char(0x60);
    huge[sof + 7] = char(0xEA);
    huge[sof + 8] = char(0x60);
    const struct {
        const char* name;
        QByteArray data;
    } cases[] = {{"empty.jpg", QByteArray()},
                 {"garbage.jpg", QByteArray(300, 'z')},
                 {"truncated.jpg", good.left(good.size() / 2)},
                 {"header-only.jpg", good.left(20)},
                 {"huge.jpg", huge}};
    for (const auto& c : cases) {
        writeBytes(dir.filePath(c.name), c.data);
        EXPECT_THROW(readBuiltIn(dir.filePath(c.name)), ImageError) << c.name;
    }
}

TEST(BuiltInReader, PngAndCorpusChart) {
    const QString path = chartFile("lin_sine.png");
    ASSERT_CHART(path);
    const Raster r = readBuiltIn(path);
    EXPECT_EQ(r.format(), PixelFormat::Bit24);
    EXPECT_GT(r.width(), 700);
    QTemporaryDir dir;
    writeBytes(dir.filePath("bad.png"), QByteArray("\x89PNG\r\n\x1a\nrubbish", 16));
    EXPECT_THROW(readBuiltIn(dir.filePath("bad.png")), ImageError);
}

namespace {

// A PNG with a text chunk inserted before its end chunk, declaring `length` bytes of which it
// holds only four.
QByteArray pngWithTextChunk(std::uint32_t length) {
    QByteArray png = twoColourPicture("PNG");
    QByteArray chunk;
    for (int shift = 24; shift >= 0; shift -= 8)
        chunk.append(char((length >> shift) & 0xFF));
    chunk.append("tEXtabcd", 8).append(4, '\0');
    png.insert(png.size() - 12, chunk);
    return png;
}

void checkChunks(const QByteArray& png) {
    checkPngChunks(reinterpret_cast<const std::uint8_t*>(png.constData()), std::size_t(png.size()));
}

} // namespace

// A damaged length field made the decoder allocate the declared length, 2 GB for a 300-byte file
// (found by fuzzing).
TEST(BuiltInReader, PngChunksLongerThanTheFileAreRefusedBeforeDecoding) {
    const QString found = QStringLiteral(QUORVEX_TEST_DATA) + "/fuzz/png_huge_chunk_length.png";
    ASSERT_TRUE(QFileInfo::exists(found));
    try {
        readBuiltIn(found);
        FAIL() << "read a PNG whose text chunk runs past the file";
    } catch (const ImageError& error) {
        EXPECT_TRUE(error.message().contains("truncated")) << error.message().toStdString();
    }

    EXPECT_NO_THROW(checkChunks(twoColourPicture("PNG")));
    EXPECT_NO_THROW(checkChunks(pngWithTextChunk(4)));
    EXPECT_THROW(checkChunks(pngWithTextChunk(5)), ImageError);
    EXPECT_THROW(checkChunks(pngWithTextChunk(0xFFFFFFF0u)), ImageError);
    // Image data cut short is the decoder's to report, as before.
    QByteArray cut = twoColourPicture("PNG");
    const qsizetype idat = cut.indexOf("IDAT");
    ASSERT_GT(idat, 0);
    cut.truncate(idat + 8);
    EXPECT_NO_THROW(checkChunks(cut));

    // The same inside an icon.
    const QByteArray png = pngWithTextChunk(0x7FFFFFF0u);
    QByteArray ico("\x00\x00\x01\x00\x01\x00\x10\x08\x00\x00\x01\x00\x20\x00", 14);
    for (std::uint32_t v : {std::uint32_t(png.size()), 22u})
        for (int shift = 0; shift < 32; shift += 8)
            ico.append(char((v >> shift) & 0xFF));
    ico += png;
    EXPECT_THROW(
        decodeIcon(reinterpret_cast<const std::uint8_t*>(ico.constData()), std::size_t(ico.size())),
        ImageError);
}

TEST(BuiltInReader, IconsAreDrawnOnWhiteInTwentyFourBits) {
    QTemporaryDir dir;
    // A 2 x 2 icon, 24-bit DIB: colours red (top left) and blue, with the bottom-right pixel
    // transparent in the AND mask.
    QByteArray dib;
    auto put16 = [&dib](int v) { dib.append(char(v & 0xFF)).append(char(v >> 8)); };
    auto put32 = [&dib](unsigned v) {
        for (int i = 0; i < 4; ++i)
            dib.append(char((v >> (8 * i)) & 0xFF));
    };
    put32(40);
    put32(2);
    put32(4); // height doubled: colour rows and mask rows
    put16(1);
    put16(24);
    for (int i = 0; i < 6; ++i)
        put32(0);
    // Colour rows, bottom-up, 8 bytes each (6 + 2 padding).
    dib.append(QByteArray("\xFF\x00\x00\xFF\x00\x00\x00\x00", 8)); // bottom: blue, blue
    dib.append(QByteArray("\x00\x00\xFF\xFF\x00\x00\x00\x00", 8)); // top: red, blue
    // Mask rows, bottom-up, 4 bytes each: bottom-right transparent.
    dib.append(QByteArray("\x40\x00\x00\x00", 4));
    dib.append(QByteArray("\x00\x00\x00\x00", 4));
    QByteArray ico;
    ico.append(QByteArray("\x00\x00\x01\x00\x01\x00", 6));
    ico.append(char(2)).append(char(2)).append(char(0)).append(char(0));
    ico.append(QByteArray("\x01\x00\x18\x00", 4));
    const unsigned size = static_cast<unsigned>(dib.size()), offset = 22;
    for (int i = 0; i < 4; ++i)
        ico.append(char((size >> (8 * i)) & 0xFF));
    for (int i = 0; i < 4; ++i)
        ico.append(char((offset >> (8 * i)) & 0xFF));
    ico += dib;
    writeBytes(dir.filePath("i.ico"), ico);
    const Raster r = readBuiltIn(dir.filePath("i.ico"));
    EXPECT_EQ(r.format(), PixelFormat::Bit24);
    EXPECT_EQ(r.width(), 2);
    EXPECT_EQ(r.height(), 2);
    EXPECT_EQ(r.pixel(0, 0), kRed);
    EXPECT_EQ(r.pixel(1, 0), makeColour(0, 0, 255));
    EXPECT_EQ(r.pixel(0, 1), makeColour(0, 0, 255));
    EXPECT_EQ(r.pixel(1, 1), kWhite);

    writeBytes(dir.filePath("cut.ico"), ico.left(30));
    EXPECT_THROW(readBuiltIn(dir.filePath("cut.ico")), ImageError);
    writeBytes(dir.filePath("zero.ico"),
               QByteArray("\x00\x00\x01\x00\x00\x00", 6) + QByteArray(20, '\0'));
    EXPECT_THROW(readBuiltIn(dir.filePath("zero.ico")), ImageError);
}

TEST(ExternalReaders, GifAndTiff) {
    QTemporaryDir dir;
    writeBytes(dir.filePath("t.gif"), tinyGif());
    const Raster gif = readImageFile(dir.filePath("t.gif"), ImageReader::Gif);
    EXPECT_EQ(gif.width(), 2);
    EXPECT_EQ(gif.height(), 1);
    EXPECT_EQ(gif.pixel(0, 0), kWhite);
    EXPECT_EQ(gif.pixel(1, 0), kBlack);
    EXPECT_TRUE(isIndexed(gif.format()));

    writeBytes(dir.filePath("t.tif"), twoColourPicture("TIFF"));
    const Raster tiff = readImageFile(dir.filePath("t.tif"), ImageReader::Tiff);
    EXPECT_EQ(tiff.width(), 16);
    EXPECT_EQ(tiff.pixel(0, 0), kRed);
    EXPECT_EQ(tiff.pixel(15, 7), makeColour(0, 0, 255));

    writeBytes(dir.filePath("bad.gif"), QByteArray("GIF89a", 6));
    EXPECT_THROW(readGif(dir.filePath("bad.gif")), ImageError);
    EXPECT_THROW(readTiff(dir.filePath("missing.tif")), ImageError);
}
