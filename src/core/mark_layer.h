#pragma once

#include "core/raster.h"

#include <QRect>
#include <array>
#include <functional>
#include <memory>
#include <vector>

namespace quorvex {

// The program's own drawings on a picture (markers of digitized points, the calibration
// rectangle, the Bezier stroke) kept beside the raster instead of in it, so that recognition
// and snapping read only the picture. The layer holds, for each pixel a drawing changed, the
// colour shown there; it is stored in tiles of 64 x 64 pixels made only where something is
// drawn, so a few markers on a huge picture cost a few tiles. The pixel shown is the layer's
// colour where it has one and the raster's elsewhere.
class MarkLayer {
public:
    static constexpr int kTileSide = 64;

    // Empties the layer and fits it to a raster of this size.
    void reset(int width, int height);
    void clear() { reset(width_, height_); }
    bool isEmpty() const { return marked_ == 0; }
    int width() const { return width_; }
    int height() const { return height_; }
    // The number of pixels the layer changes.
    long long markedPixels() const { return marked_; }

    // The colour shown at a pixel of the raster, which must have the layer's size.
    Colour shownPixel(const Raster& raster, int x, int y) const;
    bool isMarked(int x, int y) const;
    // Shows colour c at a pixel; a colour equal to the raster's own pixel removes the mark.
    void setShownPixel(const Raster& raster, int x, int y, Colour c);

    // Swaps the marked pixels with the raster's: afterwards the raster holds what is shown and
    // the layer the picture's own pixels, so a second call restores both. This lets a save or
    // a copy include the drawings without a second copy of the picture.
    void exchangeWith(Raster& raster);

    // After the raster went through a conversion that maps each pixel on its own (a format
    // change, the marker removal): every mark goes through the same conversion, given as a
    // function from a raster of the old format to the converted one, and marks that now equal
    // the converted raster's pixel disappear.
    void followConversion(const Raster& before, const Raster& after,
                          const std::function<Raster(const Raster&)>& convert);

    // Writes the shown colours into a raster of the layer's size (a copy of the picture).
    void paintInto(Raster& raster) const;

    // The tiles that hold marks and meet the rectangle (image pixels), as their rectangles.
    std::vector<QRect> markedTiles(const QRect& area) const;

private:
    struct Tile {
        std::array<Colour, kTileSide * kTileSide> shown;
        int count = 0;
    };
    static constexpr Colour kUnmarked = 0xFF000000u; // never a 24-bit colour

    Tile* tileAt(int x, int y) const {
        return tiles_[static_cast<std::size_t>((y / kTileSide) * tilesAcross_ + x / kTileSide)]
            .get();
    }
    static std::size_t slot(int x, int y) {
        return static_cast<std::size_t>((y % kTileSide) * kTileSide + x % kTileSide);
    }

    int width_ = 0, height_ = 0, tilesAcross_ = 0;
    long long marked_ = 0;
    std::vector<std::unique_ptr<Tile>> tiles_;
};

// Shows a raster's drawings in it while it lives (a save, a copy, a print of the picture) and
// takes them out again when it ends.
class MarksShownIn {
public:
    MarksShownIn(Raster& raster, MarkLayer& marks) : raster_(raster), marks_(marks) {
        marks_.exchangeWith(raster_);
    }
    ~MarksShownIn() { marks_.exchangeWith(raster_); }
    MarksShownIn(const MarksShownIn&) = delete;
    MarksShownIn& operator=(const MarksShownIn&) = delete;

private:
    Raster& raster_;
    MarkLayer& marks_;
};

} // namespace quorvex
