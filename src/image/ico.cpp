#include "image/ico.h"

#include "image/bmp.h"
#include "image/image_error.h"
#include "image/pixel_format.h"
#include "image/png_chunks.h"

#include <QByteArray>
#include <QImage>
#include <cstring>

namespace quorvex {

Raster decodeIcon(const std::uint8_t* data, std::size_t size) {
    if (size < 6 + 16) throwTruncated();
    const int reserved = data[0] | (data[1] << 8);
    const int type = data[2] | (data[3] << 8);
    const int count = data[4] | (data[5] << 8);
    if (reserved != 0 || (type != 1 && type != 2) || count == 0) throwCorrupt("not an icon");
    const std::uint8_t* entry = data + 6;
    const std::uint32_t bytes = entry[8] | (entry[9] << 8) | (entry[10] << 16) |
                                (static_cast<std::uint32_t>(entry[11]) << 24);
    const std::uint32_t offset = entry[12] | (entry[13] << 8) | (entry[14] << 16) |
                                 (static_cast<std::uint32_t>(entry[15]) << 24);
    if (offset >= size || bytes > size - offset) throwTruncated();
    const std::uint8_t* image = data + offset;
    static const std::uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (bytes >= 8 && std::memcmp(image, kPngSignature, 8) == 0) {
        checkPngChunks(image, bytes);
        const QImage png = QImage::fromData(image, static_cast<int>(bytes), "PNG");
        if (png.isNull()) throwCorrupt("icon image");
        checkRasterSize(png.width(), png.height());
        return convertPixelFormat(fromQImage(png), PixelFormat::Bit24);
    }
    return decodeIconDib(image, bytes);
}

} // namespace quorvex
