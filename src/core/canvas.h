#pragma once

#include "core/mark_layer.h"
#include "core/raster.h"

#include <QLineF>
#include <QPoint>
#include <vector>

namespace quorvex {

// The sixteen binary raster operations between the pen (or brush) P and the pixel D. On indexed
// rasters they work on palette indices, on 15- and 16-bit rasters on the packed values, on the
// others on the 24-bit colour, as the platform's drawing does.
enum class RasterOp {
    Black,
    NotMergePen,
    MaskNotPen,
    NotCopyPen,
    MaskPenNot,
    Not,
    XorPen,
    NotMaskPen,
    MaskPen,
    NotXorPen,
    Nop,
    MergeNotPen,
    CopyPen,
    MergePenNot,
    MergePen,
    White
};

enum class PenStyle { Solid, Dot };

struct Pen {
    Colour colour = kBlack;
    int width = 1;
    PenStyle style = PenStyle::Solid;
    RasterOp mode = RasterOp::CopyPen;
};

struct Brush {
    Colour colour = kWhite;
    bool solid = true; // false: a clear brush, shapes get only their outline
};

// Drawing on a raster with the conventions of the platform the program's drawings follow:
// - rectangles and ellipses are given by a bounding box whose right and bottom edges are
//   exclusive; the outline runs on the box's outermost pixels;
// - a line of a width-1 pen leaves out its last pixel, so joined segments touch each pixel once;
//   wider pens draw round-ended strokes including both ends;
// - a dotted pen (width 1 only) draws 3 pixels and skips 3, continuing the pattern across the
//   segments of one figure; the skipped pixels are left untouched;
// - every pixel of one figure is changed once, so a figure drawn twice in NotXorPen (or XorPen)
//   mode restores what was under it;
// - setPixel ignores the raster operation.
//
// A canvas on a raster with a mark layer draws into the layer: the figure's pixels are read as
// shown (layer over raster) and written to the layer, so the raster keeps the picture.
class Canvas {
public:
    explicit Canvas(Raster& raster) : raster_(raster) {}
    Canvas(Raster& raster, MarkLayer* marks) : raster_(raster), marks_(marks) {}

    Pen pen;
    Brush brush;

    Raster& raster() { return raster_; }

    void setPixel(int x, int y, Colour c);
    void moveTo(int x, int y) { current_ = QPoint(x, y); }
    void lineTo(int x, int y);
    void line(int x0, int y0, int x1, int y1);
    void polyline(const std::vector<QPoint>& points);
    void rectangle(int left, int top, int right, int bottom);
    void ellipse(int left, int top, int right, int bottom);
    // Cubic Bezier segments through 3k + 1 points; returns false (and draws nothing) for any
    // other count.
    bool polyBezier(const std::vector<QPoint>& points);
    // Fills the box with a plain colour (copy), clipped to the raster.
    void fillRect(int left, int top, int right, int bottom, Colour c);

    // The points of the flattened Bezier curve, as polyBezier draws them.
    static std::vector<QPoint> flattenBezier(const std::vector<QPoint>& points);

private:
    void apply(int x, int y, Colour source);
    Colour read(int x, int y) const {
        return marks_ ? marks_->shownPixel(raster_, x, y) : raster_.pixel(x, y);
    }
    void write(int x, int y, Colour value) {
        if (marks_)
            marks_->setShownPixel(raster_, x, y, value);
        else
            raster_.setPixelRaw(x, y, value);
    }
    void strokePath(const std::vector<QPoint>& points, bool closed);
    void plotPenPixels(std::vector<QPoint>& pixels);

    Raster& raster_;
    MarkLayer* marks_ = nullptr;
    QPoint current_;
};

// The result of a raster operation on two values of the given bit width.
std::uint32_t applyRasterOp(RasterOp op, std::uint32_t pen, std::uint32_t destination,
                            std::uint32_t mask);

} // namespace quorvex
