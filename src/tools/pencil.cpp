#include "tools/pencil.h"

#include "core/canvas.h"

namespace quorvex {

QRect paintPencilDisc(Raster& raster, int cx, int cy, int radius, Colour colour) {
    Canvas canvas(raster);
    canvas.pen = Pen{colour, 1, PenStyle::Solid, RasterOp::CopyPen};
    canvas.brush = Brush{colour, true};
    canvas.ellipse(cx - radius, cy - radius, cx + radius, cy + radius);
    return QRect(QPoint(cx - radius, cy - radius), QPoint(cx + radius - 1, cy + radius - 1)) &
           QRect(0, 0, raster.width(), raster.height());
}

} // namespace quorvex
