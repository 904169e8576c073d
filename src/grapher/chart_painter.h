#pragma once

#include "grapher/chart.h"

#include <QFont>
#include <QImage>
#include <QString>

class QPainter;

namespace quorvex {

// How the chart looks: titles, colours, grid, sizes, the mode (symbols or a line), logarithmic
// axes and a range the user zoomed or typed (automatic ranges otherwise).
struct ChartLook {
    QString title = QStringLiteral("Y(X)");
    QString xTitle, yTitle;
    QColor background = Qt::white;
    QColor titleColour = Qt::red;
    bool grid = true;
    int symbolSize = 2; // the symbols' half width
    int lineWidth = 2;
    bool lineMode = false;
    bool logX = false, logY = false;
    std::optional<AxisRange> xRange, yRange;
};

// Where everything of the chart goes in a rectangle: the plot area between the axes, the value
// ranges, the ticks and the mapping between values and pixels.
class ChartLayout {
public:
    ChartLayout(const ChartLook& look, const ChartSeries& shown, QRectF target);

    const QRectF& target() const { return target_; }
    const ChartMapping& mapping() const { return mapping_; }
    AxisRange xRange() const { return x_; }
    AxisRange yRange() const { return y_; }
    const AxisTicks& xTicks() const { return xTicks_; }
    const AxisTicks& yTicks() const { return yTicks_; }

    // The fonts the chart writes with.
    static QFont titleFont();
    static QFont labelFont();

private:
    QRectF target_;
    AxisRange x_, y_;
    AxisTicks xTicks_, yTicks_;
    ChartMapping mapping_;
};

// The text of a tick label.
QString tickLabel(double value);

// Paints the chart: background, title, grid, axes with ticks and labels, the picture behind the
// points inside the axes (when given) and the points of the series, as symbols or as a line. On
// a raster device the symbols are stamped from a drawn marker, elsewhere (printer, metafile)
// they are drawn as ellipses.
void paintChart(QPainter& painter, const ChartLayout& layout, const ChartLook& look,
                const ChartSeries& shown, const QImage* background);

} // namespace quorvex
