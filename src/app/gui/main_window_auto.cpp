// Automatic digitization, its step fields and search in area.
#include "app/gui/main_window.h"

#include "autodigit/colour_distance.h"

#include "autodigit/gui/auto_digitize_settings_dialog.h"
#include "autodigit/step_fields.h"
#include "components/image_view.h"
#include "components/widgets.h"
#include "core/messages.h"
#include "core/round.h"
#include "table/table.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>
#include <optional>

namespace quorvex {

// ---- step fields

int MainWindow::calibrationPixelWidth() const {
    return std::abs(pixelRightTop_.x() - pixelLeftBottom_.x());
}

void MainWindow::refreshStepCaption() {
    if (const auto caption = steps::graphStepCaption(
            cornerFields_[0]->text(), cornerFields_[2]->text(), firstRowBox_->value(),
            lastRowBox_->value(), localeDecimalSeparator()))
        graphStepAction_->setText(*caption);
}

// "from" or "to" changed: the step follows; from = to has no step and is reported.
void MainWindow::recomputeStep() {
    if (const auto step =
            steps::stepFor(calibrationPixelWidth(), firstRowBox_->value(), lastRowBox_->value()))
        stepBox_->setValue(*step);
    else
        showStatus(pointFailureText(PointFailure::ZeroDivide));
}

void MainWindow::firstRowChanged() {
    if (!presettingSteps_) recomputeStep();
}

void MainWindow::lastRowChanged() {
    if (presettingSteps_) return;
    recomputeStep();
    refreshStepCaption();
}

void MainWindow::stepChanged() {
    if (presettingSteps_ || dragging_) return;
    lastRowBox_->setValue(
        steps::toFor(calibrationPixelWidth(), stepBox_->value(), firstRowBox_->value()));
}

void MainWindow::oneValuednessToggled() {
    thicknessBox_->setEnabled(!oneValuedBox_->isChecked());
}

// "Setup step": the step in graph units.
void MainWindow::setUpGraphStep() {
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("StepSetup"));
    dialog.setWindowTitle(QStringLiteral("Setup step"));
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(QStringLiteral("Setup the value of step")));
    auto* edit = new QLineEdit(graphStepAction_->text());
    edit->setObjectName(QStringLiteral("Edit1"));
    layout->addWidget(edit);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    layout->addWidget(buttons);
    const QChar separator = localeDecimalSeparator();
    double width = 0;
    {
        double a = 0, b = 0;
        if (tryParseDouble(cornerFields_[0]->text(), separator, a) &&
            tryParseDouble(cornerFields_[2]->text(), separator, b))
            width = std::abs(a - b);
    }
    QObject::connect(
        edit, &QLineEdit::textEdited, edit, [edit, width, separator](const QString& text) {
            QString fixed = text;
            fixed.replace(QLatin1Char(','), separator).replace(QLatin1Char('.'), separator);
            double v = 0;
            if (tryParseDouble(fixed, separator, v) && std::abs(v) > width)
                fixed = NumberText(width, separator);
            if (fixed != text) edit->setText(fixed);
        });
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
        double step = 0;
        if (!tryParseDouble(edit->text(), separator, step) || step == 0) {
            prompter_->information(&dialog, message(Msg::InvalidFloat).arg(edit->text()), true);
            return; // stays open with the text as typed
        }
        dialog.accept();
    });
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (!runDialog(&dialog)) return;
    double step = 0;
    if (!tryParseDouble(edit->text(), separator, step) || step == 0) return;
    graphStepAction_->setText(edit->text());
    lastRowBox_->setValue(steps::toForGraphStep(width, step, firstRowBox_->value()));
}

// ---- automatic digitization

void MainWindow::digitizeAutomatically() {
    if (longOperationRunning_) return; // one long operation at a time
    const auto finish = [this] { autoDigitizeButton_->setChecked(false); };
    if (!cornerTextsDiffer()) return finish();
    if (!realSizeAction_->isChecked()) showRealSize();
    enableDataCommands();
    if (bezierUsed_ &&
        prompter_->question(this, message(Msg::BezierDigitizeQuestion), false) == Answer::Yes) {
        curveColour_ = markerColour_;
        curveColourSwatch_->setColour(curveColour_);
        bezierUsed_ = false;
    }
    if (curveColour_ == markerColour_) markerSizeBox_->setValue(1);
    std::optional<ToGraph> graph;
    try {
        graph.emplace(calibration(), localeDecimalSeparator());
    } catch (const ConversionError& error) {
        prompter_->information(this, error.message(), true);
        return finish();
    } catch (const PointError& error) {
        prompter_->information(this, pointFailureText(error.failure()), true);
        return finish();
    }
    if (cornerValuesArePixels() &&
        prompter_->question(this, message(Msg::UncalibratedQuestionAuto), false) != Answer::Yes)
        return finish();
    // A curve number that is no integer ends the run before anything changes.
    const std::optional<int> curveRead = readCurve();
    if (!curveRead) return finish();
    const int curve = *curveRead;
    const bool markersOn = markersAction_->isChecked();
    const bool rulersWereShown = rulersFlag_;
    if (markersOn) {
        markerSize_ = markerSizeBox_->value();
        hideRulers();
    }

    {
        // Stop works from here on; the rest of the window is locked until the run ends.
        LongOperation operation(longOperationHooks(), std::max(area_.right, 1));
        imageView_->setEnabled(true); // the image stays usable while the rest is locked
        AutoDigitizeSettingsDialog dialog(curveColour_, this);
        dialog.inform = [this](const QString& text) { prompter_->information(this, text); };
        dialog.prepare(document_.raster.format());
        dialog.setDistanceOptions(distance_);
        if (scanChoices_) {
            // The curve colour may have changed since: the dialog keeps the current one.
            dialog.setScanChoices(scanChoices_->recognition, scanChoices_->grid,
                                  scanChoices_->horizontalLines, scanChoices_->verticalLines);
        }
        if (runDialog(&dialog) && !dialog.cancelled()) {
            storeDistanceOptions(dialog.distanceOptions());
            scanChoices_ = ScanChoices{dialog.recognition(), dialog.grid(),
                                       dialog.horizontalLinesText(), dialog.verticalLinesText()};
            runAutomaticScan(dialog, *graph, curve, markersOn, operation);
        }
    }
    if (markersOn && rulersWereShown) {
        for (QWidget* w :
             std::initializer_list<QWidget*>{horizontalRuler_, verticalRuler_, rulerCorner_}) {
            w->setVisible(true);
            w->setEnabled(true);
        }
        rulersFlag_ = true;
    }
    mouseMode_ = MouseMode::Idle;
    updateUndoActions();
    finish();
}

// Whether the corner fields hold the pixel numbers a rectangle selection wrote: the image is
// then not calibrated yet.
bool MainWindow::cornerValuesArePixels() const {
    const int height = document_.raster.height();
    const double corner[4] = {double(pixelLeftBottom_.x()), double(height - pixelLeftBottom_.y()),
                              double(pixelRightTop_.x()), double(height - pixelRightTop_.y())};
    for (std::size_t i = 0; i < 4; ++i) {
        double value = 0;
        if (!tryParseDouble(cornerFields_[i]->text(), localeDecimalSeparator(), value) ||
            value != corner[i])
            return false;
    }
    return true;
}

// The scan settings the window's own fields hold: the area, step, indent, one-valuedness,
// thickness and self-correction (recognition and grid come from the run's dialog).
ScanSettings MainWindow::scanFieldSettings() const {
    ScanSettings s;
    s.area = {area_.left, area_.top, area_.right, area_.bottom};
    s.step = stepBox_->value();
    s.indent = indentBox_->value();
    s.oneValued = oneValuedBox_->isChecked();
    s.thickness = thicknessBox_->value();
    s.selfCorrection = selfCorrectionBox_->isChecked();
    s.correctionDepth = correctionDepthBox_->value();
    return s;
}

// The scan of an accepted run: its points go into the curve's pair from its start row on. The
// recognition reads the image as it was when the run started: the markers of the run go into
// the image only after the scan.
void MainWindow::runAutomaticScan(const AutoDigitizeSettingsDialog& dialog, const ToGraph& graph,
                                  int curve, bool markersOn, LongOperation& operation) {
    ScanSettings s = scanFieldSettings();
    s.recognition = dialog.recognition();
    s.grid = dialog.grid();
    GridLines lines;
    try {
        if (s.grid.typedOn)
            readTypedLines(dialog.horizontalLinesText(), dialog.spacePressesH(),
                           dialog.verticalLinesText(), dialog.spacePressesV(),
                           document_.raster.height(), lines);
    } catch (const ConversionError& error) {
        // Nothing has been written: the Table, its next row and the undo record stay as they were.
        prompter_->information(this, error.message(), true);
        return;
    }
    if (s.grid.searchOn)
        findHorizontalLines(document_.raster, curveColourTest(s.recognition), s.area, s.indent,
                            s.grid, lines);

    const int restoreRow = table_->nextRow(curve);
    int startRow = restoreRow;
    switch (dialog.tableStart()) {
    case AutoDigitizeSettingsDialog::FromFirstRow:
        startRow = 1;
        break;
    case AutoDigitizeSettingsDialog::AtEnd:
        startRow = restoreRow + 1;
        break;
    case AutoDigitizeSettingsDialog::FromField:
        startRow = std::max(firstRowBox_->value(), 1);
        break;
    }
    QCoreApplication::processEvents();

    const int xColumn = 2 * curve - 1;
    const int firstRow = startRow - 1;
    int row = firstRow;
    bool tableFull = false;
    std::optional<PointFailure> failure;
    std::vector<QPoint> marked;
    const ScanOutcome outcome = scanArea(
        document_.raster, s, lines,
        [&](int x, double y) {
            if (row >= Table::kMaxRows) {
                tableFull = true;
                return;
            }
            // A point that does not convert is not written and not counted; the run goes on.
            QString xText, yText;
            try {
                xText = NumberText(graph.x(x));
                yText = NumberText(graph.y(y));
            } catch (const PointError& error) {
                failure = error.failure();
                return;
            }
            ++row;
            table_->store().setCell(xColumn, row, xText);
            table_->store().setCell(xColumn + 1, row, yText);
            if (markersOn) marked.emplace_back(x, Round(y));
        },
        [&](int x) { return !tableFull && operation.step(x); });

    if (row == firstRow) {
        // Nothing written: the Table and the undo record stay as they were.
        showStatus(failure ? pointFailureText(*failure) : message(Msg::NoPointsFound));
        return;
    }
    for (const QPoint& p : marked)
        drawMarker(document_.raster, p.x(), p.y(), markerSize_, markerColour_, &document_.marks);
    // The undo record now holds this run, also after a stop: exactly the rows it wrote.
    undo_.beginDigitization(UndoRecord::Source::Automatic, xColumn, firstRow, restoreRow);
    undo_.available = true;
    undo_.lastRow = row;
    undo_.markerSize = markerSize_;
    undo_.markerColour = markerColour_;
    searchUndoable_ = false;
    if (markersOn) {
        markers_.setCount(0);
        for (std::size_t i = 0; i < marked.size() && i < std::size_t(MarkerList::kCapacity); ++i)
            markers_.append(marked[i]);
        undo_.markerCount = markers_.count();
    }
    table_->revealPair(curve);
    table_->cellsWritten(xColumn, firstRow + 1, xColumn + 1, row);
    undo_.noteDigitizationWritten(*table_);
    // The curve continues after the run; row 0 is the title row and never receives points.
    table_->setNextRow(curve, row);
    if (table_->rowCountSetting() < row) table_->setRowCount(row);
    imageView_->refreshAll();
    if (tableFull)
        showStatus(message(Msg::TableFull));
    else if (failure)
        showStatus(pointFailureText(*failure));
    if (outcome != ScanOutcome::Stopped) pages_->setCurrentWidget(tablePage_);
}

// ---- search in area

void MainWindow::toggleSearchInArea() {
    enableDataCommands();
    const bool down = searchTool_->isChecked();
    if (down && !uncalibratedCheck()) {
        searchTool_->setChecked(false);
        return;
    }
    optionPages_->setCurrentWidget(extraOptions_);
    markerSizeChanged(markerSizeBox_->value());
    if (!down) {
        mouseMode_ = MouseMode::Idle;
        imageView_->setCursor(Qt::CrossCursor);
    } else {
        switch (prompter_->question(this, message(Msg::ClearTableQuestion), true)) {
        case Answer::Yes:
            reportingConversion([this] { table_->clearCurrentPair(); });
            mouseMode_ = MouseMode::SearchInArea;
            break;
        case Answer::No:
            mouseMode_ = MouseMode::SearchInArea;
            break;
        case Answer::Cancel:
            searchTool_->setChecked(false);
            mouseMode_ = MouseMode::Idle;
            break;
        }
    }
    markerSizeBox_->setValue(10);
    setImageCursor();
}

void MainWindow::searchPress(double, double) {
    if (!cornerTextsDiffer()) return;
    const std::optional<int> curve = readCurve();
    if (!curve) return;
    searchButtonHeld_ = true;
    strokeCurve_ = *curve;
    strokeStartRow_ = table_->nextRow(*curve);
    strokePoints_ = 0;
    imageView_->clearOverlayCircles();
}

void MainWindow::searchMove(double u, double v) {
    if (!searchButtonHeld_) return;
    const double distance = std::hypot(u - lastSearchPoint_.x(), v - lastSearchPoint_.y());
    const int m = markerSize_;
    if (2 * m * searchIntervalBox_->value() >= distance) return;
    if (!selfCorrectionBox_->isChecked()) return;
    const std::optional<double> row = correctedRow(u, v, m);
    if (!row) return;
    const int px = Round(u / viewScale_), py = Round(*row);
    try {
        const ToGraph graph(calibration(), localeDecimalSeparator());
        const double gx = graph.x(px), gy = graph.y(*row);
        const int tableRow = table_->nextRow(strokeCurve_);
        if (!table_->appendPoint(gx, gy)) {
            showStatus(message(Msg::TableFull));
        } else {
            if (strokePoints_++ == 0) {
                // The stroke's first point: the undo record now holds this stroke.
                markers_.setCount(0);
                undo_.beginDigitization(UndoRecord::Source::Search, 2 * strokeCurve_ - 1,
                                        strokeStartRow_ - 1, strokeStartRow_);
                undo_.available = false; // offered through the search flag
                undo_.markerSize = 1;
                undo_.markerColour = markerColour_;
                searchUndoable_ = true;
            }
            undo_.lastRow = tableRow;
            undo_.noteDigitizationWritten(*table_);
            if (markersAction_->isChecked()) {
                imageView_->addOverlayCircle(QPointF(px * viewScale_, py * viewScale_), m,
                                             markerColour_);
                document_.marks.setShownPixel(document_.raster, px, py,
                                              document_.raster.representable(markerColour_));
                refreshImage(QRect(px, py, 1, 1));
                markers_.append(QPoint(px, py));
                undo_.markerCount = markers_.count();
            }
        }
    } catch (const ConversionError&) {
        showStatus(pointFailureText(PointFailure::ConvertError));
    } catch (const PointError& error) {
        showStatus(pointFailureText(error.failure()));
    }
    lastSearchPoint_ = QPoint(static_cast<int>(u), static_cast<int>(v));
}

void MainWindow::searchRelease() {
    if (!searchButtonHeld_) return;
    searchButtonHeld_ = false;
    if (strokePoints_ == 0) showStatus(message(Msg::NoPointsFound));
    swallowNextClick_ = true;
    markerSizeBox_->setValue(3);
    updateUndoActions();
}

// ---- recognition shared by the tools

std::optional<double> MainWindow::correctedRow(double u, double v, int window) const {
    const double s = viewScale_;
    if (!distance_.on) {
        const std::optional<int> row =
            selfCorrectedRow(document_.raster, curveColour_, u, v, s, window);
        if (!row) return std::nullopt;
        return double(*row);
    }
    const std::optional<double> row = distanceCorrectedRow(
        document_.raster, curveColour_, distance_.tolerance, Round(u / s), Round(v / s), window);
    if (!row) return std::nullopt;
    return distance_.subPixel ? *row : double(Round(*row));
}

void MainWindow::storeDistanceOptions(const DistanceOptions& options) {
    distance_ = options;
    ini_.writeBool(ini::kAuto, ini::kColourDistance, options.on);
    ini_.writeInteger(ini::kAuto, ini::kDistanceTolerance, options.tolerance);
    ini_.writeBool(ini::kAuto, ini::kSubPixel, options.subPixel);
    saveIni();
}

} // namespace quorvex
