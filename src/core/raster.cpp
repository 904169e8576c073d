#include "core/raster.h"

#include <sys/mman.h>

#include <algorithm>
#include <cstdlib>
#include <new>
#include <stdexcept>

namespace quorvex {

int bitsPerPixel(PixelFormat format) {
    switch (format) {
    case PixelFormat::Bit1:
        return 1;
    case PixelFormat::Bit4:
        return 4;
    case PixelFormat::Bit8:
        return 8;
    case PixelFormat::Bit15:
    case PixelFormat::Bit16:
        return 16;
    case PixelFormat::Bit24:
        return 24;
    case PixelFormat::Bit32:
    case PixelFormat::Device:
        return 32;
    }
    return 32;
}

bool isIndexed(PixelFormat format) {
    return format == PixelFormat::Bit1 || format == PixelFormat::Bit4 ||
           format == PixelFormat::Bit8;
}

// Large pictures are laid on 2 MiB pages where the system offers them: first touching a page
// costs a fault, and a scan of 10000 x 8000 pixels otherwise spends more time in faults than
// in its own work.
void* allocatePixels(std::size_t bytes) {
    constexpr std::size_t kHugePage = std::size_t(2) << 20;
    if (bytes >= 4 * kHugePage) {
        const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
        if (void* block = std::aligned_alloc(kHugePage, rounded)) {
#ifdef MADV_HUGEPAGE
            madvise(block, rounded, MADV_HUGEPAGE);
#endif
            return block;
        }
        throw std::bad_alloc();
    }
    if (void* block = std::malloc(bytes ? bytes : 1)) return block;
    throw std::bad_alloc();
}

void releasePixels(void* block) noexcept {
    std::free(block);
}

bool rasterSizeAllowed(long long width, long long height) {
    return width >= 0 && height >= 0 && width <= kMaxRasterSide && height <= kMaxRasterSide &&
           width * height <= kMaxRasterPixels;
}

const std::vector<Colour>& twoColourPalette() {
    static const std::vector<Colour> palette{kBlack, kWhite};
    return palette;
}

const std::vector<Colour>& standard16Palette() {
    static const std::vector<Colour> palette{
        0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
        0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
    return palette;
}

const std::vector<Colour>& halftonePalette() {
    // The 20 static colours sit at both ends, as in the platform's palette: black is entry 0 and
    // white entry 255, so the raster operations on indices behave on white paper as on colour
    // values. The 6 x 6 x 6 cube leaves out its eight corners, which are static colours already,
    // and 28 greys fill the rest.
    static const std::vector<Colour> palette = [] {
        const std::vector<Colour> first{0x000000, 0x000080, 0x008000, 0x008080, 0x800000,
                                        0x800080, 0x808000, 0xC0C0C0, 0xC0DCC0, 0xF0CAA6};
        const std::vector<Colour> last{0xF0FBFF, 0xA4A0A0, 0x808080, 0x0000FF, 0x00FF00,
                                       0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF};
        std::vector<Colour> p = first;
        for (int b = 0; b < 6; ++b)
            for (int g = 0; g < 6; ++g)
                for (int r = 0; r < 6; ++r) {
                    const bool corner =
                        (r == 0 || r == 5) && (g == 0 || g == 5) && (b == 0 || b == 5);
                    if (!corner) p.push_back(makeColour(r * 51, g * 51, b * 51));
                }
        for (int i = 1; i <= 28; ++i)
            p.push_back(makeColour(9 * i + 1, 9 * i + 1, 9 * i + 1));
        p.insert(p.end(), last.begin(), last.end());
        return p;
    }();
    return palette;
}

int nearestPaletteIndex(const std::vector<Colour>& palette, Colour c) {
    // Black and white: mid-grey and darker become black, so that the grey marker colour of
    // 1-bit images draws visibly on white.
    if (palette.size() == 2 && palette[0] == kBlack && palette[1] == kWhite)
        return redOf(c) + greenOf(c) + blueOf(c) > 3 * 128 ? 1 : 0;
    int best = 0;
    long bestDistance = -1;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const long dr = redOf(c) - redOf(palette[i]);
        const long dg = greenOf(c) - greenOf(palette[i]);
        const long db = blueOf(c) - blueOf(palette[i]);
        const long d = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || d < bestDistance) {
            bestDistance = d;
            best = static_cast<int>(i);
            if (d == 0) break;
        }
    }
    return best;
}

PaletteMatcher::PaletteMatcher(const std::vector<Colour>& palette)
    : palette_(palette), cache_(4096) {}

int PaletteMatcher::indexOf(Colour c) {
    c &= 0xFFFFFF;
    const std::size_t slot = ((c * 2654435761u) >> 20) & 4095;
    if (cache_[slot].colour != c) cache_[slot] = {c, nearestPaletteIndex(palette_, c)};
    return cache_[slot].index;
}

Raster Raster::unfilled(int width, int height, PixelFormat format, std::vector<Colour> palette) {
    Raster raster(0, 0, format, kWhite, std::move(palette));
    if (!rasterSizeAllowed(width, height)) throw std::length_error("raster too large");
    raster.width_ = std::max(width, 0);
    raster.height_ = std::max(height, 0);
    raster.pixels_.resize(static_cast<std::size_t>(raster.width_) *
                          static_cast<std::size_t>(raster.height_));
    return raster;
}

Raster::Raster(int width, int height, PixelFormat format, Colour fill, std::vector<Colour> palette)
    : width_(std::max(width, 0)), height_(std::max(height, 0)), format_(format),
      palette_(std::move(palette)) {
    if (!rasterSizeAllowed(width_, height_)) throw std::length_error("raster too large");
    if (isIndexed(format_) && palette_.empty()) {
        if (format_ == PixelFormat::Bit1)
            palette_ = twoColourPalette();
        else if (format_ == PixelFormat::Bit4)
            palette_ = standard16Palette();
        else
            palette_ = halftonePalette();
    }
    if (!isIndexed(format_)) palette_.clear();
    pixels_.assign(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_),
                   representable(fill));
}

Colour Raster::representable(Colour c) const {
    c &= 0xFFFFFF;
    switch (format_) {
    case PixelFormat::Bit1:
    case PixelFormat::Bit4:
    case PixelFormat::Bit8:
        return palette_.empty() ? c : palette_[paletteIndex(c)];
    case PixelFormat::Bit15:
        return unpack555(pack555(c));
    case PixelFormat::Bit16:
        return unpack565(pack565(c));
    default:
        return c;
    }
}

bool Raster::operator==(const Raster& other) const {
    return width_ == other.width_ && height_ == other.height_ && format_ == other.format_ &&
           palette_ == other.palette_ && pixels_ == other.pixels_;
}

QImage toQImage(const Raster& raster) {
    QImage image(raster.width(), raster.height(), QImage::Format_RGB32);
    if (image.isNull()) return image;
    for (int y = 0; y < raster.height(); ++y) {
        const Colour* source = raster.row(y);
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < raster.width(); ++x)
            line[x] = toQRgb(source[x]);
    }
    return image;
}

QImage wrapRaster(const Raster& raster) {
    if (raster.isEmpty()) return QImage();
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
    static_assert(sizeof(Colour) == 4, "a pixel is four bytes R, G, B, unused");
    return QImage(reinterpret_cast<const uchar*>(raster.row(0)), raster.width(), raster.height(),
                  qsizetype(raster.width()) * 4, QImage::Format_RGBX8888);
#else
    return toQImage(raster);
#endif
}

namespace {
// Transparent parts show white, as on a new white bitmap.
QRgb overWhite(QRgb c) {
    const int a = qAlpha(c);
    auto mix = [a](int v) { return (v * a + 255 * (255 - a) + 127) / 255; };
    return qRgb(mix(qRed(c)), mix(qGreen(c)), mix(qBlue(c)));
}
} // namespace

Raster fromQImage(const QImage& image) {
    if (image.isNull()) return Raster();
    const bool indexed = image.format() == QImage::Format_Mono ||
                         image.format() == QImage::Format_MonoLSB ||
                         image.format() == QImage::Format_Indexed8;
    if (indexed && image.colorCount() > 0) {
        std::vector<Colour> palette;
        for (QRgb entry : image.colorTable())
            palette.push_back(fromQRgb(overWhite(entry)));
        const bool mono = image.depth() == 1;
        while (mono && palette.size() < 2)
            palette.push_back(kWhite);
        Raster raster(image.width(), image.height(), mono ? PixelFormat::Bit1 : PixelFormat::Bit8,
                      kWhite, palette);
        const int entries = static_cast<int>(palette.size());
        const bool lsbFirst = image.format() == QImage::Format_MonoLSB;
        for (int y = 0; y < image.height(); ++y) {
            const uchar* in = image.constScanLine(y);
            Colour* out = raster.row(y);
            for (int x = 0; x < image.width(); ++x) {
                const int index = !mono      ? in[x]
                                  : lsbFirst ? (in[x >> 3] >> (x & 7)) & 1
                                             : (in[x >> 3] >> (7 - (x & 7))) & 1;
                out[x] = index < entries ? palette[index] : kBlack;
            }
        }
        return raster;
    }
    // 32-bit pictures are read as they are (a copy of a large picture costs as much as the
    // conversion); an opaque one needs no blending over white.
    const bool direct =
        image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32;
    const QImage source = direct ? image : image.convertToFormat(QImage::Format_ARGB32);
    const bool opaque = source.format() == QImage::Format_RGB32;
    Raster raster(source.width(), source.height(), PixelFormat::Bit24);
    for (int y = 0; y < source.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        Colour* out = raster.row(y);
        if (opaque)
            for (int x = 0; x < source.width(); ++x)
                out[x] = fromQRgb(in[x]);
        else
            for (int x = 0; x < source.width(); ++x)
                out[x] = fromQRgb(overWhite(in[x]));
    }
    return raster;
}

} // namespace quorvex
