// Automatic digitization, its step fields and search in area.
#include "app/gui/main_window.h"

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
    if (!prompter_->run(&dialog)) return;
    double step = 0;
    if (!tryParseDouble(edit->text(), separator, step) || step == 0) return;
    graphStepAction_->setText(edit->text());
    lastRowBox_->setValue(steps::toForGraphStep(width, step, firstRowBox_->value()));
}

// ---- automatic digitization

void MainWindow::digitizeAutomatically() {
    const auto finish = [this] { autoDigitizeButton_->setChecked(false); };
    if (!cornerTextsDiffer()) return finish();
    if (!realSizeAction_->isChecked()) showRealSize();
    setDataCommandsEnabled(true);
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
    {
        const int height = document_.raster.height();
        const double corner[4] = {double(pixelLeftBottom_.x()),
                                  double(height - pixelLeftBottom_.y()), double(pixelRightTop_.x()),
                                  double(height - pixelRightTop_.y())};
        bool pixels = true;
        for (int i = 0; i < 4; ++i)
            pixels = pixels &&
                     parseDouble(cornerFields_[static_cast<std::size_t>(i)]->text()) == corner[i];
        if (pixels &&
            prompter_->question(this, message(Msg::UncalibratedQuestionAuto), false) != Answer::Yes)
            return finish();
    }
    const bool markersOn = markersAction_->isChecked();
    const bool rulersWereShown = rulersFlag_;
    if (markersOn) {
        markerSize_ = markerSizeBox_->value();
        hideRulers();
    }
    int n = 1;
    reportingConversion([&] { n = table_->currentCurve(); });

    // Stop works from here on; the rest of the window is locked until the run ends.
    std::optional<LongOperation> operation;
    operation.emplace(longOperationHooks(), std::max(area_.right, 1));
    imageView_->setEnabled(true); // the image stays usable while the rest is locked
    AutoDigitizeSettingsDialog dialog(curveColour_, this);
    dialog.inform = [this](const QString& text) { prompter_->information(this, text); };
    dialog.prepare(document_.raster.format());
    const bool accepted = prompter_->run(&dialog) && !dialog.cancelled();
    bool stopped = false;
    int row = 0;
    if (accepted) {
        switch (dialog.tableStart()) {
        case AutoDigitizeSettingsDialog::FromFirstRow:
            table_->setNextRow(n, 1);
            break;
        case AutoDigitizeSettingsDialog::AtEnd:
            table_->setNextRow(n, table_->nextRow(n) + 1);
            break;
        case AutoDigitizeSettingsDialog::FromField:
            table_->setNextRow(n, firstRowBox_->value());
            break;
        }
        row = table_->nextRow(n) - 1;
        undo_.restoreRow = row;
        undo_.firstRow = 0;
        const int firstRow = row;
        QCoreApplication::processEvents();

        ScanSettings s;
        s.recognition = dialog.recognition();
        s.area = {area_.left, area_.top, area_.right, area_.bottom};
        s.step = stepBox_->value();
        s.indent = indentBox_->value();
        s.oneValued = oneValuedBox_->isChecked();
        s.thickness = thicknessBox_->value();
        s.selfCorrection = selfCorrectionBox_->isChecked();
        s.correctionDepth = correctionDepthBox_->value();
        s.grid = dialog.grid();
        GridLines lines;
        bool linesRead = true;
        try {
            if (s.grid.typedOn)
                readTypedLines(dialog.horizontalLinesText(), dialog.spacePressesH(),
                               dialog.verticalLinesText(), dialog.spacePressesV(),
                               document_.raster.height(), lines);
            if (s.grid.searchOn)
                findHorizontalLines(document_.raster, curveColour_, s.area, s.indent, s.grid,
                                    lines);
        } catch (const ConversionError& error) {
            prompter_->information(this, error.message(), true);
            linesRead = false;
        }
        if (linesRead) {
            const int xColumn = 2 * n - 1;
            int stored = 0;
            try {
                const ScanOutcome outcome = scanArea(
                    document_.raster, s, lines,
                    [&](int x, int y) {
                        ++row;
                        table_->store().setCell(xColumn, row, NumberText(graph->x(x)));
                        table_->store().setCell(xColumn + 1, row, NumberText(graph->y(y)));
                        if (markersOn) {
                            drawMarker(document_.raster, x, y, markerSize_, markerColour_);
                            if (stored == 0) markers_.setCount(0);
                            if (stored < MarkerList::kCapacity) {
                                markers_.append(QPoint(x, y));
                                ++stored;
                            }
                            undo_.markerCount = stored;
                        }
                    },
                    [&operation](int x) { return operation->step(x); });
                stopped = outcome == ScanOutcome::Stopped;
            } catch (const PointError& error) {
                showStatus(pointFailureText(error.failure()));
                stopped = true;
            }
            // Undo takes back exactly the rows this run wrote, also after a stop.
            undo_.available = row > firstRow;
            undo_.markerSize = markerSize_;
            undo_.markerColour = markerColour_;
            undo_.xColumn = xColumn;
            undo_.firstRow = firstRow;
            undo_.lastRow = row;
            if (!markersOn) undo_.markerCount = 0;
            table_->cellsWritten(xColumn, firstRow + 1, xColumn + 1, std::max(row, firstRow + 1));
            imageView_->refreshAll();
            if (!stopped) pages_->setCurrentWidget(tablePage_);
        }
        // The curve continues after the run; row 0 is the title row and never receives points.
        table_->setNextRow(n, std::max(row, 1));
        if (table_->rowCountSetting() < row) table_->setRowCount(row);
    }
    operation.reset();
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

// ---- search in area

void MainWindow::toggleSearchInArea() {
    setDataCommandsEnabled(true);
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
    searchButtonHeld_ = true;
    searchUndoable_ = true;
    undo_.available = true;
    undo_.firstRow = 0;
    markers_.setCount(0);
    imageView_->clearOverlayCircles();
}

void MainWindow::searchMove(double u, double v) {
    if (!searchButtonHeld_) return;
    const double distance = std::hypot(u - lastSearchPoint_.x(), v - lastSearchPoint_.y());
    const int m = markerSize_;
    if (2 * m * searchIntervalBox_->value() >= distance) return;
    if (!selfCorrectionBox_->isChecked()) return;
    const auto row = selfCorrectedRow(document_.raster, curveColour_, u, v, viewScale_, m);
    if (!row) return;
    const int px = Round(u / viewScale_), py = *row;
    try {
        const ToGraph graph(calibration(), localeDecimalSeparator());
        if (!table_->appendPoint(graph.x(px), graph.y(py))) {
            showStatus(message(Msg::TableFull));
        } else if (markersAction_->isChecked()) {
            imageView_->addOverlayCircle(QPointF(px * viewScale_, py * viewScale_), m * viewScale_);
            document_.raster.setPixel(px, py, markerColour_);
            refreshImage(QRect(px, py, 1, 1));
            markers_.append(QPoint(px, py));
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
    int n = 1;
    reportingConversion([&] { n = table_->currentCurve(); });
    undo_.markerCount = markers_.count();
    undo_.lastRow = markers_.count();
    undo_.markerSize = 1;
    undo_.xColumn = 2 * n - 1;
    undo_.markerColour = markerColour_;
    undo_.restoreRow = 1;    // the stroke's rows are cleared from row 1
    undo_.available = false; // offered through the search flag
    swallowNextClick_ = true;
    markerSizeBox_->setValue(3);
    updateUndoActions();
}

} // namespace quorvex
