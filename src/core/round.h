#pragma once

#include <cmath>
#include <limits>

namespace quorvex {

// Every real value that becomes an integer goes through Round: to the nearest integer, halves
// to the even neighbour (0.5 -> 0, 1.5 -> 2, 2.5 -> 2). Values beyond int saturate, NaN gives 0.
inline int Round(double value) {
    if (std::isnan(value)) return 0;
    if (value >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (value <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(std::nearbyint(value)); // default rounding mode: to nearest, ties even
}

} // namespace quorvex
