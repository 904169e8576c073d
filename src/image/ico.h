#pragma once

#include "core/raster.h"

#include <cstddef>
#include <cstdint>

namespace quorvex {

// Decodes the first image of an icon file and draws it onto a new white 24-bit raster of the
// icon's size. Throws ImageError when the file is not an icon or its first image is unreadable.
Raster decodeIcon(const std::uint8_t* data, std::size_t size);

} // namespace quorvex
