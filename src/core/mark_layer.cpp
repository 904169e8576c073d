#include "core/mark_layer.h"

#include <algorithm>

namespace quorvex {

void MarkLayer::reset(int width, int height) {
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    tilesAcross_ = (width_ + kTileSide - 1) / kTileSide;
    const int tilesDown = (height_ + kTileSide - 1) / kTileSide;
    tiles_.clear();
    tiles_.resize(static_cast<std::size_t>(tilesAcross_) * static_cast<std::size_t>(tilesDown));
    marked_ = 0;
}

bool MarkLayer::isMarked(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return false;
    const Tile* tile = tileAt(x, y);
    return tile && tile->shown[slot(x, y)] != kUnmarked;
}

Colour MarkLayer::shownPixel(const Raster& raster, int x, int y) const {
    if (x >= 0 && y >= 0 && x < width_ && y < height_)
        if (const Tile* tile = tileAt(x, y)) {
            const Colour c = tile->shown[slot(x, y)];
            if (c != kUnmarked) return c;
        }
    return raster.pixel(x, y);
}

void MarkLayer::setShownPixel(const Raster& raster, int x, int y, Colour c) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_ || !raster.contains(x, y)) return;
    auto& tile = tiles_[static_cast<std::size_t>((y / kTileSide) * tilesAcross_ + x / kTileSide)];
    if (c == raster.pixel(x, y)) {
        if (!tile) return;
        Colour& cell = tile->shown[slot(x, y)];
        if (cell == kUnmarked) return;
        cell = kUnmarked;
        --marked_;
        if (--tile->count == 0) tile.reset();
        return;
    }
    if (!tile) {
        tile = std::make_unique<Tile>();
        tile->shown.fill(kUnmarked);
    }
    Colour& cell = tile->shown[slot(x, y)];
    if (cell == kUnmarked) {
        ++tile->count;
        ++marked_;
    }
    cell = c;
}

void MarkLayer::exchangeWith(Raster& raster) {
    if (marked_ == 0 || raster.width() != width_ || raster.height() != height_) return;
    for (std::size_t t = 0; t < tiles_.size(); ++t) {
        Tile* tile = tiles_[t].get();
        if (!tile) continue;
        const int left = static_cast<int>(t % static_cast<std::size_t>(tilesAcross_)) * kTileSide;
        const int top = static_cast<int>(t / static_cast<std::size_t>(tilesAcross_)) * kTileSide;
        const int right = std::min(left + kTileSide, width_);
        const int bottom = std::min(top + kTileSide, height_);
        for (int y = top; y < bottom; ++y) {
            Colour* row = raster.row(y);
            for (int x = left; x < right; ++x) {
                Colour& cell = tile->shown[slot(x, y)];
                if (cell != kUnmarked) std::swap(cell, row[x]);
            }
        }
    }
}

void MarkLayer::followConversion(const Raster& before, const Raster& after,
                                 const std::function<Raster(const Raster&)>& convert) {
    if (marked_ == 0) return;
    if (after.width() != width_ || after.height() != height_) {
        clear();
        return;
    }
    // Every mark's colour in one strip of the old format, converted at once.
    Raster strip = Raster::unfilled(static_cast<int>(std::min<long long>(marked_, kMaxRasterSide)),
                                    1, before.format(), before.palette());
    std::vector<Colour*> cells;
    cells.reserve(static_cast<std::size_t>(marked_));
    for (auto& tile : tiles_)
        if (tile)
            for (Colour& c : tile->shown)
                if (c != kUnmarked) cells.push_back(&c);
    for (std::size_t start = 0; start < cells.size();
         start += static_cast<std::size_t>(strip.width())) {
        const std::size_t count =
            std::min(cells.size() - start, static_cast<std::size_t>(strip.width()));
        for (std::size_t i = 0; i < count; ++i)
            strip.setPixelRaw(static_cast<int>(i), 0, *cells[start + i]);
        for (std::size_t i = count; i < static_cast<std::size_t>(strip.width()); ++i)
            strip.setPixelRaw(static_cast<int>(i), 0,
                              strip.palette().empty() ? kWhite : strip.palette()[0]);
        const Raster converted = convert(strip);
        for (std::size_t i = 0; i < count; ++i)
            *cells[start + i] = converted.pixel(static_cast<int>(i), 0);
    }
    // Marks that now show the picture's own colour are no marks any more.
    for (std::size_t t = 0; t < tiles_.size(); ++t) {
        auto& tile = tiles_[t];
        if (!tile) continue;
        const int left = static_cast<int>(t % static_cast<std::size_t>(tilesAcross_)) * kTileSide;
        const int top = static_cast<int>(t / static_cast<std::size_t>(tilesAcross_)) * kTileSide;
        for (int y = top; y < std::min(top + kTileSide, height_); ++y)
            for (int x = left; x < std::min(left + kTileSide, width_); ++x) {
                Colour& cell = tile->shown[slot(x, y)];
                if (cell != kUnmarked && cell == after.pixel(x, y)) {
                    cell = kUnmarked;
                    --tile->count;
                    --marked_;
                }
            }
        if (tile->count == 0) tile.reset();
    }
}

void MarkLayer::paintInto(Raster& raster) const {
    if (raster.width() != width_ || raster.height() != height_) return;
    for (const QRect& tile : markedTiles(QRect(0, 0, width_, height_)))
        for (int y = tile.top(); y <= tile.bottom(); ++y)
            for (int x = tile.left(); x <= tile.right(); ++x)
                if (isMarked(x, y)) raster.setPixelRaw(x, y, shownPixel(raster, x, y));
}

std::vector<QRect> MarkLayer::markedTiles(const QRect& area) const {
    std::vector<QRect> found;
    const QRect clipped = area.intersected(QRect(0, 0, width_, height_));
    if (marked_ == 0 || clipped.isEmpty()) return found;
    for (int ty = clipped.top() / kTileSide; ty <= clipped.bottom() / kTileSide; ++ty)
        for (int tx = clipped.left() / kTileSide; tx <= clipped.right() / kTileSide; ++tx)
            if (tiles_[static_cast<std::size_t>(ty * tilesAcross_ + tx)])
                found.push_back(QRect(tx * kTileSide, ty * kTileSide, kTileSide, kTileSide)
                                    .intersected(QRect(0, 0, width_, height_)));
    return found;
}

} // namespace quorvex
