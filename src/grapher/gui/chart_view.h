#pragma once

#include "grapher/chart_painter.h"

#include <QImage>
#include <QWidget>
#include <optional>

namespace quorvex {

// The chart on the Grapher page: a series of symbols and a series for the line (one of them is
// shown, by the look's mode), axes with grid and ticks, a picture behind the points, zoom by
// dragging a rectangle to the right and down (dragging to the left or up, or a double click,
// returns to the automatic ranges) and a cross-hair cursor. It reports a click on a point and
// the mouse's moves and releases so that points can be inspected, removed and dragged.
//
// The painted chart is kept between paints: after changing the look or the series, call
// refresh(). The drag square and the zoom rectangle are drawn over the kept picture.
class ChartView : public QWidget {
    Q_OBJECT
public:
    explicit ChartView(QWidget* parent = nullptr);

    ChartLook& look() { return look_; }
    const ChartLook& look() const { return look_; }
    ChartSeries& symbols() { return symbols_; }
    ChartSeries& line() { return line_; }
    // The series of the look's mode.
    ChartSeries& shown() { return look_.lineMode ? line_ : symbols_; }
    const ChartSeries& shown() const { return look_.lineMode ? line_ : symbols_; }
    void setBackgroundImage(const QImage& image);
    const QImage& backgroundImage() const { return background_; }

    // Paints again after the look or the series changed.
    void refresh();
    // Back to the automatic axis ranges.
    void resetZoom();
    // The layout of the chart in the widget as it is now.
    ChartLayout layout() const;
    // Paints the chart into a rectangle of another device (printer, picture).
    void render(QPainter& painter, QRectF target) const;
    // The hollow square drawn over the chart during a drag of a point (nothing hides it).
    void setDragSquare(std::optional<QPoint> centre);
    static constexpr int kDragSquareSide = 12;
    // While points are removed or moved, a press on a point does not also start a zoom.
    void setEditingPoints(bool on) { editingPoints_ = on; }

signals:
    // A press on a point of the shown series: its index there and the mouse position.
    void pointClicked(int index, QPoint position);
    void mouseMoved(QPoint position);
    void mouseReleased(QPoint position);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void zoomTo(const QRect& area);

    ChartLook look_;
    ChartSeries symbols_, line_;
    QImage background_;
    QImage painted_; // the chart as last painted; null when it must be painted again
    std::optional<QPoint> dragSquare_;
    bool editingPoints_ = false;
    std::optional<QPoint> zoomStart_;
    QPoint zoomEnd_;
};

} // namespace quorvex
