#pragma once

#include <QPoint>
#include <QPointF>
#include <QString>
#include <array>
#include <stdexcept>

namespace quorvex {

// The nine scales of an axis, by their index in the transfer-function boxes.
enum TransferFunction {
    Linear = 0,
    Log10Axis = 1,
    Log10Value = 2,
    Ln = 3,
    Log2 = 4,
    Exp = 5,
    Reciprocal = 6,
    Square = 7,
    SquareRoot = 8
};

// Why converting a point failed, as the status bar reports it.
enum class PointFailure { ConvertError, ZeroDivide, Other };
QString
pointFailureText(PointFailure failure); // "Wow!!! EConvertError!", "Wow!!! EZeroDivide!", "Error!"

class PointError : public std::runtime_error {
public:
    explicit PointError(PointFailure failure)
        : std::runtime_error(pointFailureText(failure).toStdString()), failure_(failure) {}
    PointFailure failure() const { return failure_; }

private:
    PointFailure failure_;
};

// The name of a scale in the scale boxes of an axis: "X line", "X log10", "Log10(X)", "LnX",
// "Log2(X)", "expX", "1/X", "X^2", "SqrtX" (with Y for the Y axis).
QString transferName(bool xAxis, int function);

// T(v) of a transfer function; throws PointError for a value outside its domain (a zero for
// the logarithms and 1/v is a division by zero, a negative logarithm or root another failure).
long double transfer(int function, long double value);

// The calibration: the pixel corners, the corner values as typed and the two scales.
struct Calibration {
    QPoint pixelLeftBottom;
    QPoint pixelRightTop;
    // The texts of the four corner-value fields.
    QString xLeftBottom = QStringLiteral("0");
    QString xRightTop = QStringLiteral("0");
    QString yLeftBottom = QStringLiteral("0");
    QString yRightTop = QStringLiteral("0");
    int xTransfer = 0; // -1 counts as 0
    int yTransfer = 0;
    // Fractional pixel corners (a calibration on the vertices of a vector picture); the whole
    // corners above are then their rounding.
    bool exact = false;
    QPointF exactLeftBottom, exactRightTop;
    QPointF leftBottom() const { return exact ? exactLeftBottom : QPointF(pixelLeftBottom); }
    QPointF rightTop() const { return exact ? exactRightTop : QPointF(pixelRightTop); }
    void setCorners(QPointF leftBottom, QPointF rightTop) {
        pixelLeftBottom = leftBottom.toPoint();
        pixelRightTop = rightTop.toPoint();
        exact = leftBottom != QPointF(pixelLeftBottom) || rightTop != QPointF(pixelRightTop);
        exactLeftBottom = leftBottom;
        exactRightTop = rightTop;
    }
};

// Pixel to graph conversion. Construction reads the corner texts with the decimal separator
// (ConversionError) and transforms them (PointError); the conversions interpolate linearly in
// the transformed values, in extended precision, and undo only the "log10 axis" scale.
class ToGraph {
public:
    ToGraph(const Calibration& calibration, QChar decimalSeparator);
    // The graph values at an image column / row (rows count downwards). A calibration of zero
    // width or height throws PointError(ZeroDivide).
    double x(long double px) const;
    double y(long double py) const;
    bool degenerate() const {
        return xRightTopPixel_ == xLeftBottomPixel_ || yLeftBottomPixel_ == yRightTopPixel_;
    }

private:
    long double tx1_, tx2_, ty1_, ty2_;
    long double xLeftBottomPixel_, xRightTopPixel_, yLeftBottomPixel_, yRightTopPixel_;
    int xTransfer_, yTransfer_;
};

} // namespace quorvex
