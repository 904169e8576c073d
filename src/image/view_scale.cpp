#include "image/view_scale.h"

#include "core/numbers.h"
#include "core/round.h"

namespace quorvex {

namespace {
const char* const kItems[kMeasureItems] = {"Auto", "10%", "25%", "50%", "75%", "100%", "200%", "300%"};
const double kScales[kMeasureItems] = {0, 0.1, 0.25, 0.5, 0.75, 1.0, 2.0, 3.0};
} // namespace

QString measureItemText(int index) {
    return index >= 0 && index < kMeasureItems ? QString::fromLatin1(kItems[index]) : QString();
}

double measureItemScale(int index) { return index >= 0 && index < kMeasureItems ? kScales[index] : 0; }

double typedMeasurePercent(const QString& text, QChar separator) {
    QString number = text;
    const int percent = number.indexOf(QLatin1Char('%'));
    if (percent >= 0) number.remove(percent, 1);
    return parseDouble(number, separator);
}

bool measureKeyAccepted(QChar key) {
    return key == QLatin1Char('\r') || key == QLatin1Char('%') || key.isDigit() ||
           QStringLiteral("Aaotu").contains(key);
}

QSize scaledImageSize(QSize raster, double scale) {
    return QSize(Round(raster.width() * scale), Round(raster.height() * scale));
}

std::optional<FittedView> fitIntoBox(QSize box, QSize raster) {
    if (raster.isEmpty() || box.isEmpty()) return std::nullopt;
    double s = static_cast<double>(box.height()) / raster.height();
    if (box.width() > raster.width() * s) return FittedView{s, QSize(Round(raster.width() * s), box.height())};
    s = static_cast<double>(box.width()) / raster.width();
    return FittedView{s, QSize(box.width(), Round(raster.height() * s))};
}

ZoomGeometry zoomGeometry(int factor) {
    switch (factor) {
    case 2: return {30, 31};
    case 4: return {15, 16};
    case 6: return {10, 11};
    case 8: return {8, 9};
    case 10: return {6, 7};
    default: {
        const int half = Round(60.0 / std::max(factor, 1));
        return {half, half + 1};
    }
    }
}

std::optional<QRect> zoomSourceSquare(double u, double v, double scale, int factor, QSize view) {
    const ZoomGeometry g = zoomGeometry(factor);
    if (!(u > g.margin && v > g.margin && u < view.width() - g.margin && v < view.height() - g.margin))
        return std::nullopt;
    const int cx = Round(u / scale), cy = Round(v / scale), h = Round(g.half / scale);
    return QRect(QPoint(cx - h, cy - h), QPoint(cx + h, cy + h));
}

} // namespace quorvex
