#include "autodigit/step_fields.h"

#include "core/numbers.h"
#include "core/round.h"

#include <algorithm>
#include <cmath>

namespace quorvex::steps {

std::optional<int> stepFor(int width, int from, int to) {
    if (to == from) return std::nullopt;
    return std::clamp(Round(double(width) / (to - from)), kMinStep, kMaxStep);
}

int toFor(int width, int step, int from) {
    return std::clamp(Round(double(width) / std::max(step, 1) + from), kMinRow, kMaxRow);
}

std::optional<QString> graphStepCaption(const QString& xlb, const QString& xrt, int from, int to,
                                        QChar sep) {
    auto usable = [](const QString& t) {
        return !t.isEmpty() && t != QLatin1String("-") && t != QLatin1String("+");
    };
    if (!usable(xlb) || !usable(xrt) || to == from) return std::nullopt;
    double a = 0, b = 0;
    if (!tryParseDouble(xlb, sep, a) || !tryParseDouble(xrt, sep, b)) return std::nullopt;
    return NumberText(std::abs(a - b) / (to - from), sep);
}

int toForGraphStep(double graphWidth, double graphStep, int from) {
    return std::clamp(Round(from + graphWidth / graphStep), kMinRow, kMaxRow);
}

} // namespace quorvex::steps
