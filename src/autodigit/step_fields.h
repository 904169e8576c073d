#pragma once

#include <QString>
#include <optional>

namespace quorvex {

// The step fields of the automatic scan: "from" and "to" (Table rows, 1..100000), the step in
// whole pixels (1..500). W is the pixel width of the calibration rectangle, D its width in graph
// units. Values outside a field's range become its nearest bound.
namespace steps {

constexpr int kMinRow = 1, kMaxRow = 100000, kMinStep = 1, kMaxStep = 500;

// The pixel step for "from" and "to": round(W / (to - from)), clamped; none when from = to.
std::optional<int> stepFor(int width, int from, int to);
// "to" for a step: round(W / step + from), clamped.
int toFor(int width, int step, int from);
// The step in graph units shown in the step pop-up: D / (to - from) as number text; none when
// the corner texts are empty, "-" or "+", are not numbers, or from = to.
std::optional<QString> graphStepCaption(const QString& xLeftBottom, const QString& xRightTop,
                                        int from, int to, QChar decimalSeparator);
// A graph step typed in "Setup step": "to" becomes round(from + D / step).
int toForGraphStep(double graphWidth, double graphStep, int from);

} // namespace steps
} // namespace quorvex
