#pragma once

#include "app/gui/window_part.h"
#include "grapher/chart.h"

#include <array>

class QAction;
class QCheckBox;
class QLineEdit;
class QMenu;
class QPushButton;
class QToolBar;
class QToolButton;

namespace quorvex {

class ChartView;
class ColourSwatch;

// The Grapher page: the chart of the current curve ("Y(X)"), its look (symbols or line,
// sorting, sizes, grid, logarithmic axes, options), printing, saving as a picture, the
// picture as background, and the removal and moving of points with the mouse.
class GrapherPage : public WindowPart {
    Q_OBJECT
public:
    explicit GrapherPage(const PartContext& context);

    QWidget* page() const { return page_; }
    ChartView* chart() const { return chart_; }

    void showCurve();
    // The series' sizes (the stored point size) and the mode, as the settings keep them.
    int pointSize() const { return pointSize_; }
    void setPointSize(int size);
    bool symbolMode() const;
    // Checks the items of the chart's mode in both menus and shows that mode's series.
    void showGrapherMode(bool line);
    void setGrapherMode(bool line);
    void chartPointClicked(int index, QPoint position);

private:
    void createWidgets();
    void createMenus();
    void refillSeries(bool line);
    // Both series emptied and any drag of a point ended.
    void emptyGraph();
    void clearGraph();
    void toggleGrapherSorting(bool on);
    void changeSymbolSize(bool increase);
    void autoSizeChart();
    void toggleGrid(bool on);
    void toggleLogarithmic(bool xAxis);
    void showGrapherOptions();
    void chartBackgroundToggled(bool down);
    void chooseSeriesColour();
    void printGraph();
    void saveGraph();
    void removePointsToggled(bool down);
    void movePointsClicked(bool down);
    void writeReadOut(double x, double y);
    void chartMouseMoved(QPoint position);
    void chartMouseReleased(QPoint position);

    QWidget* page_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    ChartView* chart_ = nullptr;
    QPushButton* showGraphButton_ = nullptr;
    QToolButton* optionsButton_ = nullptr;
    QMenu* optionsMenu_ = nullptr;
    QToolButton* removePointsButton_ = nullptr;
    QToolButton* movePointsButton_ = nullptr;
    QToolButton* chartBackgroundButton_ = nullptr;
    QCheckBox* printTextBox_ = nullptr;
    QLineEdit* printTextField_ = nullptr;
    ColourSwatch* seriesColourSwatch_ = nullptr;
    // The Grapher's commands, each in the Grapher menu [0] and in the Options drop-down [1];
    // the two items of a pair are kept equal.
    using ItemPair = std::array<QAction*, 2>;
    struct GrapherItems {
        ItemPair symbol, line, sorting, increase, decrease, autoSize, grid, logX, logY, clear,
            print, options;
    } grapherItems_{};
    Colour seriesColour_ = kRed;
    int pointSize_ = 2;
    // The point being dragged in move mode: its values and the last mouse position.
    struct PointDrag {
        bool active = false;
        double oldX = 0, oldY = 0;
        QPoint last;
        ChartPoint point; // as it was in the series, at index
        int index = 0;
    } pointDrag_;
};

} // namespace quorvex
