#pragma once

#include "core/raster.h"
#include "image/vector_page.h"

#include <cstddef>
#include <cstdint>

namespace quorvex {

// Plays a Windows metafile (WMF, with or without the placeable header) or an enhanced metafile
// (EMF) onto a new white 24-bit raster of the picture's size at 96 dots per inch. The records
// charts use are drawn: lines, polylines, polygons, Bezier curves, rectangles, ellipses, pixels,
// text and bitmaps, with pens, brushes, fonts, the object table, saved states and the window
// and viewport mapping. Records the player does not know are passed over.
// Throws ImageError for a file that is not a metafile or is damaged.
Raster decodeWmf(const std::uint8_t* data, std::size_t size);
Raster decodeEmf(const std::uint8_t* data, std::size_t size);
// What a WMF or EMF picture draws (by its content), as paths in the pixels of its raster.
// Throws ImageError as the decoders do.
VectorLayer recordMetafile(const std::uint8_t* data, std::size_t size);
// Whether the bytes start with an enhanced metafile's header record.
bool isEnhancedMetafile(const std::uint8_t* data, std::size_t size);

} // namespace quorvex
