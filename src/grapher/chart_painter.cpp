#include "grapher/chart_painter.h"

#include "core/numbers.h"

#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPainter>
#include <QPolygonF>
#include <cmath>
#include <map>

namespace quorvex {

namespace {

AxisRange rangeOr(const std::optional<AxisRange>& chosen, const std::optional<AxisRange>& data,
                  bool log) {
    if (chosen) return *chosen;
    if (data) return *data;
    return log ? AxisRange{1, 10} : AxisRange{0, 1};
}

// Room for the labels, the title and the tick marks around the plot area.
QRectF plotArea(QRectF target, const QString& title, const QString& xTitle, const QString& yTitle) {
    const QFontMetricsF labels(ChartLayout::labelFont());
    const QFontMetricsF titles(ChartLayout::titleFont());
    const double top = (title.isEmpty() ? labels.height() : titles.height()) + 8;
    const double left = labels.horizontalAdvance(QStringLiteral("-0.0000E-00")) + 12 +
                        (yTitle.isEmpty() ? 0 : titles.height());
    const double bottom = labels.height() * 2 + 8 + (xTitle.isEmpty() ? 0 : titles.height());
    const double right = labels.horizontalAdvance(QStringLiteral("00000")) / 2 + 4;
    return target.adjusted(left, top, -right, -bottom);
}

} // namespace

QFont ChartLayout::titleFont() {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(21); // 16 points on a 96 dpi screen
    f.setBold(true);
    return f;
}

QFont ChartLayout::labelFont() {
    QFont f(QStringLiteral("Arial"));
    f.setPixelSize(11);
    return f;
}

ChartLayout::ChartLayout(const ChartLook& look, const ChartSeries& shown, QRectF target)
    : target_(target), x_(rangeOr(look.xRange, quorvex::xRange(shown, look.logX), look.logX)),
      y_(rangeOr(look.yRange, quorvex::yRange(shown, look.logY), look.logY)),
      mapping_(plotArea(target, look.title, look.xTitle, look.yTitle), x_, y_, look.logX,
               look.logY) {
    const QRectF plot = mapping_.plot();
    const int wantedX = std::max(2, static_cast<int>(plot.width() / 90));
    const int wantedY = std::max(2, static_cast<int>(plot.height() / 50));
    xTicks_ = look.logX && x_.min > 0 ? logTicks(x_, wantedX) : linearTicks(x_, wantedX);
    yTicks_ = look.logY && y_.min > 0 ? logTicks(y_, wantedY) : linearTicks(y_, wantedY);
}

QString tickLabel(double value) {
    return generalNumberText(value, 10, 0, localeDecimalSeparator());
}

namespace {

// A filled circle of the symbol size, stamped for every point on raster devices.
const QImage& marker(int size, Colour colour) {
    static std::map<std::pair<int, Colour>, QImage> cache;
    QImage& image = cache[{size, colour}];
    if (image.isNull()) {
        const int side = 2 * size + 1;
        image = QImage(side, side, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        const QColor c = QColor::fromRgb(toQRgb(colour));
        p.setPen(c);
        p.setBrush(c);
        p.drawEllipse(QRectF(0.5, 0.5, side - 1, side - 1));
    }
    return image;
}

// The image a raster painter writes to, when its pixels can be written directly: a 32-bit
// image of its own (not shared) painted without a transformation.
QImage* directTarget(QPainter& painter) {
    if (!painter.paintEngine() || painter.paintEngine()->type() != QPaintEngine::Raster ||
        !painter.device() || painter.device()->devType() != QInternal::Image ||
        !painter.deviceTransform().isIdentity())
        return nullptr;
    auto* image = static_cast<QImage*>(painter.device());
    const QImage::Format format = image->format();
    if (format != QImage::Format_ARGB32_Premultiplied && format != QImage::Format_RGB32)
        return nullptr;
    return image->isDetached() ? image : nullptr;
}

// Source-over of a premultiplied marker onto 32-bit pixels (`bits`, `stride` bytes a line),
// inside `clip`: what drawImage does, without its cost per call, which dominates when 100000
// small markers are stamped.
void stamp(uchar* bits, qsizetype stride, const QImage& marker, QPoint topLeft, const QRect& clip) {
    const QRect area = QRect(topLeft, marker.size()) & clip;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const auto* source = reinterpret_cast<const QRgb*>(marker.constScanLine(y - topLeft.y()));
        auto* line = reinterpret_cast<QRgb*>(bits + y * stride);
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb s = source[x - topLeft.x()];
            const unsigned alpha = qAlpha(s);
            if (alpha == 0) continue;
            if (alpha == 255) {
                line[x] = s;
                continue;
            }
            const QRgb d = line[x];
            const unsigned keep = 255 - alpha;
            // Two channels at a time: (channel * keep) / 255, rounded.
            auto scale = [keep](unsigned pair) {
                unsigned t = (pair & 0x00FF00FFu) * keep + 0x00800080u;
                return ((t + ((t >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
            };
            line[x] = s + (scale(d) | (scale(d >> 8) << 8));
        }
    }
}

void paintSymbols(QPainter& painter, const ChartMapping& mapping, const ChartSeries& series,
                  int size) {
    const bool raster =
        painter.paintEngine() && painter.paintEngine()->type() == QPaintEngine::Raster;
    QImage* direct = directTarget(painter);
    const QRectF visible = mapping.plot().adjusted(-size, -size, size, size);
    // The painter's clip is a rectangle here (set by paintChart); the stamps keep to it.
    QRect clip = direct ? direct->rect() : QRect();
    if (direct && painter.hasClipping()) clip &= painter.clipBoundingRect().toAlignedRect();
    uchar* bits = direct ? direct->bits() : nullptr;
    const qsizetype stride = direct ? direct->bytesPerLine() : 0;
    const QImage* stamped = nullptr;
    Colour stampedColour = 0;
    for (const ChartPoint& p : series.points()) {
        const QPointF at = mapping.toPixel(p.x, p.y);
        if (!visible.contains(at)) continue;
        if (raster) {
            if (!stamped || p.colour != stampedColour) {
                stamped = &marker(size, p.colour);
                stampedColour = p.colour;
            }
            const QPoint topLeft(static_cast<int>(std::round(at.x())) - size,
                                 static_cast<int>(std::round(at.y())) - size);
            if (direct)
                stamp(bits, stride, *stamped, topLeft, clip);
            else
                painter.drawImage(topLeft, *stamped);
        } else {
            const QColor c = QColor::fromRgb(toQRgb(p.colour));
            painter.setPen(c);
            painter.setBrush(c);
            painter.drawEllipse(at, size, size);
        }
    }
}

// The pixels of a line through many points, thinned where it stays within one pixel column:
// of a stretch of consecutive points in the same column only the first, the lowest, the
// highest and the last are kept, in their order, which draws the same pixels.
class ThinnedLine {
public:
    void add(QPointF at) {
        const double column = std::floor(at.x());
        if (count_ > 0 && column == column_) {
            if (at.y() < low_.y()) {
                low_ = at;
                lowIndex_ = count_;
            }
            if (at.y() > high_.y()) {
                high_ = at;
                highIndex_ = count_;
            }
            last_ = at;
            ++count_;
            return;
        }
        flush();
        column_ = column;
        first_ = low_ = high_ = last_ = at;
        lowIndex_ = highIndex_ = 0;
        count_ = 1;
    }
    // The points kept so far, the stretch in progress included.
    QPolygonF& points() {
        flush();
        return points_;
    }
    void restartAt(QPointF at) {
        points_.clear();
        count_ = 0;
        add(at);
    }

private:
    void flush() {
        if (count_ == 0) return;
        append(first_);
        if (lowIndex_ <= highIndex_) {
            append(low_);
            append(high_);
        } else {
            append(high_);
            append(low_);
        }
        append(last_);
        count_ = 0;
    }
    void append(QPointF at) {
        if (points_.isEmpty() || points_.back() != at) points_ << at;
    }
    QPolygonF points_;
    double column_ = 0;
    QPointF first_, low_, high_, last_;
    int lowIndex_ = 0, highIndex_ = 0, count_ = 0;
};

// The line through the points; each piece takes the colour of the point it ends at. Long lines
// go to the painter in pieces, which a wide pen strokes much faster than one long path.
void paintLine(QPainter& painter, const ChartMapping& mapping, const ChartSeries& series,
               int width) {
    constexpr int kPiece = 8;
    ThinnedLine run;
    Colour runColour = kRed;
    auto flush = [&] {
        const QPolygonF& points = run.points();
        if (points.size() < 2) return;
        painter.setPen(QPen(QColor::fromRgb(toQRgb(runColour)), width));
        for (qsizetype from = 0; from + 1 < points.size(); from += kPiece)
            painter.drawPolyline(points.constData() + from, static_cast<int>(std::min<qsizetype>(
                                                                kPiece + 1, points.size() - from)));
    };
    bool empty = true;
    for (const ChartPoint& p : series.points()) {
        const QPointF at = mapping.toPixel(p.x, p.y);
        if (!std::isfinite(at.x()) || !std::isfinite(at.y())) {
            // A value a logarithmic axis cannot show breaks the line.
            flush();
            run = ThinnedLine();
            empty = true;
            continue;
        }
        if (!empty && p.colour != runColour) {
            QPolygonF& points = run.points();
            const QPointF last = points.back();
            flush();
            run.restartAt(last);
        }
        runColour = p.colour;
        run.add(at);
        empty = false;
    }
    flush();
}

} // namespace

void paintChart(QPainter& painter, const ChartLayout& layout, const ChartLook& look,
                const ChartSeries& shown, const QImage* background) {
    painter.save();
    const QRectF target = layout.target();
    const ChartMapping& mapping = layout.mapping();
    const QRectF plot = mapping.plot();
    painter.fillRect(target, look.background);
    if (background && !background->isNull()) painter.drawImage(plot, *background);

    // Grid lines at the major ticks.
    const QFont labelFont = ChartLayout::labelFont();
    painter.setFont(labelFont);
    const QFontMetricsF metrics(labelFont);
    if (look.grid) {
        painter.setPen(QPen(QColor(0xC0, 0xC0, 0xC0), 1));
        for (double v : layout.xTicks().major) {
            const double x = mapping.xToPixel(v);
            painter.drawLine(QPointF(x, plot.top()), QPointF(x, plot.bottom()));
        }
        for (double v : layout.yTicks().major) {
            const double y = mapping.yToPixel(v);
            painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        }
    }
    // The axes with their ticks and labels.
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawLine(plot.bottomLeft(), plot.bottomRight());
    painter.drawLine(plot.bottomLeft(), plot.topLeft());
    for (double v : layout.xTicks().major) {
        const double x = mapping.xToPixel(v);
        painter.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + 5));
        const QString text = tickLabel(v);
        painter.drawText(
            QPointF(x - metrics.horizontalAdvance(text) / 2, plot.bottom() + 7 + metrics.ascent()),
            text);
    }
    for (double v : layout.xTicks().minor) {
        const double x = mapping.xToPixel(v);
        painter.drawLine(QPointF(x, plot.bottom()), QPointF(x, plot.bottom() + 3));
    }
    for (double v : layout.yTicks().major) {
        const double y = mapping.yToPixel(v);
        painter.drawLine(QPointF(plot.left() - 5, y), QPointF(plot.left(), y));
        const QString text = tickLabel(v);
        painter.drawText(QPointF(plot.left() - 7 - metrics.horizontalAdvance(text),
                                 y + metrics.ascent() / 2 - 1),
                         text);
    }
    for (double v : layout.yTicks().minor) {
        const double y = mapping.yToPixel(v);
        painter.drawLine(QPointF(plot.left() - 3, y), QPointF(plot.left(), y));
    }
    // Titles: the chart's on the left above the plot, the axes' beside them.
    const QFont titleFont = ChartLayout::titleFont();
    painter.setFont(titleFont);
    painter.setPen(look.titleColour);
    const QFontMetricsF titles(titleFont);
    if (!look.title.isEmpty())
        painter.drawText(QPointF(plot.left(), target.top() + titles.ascent() + 2), look.title);
    if (!look.xTitle.isEmpty())
        painter.drawText(QPointF(plot.center().x() - titles.horizontalAdvance(look.xTitle) / 2,
                                 target.bottom() - titles.descent() - 2),
                         look.xTitle);
    if (!look.yTitle.isEmpty()) {
        painter.save();
        painter.translate(target.left() + titles.ascent() + 2, plot.center().y());
        painter.rotate(-90);
        painter.drawText(QPointF(-titles.horizontalAdvance(look.yTitle) / 2, 0), look.yTitle);
        painter.restore();
    }
    // The points, inside the plot area.
    painter.setClipRect(plot.adjusted(-look.symbolSize - 1, -look.symbolSize - 1,
                                      look.symbolSize + 1, look.symbolSize + 1));
    if (look.lineMode)
        paintLine(painter, mapping, shown, look.lineWidth);
    else
        paintSymbols(painter, mapping, shown, look.symbolSize);
    painter.restore();
}

} // namespace quorvex
