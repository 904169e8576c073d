#pragma once

#include "core/mark_layer.h"
#include "core/raster.h"

#include <QPoint>
#include <QPointF>
#include <QRect>
#include <algorithm>
#include <cstdint>
#include <vector>

namespace quorvex {

// The marker of a digitized point, drawn into the raster so that drawing it again removes it:
// the pixel is set to the colour, then (for a size above 1) a filled ellipse with corners
// (x - size, y - size) and (x + size, y + size) is drawn in not-XOR mode. On white this leaves
// a disc whose centre pixel is white. With a mark layer the marker goes into the layer (as does
// every drawing below), so the raster keeps the picture.
void drawMarker(Raster& raster, int x, int y, int size, Colour colour, MarkLayer* marks = nullptr);

// The dotted rectangle of the calibration, as the box left, top, right, bottom (right and bottom
// exclusive, either order), drawn in not-XOR mode; drawing it again erases it.
struct SelectionBox {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const SelectionBox& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};
void drawSelectionRectangle(Raster& raster, const SelectionBox& box, Colour colour,
                            MarkLayer* marks = nullptr);

// The points marked during the latest digitization, at most 1000; later ones are not recorded.
class MarkerList {
public:
    static constexpr int kCapacity = 1000;
    void append(QPoint p) {
        if (count_ < kCapacity) points_[static_cast<std::size_t>(count_++)] = p;
    }
    int count() const { return count_; }
    void setCount(int count) { count_ = std::clamp(count, 0, kCapacity); }
    QPoint at(int i) const { return points_[static_cast<std::size_t>(i)]; }

private:
    std::vector<QPoint> points_ = std::vector<QPoint>(kCapacity);
    int count_ = 0;
};

// What the two undo commands need. Each undo takes back exactly what its operation wrote.
struct UndoRecord {
    // The latest manual point: its cells (column, column + 1) in row latestRow.
    bool latestPointAvailable = false;
    int latestColumn = 1;
    int latestRow = 0;
    QPointF latestPosition;
    // The latest digitization (manual input, a search stroke or an automatic run): its rows are
    // firstRow + 1 .. lastRow of xColumn and xColumn + 1, and the curve's next row was
    // restoreRow before it wrote anything.
    enum class Source { None, Manual, Search, Automatic };
    Source source = Source::None;
    bool available = false;
    int markerCount = 0;
    int markerSize = 0;
    Colour markerColour = kRed;
    int xColumn = 1;
    int firstRow = 0;
    int lastRow = 0;
    int restoreRow = 1;
    // The commands of the Table's history that hold them: the latest point's command, and the
    // group of the digitization's commands. The history tells whether they can still be taken
    // back (nothing changed other rows since).
    std::uint64_t latestPointChange = 0;
    std::uint64_t digitizationGroup = 0;

    // Starts the record of a digitization that writes rows after firstRow of the pair at
    // xColumn; the curve's next row was restoreRow before it. The latest point is no longer
    // undoable: the new rows may cover it.
    void beginDigitization(Source from, int column, int first, int restore, std::uint64_t group) {
        source = from;
        xColumn = column;
        firstRow = first;
        lastRow = first;
        restoreRow = restore;
        markerCount = 0;
        latestPointAvailable = false;
        digitizationGroup = group;
    }
};

// Erases the markers of a digitization, newest first: the ellipse again (size above 1), then
// the centre pixel set to the colour, which leaves that pixel in the marker colour.
void undoDigitizationMarkers(Raster& raster, const MarkerList& markers, const UndoRecord& record,
                             MarkLayer* marks = nullptr);

// Marker removal: the raster becomes 24-bit and every pure red pixel becomes (254, 254, 254),
// in the picture and in its mark layer alike.
void removeRedMarkers(Raster& raster, MarkLayer* marks = nullptr);

} // namespace quorvex
