#pragma once

#include "core/raster.h"

#include <QString>

namespace quorvex {

// Rebuilds the raster in another format at the same size: 1, 4 and 8 bits take the nearest
// colour of their standard palette (no dithering), 15 and 16 bits keep 5-5-5 and 5-6-5 values,
// 24, 32 and device keep the colour. Changing to the raster's own format returns it unchanged.
Raster convertPixelFormat(const Raster& raster, PixelFormat target);

// Turns the raster into an 8-bit grey image: palette entry i is (i, i, i) and each pixel's
// index is (77 R + 150 G + 29 B) div 256. Empty and 8-bit rasters are left as they are.
// Returns true when the raster was changed.
bool GrayscaleRaster(Raster& raster);

// A raster of at most 256 colours becomes an 8-bit raster whose palette is those colours in the
// order they first appear (row by row); any other raster comes back as it is. One pass, constant
// time per pixel: a GIF may decode to a large picture from a small file.
Raster indexedIfFewColours(Raster raster);

// The seven formats of the format menu and the paste dialog, in their order.
constexpr PixelFormat kMenuFormats[7] = {PixelFormat::Bit1,  PixelFormat::Bit4,  PixelFormat::Bit8,
                                         PixelFormat::Bit15, PixelFormat::Bit16, PixelFormat::Bit24,
                                         PixelFormat::Bit32};

// The name of a format in the format menu and dialog ("1 bit" ... "32 bit"; "device").
QString pixelFormatName(PixelFormat format);

} // namespace quorvex
