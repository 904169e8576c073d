#include "image/bmp.h"

#include "core/atomic_file.h"
#include "core/messages.h"
#include "image/image_error.h"

#include <QByteArray>
#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvex {

namespace {

std::uint16_t u16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
std::uint32_t u32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::int32_t s32(const std::uint8_t* p) {
    return static_cast<std::int32_t>(u32(p));
}

constexpr std::uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6;

// One colour channel described by a bit mask, scaled to 0..255.
struct Channel {
    int shift = 0;
    int bits = 0;
    explicit Channel(std::uint32_t mask = 0) {
        if (!mask) return;
        while (!(mask & 1)) {
            mask >>= 1;
            ++shift;
        }
        while (mask & 1) {
            mask >>= 1;
            ++bits;
        }
    }
    int value(std::uint32_t pixel) const {
        if (bits == 0) return 0;
        const std::uint32_t v = (pixel >> shift) & ((1u << std::min(bits, 31)) - 1);
        if (bits >= 8) return static_cast<int>(v >> (bits - 8));
        int out = 0; // repeat the bits downwards so the top value maps to 255
        for (int filled = 0; filled < 8; filled += bits)
            out = (out << bits) | static_cast<int>(v);
        return out >> (((8 + bits - 1) / bits) * bits - 8);
    }
};

struct DibInfo {
    long long width = 0;
    long long height = 0; // positive; topDown tells the row order
    bool topDown = false;
    int bpp = 0;
    std::uint32_t compression = kRgb;
    std::uint32_t masks[3] = {0, 0, 0};
    std::vector<Colour> palette;
    std::size_t headerEnd = 0; // offset after header, masks and palette
};

// Reads the DIB header, masks and palette at data[0..size).
DibInfo readDibHeader(const std::uint8_t* data, std::size_t size) {
    if (size < 12) throwTruncated();
    DibInfo info;
    const std::uint32_t headerSize = u32(data);
    std::size_t paletteEntrySize = 4;
    std::uint32_t colorsUsed = 0;
    if (headerSize == 12) {
        info.width = u16(data + 4);
        info.height = static_cast<std::int16_t>(u16(data + 6));
        info.bpp = u16(data + 10);
        paletteEntrySize = 3;
    } else if (headerSize >= 40 && headerSize <= 124) {
        if (size < headerSize) throwTruncated();
        info.width = s32(data + 4);
        info.height = s32(data + 8);
        info.bpp = u16(data + 14);
        info.compression = u32(data + 16);
        colorsUsed = u32(data + 32);
        if (headerSize >= 52) {
            info.masks[0] = u32(data + 40);
            info.masks[1] = u32(data + 44);
            info.masks[2] = u32(data + 48);
        }
    } else {
        throwCorrupt("unknown bitmap header");
    }
    if (info.height < 0) {
        info.topDown = true;
        info.height = -info.height;
    }
    if (info.width < 0) throwCorrupt("negative width");
    std::size_t offset = headerSize;
    if (info.compression == kBitFields || info.compression == kAlphaBitFields) {
        if (info.bpp != 16 && info.bpp != 32) throwCorrupt("bit fields need 16 or 32 bits");
        if (headerSize == 40) {
            const std::size_t maskBytes = info.compression == kAlphaBitFields ? 16 : 12;
            if (size < offset + maskBytes) throwTruncated();
            for (int i = 0; i < 3; ++i)
                info.masks[i] = u32(data + offset + 4 * i);
            offset += maskBytes;
        }
    } else if (info.compression == kRle8) {
        if (info.bpp != 8) throwCorrupt("RLE8 needs 8 bits");
    } else if (info.compression == kRle4) {
        if (info.bpp != 4) throwCorrupt("RLE4 needs 4 bits");
    } else if (info.compression != kRgb) {
        throwCorrupt("unsupported compression");
    }
    if ((info.compression == kRle4 || info.compression == kRle8) && info.topDown)
        throwCorrupt("compressed bitmap stored top-down");
    switch (info.bpp) {
    case 1:
    case 4:
    case 8: {
        const std::uint32_t maxColours = 1u << info.bpp;
        const std::uint32_t count = colorsUsed == 0 ? maxColours : std::min(colorsUsed, maxColours);
        if (size < offset + count * paletteEntrySize) throwTruncated();
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::uint8_t* e = data + offset + i * paletteEntrySize;
            info.palette.push_back(makeColour(e[2], e[1], e[0]));
        }
        offset += count * paletteEntrySize;
        break;
    }
    case 16:
    case 24:
    case 32:
        if (colorsUsed > 0 && colorsUsed <= 256 && info.compression == kRgb)
            offset += colorsUsed * paletteEntrySize; // an optional palette that nothing uses
        break;
    default:
        throwCorrupt("unsupported bits per pixel");
    }
    checkRasterSize(info.width, info.height);
    info.headerEnd = offset;
    return info;
}

// The channel masks of a 16- or 32-bit bitmap: those of the file with bit fields, else the
// defaults of the bit count.
void setChannels(const DibInfo& info, std::uint32_t r, std::uint32_t g, std::uint32_t b,
                 Channel (&channels)[3]) {
    const bool own = info.compression != kRgb;
    channels[0] = Channel(own ? info.masks[0] : r);
    channels[1] = Channel(own ? info.masks[1] : g);
    channels[2] = Channel(own ? info.masks[2] : b);
}

PixelFormat formatOf(const DibInfo& info, Channel (&channels)[3]) {
    switch (info.bpp) {
    case 1:
        return PixelFormat::Bit1;
    case 4:
        return PixelFormat::Bit4;
    case 8:
        return PixelFormat::Bit8;
    case 16: {
        setChannels(info, 0x7C00, 0x03E0, 0x001F, channels);
        const auto is = [&channels](int rs, int rb, int gs, int gb) {
            return channels[0].shift == rs && channels[0].bits == rb && channels[1].shift == gs &&
                   channels[1].bits == gb && channels[2].shift == 0 && channels[2].bits == 5;
        };
        if (is(10, 5, 5, 5)) return PixelFormat::Bit15;
        if (is(11, 5, 5, 6)) return PixelFormat::Bit16;
        return PixelFormat::Bit24;
    }
    case 24:
        return PixelFormat::Bit24;
    default:
        setChannels(info, 0xFF0000, 0xFF00, 0xFF, channels);
        return PixelFormat::Bit32;
    }
}

std::size_t strideOf(long long width, int bpp) {
    return static_cast<std::size_t>((width * bpp + 31) / 32) * 4;
}

// Decodes `rowCount` stored rows, the first being stored row `firstRow` (stored rows run from
// the bottom of the picture unless the bitmap is top-down).
void decodeUncompressed(const DibInfo& info, const std::uint8_t* bits, int firstRow, int rowCount,
                        Raster& raster, Channel (&channels)[3]) {
    const int width = raster.width();
    const std::size_t stride = strideOf(info.width, info.bpp);
    const auto& palette = raster.palette();
    const auto paletteColour = [&palette](unsigned index) {
        return index < palette.size() ? palette[index] : palette.front();
    };
    const bool standard32 = info.bpp == 32 && channels[0].shift == 16 && channels[0].bits == 8 &&
                            channels[1].shift == 8 && channels[1].bits == 8 &&
                            channels[2].shift == 0 && channels[2].bits == 8;
    for (int i = 0; i < rowCount; ++i) {
        const std::uint8_t* src = bits + stride * static_cast<std::size_t>(i);
        const int storedRow = firstRow + i;
        Colour* out = raster.row(info.topDown ? storedRow : raster.height() - 1 - storedRow);
        switch (info.bpp) {
        case 1:
            for (int x = 0; x < width; ++x)
                out[x] = paletteColour((src[x >> 3] >> (7 - (x & 7))) & 1);
            break;
        case 4:
            for (int x = 0; x < width; ++x)
                out[x] = paletteColour((x & 1) ? (src[x >> 1] & 15) : (src[x >> 1] >> 4));
            break;
        case 8:
            for (int x = 0; x < width; ++x)
                out[x] = paletteColour(src[x]);
            break;
        case 16:
            for (int x = 0; x < width; ++x) {
                const std::uint32_t v = u16(src + 2 * x);
                out[x] =
                    makeColour(channels[0].value(v), channels[1].value(v), channels[2].value(v));
            }
            break;
        case 24: {
            // Four-byte loads of B, G, R and the next byte; the last pixel of a row reads its
            // three bytes alone, since the fourth may lie past the end of the file.
            const int fast = width - 1;
            for (int x = 0; x < fast; ++x) {
                std::uint32_t v;
                std::memcpy(&v, src + 3 * static_cast<std::size_t>(x), 4);
                out[x] = __builtin_bswap32(v << 8);
            }
            if (width > 0) {
                const std::uint8_t* last = src + 3 * static_cast<std::size_t>(fast);
                out[fast] = makeColour(last[2], last[1], last[0]);
            }
            break;
        }
        default:
            if (standard32) {
                for (int x = 0; x < width; ++x) {
                    std::uint32_t v;
                    std::memcpy(&v, src + 4 * static_cast<std::size_t>(x), 4);
                    out[x] = __builtin_bswap32(v << 8);
                }
            } else {
                for (int x = 0; x < width; ++x) {
                    const std::uint32_t v = u32(src + 4 * x);
                    out[x] = makeColour(channels[0].value(v), channels[1].value(v),
                                        channels[2].value(v));
                }
            }
            break;
        }
    }
}

// Run-length encoded 4- and 8-bit bitmaps; pixels the stream leaves out keep palette entry 0.
void decodeRle(const DibInfo& info, const std::uint8_t* p, const std::uint8_t* end,
               Raster& raster) {
    const auto& palette = raster.palette();
    const auto paletteColour = [&palette](unsigned index) {
        return index < palette.size() ? palette[index] : palette.front();
    };
    const bool four = info.bpp == 4;
    long long x = 0, row = 0; // row counts from the bottom
    auto put = [&](unsigned index) {
        if (x < raster.width() && row < raster.height())
            raster.setPixelRaw(static_cast<int>(x), static_cast<int>(raster.height() - 1 - row),
                               paletteColour(index));
        ++x;
    };
    while (p + 1 < end) {
        const unsigned count = p[0], value = p[1];
        p += 2;
        if (count > 0) {
            for (unsigned i = 0; i < count; ++i)
                put(four ? ((i & 1) ? (value & 15) : (value >> 4)) : value);
            continue;
        }
        if (value == 0) { // end of line
            x = 0;
            ++row;
        } else if (value == 1) { // end of bitmap
            return;
        } else if (value == 2) { // delta
            if (p + 1 >= end) throwTruncated();
            x += p[0];
            row += p[1];
            p += 2;
        } else { // absolute run of `value` pixels, padded to a 16-bit boundary
            const std::size_t bytes = four ? (value + 1) / 2 : value;
            if (static_cast<std::size_t>(end - p) < bytes) throwTruncated();
            for (unsigned i = 0; i < value; ++i)
                put(four ? ((i & 1) ? (p[i / 2] & 15) : (p[i / 2] >> 4)) : p[i]);
            p += (bytes + 1) & ~static_cast<std::size_t>(1);
        }
        if (row >= raster.height()) return;
    }
}

// An icon drawn onto a new white 24-bit bitmap: a 32-bit icon with alpha blends over white;
// otherwise pixels whose AND-mask bit is set (transparent) stay white.
Raster drawIconOnWhite(const DibInfo& info, const std::uint8_t* bits, std::size_t available,
                       const Raster& colours) {
    Raster result(colours.width(), colours.height(), PixelFormat::Bit24);
    for (int y = 0; y < colours.height(); ++y)
        std::copy(colours.row(y), colours.row(y) + colours.width(), result.row(y));
    const std::size_t stride = strideOf(info.width, info.bpp);
    const std::size_t colourBytes = stride * static_cast<std::size_t>(info.height);
    const auto sourceRow = [&](int y) {
        return static_cast<std::size_t>(info.topDown ? y : colours.height() - 1 - y);
    };
    bool alphaUsed = false;
    if (info.bpp == 32)
        for (int y = 0; y < colours.height() && !alphaUsed; ++y)
            for (int x = 0; x < colours.width() && !alphaUsed; ++x)
                alphaUsed = bits[stride * sourceRow(y) + 4 * x + 3] != 0;
    if (alphaUsed) {
        for (int y = 0; y < colours.height(); ++y)
            for (int x = 0; x < colours.width(); ++x) {
                const int a = bits[stride * sourceRow(y) + 4 * x + 3];
                const Colour c = colours.pixel(x, y);
                auto mix = [a](int v) { return (v * a + 255 * (255 - a) + 127) / 255; };
                result.setPixelRaw(x, y,
                                   makeColour(mix(redOf(c)), mix(greenOf(c)), mix(blueOf(c))));
            }
        return result;
    }
    const std::size_t maskStride = strideOf(info.width, 1);
    if (available - colourBytes < maskStride * static_cast<std::size_t>(info.height)) return result;
    const std::uint8_t* mask = bits + colourBytes;
    for (int y = 0; y < colours.height(); ++y) {
        const std::uint8_t* m = mask + maskStride * sourceRow(y);
        for (int x = 0; x < colours.width(); ++x)
            if ((m[x >> 3] >> (7 - (x & 7))) & 1) result.setPixelRaw(x, y, kWhite);
    }
    return result;
}

Raster decodeDib(const std::uint8_t* data, std::size_t size, std::size_t bitsOffset,
                 bool fileHeader, bool iconMask) {
    DibInfo info = readDibHeader(data, size);
    if (iconMask) {
        if (info.height % 2) throwCorrupt("icon height");
        info.height /= 2;
        if (info.compression != kRgb && info.compression != kBitFields)
            throwCorrupt("icon compression");
    }
    if (!fileHeader || bitsOffset < info.headerEnd || bitsOffset >= size)
        bitsOffset = info.headerEnd;
    Channel channels[3];
    const PixelFormat format = formatOf(info, channels);
    if (isIndexed(format) && info.palette.empty()) throwCorrupt("indexed bitmap without palette");
    const int width = static_cast<int>(info.width), height = static_cast<int>(info.height);
    if (info.compression == kRle4 || info.compression == kRle8) {
        // Pixels the runs leave out keep palette entry 0.
        Raster raster(width, height, format, info.palette.front(), info.palette);
        decodeRle(info, data + bitsOffset, data + size, raster);
        return raster;
    }
    const std::size_t stride = strideOf(info.width, info.bpp);
    const std::size_t needed = stride * static_cast<std::size_t>(info.height);
    if (bitsOffset > size || size - bitsOffset < needed) throwTruncated();
    Raster raster = Raster::unfilled(width, height, format, info.palette);
    decodeUncompressed(info, data + bitsOffset, 0, height, raster, channels);
    if (iconMask) return drawIconOnWhite(info, data + bitsOffset, size - bitsOffset, raster);
    return raster;
}

} // namespace

Raster decodeBmp(const std::uint8_t* data, std::size_t size) {
    if (size < 14 + 12) throwTruncated();
    if (data[0] != 'B' || data[1] != 'M') throwCorrupt("not a bitmap");
    return decodeDib(data + 14, size - 14, u32(data + 10) >= 14 ? u32(data + 10) - 14 : 0, true,
                     false);
}

namespace {

// Reads exactly `size` bytes; false at the end of the file or on an error.
bool readFully(int fd, std::uint8_t* into, std::size_t size) {
    while (size > 0) {
        const ssize_t got = ::read(fd, into, size);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return false;
        into += got;
        size -= static_cast<std::size_t>(got);
    }
    return true;
}

struct FileDescriptor {
    int fd;
    ~FileDescriptor() {
        if (fd >= 0) ::close(fd);
    }
};

} // namespace

Raster readBmpFile(const QString& path) {
    FileDescriptor file{::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC)};
    struct stat status;
    if (file.fd < 0 || ::fstat(file.fd, &status) != 0)
        throw ImageError(QString::fromLocal8Bit(std::strerror(errno)));
    const std::size_t size = static_cast<std::size_t>(status.st_size);
    std::vector<std::uint8_t> head(std::min<std::size_t>(size, 64 * 1024));
    if (!readFully(file.fd, head.data(), head.size())) throwTruncated();
    if (head.size() < 14 + 12) throwTruncated();
    if (head[0] != 'B' || head[1] != 'M') throwCorrupt("not a bitmap");
    const DibInfo info = readDibHeader(head.data() + 14, head.size() - 14);
    std::size_t bitsOffset = u32(head.data() + 10);
    if (bitsOffset < 14 + info.headerEnd || bitsOffset >= size) bitsOffset = 14 + info.headerEnd;
    if (info.compression == kRle4 || info.compression == kRle8 || head.size() == size) {
        // Compressed or small: decode the whole file from memory.
        std::vector<std::uint8_t> all(size);
        if (::lseek(file.fd, 0, SEEK_SET) != 0 || !readFully(file.fd, all.data(), size))
            throwTruncated();
        return decodeBmp(all.data(), size);
    }
    // Large uncompressed bitmaps stream through a small buffer, row block by row block.
    Channel channels[3];
    const PixelFormat format = formatOf(info, channels);
    if (isIndexed(format) && info.palette.empty()) throwCorrupt("indexed bitmap without palette");
    const std::size_t stride = strideOf(info.width, info.bpp);
    const int height = static_cast<int>(info.height);
    if (size - bitsOffset < stride * static_cast<std::size_t>(height)) throwTruncated();
    Raster raster = Raster::unfilled(static_cast<int>(info.width), height, format, info.palette);
    if (::lseek(file.fd, static_cast<off_t>(bitsOffset), SEEK_SET) !=
        static_cast<off_t>(bitsOffset))
        throwTruncated();
    const int rowsPerBlock =
        static_cast<int>(std::max<std::size_t>(1, (1u << 20) / std::max<std::size_t>(stride, 1)));
    std::vector<std::uint8_t> block(static_cast<std::size_t>(rowsPerBlock) * stride);
    for (int row = 0; row < height; row += rowsPerBlock) {
        const int rows = std::min(rowsPerBlock, height - row);
        if (!readFully(file.fd, block.data(), stride * static_cast<std::size_t>(rows)))
            throwTruncated();
        decodeUncompressed(info, block.data(), row, rows, raster, channels);
    }
    return raster;
}

Raster decodePackedDib(const std::uint8_t* data, std::size_t size, std::size_t bitsOffset) {
    return decodeDib(data, size, bitsOffset, bitsOffset != 0, false);
}

Raster decodeIconDib(const std::uint8_t* data, std::size_t size) {
    return decodeDib(data, size, 0, false, true);
}

namespace {

void put16(QByteArray& out, std::uint16_t v) {
    out.append(static_cast<char>(v & 0xFF));
    out.append(static_cast<char>(v >> 8));
}
void put32(QByteArray& out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        out.append(static_cast<char>((v >> (8 * i)) & 0xFF));
}

struct Layout {
    int bpp;
    std::uint32_t compression;
    std::size_t stride;
    std::size_t headerBytes; // file header + info header + masks + palette
};

Layout layoutOf(const Raster& raster) {
    Layout layout{};
    layout.bpp = raster.format() == PixelFormat::Device ? 32 : bitsPerPixel(raster.format());
    layout.compression = raster.format() == PixelFormat::Bit16 ? kBitFields : kRgb;
    layout.stride = strideOf(raster.width(), layout.bpp);
    layout.headerBytes =
        14 + 40 + (layout.compression == kBitFields ? 12 : 0) + 4 * raster.palette().size();
    return layout;
}

QByteArray headerOf(const Raster& raster, const Layout& layout) {
    QByteArray out;
    const std::size_t imageBytes = layout.stride * static_cast<std::size_t>(raster.height());
    out.append("BM");
    put32(out, static_cast<std::uint32_t>(
                   std::min<std::size_t>(layout.headerBytes + imageBytes, 0xFFFFFFFFu)));
    put32(out, 0);
    put32(out, static_cast<std::uint32_t>(layout.headerBytes));
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(raster.width()));
    put32(out, static_cast<std::uint32_t>(raster.height()));
    put16(out, 1);
    put16(out, static_cast<std::uint16_t>(layout.bpp));
    put32(out, layout.compression);
    put32(out, static_cast<std::uint32_t>(std::min<std::size_t>(imageBytes, 0xFFFFFFFFu)));
    put32(out, 3780); // 96 dots per inch
    put32(out, 3780);
    put32(out, static_cast<std::uint32_t>(raster.palette().size()));
    put32(out, 0);
    if (layout.compression == kBitFields) {
        put32(out, 0xF800);
        put32(out, 0x07E0);
        put32(out, 0x001F);
    }
    for (Colour c : raster.palette()) {
        out.append(static_cast<char>(blueOf(c)));
        out.append(static_cast<char>(greenOf(c)));
        out.append(static_cast<char>(redOf(c)));
        out.append('\0');
    }
    return out;
}

// Encodes one raster row (y from the top) into `out` (stride bytes, zero padding).
void encodeRow(const Raster& raster, int y, const Layout& layout, PaletteMatcher* matcher,
               std::uint8_t* out) {
    std::memset(out, 0, layout.stride);
    const Colour* in = raster.row(y);
    const int width = raster.width();
    switch (raster.format()) {
    case PixelFormat::Bit1:
        for (int x = 0; x < width; ++x)
            if (matcher->indexOf(in[x]) & 1)
                out[x >> 3] |= static_cast<std::uint8_t>(0x80 >> (x & 7));
        break;
    case PixelFormat::Bit4:
        for (int x = 0; x < width; ++x)
            out[x >> 1] |=
                static_cast<std::uint8_t>((matcher->indexOf(in[x]) & 15) << ((x & 1) ? 0 : 4));
        break;
    case PixelFormat::Bit8:
        for (int x = 0; x < width; ++x)
            out[x] = static_cast<std::uint8_t>(matcher->indexOf(in[x]));
        break;
    case PixelFormat::Bit15:
    case PixelFormat::Bit16:
        for (int x = 0; x < width; ++x) {
            const std::uint16_t v =
                raster.format() == PixelFormat::Bit15 ? pack555(in[x]) : pack565(in[x]);
            out[2 * x] = static_cast<std::uint8_t>(v & 0xFF);
            out[2 * x + 1] = static_cast<std::uint8_t>(v >> 8);
        }
        break;
    case PixelFormat::Bit24:
        // Four-byte stores (B, G, R, 0); each overlaps the next pixel, which overwrites it, and
        // the last one lands in the row padding or the slack after the block.
        for (int x = 0; x < width; ++x) {
            const std::uint32_t bgr0 = __builtin_bswap32(in[x]) >> 8;
            std::memcpy(out + 3 * static_cast<std::size_t>(x), &bgr0, 4);
        }
        break;
    default:
        for (int x = 0; x < width; ++x) {
            const std::uint32_t bgr0 = __builtin_bswap32(in[x]) >> 8;
            std::memcpy(out + 4 * static_cast<std::size_t>(x), &bgr0, 4);
        }
        break;
    }
}

// Writes the file through `sink` in blocks of about a megabyte.
template <typename Sink> void encodeTo(const Raster& raster, Sink&& sink) {
    const Layout layout = layoutOf(raster);
    const QByteArray header = headerOf(raster, layout);
    sink(header.constData(), static_cast<std::size_t>(header.size()));
    std::unique_ptr<PaletteMatcher> matcher;
    if (isIndexed(raster.format())) matcher = std::make_unique<PaletteMatcher>(raster.palette());
    const std::size_t rowsPerBlock =
        std::max<std::size_t>(1, (1u << 20) / std::max<std::size_t>(layout.stride, 1));
    std::vector<std::uint8_t> block(rowsPerBlock * layout.stride + 4);
    std::size_t filled = 0;
    for (int y = raster.height() - 1; y >= 0; --y) {
        encodeRow(raster, y, layout, matcher.get(), block.data() + filled * layout.stride);
        if (++filled == rowsPerBlock || y == 0) {
            sink(reinterpret_cast<const char*>(block.data()), filled * layout.stride);
            filled = 0;
        }
    }
}

} // namespace

QByteArray encodeBmp(const Raster& raster) {
    QByteArray out;
    encodeTo(raster, [&out](const char* data, std::size_t size) {
        out.append(data, static_cast<qsizetype>(size));
    });
    return out;
}

void writeBmpFile(const Raster& raster, const QString& path) {
    AtomicFile file(path);
    const auto fail = [&path, &file] {
        throw ImageError(message(Msg::ImageWriteFailed).arg(path, file.errorString()));
    };
    if (!file.open()) fail();
    bool ok = true;
    encodeTo(raster, [&file, &ok](const char* data, std::size_t size) {
        if (ok) ok = file.write(data, size);
    });
    if (!ok || !file.commit()) fail();
}

} // namespace quorvex
