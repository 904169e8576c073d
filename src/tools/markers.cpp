#include "tools/markers.h"

#include "core/canvas.h"
#include "image/pixel_format.h"

namespace quorvex {

void drawMarker(Raster& raster, int x, int y, int size, Colour colour, MarkLayer* marks) {
    Canvas canvas(raster, marks);
    canvas.pen = Pen{colour, 1, PenStyle::Solid, RasterOp::NotXorPen};
    canvas.brush = Brush{colour, true};
    canvas.setPixel(x, y, colour);
    if (size > 1) canvas.ellipse(x - size, y - size, x + size, y + size);
}

void drawSelectionRectangle(Raster& raster, const SelectionBox& box, Colour colour,
                            MarkLayer* marks) {
    Canvas canvas(raster, marks);
    canvas.pen = Pen{colour, 1, PenStyle::Dot, RasterOp::NotXorPen};
    canvas.brush.solid = false;
    canvas.rectangle(box.left, box.top, box.right, box.bottom);
}

void undoDigitizationMarkers(Raster& raster, const MarkerList& markers, const UndoRecord& record,
                             MarkLayer* marks) {
    Canvas canvas(raster, marks);
    canvas.pen = Pen{record.markerColour, 1, PenStyle::Solid, RasterOp::NotXorPen};
    canvas.brush = Brush{record.markerColour, true};
    for (int i = std::min(record.markerCount, markers.count()) - 1; i >= 0; --i) {
        const QPoint p = markers.at(i);
        if (record.markerSize > 1)
            canvas.ellipse(p.x() - record.markerSize, p.y() - record.markerSize,
                           p.x() + record.markerSize, p.y() + record.markerSize);
        canvas.setPixel(p.x(), p.y(), record.markerColour);
    }
}

namespace {
Raster withoutRed(const Raster& raster) {
    Raster result = convertPixelFormat(raster, PixelFormat::Bit24);
    const Colour almostWhite = makeColour(254, 254, 254);
    for (int y = 0; y < result.height(); ++y) {
        Colour* row = result.row(y);
        for (int x = 0; x < result.width(); ++x)
            if (row[x] == kRed) row[x] = almostWhite;
    }
    return result;
}
} // namespace

void removeRedMarkers(Raster& raster, MarkLayer* marks) {
    Raster result = withoutRed(raster);
    if (marks) marks->followConversion(raster, result, withoutRed);
    raster = std::move(result);
}

} // namespace quorvex
