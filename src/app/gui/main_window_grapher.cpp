// The Grapher page: the chart of the current curve, its look, printing, saving as a picture and
// the removal and moving of points with the mouse.
#include "app/gui/main_window.h"

#include "components/image_view.h"
#include "components/widgets.h"
#include "core/messages.h"
#include "grapher/chart_picture.h"
#include "grapher/grapher_table.h"
#include "grapher/gui/chart_view.h"
#include "grapher/gui/grapher_options_dialog.h"
#include "image/image_error.h"
#include "table/table.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>

namespace quorvex {

void MainWindow::connectGrapherCommands() {
    const GrapherItems& g = grapherItems_;
    connect(showGraphButton_, &QPushButton::clicked, this, &MainWindow::showCurve);
    connect(showGraphAction_, &QAction::triggered, this, &MainWindow::showCurve);
    for (int i = 0; i < 2; ++i) {
        connect(g.symbol[i], &QAction::triggered, this, [this] { setGrapherMode(false); });
        connect(g.line[i], &QAction::triggered, this, [this] { setGrapherMode(true); });
        connect(g.sorting[i], &QAction::triggered, this, &MainWindow::toggleGrapherSorting);
        connect(g.increase[i], &QAction::triggered, this, [this] { changeSymbolSize(true); });
        connect(g.decrease[i], &QAction::triggered, this, [this] { changeSymbolSize(false); });
        connect(g.autoSize[i], &QAction::triggered, this, &MainWindow::autoSizeChart);
        connect(g.grid[i], &QAction::triggered, this, &MainWindow::toggleGrid);
        connect(g.logX[i], &QAction::triggered, this, [this] { toggleLogarithmic(true); });
        connect(g.logY[i], &QAction::triggered, this, [this] { toggleLogarithmic(false); });
        connect(g.clear[i], &QAction::triggered, this, &MainWindow::clearGraph);
        connect(g.print[i], &QAction::triggered, this, &MainWindow::printGraph);
        connect(g.options[i], &QAction::triggered, this, &MainWindow::showGrapherOptions);
    }
    connect(clearGraphButton_, &QToolButton::clicked, this, &MainWindow::clearGraph);
    connect(printGraphButton_, &QToolButton::clicked, this, &MainWindow::printGraph);
    connect(saveGraphButton_, &QToolButton::clicked, this, &MainWindow::saveGraph);
    connect(saveGraphAction_, &QAction::triggered, this, &MainWindow::saveGraph);
    connect(chartBackgroundButton_, &QToolButton::toggled, this,
            &MainWindow::chartBackgroundToggled);
    connect(seriesColourSwatch_, &ColourSwatch::clicked, this, &MainWindow::chooseSeriesColour);
    connect(printTextBox_, &QCheckBox::toggled, printTextField_, &QLineEdit::setEnabled);
    connect(removePointsButton_, &QToolButton::toggled, this, &MainWindow::removePointsToggled);
    connect(movePointsButton_, &QToolButton::clicked, this, &MainWindow::movePointsClicked);
    connect(chart_, &ChartView::pointClicked, this, &MainWindow::chartPointClicked);
    connect(chart_, &ChartView::mouseMoved, this, &MainWindow::chartMouseMoved);
    connect(chart_, &ChartView::mouseReleased, this, &MainWindow::chartMouseReleased);
}

// ---- filling the chart

void MainWindow::showCurve() {
    if (longOperationRunning_) return; // one long operation at a time
    graphUsed_ = true;
    updateCommandStates();
    const std::optional<int> curve = readCurve();
    if (!curve) return;
    emptyGraph();
    const bool line = chart_->look().lineMode;
    chart_->line().setKeepsAscendingX(grapherItems_.sorting[0]->isChecked());
    ChartSeries& series = line ? chart_->line() : chart_->symbols();
    TableOutcome outcome = TableOutcome::Stopped;
    try {
        LongOperation operation(longOperationHooks(), table_->gridRowCount());
        outcome = addPairPoints(*table_, *curve, series, seriesColour_, localeDecimalSeparator(),
                                [&operation](int row) { return operation.step(row); });
    } catch (const ConversionError& error) {
        prompter_->information(this, error.message(), true);
    }
    chart_->refresh();
    if (outcome == TableOutcome::Done) pages_->setCurrentWidget(grapherPage_);
}

void MainWindow::showGrapherMode(bool line) {
    for (int i = 0; i < 2; ++i) {
        grapherItems_.symbol[i]->setChecked(!line);
        grapherItems_.line[i]->setChecked(line);
    }
    chart_->look().lineMode = line;
    chart_->refresh();
}

void MainWindow::setGrapherMode(bool line) {
    showGrapherMode(line);
    (line ? chart_->symbols() : chart_->line()).clear();
    refillSeries(line);
}

void MainWindow::refillSeries(bool line) {
    ChartSeries& series = line ? chart_->line() : chart_->symbols();
    series.clear();
    try {
        addPairPoints(*table_, table_->currentCurve(), series, seriesColour_,
                      localeDecimalSeparator(), {});
    } catch (const ConversionError& error) {
        prompter_->information(this, error.message(), true);
    }
    chart_->refresh();
}

void MainWindow::emptyGraph() {
    pointDrag_.active = false;
    chart_->setDragSquare(std::nullopt);
    chart_->symbols().clear();
    chart_->line().clear();
    chart_->refresh();
}

void MainWindow::clearGraph() {
    emptyGraph();
}

// ---- the look

void MainWindow::toggleGrapherSorting(bool on) {
    for (QAction* item : grapherItems_.sorting)
        item->setChecked(on);
}

// The sizes start from the stored keys each time, so that both series follow what is stored.
void MainWindow::changeSymbolSize(bool increase) {
    int symbol = ini_.readInteger(ini::kGrapher, ini::kPointSize, 2);
    int line = ini_.readInteger(ini::kGrapher, ini::kLineSize, 2);
    symbol = increase ? increasedSize(symbol) : decreasedSize(symbol);
    line = increase ? increasedSize(line) : decreasedSize(line);
    ChartLook& look = chart_->look();
    look.symbolSize = symbol;
    look.lineWidth = line;
    pointSize_ = symbol;
    ini_.writeInteger(ini::kGrapher, ini::kPointSize, symbol);
    ini_.writeInteger(ini::kGrapher, ini::kLineSize, line);
    saveIni();
    chart_->refresh();
}

void MainWindow::autoSizeChart() {
    chart_->resetZoom();
}

void MainWindow::toggleGrid(bool on) {
    for (QAction* item : grapherItems_.grid)
        item->setChecked(on);
    chart_->look().grid = on;
    chart_->refresh();
}

// An axis turns logarithmic, or back to linear, only while its current minimum is above zero.
void MainWindow::toggleLogarithmic(bool xAxis) {
    ChartLook& look = chart_->look();
    bool& flag = xAxis ? look.logX : look.logY;
    const ItemPair& items = xAxis ? grapherItems_.logX : grapherItems_.logY;
    const ChartLayout layout = chart_->layout();
    const double minimum = xAxis ? layout.xRange().min : layout.yRange().min;
    if (logarithmicAllowed(minimum)) {
        flag = !flag;
        chart_->refresh();
    } else {
        prompter_->information(
            this, message(xAxis ? Msg::MinimumXNotPositive : Msg::MinimumYNotPositive));
    }
    for (QAction* item : items)
        item->setChecked(flag);
}

void MainWindow::showGrapherOptions() {
    graphUsed_ = true;
    updateCommandStates();
    const ChartLayout layout = chart_->layout();
    GrapherOptionsDialog dialog(
        chart_->look(), layout.xRange(), layout.yRange(),
        [this](const QColor& initial) { return prompter_->colour(this, initial); }, this);
    if (!runDialog(&dialog)) return;
    const ChartLook look = dialog.look();
    chart_->look() = look;
    for (QAction* item : grapherItems_.grid)
        item->setChecked(look.grid);
    chart_->refresh();
}

// The chart keeps a picture of its own: the view's picture is the raster's buffer, which a new
// image, a rotation or a format change frees. A large image is reduced (the chart is never
// larger on screen), so the copy stays small.
void MainWindow::chartBackgroundToggled(bool down) {
    if (!down || !imageView_->hasPicture()) {
        chart_->setBackgroundImage(QImage());
        return;
    }
    constexpr int kLargestSide = 2048;
    const QImage& picture = imageView_->picture();
    const QImage copy = picture.width() > kLargestSide || picture.height() > kLargestSide
                            ? picture.scaled(kLargestSide, kLargestSide, Qt::KeepAspectRatio,
                                             Qt::SmoothTransformation)
                            : picture.copy();
    chart_->setBackgroundImage(copy.convertToFormat(QImage::Format_RGB32));
}

void MainWindow::chooseSeriesColour() {
    const std::optional<QColor> chosen =
        prompter_->colour(this, QColor::fromRgb(toQRgb(seriesColour_)));
    if (!chosen) return;
    seriesColour_ = fromQRgb(chosen->rgb());
    seriesColourSwatch_->setColour(seriesColour_);
    // The series take the colour for the points added from now on; those shown keep theirs.
    chart_->refresh();
}

// ---- printing and saving

void MainWindow::printGraph() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QString failure;
    {
        QPrinter printer;
        prompter_->preparePrinter(this, printer);
        QPainter painter;
        if (!painter.begin(&printer)) {
            failure = message(printer.outputFileName().isEmpty() &&
                                      QPrinterInfo::availablePrinters().isEmpty()
                                  ? Msg::NoPrinter
                                  : Msg::PrinterRefused);
        } else {
            const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
            if (printTextBox_->isChecked()) {
                QFont font(QStringLiteral("Arial"));
                font.setPointSize(10);
                painter.setFont(font);
                painter.setPen(Qt::black);
                painter.drawText(QPoint(200, 20 + QFontMetrics(font, &printer).ascent()),
                                 printTextField_->text());
            }
            const QImage& background = chart_->backgroundImage();
            paintChartScaled(painter, chart_->look(), chart_->shown(),
                             background.isNull() ? nullptr : &background, chart_->size(),
                             QRectF(chartPrintArea(page.width(), page.height())));
            if (printer.printerState() == QPrinter::Error) {
                printer.abort();
                failure = message(Msg::PrinterRefused);
            }
            painter.end();
            if (failure.isEmpty() && printer.printerState() == QPrinter::Error)
                failure = message(Msg::PrinterRefused);
        }
    }
    QApplication::restoreOverrideCursor();
    if (!failure.isEmpty())
        prompter_->information(this, message(Msg::PrintFailed).arg(failure), true);
}

QString MainWindow::imageDialogFolder() const {
    return imageFolder_.isEmpty() ? QFileInfo(programPath_).absolutePath() : imageFolder_;
}

void MainWindow::saveGraph() {
    const auto choice = prompter_->saveFile(
        this, message(Msg::SaveGrapherImageTitle), imageDialogFolder(),
        {QStringLiteral("Bitmaps (*.bmp)"), QStringLiteral("Metafiles (*.wmf)")}, QString());
    if (!choice) return;
    const ChartPictureType type =
        choice->filter == 1 ? ChartPictureType::Metafile : ChartPictureType::Bitmap;
    const QString path = chartPictureName(choice->path, type);
    if (QFileInfo::exists(path) &&
        prompter_->question(this, message(Msg::FileExistsReplace), true) != Answer::Yes)
        return;
    const QImage& background = chart_->backgroundImage();
    try {
        saveChartPicture(chart_->look(), chart_->shown(),
                         background.isNull() ? nullptr : &background, chart_->size(), path, type);
    } catch (const ImageError& error) {
        prompter_->information(this, error.message(), true);
        return;
    }
    imageFolder_ = QFileInfo(path).absolutePath();
    ini_.writeString(ini::kImage, ini::kDirectory, imageFolder_);
    saveIni();
}

// ---- points under the mouse

void MainWindow::removePointsToggled(bool down) {
    if (down) movePointsButton_->setChecked(false);
    removePointsButton_->setToolTip(message(down ? Msg::RemovePointsHint : Msg::ValuePointsHint));
    chart_->setEditingPoints(down || movePointsButton_->isChecked());
}

// Letting the move button up offers the sort that puts moved points in their place.
void MainWindow::movePointsClicked(bool down) {
    if (down) removePointsButton_->setChecked(false);
    chart_->setEditingPoints(down || removePointsButton_->isChecked());
    if (!down && prompter_->question(this, message(Msg::SortQuestion), false) == Answer::Yes)
        sortOnX();
}

void MainWindow::writeReadOut(double x, double y) {
    const QChar separator = localeDecimalSeparator();
    panels_[2]->setText(QStringLiteral("X=") + NumberText(x, separator));
    panels_[3]->setText(QStringLiteral("Y=") + NumberText(y, separator));
    if (autoResizePanels_) {
        const QFontMetrics metrics(font());
        panels_[2]->setFixedWidth(
            metrics.horizontalAdvance(QStringLiteral("X=") + panels_[2]->text()) + 3);
        panels_[3]->setFixedWidth(
            metrics.horizontalAdvance(QStringLiteral("Y=") + panels_[3]->text()) + 3);
    }
}

void MainWindow::chartPointClicked(int index, QPoint position) {
    ChartSeries& series = chart_->shown();
    if (index < 0 || index >= series.size()) return;
    const ChartPoint point = series.points()[static_cast<std::size_t>(index)];
    writeReadOut(point.x, point.y);
    if (removePointsButton_->isChecked()) {
        const std::optional<int> curve = readCurve();
        if (!curve) return;
        const int row = rowOfPoint(*table_, *curve, point.x, point.y, localeDecimalSeparator());
        if (row == 0) return; // the point is not in the Table: nothing changes
        showStatus(message(Msg::ValueRemoved));
        series.remove(index);
        removePairRow(*table_, *curve, row);
        chart_->refresh();
    } else if (movePointsButton_->isChecked()) {
        pointDrag_ = {true, point.x, point.y, position, point, index};
        series.remove(index);
        chart_->refresh();
        chart_->setDragSquare(position);
    }
}

void MainWindow::chartMouseMoved(QPoint position) {
    if (!pointDrag_.active) return;
    pointDrag_.last = position;
    chart_->setDragSquare(position);
}

// The dragged point lands where the mouse was let go: every row that held it takes the new
// values, and the points are added again as their rows now read.
void MainWindow::chartMouseReleased(QPoint position) {
    if (!pointDrag_.active) return;
    pointDrag_.active = false;
    chart_->setDragSquare(std::nullopt);
    const ChartMapping mapping = chart_->layout().mapping();
    const double newX = mapping.xAt(position.x()), newY = mapping.yAt(position.y());
    const std::optional<int> curve = readCurve();
    if (!curve) return;
    const QChar separator = localeDecimalSeparator();
    LongOperation::Hooks progress = longOperationHooks();
    progress.showProgress(table_->gridRowCount());
    try {
        const std::vector<int> rows =
            movePairPoint(*table_, *curve, pointDrag_.oldX, pointDrag_.oldY, newX, newY, separator,
                          [&progress](int row) {
                              progress.setProgress(row);
                              return true;
                          });
        ChartSeries& series = chart_->shown();
        // Other points of the old values stand for rows that moved too: they go, and every
        // moved row comes back once at its new place.
        if (!rows.empty())
            for (int i = series.size() - 1; i >= 0; --i) {
                const ChartPoint& p = series.points()[static_cast<std::size_t>(i)];
                if (p.x == pointDrag_.oldX && p.y == pointDrag_.oldY) series.remove(i);
            }
        for (int row : rows)
            series.add(parseDouble(table_->cell(2 * *curve - 1, row), separator),
                       parseDouble(table_->cell(2 * *curve, row), separator), seriesColour_);
    } catch (const ConversionError& error) {
        // Nothing moved: the dragged point goes back where it was.
        chart_->shown().insert(pointDrag_.index, pointDrag_.point);
        prompter_->information(this, error.message(), true);
    }
    progress.showProgress(-1);
    chart_->refresh();
}

} // namespace quorvex
