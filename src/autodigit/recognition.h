#pragma once

#include "core/colour.h"

#include <cstdint>

namespace quorvex {

// How the automatic scan decides that a pixel belongs to the curve.
// Distance (not one of the program's original modes) compares colours by their CIELAB distance,
// for anti-aliased and JPEG charts.
// Vector: the paths of a vector picture (PDF, SVG) instead of its pixels.
enum class RecognitionMode { Exact, Interval, ClosestHue, Brightness, TowardsBlack, Distance, Vector };
enum class IntervalSide { Left, Both, Right };

// The choices of recognition by colour distance, kept between runs: whether it is on, its
// tolerance and whether points are sub-pixel. Manual input and search in area follow them too.
struct DistanceOptions {
    bool on = false;
    int tolerance = 25;
    bool subPixel = false;
    bool operator==(const DistanceOptions& o) const {
        return on == o.on && tolerance == o.tolerance && subPixel == o.subPixel;
    }
};

// The pixel value that stands for "outside the image": it never matches.
constexpr std::int64_t kOutsideImage = 0x7FFFFFFF;

// The colour rules of one automatic run. Colours are compared as whole signed values
// 0x00BBGGRR, not per channel: the interval moves mainly through red and carries into green.
struct Recognition {
    RecognitionMode mode = RecognitionMode::Exact;
    Colour curve = kBlack;
    int interval = 0; // 0..300
    IntervalSide side = IntervalSide::Both;
    int brightnessMax = 0; // 0..255
    int tolerance = 25;    // 0..100: the largest CIELAB distance of a curve pixel (distance mode)
    bool subPixel = false; // distance mode: points at the fractional centre of the curve's run
    bool everyStep = false; // vector mode: a point every step along X, not every vertex

    // (lo, hi): h = interval / 2 rounded half to even; left: C-h..C, both: C-h..C+h, right: C..C+h.
    std::int64_t low() const;
    std::int64_t high() const;
    // Whether a pixel is in the curve colour by the mode's rule (in the distance mode a core
    // pixel, without the anti-aliased edge the scan adds to it).
    bool matches(std::int64_t pixel) const;
    // The best a column starts with in the two "closest" modes: C + h, or the brightness limit.
    std::int64_t initialBest() const;
    // Whether a matching pixel replaces the best so far (strictly nearer to the curve colour);
    // in the towards-black mode `best` is a brightness.
    bool closer(std::int64_t pixel, std::int64_t best) const;
    // The value that becomes the new best.
    std::int64_t bestValue(std::int64_t pixel) const;
    bool closestModes() const {
        return mode == RecognitionMode::ClosestHue || mode == RecognitionMode::TowardsBlack;
    }
};

} // namespace quorvex
