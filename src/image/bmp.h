#pragma once

#include "core/raster.h"

#include <QString>
#include <cstddef>
#include <cstdint>

namespace quorvex {

// Decodes a Windows bitmap file (BITMAPFILEHEADER followed by a DIB) into a raster of the
// file's own format: 1, 4, 8 bits with their palette (also RLE4/RLE8), 16 bits as 15 (5-5-5)
// or 16 (5-6-5), 24 and 32 bits. Other 16-bit masks give a 24-bit raster. Throws ImageError.
Raster decodeBmp(const std::uint8_t* data, std::size_t size);

// Reads a bitmap file; large uncompressed bitmaps are decoded as they are read, through a
// small buffer. Throws ImageError with the reason.
Raster readBmpFile(const QString& path);

// Decodes a DIB without file header, as stored in icons: the height counts the colour image
// and the AND mask; pixels whose mask bit is set become white.
Raster decodeIconDib(const std::uint8_t* data, std::size_t size);

// Decodes a DIB held in one block (header, masks, palette, then pixels at bitsOffset, or right
// after the palette when bitsOffset is 0), as metafiles store them.
Raster decodePackedDib(const std::uint8_t* data, std::size_t size, std::size_t bitsOffset = 0);

// Writes the raster as a bitmap file in its own format (device as 32 bits), replacing the
// target only when the whole file is written. Throws ImageError.
void writeBmpFile(const Raster& raster, const QString& path);

// The bytes writeBmpFile writes.
QByteArray encodeBmp(const Raster& raster);

} // namespace quorvex
