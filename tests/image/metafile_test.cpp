#include "image/image_error.h"
#include "image/metafile.h"

#include <gtest/gtest.h>

using namespace quorvex;

namespace {

struct Bytes {
    std::vector<std::uint8_t> data;
    Bytes& u16(int v) {
        data.push_back(static_cast<std::uint8_t>(v & 0xFF));
        data.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
        return *this;
    }
    Bytes& u32(unsigned v) {
        for (int i = 0; i < 4; ++i)
            data.push_back(static_cast<std::uint8_t>((v >> (8 * i)) & 0xFF));
        return *this;
    }
};

// A placeable WMF of 100 x 50 units at 96 units per inch: a red pen, a blue brush, a
// rectangle (10, 10)-(40, 30) and a red polyline from (50, 40) to (90, 40).
Bytes sampleWmf() {
    Bytes b;
    b.u32(0x9AC6CDD7).u16(0).u16(0).u16(0).u16(100).u16(50).u16(96).u32(0).u16(0);
    b.u16(1).u16(9).u16(0x300).u32(0).u16(2).u32(0).u16(0);
    b.u32(8).u16(0x02FA).u16(0).u16(1).u16(0).u32(0x0000FF);     // pen
    b.u32(4).u16(0x012D).u16(0);                                 // select pen
    b.u32(7).u16(0x02FC).u16(0).u32(0xFF0000).u16(0);            // brush
    b.u32(4).u16(0x012D).u16(1);                                 // select brush
    b.u32(7).u16(0x041B).u16(30).u16(40).u16(10).u16(10);        // rectangle
    b.u32(8).u16(0x0325).u16(2).u16(50).u16(40).u16(90).u16(40); // polyline
    b.u32(3).u16(0);                                             // end
    return b;
}

// An EMF on a 96-dpi reference device, frame 100 x 50 pixels, with the same drawing.
Bytes sampleEmf() {
    Bytes b;
    b.u32(1).u32(88);
    b.u32(0).u32(0).u32(99).u32(49);     // bounds
    b.u32(0).u32(0).u32(2646).u32(1323); // frame, 0.01 mm
    b.u32(0x464D4520).u32(0x10000).u32(0).u32(0).u16(3).u16(0).u32(0).u32(0).u32(0);
    b.u32(960).u32(960).u32(254).u32(254);                       // device pixels and millimetres
    b.u32(38).u32(28).u32(1).u32(0).u32(1).u32(0).u32(0x0000FF); // CREATEPEN 1
    b.u32(37).u32(12).u32(1);                                    // SELECTOBJECT 1
    b.u32(39).u32(24).u32(2).u32(0).u32(0xFF0000).u32(0);        // CREATEBRUSHINDIRECT 2
    b.u32(37).u32(12).u32(2);
    b.u32(43).u32(24).u32(10).u32(10).u32(40).u32(30);        // RECTANGLE
    b.u32(87).u32(36).u32(50).u32(40).u32(90).u32(40).u32(2); // POLYLINE16
    b.u16(50).u16(40).u16(90).u16(40);
    b.u32(14).u32(20).u32(0).u32(16).u32(20); // EOF
    return b;
}

void expectSampleDrawing(const Raster& r) {
    EXPECT_EQ(r.format(), PixelFormat::Bit24);
    ASSERT_EQ(r.width(), 100);
    ASSERT_EQ(r.height(), 50);
    EXPECT_EQ(r.pixel(25, 20), makeColour(0, 0, 255)) << "brush inside the rectangle";
    EXPECT_EQ(r.pixel(10, 20), kRed) << "pen on the rectangle's left edge";
    EXPECT_EQ(r.pixel(70, 40), kRed) << "polyline";
    EXPECT_EQ(r.pixel(5, 5), kWhite);
    EXPECT_EQ(r.pixel(70, 30), kWhite);
}

} // namespace

TEST(Metafile, WmfRecordsAreDrawn) {
    const Bytes wmf = sampleWmf();
    expectSampleDrawing(decodeWmf(wmf.data.data(), wmf.data.size()));
}

TEST(Metafile, EmfRecordsAreDrawn) {
    const Bytes emf = sampleEmf();
    expectSampleDrawing(decodeEmf(emf.data.data(), emf.data.size()));
}

TEST(Metafile, DamagedFilesFail) {
    Bytes wmf = sampleWmf();
    Bytes emf = sampleEmf();
    auto cut = [](const Bytes& b, std::size_t n) {
        return std::vector<std::uint8_t>(b.data.begin(), b.data.begin() + static_cast<long>(n));
    };
    const std::vector<std::uint8_t> wmfCases[] = {{},
                                                  cut(wmf, 10),
                                                  cut(wmf, 30),
                                                  cut(wmf, wmf.data.size() - 8),
                                                  std::vector<std::uint8_t>(64, 7)};
    for (const auto& c : wmfCases)
        EXPECT_THROW(decodeWmf(c.data(), c.size()), ImageError);
    const std::vector<std::uint8_t> emfCases[] = {
        {}, cut(emf, 40), cut(emf, emf.data.size() - 10), std::vector<std::uint8_t>(100, 1)};
    for (const auto& c : emfCases)
        EXPECT_THROW(decodeEmf(c.data(), c.size()), ImageError);
    // A record that claims to be larger than the file.
    wmf.data[22 + 18] = 0xFF;
    EXPECT_THROW(decodeWmf(wmf.data.data(), wmf.data.size()), ImageError);
    // A frame of absurd size is scaled down rather than allocated.
    Bytes big = sampleEmf();
    big.data[32] = 0xFF;
    big.data[33] = 0xFF;
    big.data[34] = 0xFF;
    big.data[35] = 0x0F;
    const Raster r = decodeEmf(big.data.data(), big.data.size());
    EXPECT_LE(r.width(), 8192);
}

// The metafile player paints into the recording device too: the picture's paths lie where its
// raster shows them.
TEST(Metafile, ThePathsOfAMetafileAreRecorded) {
    for (const Bytes& b : {sampleWmf(), sampleEmf()}) {
        const VectorLayer layer = recordMetafile(b.data.data(), b.data.size());
        const VectorPath* line = nullptr;
        for (const VectorPath& p : layer.paths)
            if (p.stroked && p.stroke == kRed && p.path.elementCount() == 2) line = &p;
        ASSERT_NE(line, nullptr);
        // The player draws without anti-aliasing: the line's row 40 is the raster's row 40.
        EXPECT_NEAR(line->path.elementAt(0).x, 50, 1e-6);
        EXPECT_NEAR(line->path.elementAt(1).x, 90, 1e-6);
        EXPECT_NEAR(line->path.elementAt(0).y, 40, 1e-6);
        EXPECT_EQ(layer.dpi, 96);
        const Raster raster = b.data.size() > 0 && b.data[0] == 0xD7
                                  ? decodeWmf(b.data.data(), b.data.size())
                                  : decodeEmf(b.data.data(), b.data.size());
        EXPECT_EQ(raster.pixel(70, 40), kRed);
    }
}
