#include "image/pixel_format.h"

#include <algorithm>
#include <array>
#include <vector>

namespace quorvex {

Raster convertPixelFormat(const Raster& raster, PixelFormat target) {
    if (raster.format() == target) return raster;
    Raster result(raster.width(), raster.height(), target, kWhite);
    if (isIndexed(target)) {
        PaletteMatcher matcher(result.palette());
        const auto& palette = result.palette();
        for (int y = 0; y < raster.height(); ++y) {
            const Colour* in = raster.row(y);
            Colour* out = result.row(y);
            for (int x = 0; x < raster.width(); ++x)
                out[x] = palette[matcher.indexOf(in[x])];
        }
    } else if (target == PixelFormat::Bit15 || target == PixelFormat::Bit16) {
        for (int y = 0; y < raster.height(); ++y) {
            const Colour* in = raster.row(y);
            Colour* out = result.row(y);
            for (int x = 0; x < raster.width(); ++x)
                out[x] = target == PixelFormat::Bit15 ? unpack555(pack555(in[x]))
                                                      : unpack565(pack565(in[x]));
        }
    } else {
        for (int y = 0; y < raster.height(); ++y)
            std::copy(raster.row(y), raster.row(y) + raster.width(), result.row(y));
    }
    return result;
}

bool GrayscaleRaster(Raster& raster) {
    if (raster.isEmpty() || raster.format() == PixelFormat::Bit8) return false;
    std::vector<Colour> greys(256);
    for (int i = 0; i < 256; ++i)
        greys[i] = makeColour(i, i, i);
    Raster result(raster.width(), raster.height(), PixelFormat::Bit8, kBlack, greys);
    for (int y = 0; y < raster.height(); ++y) {
        const Colour* in = raster.row(y);
        Colour* out = result.row(y);
        for (int x = 0; x < raster.width(); ++x) {
            const int grey = (77 * redOf(in[x]) + 150 * greenOf(in[x]) + 29 * blueOf(in[x])) / 256;
            out[x] = greys[grey];
        }
    }
    raster = std::move(result);
    return true;
}

QString pixelFormatName(PixelFormat format) {
    switch (format) {
    case PixelFormat::Bit1:
        return QStringLiteral("1 bit");
    case PixelFormat::Bit4:
        return QStringLiteral("4 bit");
    case PixelFormat::Bit8:
        return QStringLiteral("8 bit");
    case PixelFormat::Bit15:
        return QStringLiteral("15 bit");
    case PixelFormat::Bit16:
        return QStringLiteral("16 bit");
    case PixelFormat::Bit24:
        return QStringLiteral("24 bit");
    case PixelFormat::Bit32:
        return QStringLiteral("32 bit");
    case PixelFormat::Device:
        return QStringLiteral("device");
    }
    return QString();
}

Raster indexedIfFewColours(Raster raster) {
    if (isIndexed(raster.format()) || raster.width() == 0 || raster.height() == 0) return raster;
    // A set of up to 257 colours by open addressing in 1024 slots; neighbouring pixels mostly
    // repeat, so the set is asked only when the colour changes.
    constexpr std::size_t kSlots = 1024;
    std::array<Colour, kSlots> members;
    std::array<bool, kSlots> used{};
    std::vector<Colour> palette;
    const auto remember = [&](Colour c) {
        std::size_t at = (c * 2654435761u) >> 22;
        while (used[at]) {
            if (members[at] == c) return;
            at = (at + 1) % kSlots;
        }
        used[at] = true;
        members[at] = c;
        palette.push_back(c);
    };
    Colour previous = raster.pixel(0, 0);
    remember(previous);
    for (int y = 0; y < raster.height(); ++y) {
        const Colour* row = raster.row(y);
        for (int x = 0; x < raster.width(); ++x) {
            if (row[x] == previous) continue;
            previous = row[x];
            remember(previous);
            if (palette.size() > 256) return raster;
        }
    }
    Raster indexed(raster.width(), raster.height(), PixelFormat::Bit8, palette.front(), palette);
    for (int y = 0; y < raster.height(); ++y)
        std::copy(raster.row(y), raster.row(y) + raster.width(), indexed.row(y));
    return indexed;
}

} // namespace quorvex
