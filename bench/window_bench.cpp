// Large scans in the window: opening a 10000 x 8000 JPEG through the window's open path (up to
// the picture the view paints from), and repainting the view of it at 25 % and fitted.
#include "app/gui/main_window.h"
#include "app/gui/prompter.h"
#include "bench.h"
#include "components/image_view.h"
#include "jpeg_files.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <cstring>

using namespace quorvex;

namespace {

constexpr int kWidth = 10000, kHeight = 8000;

QString largeJpeg() {
    static const QString path = [] {
        const QString p = bench::scratchFolder() + "/scan.jpg";
        bench::writeLargeJpeg(p, kWidth, kHeight);
        return p;
    }();
    return path;
}

const bench::Register openLarge("open_large", [] {
    const QString path = largeJpeg();
    qputenv("QUORVEX_CONFIG_DIR", bench::scratchFolder().toLocal8Bit());
    MainWindow window(std::make_unique<QtPrompter>(), bench::scratchFolder() + "/quorvex");
    const auto open = [&] {
        window.document().raster = Raster(); // each open starts without a picture
        if (!window.openImageFile(path, ImageReader::BuiltIn)) std::abort();
        const auto* view = window.findChild<ImageView*>(QStringLiteral("Image1"));
        if (view->picture().width() != kWidth) std::abort();
    };
    // The peak of the first open, from a window without a picture.
    window.document().raster = Raster();
    const long before = bench::statusKb("VmRSS:");
    bench::resetPeak();
    open();
    const double peakMb = (bench::statusKb("VmHWM:") - before) / 1024.0;
    const bench::Pair t = bench::compare(3, open, [&] {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly)) std::abort();
        if (bench::bareDecode(f.readAll()) != std::size_t(kWidth) * kHeight * 3) std::abort();
    });
    std::printf("open_large ratio=%.3f ms=%.1f baseline_ms=%.1f peak_mb=%.0f raster_mb=%.0f\n",
                t.ms / t.baselineMs, t.ms, t.baselineMs, peakMb,
                double(kWidth) * kHeight * 4 / (1024 * 1024));
    std::fflush(stdout);
});

// One full repaint of a 1200 x 800 view of the picture into an offscreen image; the baseline
// draws a picture of the view's own size (a plain copy, the floor of any repaint).
const bench::Register repaintScaled("repaint_scaled", [] {
    Raster raster(kWidth, kHeight, PixelFormat::Bit24, kWhite);
    for (int y = 0; y < kHeight; y += 50)
        for (int x = 0; x < kWidth; ++x)
            raster.setPixelRaw(x, y, makeColour(x & 255, 90, 200));
    ImageView view;
    view.setRaster(&raster);
    QImage screen(1200, 800, QImage::Format_RGB32);
    const auto repaint = [&](QSize viewSize) {
        view.resize(viewSize);
        screen.fill(Qt::black);
        const double ms =
            bench::bestMs(5, [&] { view.render(&screen, QPoint(), QRegion(0, 0, 1200, 800)); });
        // The paper shows: the view really painted the picture.
        if (screen.pixel(600, 401) != qRgb(255, 255, 255)) std::abort();
        return ms;
    };
    const double quarter = repaint(QSize(kWidth / 4, kHeight / 4));
    const double fitted = repaint(QSize(1000, 800)); // what "Auto-size" gives in such a view
    // A full refresh (markers removed, an undo, a new format) against the display copy it used
    // to make of the whole raster.
    const double refreshAll = bench::bestMs(5, [&] { view.refreshAll(); });
    const double displayCopy = bench::bestMs(3, [&] {
        if (toQImage(raster).width() != kWidth) std::abort();
    });
    QImage plain(1200, 800, QImage::Format_RGB32);
    plain.fill(Qt::white);
    const double floor = bench::bestMs(5, [&] { QPainter(&screen).drawImage(0, 0, plain); });
    std::printf("repaint_scaled ratio=%.3f ms=%.1f baseline_ms=%.2f fitted_ms=%.1f "
                "refresh_all_ms=%.3f display_copy_ms=%.1f\n",
                quarter / floor, quarter, floor, fitted, refreshAll, displayCopy);
    std::fflush(stdout);
});

} // namespace
