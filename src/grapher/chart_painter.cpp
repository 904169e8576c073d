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

void paintSymbols(QPainter& painter, const ChartMapping& mapping, const ChartSeries& series,
                  int size) {
    const bool raster =
        painter.paintEngine() && painter.paintEngine()->type() == QPaintEngine::Raster;
    const QRectF visible = mapping.plot().adjusted(-size, -size, size, size);
    for (const ChartPoint& p : series.points()) {
        const QPointF at = mapping.toPixel(p.x, p.y);
        if (!visible.contains(at)) continue;
        if (raster) {
            painter.drawImage(QPointF(std::round(at.x()) - size, std::round(at.y()) - size),
                              marker(size, p.colour));
        } else {
            const QColor c = QColor::fromRgb(toQRgb(p.colour));
            painter.setPen(c);
            painter.setBrush(c);
            painter.drawEllipse(at, size, size);
        }
    }
}

// The line through the points; each piece takes the colour of the point it ends at.
void paintLine(QPainter& painter, const ChartMapping& mapping, const ChartSeries& series,
               int width) {
    const auto& points = series.points();
    QPolygonF run;
    Colour runColour = kRed;
    auto flush = [&] {
        if (run.size() > 1) {
            painter.setPen(QPen(QColor::fromRgb(toQRgb(runColour)), width));
            painter.drawPolyline(run);
        }
    };
    for (const ChartPoint& p : points) {
        const QPointF at = mapping.toPixel(p.x, p.y);
        if (!std::isfinite(at.x()) || !std::isfinite(at.y())) {
            // A value a logarithmic axis cannot show breaks the line.
            flush();
            run.clear();
            continue;
        }
        if (p.colour != runColour && !run.isEmpty()) {
            flush();
            const QPointF last = run.back();
            run.clear();
            run << last;
        }
        runColour = p.colour;
        run << at;
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
