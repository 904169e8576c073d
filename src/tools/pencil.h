#pragma once

#include "core/raster.h"

#include <QRect>

namespace quorvex {

// The largest pencil radius, in image pixels.
constexpr int kMaxPencilSize = 50;

// Paints a filled disc of the colour into the raster: the ellipse whose bounding box runs from
// (cx - r, cy - r) to (cx + r, cy + r), right and bottom edges excluded, so a radius of 10 gives
// a disc 20 pixels across. Parts outside the raster are left out. Returns the pixels touched
// (within the raster; empty when none).
QRect paintPencilDisc(Raster& raster, int cx, int cy, int radius, Colour colour);

} // namespace quorvex
