#include "image/rotation.h"

#include "image/image_error.h"

#include <cmath>
#include <cstdint>

namespace quorvex {

double rotationLineAngle(QPoint start, QPoint end) {
    constexpr double kDegreesPerRadian = 57.32484076433121;
    return std::atan(double(end.y() - start.y()) / double(end.x() - start.x())) * kDegreesPerRadian;
}

namespace {

// Quarter turns counter-clockwise on the screen (y downwards): 1 maps (x, y) to
// (y, width - 1 - x), 2 to (width - 1 - x, height - 1 - y), 3 to (height - 1 - y, x).
Raster quarterTurns(const Raster& source, int turns) {
    const int w = source.width(), h = source.height();
    if (turns == 0) return source;
    const bool sideways = turns != 2;
    Raster out =
        Raster::unfilled(sideways ? h : w, sideways ? w : h, source.format(), source.palette());
    // Rows of the result are written in order; the source is read along columns in blocks of
    // rows, which keeps both sides in the cache.
    constexpr int kBlock = 64;
    if (turns == 2) {
        for (int y = 0; y < h; ++y) {
            const Colour* from = source.row(y);
            Colour* to = out.row(h - 1 - y);
            for (int x = 0; x < w; ++x)
                to[w - 1 - x] = from[x];
        }
        return out;
    }
    for (int y0 = 0; y0 < h; y0 += kBlock) {
        const int y1 = std::min(h, y0 + kBlock);
        for (int x = 0; x < w; ++x) {
            Colour* to = out.row(turns == 1 ? w - 1 - x : x);
            for (int y = y0; y < y1; ++y)
                to[turns == 1 ? y : h - 1 - y] = source.row(y)[x];
        }
    }
    return out;
}

} // namespace

Raster rotateRaster(const Raster& source, double degrees, Colour background) {
    if (source.isEmpty()) return source;
    double turned = std::fmod(degrees, 360.0);
    if (turned < 0) turned += 360.0;
    if (turned == 0 || turned == 90 || turned == 180 || turned == 270) {
        const int turns = static_cast<int>(turned / 90);
        if (turns % 2 == 1) checkRasterSize(source.height(), source.width());
        return quarterTurns(source, turns);
    }
    const double radians = degrees * (3.14159265358979323846 / 180.0);
    const double c = std::cos(radians), s = std::sin(radians);
    const int w = source.width(), h = source.height();
    // The bounding box of the turned picture; a hair of tolerance keeps exact sizes exact.
    const double boxWidth = std::abs(w * c) + std::abs(h * s);
    const double boxHeight = std::abs(w * s) + std::abs(h * c);
    const long long outWidth = static_cast<long long>(std::ceil(boxWidth - 1e-6));
    const long long outHeight = static_cast<long long>(std::ceil(boxHeight - 1e-6));
    checkRasterSize(outWidth, outHeight);
    Raster out = Raster::unfilled(int(outWidth), int(outHeight), source.format(), source.palette());
    const Colour fill = out.representable(background);
    // The source point under the centre of result pixel (X, Y), relative to the centres of both
    // pictures: x = dx cos - dy sin, y = dx sin + dy cos. Along a row it moves by (cos, sin);
    // it is kept in 32.32 fixed point so that each pixel costs two additions.
    constexpr double kOne = 4294967296.0;
    const auto fixed = [](double v) { return static_cast<std::int64_t>(std::floor(v * kOne)); };
    const std::int64_t stepX = fixed(c), stepY = fixed(s);
    const auto width = static_cast<std::uint64_t>(w), height = static_cast<std::uint64_t>(h);
    for (int Y = 0; Y < outHeight; ++Y) {
        const double dx = 0.5 - outWidth / 2.0, dy = Y + 0.5 - outHeight / 2.0;
        std::int64_t fx = fixed(dx * c - dy * s + w / 2.0);
        std::int64_t fy = fixed(dx * s + dy * c + h / 2.0);
        Colour* to = out.row(Y);
        for (int X = 0; X < outWidth; ++X, fx += stepX, fy += stepY) {
            const auto x = static_cast<std::uint64_t>(fx >> 32);
            const auto y = static_cast<std::uint64_t>(fy >> 32);
            to[X] = x < width && y < height ? source.row(int(y))[x] : fill;
        }
    }
    return out;
}

} // namespace quorvex
