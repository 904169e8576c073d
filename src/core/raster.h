#pragma once

#include "core/colour.h"

#include <QImage>
#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace quorvex {

// The pixel formats a raster can have. Device stands for the screen-compatible format; its
// pixels hold full 24-bit colour.
enum class PixelFormat { Device, Bit1, Bit4, Bit8, Bit15, Bit16, Bit24, Bit32 };

int bitsPerPixel(PixelFormat format); // Device counts as 32
bool isIndexed(PixelFormat format);   // 1, 4 and 8 bits

// The largest raster the program builds: readers refuse anything larger before allocating.
constexpr long long kMaxRasterPixels = 1LL << 28; // 16384 x 16384, 1 GiB of pixels
constexpr int kMaxRasterSide = 1 << 18;
bool rasterSizeAllowed(long long width, long long height);

// The palettes the format changes use: black and white; the standard 16 colours; the
// 256-colour halftone palette (the 20 static system colours, a 6 x 6 x 6 colour cube and 20
// greys between the cube's steps).
const std::vector<Colour>& twoColourPalette();
const std::vector<Colour>& standard16Palette();
const std::vector<Colour>& halftonePalette();

// Index of the palette entry nearest to a colour (squared RGB distance, first on a tie).
int nearestPaletteIndex(const std::vector<Colour>& palette, Colour c);

// Finds palette indices quickly for many pixels: exact entries through a table, the rest
// through a small cache in front of the nearest-colour search.
class PaletteMatcher {
public:
    explicit PaletteMatcher(const std::vector<Colour>& palette);
    int indexOf(Colour c);

private:
    const std::vector<Colour>& palette_;
    struct Slot {
        Colour colour = 0xFFFFFFFFu;
        int index = 0;
    };
    std::vector<Slot> cache_;
};

// The allocator of raster pixels: resize() leaves new pixels uninitialised, so that a reader
// that writes every pixel does not pay for filling the memory first.
void* allocatePixels(std::size_t bytes);
void releasePixels(void* block) noexcept;

template <typename T> struct PixelAllocator {
    using value_type = T;
    PixelAllocator() = default;
    template <typename U> PixelAllocator(const PixelAllocator<U>&) {}
    T* allocate(std::size_t n) { return static_cast<T*>(allocatePixels(n * sizeof(T))); }
    void deallocate(T* p, std::size_t) noexcept { releasePixels(p); }
    template <typename U> void construct(U* p) { ::new (static_cast<void*>(p)) U; }
    template <typename U, typename... Args> void construct(U* p, Args&&... args) {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
    template <typename U> bool operator==(const PixelAllocator<U>&) const { return true; }
    template <typename U> bool operator!=(const PixelAllocator<U>&) const { return false; }
};
using PixelVector = std::vector<Colour, PixelAllocator<Colour>>;

// A bitmap: width x height pixels stored row by row from the top, each pixel a colour
// 0x00BBGGRR that the pixel format can represent exactly (an entry of the palette for the
// indexed formats, 5-5-5 or 5-6-5 values for 15 and 16 bits). Scanning code reads rows
// through row(); the format only matters when pixels are written or the raster is saved.
class Raster {
public:
    Raster() = default;
    // A raster filled with a colour (made representable). Indexed formats without a palette
    // get the format's standard palette. Throws std::length_error above kMaxRasterPixels.
    Raster(int width, int height, PixelFormat format, Colour fill = kWhite,
           std::vector<Colour> palette = {});
    // A raster whose pixels the caller writes before reading any (readers, conversions).
    static Raster unfilled(int width, int height, PixelFormat format,
                           std::vector<Colour> palette = {});

    int width() const { return width_; }
    int height() const { return height_; }
    bool isEmpty() const { return width_ <= 0 || height_ <= 0; }
    PixelFormat format() const { return format_; }
    const std::vector<Colour>& palette() const { return palette_; }

    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    Colour pixel(int x, int y) const { return pixels_[index(x, y)]; }
    // Writes the colour the format represents nearest to c.
    void setPixel(int x, int y, Colour c) { pixels_[index(x, y)] = representable(c); }
    // Writes a value that is already representable (readers and conversions).
    void setPixelRaw(int x, int y, Colour c) { pixels_[index(x, y)] = c; }

    const Colour* row(int y) const { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
    Colour* row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
    const PixelVector& pixels() const { return pixels_; }

    // The colour this raster's format stores for c.
    Colour representable(Colour c) const;
    // The palette index of a pixel value of an indexed raster.
    int paletteIndex(Colour c) const { return nearestPaletteIndex(palette_, c); }

    bool operator==(const Raster& other) const;
    bool operator!=(const Raster& other) const { return !(*this == other); }

private:
    std::size_t index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
               static_cast<std::size_t>(x);
    }

    int width_ = 0;
    int height_ = 0;
    PixelFormat format_ = PixelFormat::Bit24;
    std::vector<Colour> palette_;
    PixelVector pixels_;
};

// Colour value helpers for the 16-bit formats.
constexpr std::uint16_t pack555(Colour c) {
    return static_cast<std::uint16_t>(((redOf(c) >> 3) << 10) | ((greenOf(c) >> 3) << 5) |
                                      (blueOf(c) >> 3));
}
constexpr std::uint16_t pack565(Colour c) {
    return static_cast<std::uint16_t>(((redOf(c) >> 3) << 11) | ((greenOf(c) >> 2) << 5) |
                                      (blueOf(c) >> 3));
}
// Expanding 5 or 6 bits to 8 repeats the high bits, so full intensity stays 255.
constexpr int expand5(int v) {
    return (v << 3) | (v >> 2);
}
constexpr int expand6(int v) {
    return (v << 2) | (v >> 4);
}
constexpr Colour unpack555(std::uint16_t v) {
    return makeColour(expand5((v >> 10) & 31), expand5((v >> 5) & 31), expand5(v & 31));
}
constexpr Colour unpack565(std::uint16_t v) {
    return makeColour(expand5((v >> 11) & 31), expand6((v >> 5) & 63), expand5(v & 31));
}

// Display conversions: a raster as a 32-bit QImage (the whole raster or one rectangle of it),
// and a QImage as a raster whose format follows the image's (mono -> 1 bit, indexed -> 8 bit
// with its colour table, everything else -> 24 bit).
QImage toQImage(const Raster& raster);
// The raster's own pixels as a picture Qt can paint, without a copy: a pixel 0x00BBGGRR is, in
// memory on a little-endian machine, the bytes R, G, B, 0 of QImage::Format_RGBX8888 (Qt reads
// the fourth byte as opaque). Valid while the raster keeps its buffer; read-only (painting on it
// would make Qt copy it). On a big-endian machine it is a copy (toQImage).
QImage wrapRaster(const Raster& raster);
void copyToQImage(const Raster& raster, QImage& target, int left, int top, int width, int height);
Raster fromQImage(const QImage& image);

} // namespace quorvex
