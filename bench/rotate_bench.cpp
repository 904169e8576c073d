// Turning an 8000 x 6000 24-bit picture by 3 degrees. Baseline: QImage::transformed with the
// same rotation and fast (nearest) transformation, which also makes the bounding box. The time
// of a quarter turn follows.
#include "bench.h"
#include "image/rotation.h"

#include <QImage>
#include <QTransform>
#include <cstdio>

using namespace quorvex;

namespace {

const bench::Register rotate("rotate", [] {
    Raster raster = Raster::unfilled(8000, 6000, PixelFormat::Bit24);
    QImage image(8000, 6000, QImage::Format_RGB32);
    for (int y = 0; y < raster.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < raster.width(); ++x) {
            const Colour c = makeColour(x & 255, y & 255, (x ^ y) & 255);
            raster.setPixelRaw(x, y, c);
            line[x] = toQRgb(c);
        }
    }
    int width = 0;
    const bench::Pair t = bench::compare(
        3,
        [&] {
            const Raster turned = rotateRaster(raster, 3, kWhite);
            width = turned.width();
        },
        [&] {
            const QImage turned =
                image.transformed(QTransform().rotate(-3), Qt::FastTransformation);
            if (turned.width() < 8000) std::abort();
        });
    const double quarterMs = bench::bestMs(3, [&] {
        const Raster turned = rotateRaster(raster, 90, kWhite);
        if (turned.width() != 6000) std::abort();
    });
    std::printf("rotate width=%d quarter_turn_ms=%.1f\n", width, quarterMs);
    bench::report("rotate", t.ms, t.baselineMs);
});

} // namespace
