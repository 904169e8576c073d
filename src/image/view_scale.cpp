#include "image/view_scale.h"

#include "core/numbers.h"
#include "core/raster.h"
#include "core/round.h"

namespace quorvex {

namespace {
const char* const kItems[kMeasureItems] = {"Auto", "10%",  "25%",  "50%",
                                           "75%",  "100%", "200%", "300%"};
const double kScales[kMeasureItems] = {0, 0.1, 0.25, 0.5, 0.75, 1.0, 2.0, 3.0};
} // namespace

QString measureItemText(int index) {
    return index >= 0 && index < kMeasureItems ? QString::fromLatin1(kItems[index]) : QString();
}

double measureItemScale(int index) {
    return index >= 0 && index < kMeasureItems ? kScales[index] : 0;
}

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
    if (box.width() > raster.width() * s)
        return FittedView{s, QSize(Round(raster.width() * s), box.height())};
    s = static_cast<double>(box.width()) / raster.width();
    return FittedView{s, QSize(box.width(), Round(raster.height() * s))};
}

ZoomGeometry zoomGeometry(int factor) {
    switch (factor) {
    case 2:
        return {30, 31};
    case 4:
        return {15, 16};
    case 6:
        return {10, 11};
    case 8:
        return {8, 9};
    case 10:
        return {6, 7};
    default: {
        const int half = Round(60.0 / std::max(factor, 1));
        return {half, half + 1};
    }
    }
}

std::optional<QRect> zoomSourceSquare(double u, double v, double scale, int factor, QSize view) {
    const ZoomGeometry g = zoomGeometry(factor);
    if (!(u > g.margin && v > g.margin && u < view.width() - g.margin &&
          v < view.height() - g.margin))
        return std::nullopt;
    const int cx = Round(u / scale), cy = Round(v / scale), h = Round(g.half / scale);
    return QRect(QPoint(cx - h, cy - h), QPoint(cx + h, cy + h));
}

} // namespace quorvex

namespace quorvex {

QImage zoomPicture(const Raster& raster, const QRect& square, QSize panel) {
    QImage picture(panel, QImage::Format_RGB32);
    const int side = std::max(square.width(), 1), high = std::max(square.height(), 1);
    // Nearest-neighbour stretch: each panel column and row takes one source column and row.
    std::vector<int> columns(static_cast<std::size_t>(panel.width()));
    for (int x = 0; x < panel.width(); ++x)
        columns[static_cast<std::size_t>(x)] = square.left() + x * side / panel.width();
    for (int y = 0; y < panel.height(); ++y) {
        const int sy = square.top() + y * high / panel.height();
        auto* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
        if (sy < 0 || sy >= raster.height()) {
            std::fill(line, line + panel.width(), qRgb(255, 255, 255));
            continue;
        }
        const Colour* source = raster.row(sy);
        for (int x = 0; x < panel.width(); ++x) {
            const int sx = columns[static_cast<std::size_t>(x)];
            line[x] = sx >= 0 && sx < raster.width() ? toQRgb(source[sx]) : qRgb(255, 255, 255);
        }
    }
    // The red cross in not-XOR mode: ~(pixel ^ red) on the 24 colour bits; the two lines cross
    // at the middle pixel, which is inverted twice and so shows the raster's own colour.
    const int middle = panel.width() / 2;
    auto invert = [&picture](int x, int y) {
        QRgb& p = reinterpret_cast<QRgb*>(picture.scanLine(y))[x];
        p = 0xFF000000u | (~(p ^ 0x00FF0000u) & 0x00FFFFFFu);
    };
    for (int y = 0; y < panel.height(); ++y)
        invert(std::min(middle, panel.width() - 1), y);
    for (int x = 0; x < panel.width(); ++x)
        invert(x, std::min(panel.height() / 2, panel.height() - 1));
    return picture;
}

} // namespace quorvex
