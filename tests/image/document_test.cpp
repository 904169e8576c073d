#include "image/image_document.h"
#include "image/image_error.h"
#include "image/scanner.h"
#include "virtual_scanner.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace quorvex;

TEST(ImageDocument, Captions) {
    EXPECT_EQ(bareCaption(), "Quorvex 2.16");
    EXPECT_EQ(fileCaption("/home/u/charts/a b.bmp"), "Quorvex 2.16 - a b.bmp");
    EXPECT_EQ(pastedCaption(), "Quorvex 2.16 - image pasted from clipboard");
    EXPECT_EQ(scannedCaption(), "Quorvex 2.16 - image scanned");
}

TEST(ImageDocument, RecentFilesOrder) {
    const RecentFiles entries{"/a", "/b", "/c", "/d"};
    const struct {
        const char* path;
        RecentFiles expected;
    } cases[] = {
        {"/new", {"/new", "/a", "/b", "/c"}}, {"/a", {"/a", "/b", "/c", "/d"}},
        {"/b", {"/b", "/a", "/c", "/d"}},     {"/c", {"/c", "/a", "/b", "/d"}},
        {"/d", {"/d", "/a", "/b", "/c"}},     {"/A", {"/A", "/a", "/b", "/c"}}, // case matters
    };
    for (const auto& c : cases)
        EXPECT_EQ(updatedRecentFiles(entries, c.path), c.expected) << c.path;
    // With the same path in two entries, the last one moves.
    EXPECT_EQ(updatedRecentFiles({"/x", "/y", "/x", ""}, "/x"),
              (RecentFiles{"/x", "/x", "/y", ""}));
    EXPECT_EQ(updatedRecentFiles({"", "", "", ""}, "/p"), (RecentFiles{"/p", "", "", ""}));
    EXPECT_EQ(recentEntryCaption("/tmp/x/chart.png"), "chart.png");
    EXPECT_EQ(recentEntryCaption(""), "");
}

TEST(ImageDocument, ColourConversionAndMarkerColour) {
    ImageDocument d;
    d.raster = Raster(2, 2, PixelFormat::Bit1);
    EXPECT_TRUE(needsColourConversion(d, true));
    EXPECT_FALSE(needsColourConversion(d, false));
    d.pasted = true;
    EXPECT_FALSE(needsColourConversion(d, true));
    d.pasted = false;
    d.formatChangedByUser = true;
    EXPECT_FALSE(needsColourConversion(d, true));
    d.formatChangedByUser = false;
    d.raster = Raster(2, 2, PixelFormat::Bit4);
    EXPECT_TRUE(needsColourConversion(d, true));
    d.raster = Raster(2, 2, PixelFormat::Bit8);
    EXPECT_FALSE(needsColourConversion(d, true));

    EXPECT_EQ(markerColourForFormat(PixelFormat::Bit1, kRed), kGrey);
    EXPECT_EQ(markerColourForFormat(PixelFormat::Bit4, kGrey), kRed);
    EXPECT_EQ(markerColourForFormat(PixelFormat::Bit24, kGrey), kRed);
    EXPECT_EQ(markerColourForFormat(PixelFormat::Device, 0x123456), 0x123456u);
}

class SaneTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(VirtualScanner::instance().enable(true)); }
};

TEST_F(SaneTest, ListsAndScansFromTheTestBackend) {
    const auto devices = scannerDevices();
    ASSERT_FALSE(devices.isEmpty());
    EXPECT_TRUE(devices.front().name.startsWith("test:"));
    int lastProgress = -1;
    const Raster r = acquireImage(devices.front().name, [&](int p) {
        lastProgress = p;
        return true;
    });
    EXPECT_EQ(r.width(), 78); // 40 mm at 50 dpi
    EXPECT_EQ(r.height(), 59);
    EXPECT_EQ(r.format(), PixelFormat::Bit24);
    EXPECT_EQ(lastProgress, 100);
}

TEST_F(SaneTest, CancelAndUnknownDevice) {
    const auto devices = scannerDevices();
    ASSERT_FALSE(devices.isEmpty());
    EXPECT_THROW(acquireImage(devices.front().name, [](int) { return false; }), ImageError);
    EXPECT_THROW(acquireImage("nonexistent:device", nullptr), ImageError);
}
