// Reads arbitrary bytes as a digitizing profile: a clear error, or a profile that writes and reads
// back to the same text and that a digitization can use. Using it is what a batch does with each
// profile, so a value that parses but fails later (a corner text that is no number) shows here
// as an uncaught exception.
#include "autodigit/engine.h"
#include "autodigit/grid.h"
#include "autodigit/profile.h"
#include "fuzz_support.h"
#include "tools/calibration.h"

#include <algorithm>
#include <cmath>

using namespace quorvex;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    DigitizingProfile profile;
    try {
        profile = parseProfile(
            QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));
    } catch (const ProfileError&) {
        return 0;
    }
    const QByteArray written = profileJson(profile);
    try {
        fuzz::check(profileJson(parseProfile(written)) == written,
                    "a written profile reads back differently");
    } catch (const ProfileError&) {
        fuzz::broken("a written profile does not read back");
    }
    // Applied to a small picture: the only failure allowed is a point that does not convert.
    // The area is kept small so that a wide one from the input does not make the run slow.
    Raster picture(24, 16, PixelFormat::Bit24, kWhite);
    for (int x = 0; x < 24; ++x)
        picture.setPixel(x, 8, profile.scan.recognition.curve);
    ScanSettings scan = profile.scan;
    scan.area = ScanArea{std::min(scan.area.left, 24), std::min(scan.area.top, 16),
                         std::min(scan.area.right, 24), std::min(scan.area.bottom, 16)};
    scan.grid.typedOn = false; // typed lines have a fuzz target of their own
    try {
        const ToGraph graph(profile.calibration, QChar('.'));
        GridLines lines;
        scanArea(
            picture, scan, lines,
            [&](int x, double y) {
                try {
                    if (std::isfinite(graph.x(x) + graph.y(y))) fuzz::rowSink = fuzz::rowSink + 1;
                } catch (const PointError&) {
                }
            },
            nullptr);
    } catch (const PointError&) {
    }
    return 0;
}
