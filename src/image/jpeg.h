#pragma once

#include "core/raster.h"

#include <cstddef>
#include <cstdint>

namespace quorvex {

// Decodes a JPEG image with libjpeg into a 24-bit raster (grey and CMYK images are converted
// to colour). Throws ImageError for damaged, truncated or oversized images.
Raster decodeJpeg(const std::uint8_t* data, std::size_t size);

} // namespace quorvex
