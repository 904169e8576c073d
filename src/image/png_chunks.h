#pragma once

#include <cstddef>
#include <cstdint>

namespace quorvex {

// Walks the chunks of a PNG before it goes to the decoder: libpng allocates a buffer of the
// declared length for every chunk but the image data, so a damaged length field in a small file
// would ask for gigabytes. Throws the "truncated" ImageError for such a chunk; everything else
// (including image data cut short, which the decoder reports itself) is left to the decoder.
void checkPngChunks(const std::uint8_t* data, std::size_t size);

} // namespace quorvex
