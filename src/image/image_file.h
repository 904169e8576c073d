#pragma once

#include "core/raster.h"

#include <QString>
#include <cstddef>
#include <cstdint>

namespace quorvex {

// Which reader opens an image file.
enum class ImageReader { BuiltIn, Gif, Tiff };

// The reader chosen by the extension alone: ".gif"/".GIF" and ".tif"/".TIF" go to the GIF and
// TIFF readers (those two spellings only), everything else to the built-in reader.
ImageReader readerForPath(const QString& path);

// The type a name gives the built-in reader: its extension in upper case ("" for none),
// "JPG" for ".jpeg" in any case.
QString builtInType(const QString& path);
// The built-in type a file's first bytes show (BMP, JPG, PNG, ICO, EMF, WMF), "" for none.
QString builtInTypeOfContent(const std::uint8_t* data, std::size_t size);
bool builtInTypeSupported(const QString& type); // BMP, EMF, ICO, JPG, WMF and PNG

// The picture of a missing file: 32 x 32, 24 bits, white with a red cross drawn with a pen 3
// pixels wide from (2, 2) to (29, 29) and from (2, 29) to (29, 2).
Raster missingFileRaster();

// The built-in reader: a missing file gives missingFileRaster(); a name whose type it does
// not take throws ImageError before the file is read; otherwise the file is read by its
// content (its extension decides only for content it does not recognise); a damaged file, a
// folder or a file of no known kind throws ImageError with the reason.
Raster readBuiltIn(const QString& path);

// The GIF and TIFF readers (standing in for the external imaging library). Throw ImageError.
Raster readGif(const QString& path);
Raster readTiff(const QString& path);

// Reads a file with the reader chosen for it.
Raster readImageFile(const QString& path, ImageReader reader);

// Writes the raster under a name: a name ending in ".png" (any case) gets a PNG file, every
// other name a bitmap file in the raster's own format. The old file is replaced only when the
// new one is complete. Throws ImageError.
void writeImageFile(const Raster& raster, const QString& path);

} // namespace quorvex
