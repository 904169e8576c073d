// The work of one mouse move over a large image: position read-out and zoom picture.
#include "bench.h"
#include "core/raster.h"
#include "image/view_scale.h"
#include "tools/readout.h"

#include <QImage>

using namespace quorvex;

namespace {

const bench::Register viewMove("view_move", [] {
    Raster raster(4000, 3000, PixelFormat::Bit24, kWhite);
    for (int y = 0; y < raster.height(); y += 7)
        for (int x = 0; x < raster.width(); ++x)
            raster.setPixelRaw(x, y, makeColour(x & 255, y & 255, 128));
    Calibration calibration;
    calibration.pixelLeftBottom = QPoint(100, 2900);
    calibration.pixelRightTop = QPoint(3900, 100);
    calibration.xLeftBottom = "0";
    calibration.xRightTop = "10";
    calibration.yLeftBottom = "-1,5";
    calibration.yRightTop = "1,5";
    const QSize view(4000, 3000), panel(174, 174);
    const int moves = 20000;
    std::size_t sink = 0;
    auto at = [](int i) { return QPointF(40 + (i * 37) % 3900, 40 + (i * 53) % 2900); };
    const bench::Pair t = bench::compare(
        3,
        [&] {
            for (int i = 0; i < moves; ++i) {
                const QPointF p = at(i);
                const Readout r = mouseReadout(raster, calibration, QChar(','), p.x(), p.y(), 1.0);
                sink += static_cast<std::size_t>(r.x.size());
                if (const auto square = zoomSourceSquare(p.x(), p.y(), 1.0, 2, view))
                    sink +=
                        static_cast<std::size_t>(zoomPicture(raster, *square, panel).sizeInBytes());
            }
        },
        [&] {
            // The baseline: a plain nearest-neighbour copy of the same square onto the panel.
            QImage picture(panel, QImage::Format_RGB32);
            for (int i = 0; i < moves; ++i) {
                const QPointF p = at(i);
                const int left = static_cast<int>(p.x()) - 30, top = static_cast<int>(p.y()) - 30;
                for (int y = 0; y < panel.height(); ++y) {
                    const Colour* row = raster.row(top + y * 61 / panel.height());
                    auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
                    for (int x = 0; x < panel.width(); ++x)
                        line[x] = toQRgb(row[left + x * 61 / panel.width()]);
                }
                sink += static_cast<std::size_t>(picture.sizeInBytes());
            }
        });
    if (sink == 0) std::abort();
    std::printf("view_move ratio=%.3f ms=%.4f baseline_ms=%.4f\n", t.ms / t.baselineMs,
                t.ms / moves, t.baselineMs / moves);
});

} // namespace
