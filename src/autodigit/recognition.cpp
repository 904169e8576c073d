#include "autodigit/recognition.h"

#include "autodigit/colour_distance.h"
#include "core/round.h"

#include <cstdlib>

namespace quorvex {

namespace {
std::int64_t halfInterval(int interval) {
    return Round(interval / 2.0);
}
bool greyWithin(std::int64_t p, int limit) {
    if (p < 0 || p > 0xFFFFFF) return false;
    const Colour c = static_cast<Colour>(p);
    return isGrey(c) && redOf(c) <= limit;
}
} // namespace

std::int64_t Recognition::low() const {
    return side == IntervalSide::Right ? std::int64_t(curve)
                                       : std::int64_t(curve) - halfInterval(interval);
}

std::int64_t Recognition::high() const {
    return side == IntervalSide::Left ? std::int64_t(curve)
                                      : std::int64_t(curve) + halfInterval(interval);
}

bool Recognition::matches(std::int64_t p) const {
    if (p == kOutsideImage) return false;
    switch (mode) {
    case RecognitionMode::Exact:
        return p == std::int64_t(curve);
    case RecognitionMode::Interval:
    case RecognitionMode::ClosestHue:
        return low() <= p && p <= high();
    case RecognitionMode::Distance:
        return p >= 0 && p <= 0xFFFFFF &&
               deltaE76(labOf(Colour(p)), labOf(curve)) <= double(tolerance);
    default:
        return greyWithin(p, brightnessMax);
    }
}

std::int64_t Recognition::initialBest() const {
    return mode == RecognitionMode::TowardsBlack ? brightnessMax
                                                 : std::int64_t(curve) + halfInterval(interval);
}

bool Recognition::closer(std::int64_t p, std::int64_t best) const {
    if (mode == RecognitionMode::TowardsBlack) {
        const std::int64_t r = p & 0xFF;
        return std::llabs(r - redOf(curve)) < std::llabs(r - best);
    }
    return std::llabs(p - std::int64_t(curve)) < std::llabs(p - best);
}

std::int64_t Recognition::bestValue(std::int64_t p) const {
    return mode == RecognitionMode::TowardsBlack ? (p & 0xFF) : p;
}

} // namespace quorvex
