#include "image/scanner.h"

#include "image/image_error.h"

#include <sane/sane.h>
#include <vector>

namespace quorvex {

namespace {

// Opens the SANE library for the duration of one call.
class SaneSession {
public:
    SaneSession() {
        SANE_Int version = 0;
        const SANE_Status status = sane_init(&version, nullptr);
        if (status != SANE_STATUS_GOOD) fail(status);
    }
    ~SaneSession() { sane_exit(); }
    [[noreturn]] static void fail(SANE_Status status) {
        throw ImageError(QString::fromLocal8Bit(sane_strstatus(status)));
    }
};

class SaneHandle {
public:
    explicit SaneHandle(const QString& device) {
        const SANE_Status status = sane_open(device.toLocal8Bit().constData(), &handle_);
        if (status != SANE_STATUS_GOOD) SaneSession::fail(status);
    }
    ~SaneHandle() {
        sane_cancel(handle_);
        sane_close(handle_);
    }
    SANE_Handle get() const { return handle_; }

private:
    SANE_Handle handle_ = nullptr;
};

} // namespace

QList<ScannerDevice> scannerDevices() {
    SaneSession session;
    const SANE_Device** list = nullptr;
    const SANE_Status status = sane_get_devices(&list, SANE_TRUE);
    if (status != SANE_STATUS_GOOD) SaneSession::fail(status);
    QList<ScannerDevice> devices;
    for (int i = 0; list && list[i]; ++i) {
        const SANE_Device* d = list[i];
        devices.push_back(
            {QString::fromLocal8Bit(d->name),
             QStringLiteral("%1 %2 (%3)")
                 .arg(QString::fromLocal8Bit(d->vendor), QString::fromLocal8Bit(d->model),
                      QString::fromLocal8Bit(d->type))});
    }
    return devices;
}

Raster acquireImage(const QString& device, const std::function<bool(int)>& progress) {
    SaneSession session;
    SaneHandle handle(device);
    SANE_Status status = sane_start(handle.get());
    if (status != SANE_STATUS_GOOD) SaneSession::fail(status);
    SANE_Parameters p;
    status = sane_get_parameters(handle.get(), &p);
    if (status != SANE_STATUS_GOOD) SaneSession::fail(status);
    if (p.format != SANE_FRAME_GRAY && p.format != SANE_FRAME_RGB)
        throw ImageError(QStringLiteral("unsupported scan frame format"));
    if (p.depth != 1 && p.depth != 8 && p.depth != 16)
        throw ImageError(QStringLiteral("unsupported scan depth %1").arg(p.depth));
    if (p.lines <= 0 || p.pixels_per_line <= 0 || p.bytes_per_line <= 0)
        throw ImageError(QStringLiteral("the scanner does not tell the image size"));
    checkRasterSize(p.pixels_per_line, p.lines);

    const std::size_t total =
        static_cast<std::size_t>(p.bytes_per_line) * static_cast<std::size_t>(p.lines);
    std::vector<unsigned char> data(total);
    std::size_t filled = 0;
    while (filled < total) {
        SANE_Int got = 0;
        const SANE_Int want = static_cast<SANE_Int>(std::min<std::size_t>(total - filled, 1 << 16));
        status = sane_read(handle.get(), data.data() + filled, want, &got);
        if (status == SANE_STATUS_EOF) break;
        if (status != SANE_STATUS_GOOD) SaneSession::fail(status);
        filled += static_cast<std::size_t>(got);
        if (progress && !progress(static_cast<int>(filled * 100 / total)))
            SaneSession::fail(SANE_STATUS_CANCELLED);
    }

    const int width = p.pixels_per_line, height = p.lines;
    const bool lineArt = p.format == SANE_FRAME_GRAY && p.depth == 1;
    const bool colour = p.format == SANE_FRAME_RGB;
    std::vector<Colour> greys;
    if (!colour && !lineArt)
        for (int i = 0; i < 256; ++i)
            greys.push_back(makeColour(i, i, i));
    Raster raster(width, height,
                  lineArt ? PixelFormat::Bit1 : (colour ? PixelFormat::Bit24 : PixelFormat::Bit8),
                  kWhite, greys);
    const int step = p.depth == 16 ? 2 : 1; // 16-bit samples: the high byte (little-endian)
    for (int y = 0; y < height; ++y) {
        const unsigned char* line = data.data() + static_cast<std::size_t>(y) * p.bytes_per_line;
        Colour* out = raster.row(y);
        for (int x = 0; x < width; ++x) {
            if (lineArt) {
                out[x] = ((line[x >> 3] >> (7 - (x & 7))) & 1) ? kBlack : kWhite; // 1 is black
            } else if (colour) {
                const unsigned char* s = line + 3 * step * x + (step - 1);
                out[x] = makeColour(s[0], s[step], s[2 * step]);
            } else {
                const int v = line[step * x + (step - 1)];
                out[x] = greys[static_cast<std::size_t>(v)];
            }
        }
    }
    return raster;
}

} // namespace quorvex
