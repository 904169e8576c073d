#pragma once

#include "core/raster.h"

#include <QPoint>

namespace quorvex {

// The angle in degrees that turns a line drawn on the image from `start` to `end` (view or
// image points, y downwards) into a horizontal one: arctan(dy / dx) times 57.32484076433121 (the
// factor the program has always used, 180 / 3.14). A line drawn downwards to the right gives a
// positive angle. The line must not be vertical (end.x != start.x).
double rotationLineAngle(QPoint start, QPoint end);

// The raster turned by `degrees` as rotationLineAngle gives them (positive turns the picture
// counter-clockwise on the screen). The result is the bounding box of the turned picture, so
// nothing is cut off; the uncovered parts take `background` as the format stores it. Each pixel
// takes the source pixel under its centre (nearest neighbour), so the result holds only the
// source's colours and the background, in the same pixel format and palette. Multiples of 90
// degrees turn exactly (0 copies). Throws ImageError when the turned raster would exceed the
// largest raster the program builds.
Raster rotateRaster(const Raster& source, double degrees, Colour background);

} // namespace quorvex
