#include "image/png_chunks.h"

#include "image/image_error.h"

#include <cstring>

namespace quorvex {

void checkPngChunks(const std::uint8_t* data, std::size_t size) {
    std::size_t at = 8; // the signature
    while (at + 8 <= size) {
        const std::uint32_t length = (std::uint32_t(data[at]) << 24) | (data[at + 1] << 16) |
                                     (data[at + 2] << 8) | data[at + 3];
        const std::uint8_t* type = data + at + 4;
        const std::size_t left = size - at - 8;
        if (std::uint64_t(length) + 4 > left) {
            if (std::memcmp(type, "IDAT", 4) == 0) return;
            throwTruncated();
        }
        if (std::memcmp(type, "IEND", 4) == 0) return;
        at += 12 + std::size_t(length);
    }
}

} // namespace quorvex
