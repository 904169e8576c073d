#include "tools/calibration.h"

#include <algorithm>

#include "core/messages.h"
#include "core/numbers.h"

#include <cmath>

namespace quorvex {

QString transferName(bool xAxis, int function) {
    static const char* const names[9] = {"%1 line", "%1 log10", "Log10(%1)", "Ln%1",  "Log2(%1)",
                                         "exp%1",   "1/%1",     "%1^2",      "Sqrt%1"};
    return QString::fromLatin1(names[std::clamp(function, 0, 8)])
        .arg(xAxis ? QLatin1Char('X') : QLatin1Char('Y'));
}

QString pointFailureText(PointFailure failure) {
    switch (failure) {
    case PointFailure::ConvertError:
        return message(Msg::PointConvertError);
    case PointFailure::ZeroDivide:
        return message(Msg::PointZeroDivide);
    default:
        return message(Msg::PointError);
    }
}

long double transfer(int function, long double v) {
    switch (function) {
    case Log10Axis:
    case Log10Value:
    case Ln:
    case Log2:
        if (v == 0) throw PointError(PointFailure::ZeroDivide);
        if (v < 0) throw PointError(PointFailure::Other);
        return function == Ln ? std::log(v) : (function == Log2 ? std::log2(v) : std::log10(v));
    case Exp: {
        const long double e = std::exp(v);
        if (!std::isfinite(e)) throw PointError(PointFailure::Other);
        return e;
    }
    case Reciprocal:
        if (v == 0) throw PointError(PointFailure::ZeroDivide);
        return 1 / v;
    case Square:
        return v * v;
    case SquareRoot:
        if (v < 0) throw PointError(PointFailure::Other);
        return std::sqrt(v);
    default:
        return v;
    }
}

ToGraph::ToGraph(const Calibration& c, QChar sep)
    : xLeftBottomPixel_(c.leftBottom().x()), xRightTopPixel_(c.rightTop().x()),
      yLeftBottomPixel_(c.leftBottom().y()), yRightTopPixel_(c.rightTop().y()),
      xTransfer_(c.xTransfer < 0 ? 0 : c.xTransfer), yTransfer_(c.yTransfer < 0 ? 0 : c.yTransfer) {
    const long double gx1 = parseDouble(c.xLeftBottom, sep), gx2 = parseDouble(c.xRightTop, sep);
    const long double gy1 = parseDouble(c.yLeftBottom, sep), gy2 = parseDouble(c.yRightTop, sep);
    tx1_ = transfer(xTransfer_, gx1);
    tx2_ = transfer(xTransfer_, gx2);
    ty1_ = transfer(yTransfer_, gy1);
    ty2_ = transfer(yTransfer_, gy2);
}

namespace {
double finish(long double value, int function) {
    if (function == Log10Axis) value = std::pow(10.0L, value);
    // The wider intermediate may hold a value that no double can: that is a failure too.
    const double result = static_cast<double>(value);
    if (!std::isfinite(result)) throw PointError(PointFailure::Other);
    return result;
}
} // namespace

double ToGraph::x(long double px) const {
    const long double span = xRightTopPixel_ - xLeftBottomPixel_;
    if (span == 0) throw PointError(PointFailure::ZeroDivide);
    return finish(((xRightTopPixel_ - px) * tx1_ + (px - xLeftBottomPixel_) * tx2_) / span,
                  xTransfer_);
}

double ToGraph::y(long double py) const {
    const long double span = yLeftBottomPixel_ - yRightTopPixel_;
    if (span == 0) throw PointError(PointFailure::ZeroDivide);
    return finish(((py - yRightTopPixel_) * ty1_ + (yLeftBottomPixel_ - py) * ty2_) / span,
                  yTransfer_);
}

} // namespace quorvex
