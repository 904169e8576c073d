// Showing a pair of 100000 rows in the Grapher: the points read from the Table into the series,
// then the chart painted once into an offscreen image of 1200 x 800, as Y(X) does it (without
// the event loop). The baseline draws the same points with one QPainter::drawPoints call.
#include "bench.h"
#include "core/numbers.h"
#include "grapher/chart_painter.h"
#include "grapher/grapher_table.h"
#include "tools/long_operation.h"

#include <QPainter>
#include <QPolygonF>
#include <cmath>
#include <random>

using namespace quorvex;

namespace {

constexpr int kRows = Table::kMaxRows;
const QSize kChartSize(1200, 800);

// A noisy curve over the whole pair, as automatic digitization of a scatter plot leaves it.
void fillPair(Table& table) {
    std::mt19937 random(11);
    std::normal_distribution<double> noise(0, 0.2);
    table.setRowCount(kRows);
    for (int row = 1; row <= kRows; ++row) {
        const double x = row * 0.01;
        table.store().setCell(1, row, NumberText(x, QChar('.')));
        table.store().setCell(2, row, NumberText(std::sin(x / 50) + noise(random), QChar('.')));
    }
}

// The protocol of a long operation with nothing to lock or show.
LongOperation::Hooks quietHooks() {
    LongOperation::Hooks hooks;
    hooks.lock = [](bool) {};
    hooks.showProgress = [](int) {};
    hooks.setProgress = [](int) {};
    hooks.stopRequested = [] { return false; };
    hooks.clearStop = [] {};
    hooks.processEvents = [] {};
    return hooks;
}

// Both sides paint into an image made beforehand, so that neither pays for fresh pages.
double showMs(const Table& table, bool lineMode, QImage& chart) {
    ChartLook look;
    look.lineMode = lineMode;
    return bench::bestMs(1, [&] {
        ChartSeries series;
        series.setKeepsAscendingX(!lineMode);
        {
            LongOperation operation(quietHooks(), table.gridRowCount());
            if (addPairPoints(table, 1, series, kRed, QChar('.'), [&operation](int row) {
                    return operation.step(row);
                }) != TableOutcome::Done)
                std::abort();
        }
        QPainter painter(&chart);
        const ChartLayout layout(look, series, QRectF(chart.rect()));
        paintChart(painter, layout, look, series, nullptr);
    });
}

double drawPointsMs(const Table& table, QImage& chart) {
    ChartSeries series;
    addPairPoints(table, 1, series, kRed, QChar('.'), {});
    const ChartLayout layout(ChartLook(), series, QRectF(QPointF(0, 0), QSizeF(kChartSize)));
    QPolygonF pixels;
    for (const ChartPoint& p : series.points())
        pixels << layout.mapping().toPixel(p.x, p.y);
    return bench::bestMs(1, [&] {
        chart.fill(Qt::white);
        QPainter painter(&chart);
        painter.setPen(QPen(Qt::red, 1));
        painter.drawPoints(pixels);
    });
}

const bench::Register grapherShow("grapher_show", [] {
    Table table;
    fillPair(table);
    QImage chart(kChartSize, QImage::Format_ARGB32_Premultiplied);
    double symbols = 1e300, line = 1e300, baseline = 1e300;
    for (int repeat = 0; repeat < 5; ++repeat) {
        baseline = std::min(baseline, drawPointsMs(table, chart));
        symbols = std::min(symbols, showMs(table, false, chart));
        line = std::min(line, showMs(table, true, chart));
    }
    bench::report("grapher_show_line", line, baseline);
    bench::report("grapher_show", symbols, baseline);
});

} // namespace
