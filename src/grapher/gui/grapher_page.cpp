#include "grapher/gui/grapher_page.h"

#include "app/settings_files.h"
#include "components/widgets.h"
#include "core/messages.h"
#include "grapher/chart_picture.h"
#include "grapher/grapher_table.h"
#include "grapher/gui/chart_view.h"
#include "grapher/gui/grapher_options_dialog.h"
#include "image/image_error.h"
#include "table/table.h"
#include "table/table_history.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QFontMetrics>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace quorvex {

GrapherPage::GrapherPage(const PartContext& context) : WindowPart(context) {
    createWidgets();
    createMenus();
    CommandRegistry& c = commands();
    QAction* showGraph = c.addAction("YX1", QStringLiteral("Y(X)"));
    QAction* saveGraphItem = c.addAction("N91", QStringLiteral("Save graph from Grapher... "));
    for (QAction* a : {showGraph, saveGraphItem})
        a->setEnabled(false);
    c.addRule(showGraph, CommandNeeds::ImageOrData);
    c.addRule(showGraphButton_, CommandNeeds::ImageOrData, true);
    c.addRule(chartBackgroundButton_, CommandNeeds::Image);
    const GrapherItems& g = grapherItems_;
    connect(showGraphButton_, &QPushButton::clicked, this, &GrapherPage::showCurve);
    connect(showGraph, &QAction::triggered, this, &GrapherPage::showCurve);
    for (int i = 0; i < 2; ++i) {
        connect(g.symbol[i], &QAction::triggered, this, [this] { setGrapherMode(false); });
        connect(g.line[i], &QAction::triggered, this, [this] { setGrapherMode(true); });
        connect(g.sorting[i], &QAction::triggered, this, &GrapherPage::toggleGrapherSorting);
        connect(g.increase[i], &QAction::triggered, this, [this] { changeSymbolSize(true); });
        connect(g.decrease[i], &QAction::triggered, this, [this] { changeSymbolSize(false); });
        connect(g.autoSize[i], &QAction::triggered, this, &GrapherPage::autoSizeChart);
        connect(g.grid[i], &QAction::triggered, this, &GrapherPage::toggleGrid);
        connect(g.logX[i], &QAction::triggered, this, [this] { toggleLogarithmic(true); });
        connect(g.logY[i], &QAction::triggered, this, [this] { toggleLogarithmic(false); });
        connect(g.clear[i], &QAction::triggered, this, &GrapherPage::clearGraph);
        connect(g.print[i], &QAction::triggered, this, &GrapherPage::printGraph);
        connect(g.options[i], &QAction::triggered, this, &GrapherPage::showGrapherOptions);
    }
    connect(saveGraphItem, &QAction::triggered, this, &GrapherPage::saveGraph);
    connect(&session(), &DigitizingSession::pictureReset, this, [this](bool tableCleared) {
        pointDrag_.active = false;
        chart_->setDragSquare(std::nullopt);
        if (tableCleared) emptyGraph();
        if (chartBackgroundButton_->isChecked()) chartBackgroundToggled(true);
    });
    connect(&session(), &DigitizingSession::activated, showGraphButton_,
            [this] { showGraphButton_->setText(QStringLiteral("Y(X)")); });
    for (QObject* control : std::initializer_list<QObject*>{saveGraphItem, g.clear[0], g.print[0]})
        c.addRule(control, CommandNeeds::DataOrGraph);
}

void GrapherPage::createWidgets() {
    CommandRegistry& c = commands();
    showGraphButton_ = named(new QPushButton(QStringLiteral("Y(X)")), "BitBtn1");
    showGraphButton_->setIcon(glyphIcon(Glyph::Graph));
    showGraphButton_->setToolTip(QStringLiteral("Display  Y(X) data from Table in Grapher"));
    c.addWidget("BitBtn1", showGraphButton_);
    page_ = new QWidget;
    auto* layout = new QVBoxLayout(page_);
    toolBar_ = new QToolBar;
    c.addToolBar("ToolBar1", toolBar_);
    auto add = [&c](const char* name, Glyph glyph, const QString& hint, bool checkable = false) {
        QToolButton* b = glyphButton(name, glyph, hint, checkable);
        c.addWidget(name, b);
        return b;
    };
    QToolButton* saveButton =
        add("SpeedButton17", Glyph::Save, QStringLiteral("Save graph from Grapher"));
    optionsButton_ = add("RxSpeedButton5", Glyph::Options, QStringLiteral("Options"));
    optionsButton_->setPopupMode(QToolButton::InstantPopup);
    printTextBox_ = named(new QCheckBox, "CheckBoxTextOut");
    printTextBox_->setToolTip(QStringLiteral("Include right text in printing"));
    printTextField_ = named(new QLineEdit(QStringLiteral("Y(X)")), "Edit5");
    printTextField_->setToolTip(QStringLiteral("Text for printing"));
    printTextField_->setEnabled(false);
    printTextField_->setMaximumWidth(160);
    c.addWidget("CheckBoxTextOut", printTextBox_);
    c.addWidget("Edit5", printTextField_);
    removePointsButton_ = add("RemoveSeries", Glyph::Delete,
                              QStringLiteral("Value of the points with MouseClick (look StatusBar "
                                             "below),\r\nif press down the button then it will be "
                                             "deleted the point and its value in Table"),
                              true);
    movePointsButton_ = add("RxSpeedButton7", Glyph::Points,
                            QStringLiteral("Moving bad points with mouse.\r\nExecute the sorting "
                                           "of Table later."),
                            true);
    QToolButton* printButton = add("ChartPrint", Glyph::Print, QStringLiteral("Print"));
    QToolButton* clearButton = add("SpeedButton3", Glyph::Clear, QStringLiteral("Clear"));
    chartBackgroundButton_ =
        add("Chart_bg", Glyph::Open,
            QStringLiteral("If button down then Background - the image of graph,\r\nif up - no "
                           "background."),
            true);
    seriesColourSwatch_ = new ColourSwatch;
    seriesColourSwatch_->setColour(kRed);
    seriesColourSwatch_->setToolTip(QStringLiteral("Define here color of series Y(X)"));
    c.addWidget("SeriesColor", seriesColourSwatch_);
    chart_ = named(new ChartView, "Chart1");
    layout->addWidget(toolBar_);
    layout->addWidget(chart_, 1);
    for (QObject* control : std::initializer_list<QObject*>{saveButton, clearButton, printButton})
        c.addRule(control, CommandNeeds::DataOrGraph);
    connect(clearButton, &QToolButton::clicked, this, &GrapherPage::clearGraph);
    connect(printButton, &QToolButton::clicked, this, &GrapherPage::printGraph);
    connect(saveButton, &QToolButton::clicked, this, &GrapherPage::saveGraph);
    connect(chartBackgroundButton_, &QToolButton::toggled, this,
            &GrapherPage::chartBackgroundToggled);
    connect(seriesColourSwatch_, &ColourSwatch::clicked, this, &GrapherPage::chooseSeriesColour);
    connect(printTextBox_, &QCheckBox::toggled, printTextField_, &QLineEdit::setEnabled);
    connect(removePointsButton_, &QToolButton::toggled, this, &GrapherPage::removePointsToggled);
    connect(movePointsButton_, &QToolButton::clicked, this, &GrapherPage::movePointsClicked);
    connect(chart_, &ChartView::pointClicked, this, &GrapherPage::chartPointClicked);
    connect(chart_, &ChartView::mouseMoved, this, &GrapherPage::chartMouseMoved);
    connect(chart_, &ChartView::mouseReleased, this, &GrapherPage::chartMouseReleased);
}

// The Grapher menu [0] (through the registry) and the drop-down of the Options button [1] hold
// the same commands.
void GrapherPage::createMenus() {
    optionsMenu_ = new QMenu(window());
    optionsMenu_->setObjectName(QStringLiteral("PopupMenu1"));
    QMenu* graphMenu = optionsMenu_->addMenu(QStringLiteral("Graph"));
    graphMenu->menuAction()->setObjectName(QStringLiteral("Gr"));
    struct ItemNames {
        const char* main;
        const char* popup;
    };
    GrapherItems& g = grapherItems_;
    auto pair = [&](ItemPair& items, ItemNames names, const char* caption, bool inGraphMenu) {
        items[0] = commands().addAction(names.main, QString::fromLatin1(caption));
        items[1] =
            (inGraphMenu ? graphMenu : optionsMenu_)->addAction(QString::fromLatin1(caption));
        items[1]->setObjectName(QString::fromLatin1(names.popup));
    };
    pair(g.symbol, {"N22", "N10"}, "Symbol", true);
    pair(g.line, {"N23", "N20"}, "Line", true);
    graphMenu->addSeparator();
    pair(g.sorting, {"N38", "N27"}, "Sorting on X", true);
    pair(g.increase, {"N17", "N14"}, "Increase symbol size", false);
    pair(g.decrease, {"N18", "N13"}, "Decrease symbol size", false);
    pair(g.autoSize, {"MG_Auto", "PM_Auto"}, "Auto-size", false);
    pair(g.grid, {"MG_Grid", "PM_Grid"}, "Grid", false);
    optionsMenu_->addSeparator();
    pair(g.logX, {"MG_log", "PM_log"}, "Logarithmic scale X (log10)", false);
    pair(g.logY, {"MG_logY", "PM_logY"}, "Logarithmic scale Y (log10)", false);
    optionsMenu_->addSeparator();
    pair(g.clear, {"MG_clear", "PM_clear"}, "Clear", false);
    pair(g.print, {"N45", "N51"}, "Print", false);
    optionsMenu_->addSeparator();
    pair(g.options, {"Edit", "Edit6"}, "Options...", false);
    auto checked = [](QAction* a, bool on) {
        a->setCheckable(true);
        a->setChecked(on);
        return a;
    };
    for (int i = 0; i < 2; ++i) {
        auto* style = new QActionGroup(this);
        style->addAction(checked(g.symbol[static_cast<std::size_t>(i)], true));
        style->addAction(checked(g.line[static_cast<std::size_t>(i)], false));
        checked(g.sorting[static_cast<std::size_t>(i)], false);
        checked(g.grid[static_cast<std::size_t>(i)], true);
        checked(g.logX[static_cast<std::size_t>(i)], false);
        checked(g.logY[static_cast<std::size_t>(i)], false);
    }
    optionsButton_->setMenu(optionsMenu_);
}

bool GrapherPage::symbolMode() const {
    return grapherItems_.symbol[0]->isChecked();
}

void GrapherPage::setPointSize(int size) {
    pointSize_ = size;
    chart_->look().symbolSize = size;
    chart_->look().lineWidth = size;
    chart_->refresh();
}

// ---- filling the chart

void GrapherPage::showCurve() {
    if (session().longOperationRunning()) return; // one long operation at a time
    session().setGraphUsed();
    const std::optional<int> curve = readCurve();
    if (!curve) return;
    emptyGraph();
    const bool line = chart_->look().lineMode;
    chart_->line().setKeepsAscendingX(grapherItems_.sorting[0]->isChecked());
    ChartSeries& series = line ? chart_->line() : chart_->symbols();
    TableOutcome outcome = TableOutcome::Stopped;
    try {
        LongOperation operation(session().longOperationHooks(), table().gridRowCount());
        outcome = addPairPoints(table(), *curve, series, seriesColour_, localeDecimalSeparator(),
                                [&operation](int row) { return operation.step(row); });
    } catch (const ConversionError& error) {
        prompter().information(window(), error.message(), true);
    }
    chart_->refresh();
    if (outcome == TableOutcome::Done) session().showPage(WindowPage::Grapher);
}

void GrapherPage::showGrapherMode(bool line) {
    for (int i = 0; i < 2; ++i) {
        grapherItems_.symbol[i]->setChecked(!line);
        grapherItems_.line[i]->setChecked(line);
    }
    chart_->look().lineMode = line;
    chart_->refresh();
}

void GrapherPage::setGrapherMode(bool line) {
    showGrapherMode(line);
    (line ? chart_->symbols() : chart_->line()).clear();
    refillSeries(line);
}

void GrapherPage::refillSeries(bool line) {
    ChartSeries& series = line ? chart_->line() : chart_->symbols();
    series.clear();
    try {
        addPairPoints(table(), table().currentCurve(), series, seriesColour_,
                      localeDecimalSeparator(), {});
    } catch (const ConversionError& error) {
        prompter().information(window(), error.message(), true);
    }
    chart_->refresh();
}

void GrapherPage::emptyGraph() {
    pointDrag_.active = false;
    chart_->setDragSquare(std::nullopt);
    chart_->symbols().clear();
    chart_->line().clear();
    chart_->refresh();
}

void GrapherPage::clearGraph() {
    emptyGraph();
}

// ---- the look

void GrapherPage::toggleGrapherSorting(bool on) {
    for (QAction* item : grapherItems_.sorting)
        item->setChecked(on);
}

// The sizes start from the stored keys each time, so that both series follow what is stored.
void GrapherPage::changeSymbolSize(bool increase) {
    int symbol = ini().readInteger(ini::kGrapher, ini::kPointSize, 2);
    int line = ini().readInteger(ini::kGrapher, ini::kLineSize, 2);
    symbol = increase ? increasedSize(symbol) : decreasedSize(symbol);
    line = increase ? increasedSize(line) : decreasedSize(line);
    ChartLook& look = chart_->look();
    look.symbolSize = symbol;
    look.lineWidth = line;
    pointSize_ = symbol;
    ini().writeInteger(ini::kGrapher, ini::kPointSize, symbol);
    ini().writeInteger(ini::kGrapher, ini::kLineSize, line);
    saveIni();
    chart_->refresh();
}

void GrapherPage::autoSizeChart() {
    chart_->resetZoom();
}

void GrapherPage::toggleGrid(bool on) {
    for (QAction* item : grapherItems_.grid)
        item->setChecked(on);
    chart_->look().grid = on;
    chart_->refresh();
}

// An axis turns logarithmic, or back to linear, only while its current minimum is above zero.
void GrapherPage::toggleLogarithmic(bool xAxis) {
    ChartLook& look = chart_->look();
    bool& flag = xAxis ? look.logX : look.logY;
    const ItemPair& items = xAxis ? grapherItems_.logX : grapherItems_.logY;
    const ChartLayout layout = chart_->layout();
    const double minimum = xAxis ? layout.xRange().min : layout.yRange().min;
    if (logarithmicAllowed(minimum)) {
        flag = !flag;
        chart_->refresh();
    } else {
        prompter().information(
            window(), message(xAxis ? Msg::MinimumXNotPositive : Msg::MinimumYNotPositive));
    }
    for (QAction* item : items)
        item->setChecked(flag);
}

void GrapherPage::showGrapherOptions() {
    session().setGraphUsed();
    const ChartLayout layout = chart_->layout();
    GrapherOptionsDialog dialog(
        chart_->look(), layout.xRange(), layout.yRange(),
        [this](const QColor& initial) { return prompter().colour(window(), initial); }, window());
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
void GrapherPage::chartBackgroundToggled(bool down) {
    const Raster& raster = session().document().raster;
    if (!down || raster.isEmpty()) {
        chart_->setBackgroundImage(QImage());
        return;
    }
    constexpr int kLargestSide = 2048;
    const QImage picture = wrapRaster(raster);
    const QImage copy = picture.width() > kLargestSide || picture.height() > kLargestSide
                            ? picture.scaled(kLargestSide, kLargestSide, Qt::KeepAspectRatio,
                                             Qt::SmoothTransformation)
                            : picture.copy();
    chart_->setBackgroundImage(copy.convertToFormat(QImage::Format_RGB32));
}

void GrapherPage::chooseSeriesColour() {
    const std::optional<QColor> chosen =
        prompter().colour(window(), QColor::fromRgb(toQRgb(seriesColour_)));
    if (!chosen) return;
    seriesColour_ = fromQRgb(chosen->rgb());
    seriesColourSwatch_->setColour(seriesColour_);
    // The series take the colour for the points added from now on; those shown keep theirs.
    chart_->refresh();
}

// ---- printing and saving

void GrapherPage::printGraph() {
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QString failure;
    {
        QPrinter printer;
        prompter().preparePrinter(window(), printer);
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
        prompter().information(window(), message(Msg::PrintFailed).arg(failure), true);
}

void GrapherPage::saveGraph() {
    const auto choice = prompter().saveFile(
        window(), message(Msg::SaveGrapherImageTitle), session().pictureDialogFolder(),
        {QStringLiteral("Bitmaps (*.bmp)"), QStringLiteral("Metafiles (*.wmf)")}, QString());
    if (!choice) return;
    const ChartPictureType type =
        choice->filter == 1 ? ChartPictureType::Metafile : ChartPictureType::Bitmap;
    const QString path = chartPictureName(choice->path, type);
    if (QFileInfo::exists(path) &&
        prompter().question(window(), message(Msg::FileExistsReplace), true) != Answer::Yes)
        return;
    const QImage& background = chart_->backgroundImage();
    try {
        saveChartPicture(chart_->look(), chart_->shown(),
                         background.isNull() ? nullptr : &background, chart_->size(), path, type);
    } catch (const ImageError& error) {
        prompter().information(window(), error.message(), true);
        return;
    }
    session().imageFolder = QFileInfo(path).absolutePath();
    ini().writeString(ini::kImage, ini::kDirectory, session().imageFolder);
    saveIni();
}

// ---- points under the mouse

void GrapherPage::removePointsToggled(bool down) {
    if (down) movePointsButton_->setChecked(false);
    removePointsButton_->setToolTip(message(down ? Msg::RemovePointsHint : Msg::ValuePointsHint));
    chart_->setEditingPoints(down || movePointsButton_->isChecked());
}

// Letting the move button up offers the sort that puts moved points in their place.
void GrapherPage::movePointsClicked(bool down) {
    if (down) removePointsButton_->setChecked(false);
    chart_->setEditingPoints(down || removePointsButton_->isChecked());
    if (!down && prompter().question(window(), message(Msg::SortQuestion), false) == Answer::Yes)
        commands().run(QStringLiteral("table.sortOnX"));
}

void GrapherPage::writeReadOut(double x, double y) {
    const QChar separator = localeDecimalSeparator();
    const QFontMetrics metrics(window()->font());
    session().setReadout(2, QStringLiteral("X=") + NumberText(x, separator),
                         metrics.horizontalAdvance(QStringLiteral("X=")) + 3);
    session().setReadout(3, QStringLiteral("Y=") + NumberText(y, separator),
                         metrics.horizontalAdvance(QStringLiteral("Y=")) + 3);
}

void GrapherPage::chartPointClicked(int index, QPoint position) {
    ChartSeries& series = chart_->shown();
    if (index < 0 || index >= series.size()) return;
    const ChartPoint point = series.points()[static_cast<std::size_t>(index)];
    writeReadOut(point.x, point.y);
    if (removePointsButton_->isChecked()) {
        const std::optional<int> curve = readCurve();
        if (!curve) return;
        const int row = rowOfPoint(table(), *curve, point.x, point.y, localeDecimalSeparator());
        if (row == 0) return; // the point is not in the Table: nothing changes
        session().showStatus(message(Msg::ValueRemoved));
        series.remove(index);
        TableChangeScope change(history(), message(Msg::ChangeChartRemove));
        removePairRow(table(), *curve, row);
        chart_->refresh();
    } else if (movePointsButton_->isChecked()) {
        pointDrag_ = {true, point.x, point.y, position, point, index};
        series.remove(index);
        chart_->refresh();
        chart_->setDragSquare(position);
    }
}

void GrapherPage::chartMouseMoved(QPoint position) {
    if (!pointDrag_.active) return;
    pointDrag_.last = position;
    chart_->setDragSquare(position);
}

// The dragged point lands where the mouse was let go: every row that held it takes the new
// values, and the points are added again as their rows now read.
void GrapherPage::chartMouseReleased(QPoint position) {
    if (!pointDrag_.active) return;
    pointDrag_.active = false;
    chart_->setDragSquare(std::nullopt);
    const ChartMapping mapping = chart_->layout().mapping();
    const double newX = mapping.xAt(position.x()), newY = mapping.yAt(position.y());
    const std::optional<int> curve = readCurve();
    if (!curve) return;
    const QChar separator = localeDecimalSeparator();
    LongOperation::Hooks progress = session().longOperationHooks();
    progress.showProgress(table().gridRowCount());
    try {
        TableChangeScope change(history(), message(Msg::ChangeChartMove));
        const std::vector<int> rows =
            movePairPoint(table(), *curve, pointDrag_.oldX, pointDrag_.oldY, newX, newY, separator,
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
            series.add(parseDouble(table().cell(2 * *curve - 1, row), separator),
                       parseDouble(table().cell(2 * *curve, row), separator), seriesColour_);
    } catch (const ConversionError& error) {
        // Nothing moved: the dragged point goes back where it was.
        chart_->shown().insert(pointDrag_.index, pointDrag_.point);
        prompter().information(window(), error.message(), true);
    }
    progress.showProgress(-1);
    chart_->refresh();
}

} // namespace quorvex
