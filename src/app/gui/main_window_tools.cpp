// The tools on the image: mouse dispatch, the calibration rectangle and "Fix coordinates",
// colour pick, manual input with self-correction and poly-Bezier, markers and the two undos.
#include "app/gui/main_window.h"

#include "components/image_view.h"
#include "components/widgets.h"
#include "core/canvas.h"
#include "core/messages.h"
#include "core/round.h"
#include "table/table.h"
#include "tools/gui/fix_coordinates_dialog.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <cmath>

namespace quorvex {

Calibration MainWindow::calibration() const {
    Calibration c;
    c.pixelLeftBottom = pixelLeftBottom_;
    c.pixelRightTop = pixelRightTop_;
    c.xLeftBottom = cornerFields_[0]->text();
    c.yLeftBottom = cornerFields_[1]->text();
    c.xRightTop = cornerFields_[2]->text();
    c.yRightTop = cornerFields_[3]->text();
    c.xTransfer = xTransferBox_->currentIndex();
    c.yTransfer = yTransferBox_->currentIndex();
    return c;
}

void MainWindow::setCornerText(int field, const QString& text) {
    QLineEdit* edit = cornerFields_[static_cast<std::size_t>(field)];
    edit->setText(text);
    // A narrow field shows the number from its start: "-1.4839..." must not read ".4839...".
    edit->setCursorPosition(0);
}

void MainWindow::refreshImage(const QRect& area) {
    imageView_->refresh(area);
}

void MainWindow::eraseSelection() {
    if (skipNextErase_) {
        skipNextErase_ = false;
        return;
    }
    drawSelection();
}

void MainWindow::drawSelection() {
    drawSelectionRectangle(document_.raster, selection_, markerColour_, &document_.marks);
    refreshImage(QRect(QPoint(std::min(selection_.left, selection_.right),
                              std::min(selection_.top, selection_.bottom)),
                       QPoint(std::max(selection_.left, selection_.right),
                              std::max(selection_.top, selection_.bottom))));
}

void MainWindow::setImageCursor() {
    imageView_->setCursor(mouseMode_ == MouseMode::ManualInput ||
                                  mouseMode_ == MouseMode::SearchInArea
                              ? markerCursor(markerSize_)
                              : QCursor(Qt::CrossCursor));
}

// One tool at a time: a button going down releases the others.
void MainWindow::toolButtonToggled(QToolButton* button, bool down) {
    if (!down) return;
    for (QToolButton* other :
         {rectangleTool_, colourPickTool_, searchTool_, manualInputTool_, rotateTool_, pencilTool_})
        if (other != button && other->isChecked()) other->setChecked(false);
}

void MainWindow::toggleRectangleSelection() {
    for (QWidget* w : std::initializer_list<QWidget*>{autoDigitizeButton_, searchTool_,
                                                      manualInputTool_, selectAreaOnlyButton_})
        w->setEnabled(true);
    for (QLineEdit* f : cornerFields_)
        f->setEnabled(true);
    optionPages_->setCurrentWidget(autoOptions_);
    mouseMode_ = rectangleTool_->isChecked() ? MouseMode::SelectRectangle : MouseMode::Idle;
    imageView_->setCursor(Qt::CrossCursor);
}

void MainWindow::toggleColourPick() {
    mouseMode_ =
        colourPickTool_->isChecked() ? MouseMode::PickCurveColour : MouseMode::SelectRectangle;
}

void MainWindow::presetRows(int lastRow, int firstRow) {
    presettingSteps_ = true;
    lastRowBox_->setValue(lastRow);
    firstRowBox_->setValue(firstRow);
    presettingSteps_ = false;
}

// ---- the calibration rectangle by mouse

void MainWindow::selectionPress(double u, double v) {
    eraseSelection();
    const QPoint p(Round(u / viewScale_), Round(v / viewScale_));
    selection_ = {p.x(), p.y(), p.x(), p.y()};
    pressPoint_ = p;
    dragging_ = true;
}

void MainWindow::selectionMove(double u, double v) {
    if (!dragging_) return;
    eraseSelection();
    selection_.right = Round(u / viewScale_);
    selection_.bottom = Round(v / viewScale_);
    drawSelection();
    if (hairLinesFlag_) imageView_->setGuideLines(QPointF(u, v));
}

void MainWindow::selectionRelease(double u, double v) {
    if (!dragging_) return;
    imageView_->setGuideLines(std::nullopt);
    dragging_ = false;
    rectangleTool_->setChecked(false);
    mouseMode_ = MouseMode::Idle;
    if (selection_.left == selection_.right && selection_.top == selection_.bottom)
        return; // a click
    selection_ = {
        std::min(selection_.left, selection_.right), std::min(selection_.top, selection_.bottom),
        std::max(selection_.left, selection_.right), std::max(selection_.top, selection_.bottom)};
    const int width = document_.raster.width(), height = document_.raster.height();
    const QPoint q(std::clamp(Round(u / viewScale_), 0, width),
                   std::clamp(Round(v / viewScale_), 0, height));
    if (selectAreaOnlyButton_->isChecked()) {
        area_ = {std::min(pressPoint_.x(), q.x()), std::max(pressPoint_.y(), q.y()),
                 std::max(pressPoint_.x(), q.x()), std::min(pressPoint_.y(), q.y())};
        presetRows(area_.right - area_.left, 1);
        // A selection one pixel wide leaves the step as it was: it would divide by zero.
        if (lastRowBox_->value() != firstRowBox_->value()) {
            presettingSteps_ = true;
            stepBox_->setValue(Round(double(area_.right - area_.left) /
                                     (lastRowBox_->value() - firstRowBox_->value())));
            presettingSteps_ = false;
        }
        refreshStepCaption();
    } else {
        const QPoint p = pressPoint_;
        pixelLeftBottom_ = QPoint(std::min(p.x(), q.x()), std::max(p.y(), q.y()));
        pixelRightTop_ = QPoint(std::max(p.x(), q.x()), std::min(p.y(), q.y()));
        setCornerText(0, QString::number(pixelLeftBottom_.x()));
        setCornerText(2, QString::number(pixelRightTop_.x()));
        setCornerText(1, QString::number(height - pixelLeftBottom_.y()));
        setCornerText(3, QString::number(height - pixelRightTop_.y()));
        for (QLineEdit* f : cornerFields_)
            f->setStyleSheet(calibratedFieldStyle());
        area_ = {pixelLeftBottom_.x(), pixelLeftBottom_.y(), pixelRightTop_.x(),
                 pixelRightTop_.y()};
        presetRows(pixelRightTop_.x() - pixelLeftBottom_.x(), 1);
        if (lastRowBox_->value() != firstRowBox_->value()) {
            presettingSteps_ = true;
            stepBox_->setValue(Round(std::abs(pixelRightTop_.x() - pixelLeftBottom_.x()) /
                                     double(lastRowBox_->value() - firstRowBox_->value())));
            presettingSteps_ = false;
        }
        refreshStepCaption();
    }
    markerSizeBox_->setValue(1);
    markerSize_ = 1;
    selectionShown_ = true;
}

// ---- "Fix coordinates"

void MainWindow::fixCoordinates(bool rightClick) {
    if (document_.raster.isEmpty()) return;
    const int width = document_.raster.width(), height = document_.raster.height();
    const bool toolWasDown = rectangleTool_->isChecked();
    std::array<bool, 4> fieldsWereEnabled{};
    for (std::size_t i = 0; i < 4; ++i)
        fieldsWereEnabled[i] = cornerFields_[i]->isEnabled();
    if (rightClick) rectangleTool_->setChecked(true);
    for (QLineEdit* f : cornerFields_)
        f->setEnabled(true);
    FixCoordinatesDialog& d = *fixDialog_;
    d.prepare({cornerFields_[0]->text(), cornerFields_[1]->text(), cornerFields_[2]->text(),
               cornerFields_[3]->text()},
              width, height, selection_);
    if (!runDialog(&d)) {
        // Cancelled (Escape or the close button): everything stays as it was.
        rectangleTool_->setChecked(toolWasDown);
        for (std::size_t i = 0; i < 4; ++i)
            cornerFields_[i]->setEnabled(fieldsWereEnabled[i]);
        return;
    }
    rectangleTool_->setEnabled(true);
    rectangleTool_->setChecked(false);
    lastRowBox_->setValue(std::abs(d.rightTopXBox->value() - d.leftBottomXBox->value()));
    firstRowBox_->setValue(1);
    stepBox_->setValue(1);
    for (QWidget* w : std::initializer_list<QWidget*>{autoDigitizeButton_, searchTool_,
                                                      manualInputTool_, selectAreaOnlyButton_})
        w->setEnabled(true);

    eraseSelection();
    const int lbY = d.leftBottomYBox->value(), rtY = d.rightTopYBox->value();
    const int lbX = d.leftBottomXBox->value(), rtX = d.rightTopXBox->value();
    selection_.top = height - std::max(lbY, rtY);
    selection_.bottom = height - std::min(lbY, rtY);
    selection_.left = std::min(lbX, rtX);
    selection_.right = std::max(lbX, rtX);
    pixelLeftBottom_ = QPoint(selection_.left, height - lbY);
    pixelRightTop_ = QPoint(selection_.right, height - rtY);
    // The graph values stay with their fields; typed values win over the pixel numbers.
    const int pixels[4] = {lbX, lbY, rtX, rtY};
    bool typedArePixels = true;
    for (int i = 0; i < 4; ++i) {
        double value = 0;
        if (!tryParseDouble(d.graphFields[static_cast<std::size_t>(i)]->text(),
                            localeDecimalSeparator(), value) ||
            Round(value) != pixels[i])
            typedArePixels = false;
    }
    for (int i = 0; i < 4; ++i)
        setCornerText(i, typedArePixels ? QString::number(pixels[i])
                                        : d.graphFields[static_cast<std::size_t>(i)]->text());
    for (QLineEdit* f : cornerFields_)
        f->setStyleSheet(calibratedFieldStyle());
    area_ = {pixelLeftBottom_.x(), pixelLeftBottom_.y(), pixelRightTop_.x(), pixelRightTop_.y()};
    drawSelection();
    selectionShown_ = true;
    if (rightClick) {
        firstRowBox_->setValue(1);
        stepBox_->setValue(1);
    }
}

// ---- mouse dispatch

void MainWindow::imageMousePressed(QMouseEvent* event) {
    const double u = event->position().x(), v = event->position().y();
    if (event->button() == Qt::RightButton) {
        if (!selectAreaOnlyButton_->isChecked()) {
            if (manualInputTool_->isChecked()) {
                undoMenu_->popup(event->globalPosition().toPoint());
                swallowNextClick_ = true;
            } else {
                fixCoordinates(true);
            }
        }
        swallowNextClick_ = swallowNextClick_ || searchUndoable_;
        return;
    }
    if (event->button() != Qt::LeftButton) return;
    autoScrollOnDrag_ = true;
    lastSearchPoint_ = QPoint(0, 0);
    switch (mouseMode_) {
    case MouseMode::SelectRectangle:
        selectionPress(u, v);
        break;
    case MouseMode::SearchInArea:
        searchPress(u, v);
        break;
    case MouseMode::ManualInput:
        manualInputPress(u, v);
        break;
    case MouseMode::PickCurveColour: {
        const int x = Round(u / viewScale_), y = Round(v / viewScale_);
        if (document_.raster.contains(x, y)) {
            curveColour_ = document_.raster.pixel(x, y);
            curveColourSwatch_->setColour(curveColour_);
        }
        break;
    }
    case MouseMode::Idle:
        imageScrollArea_->setFocus();
        break;
    case MouseMode::RotationLine:
        rotationPress(u, v);
        break;
    case MouseMode::Pencil:
        pencilPress(u, v);
        break;
    case MouseMode::PickPencilColour:
        pickPencilColour(u, v);
        break;
    default:
        break;
    }
    updateUndoActions();
}

void MainWindow::imageMouseMoved(QMouseEvent* event) {
    const double u = event->position().x(), v = event->position().y();
    if (showMousePosition(u, v)) {
        drawZoom(u, v);
        if (mouseMode_ == MouseMode::SelectRectangle) selectionMove(u, v);
        if (mouseMode_ == MouseMode::SearchInArea) searchMove(u, v);
    }
    if (mouseMode_ == MouseMode::RotationLine) rotationMove(u, v);
    if (mouseMode_ == MouseMode::Pencil) pencilMove(u, v);
    setImageCursor();
}

void MainWindow::imageMouseReleased(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    autoScrollOnDrag_ = false;
    if (mouseMode_ == MouseMode::SelectRectangle)
        selectionRelease(event->position().x(), event->position().y());
    if (mouseMode_ == MouseMode::SearchInArea) searchRelease();
    if (mouseMode_ == MouseMode::RotationLine)
        rotationRelease(event->position().x(), event->position().y());
    pencilDrawing_ = false;
}

// ---- manual input

bool MainWindow::uncalibratedCheck() {
    const int height = document_.raster.height();
    const double expected[4] = {double(pixelLeftBottom_.x()), double(height - pixelLeftBottom_.y()),
                                double(pixelRightTop_.x()), double(height - pixelRightTop_.y())};
    for (int i = 0; i < 4; ++i) {
        double value = 0;
        if (!tryParseDouble(cornerFields_[static_cast<std::size_t>(i)]->text(),
                            localeDecimalSeparator(), value) ||
            value != expected[i])
            return true;
    }
    return prompter_->question(this, message(Msg::UncalibratedQuestion), false) == Answer::Yes;
}

void MainWindow::toggleManualInput() {
    enableDataCommands();
    bezier_.clear();
    const bool down = manualInputTool_->isChecked();
    if (down && !uncalibratedCheck()) {
        manualInputTool_->setChecked(false);
        return;
    }
    optionPages_->setCurrentWidget(extraOptions_);
    markerSizeBox_->setValue(3);
    if (!down) {
        mouseMode_ = MouseMode::ManualInputPaused;
        setImageCursor();
        return;
    }
    const QString n = table_->curveText();
    const QString question = polyBezierBox_->isChecked()
                                 ? message(Msg::ClearColumnsBezierQuestion).arg(n)
                                 : message(Msg::ClearColumnsQuestion).arg(n);
    switch (prompter_->question(this, question, true)) {
    case Answer::Cancel:
        mouseMode_ = MouseMode::ManualInputPaused;
        manualInputTool_->setChecked(false);
        break;
    case Answer::Yes:
        reportingConversion([this] {
            const int column = 2 * table_->currentCurve() - 1;
            table_->clearCurrentPair();
            forgetUndoOfColumns(column);
        });
        mouseMode_ = MouseMode::ManualInput;
        markers_.setCount(0);
        break;
    case Answer::No:
        mouseMode_ = MouseMode::ManualInput;
        break;
    }
    // The points of this run of the tool form a digitization of their own.
    newManualRecord_ = true;
    setImageCursor();
    updateUndoActions();
}

// The pair whose columns start at `xColumn` was emptied: nothing of it can be undone any more.
void MainWindow::forgetUndoOfColumns(int xColumn) {
    if (undo_.latestColumn == xColumn) undo_.latestPointAvailable = false;
    if (undo_.xColumn == xColumn) {
        undo_.available = false;
        searchUndoable_ = false;
    }
    updateUndoActions();
}

// The corner-text check: equal X or Y texts of the two corners (compared as texts) are refused
// with a message.
bool MainWindow::cornerTextsDiffer() {
    if (cornerFields_[0]->text() != cornerFields_[2]->text() &&
        cornerFields_[1]->text() != cornerFields_[3]->text())
        return true;
    prompter_->information(this, message(Msg::EqualCorners));
    return false;
}

void MainWindow::manualInputPress(double u, double v) {
    if (!cornerTextsDiffer()) return;
    if (swallowNextClick_) {
        swallowNextClick_ = false;
        if (polyBezierBox_->isChecked() && manualInputTool_->isChecked())
            undoDigitizationPopupAction_->setEnabled(false);
        return;
    }
    try {
        const int n = table_->currentCurve();
        const ToGraph graph(calibration(), localeDecimalSeparator());
        const double s = viewScale_;
        if (polyBezierBox_->isChecked()) {
            markerSize_ = std::max(1, markerSizeBox_->value() - 1);
            if (!bezier_.add(QPoint(Round(u / s), Round(v / s)))) {
                prompter_->information(this, message(Msg::BezierOverflow));
                return;
            }
            if (drawBezierStroke(document_.raster, bezier_, markerSizeBox_->value(), markerColour_,
                                 &document_.marks))
                imageView_->refreshAll();
            bezierUsed_ = true;
        }
        const double x = u / s;
        std::optional<double> corrected;
        if (selfCorrectionBox_->isChecked())
            corrected = correctedRow(u, v, correctionDepthBox_->value());
        const double y = corrected ? *corrected : v / s;
        const double gx = graph.x(x), gy = graph.y(y);
        const int row = table_->nextRow(n);
        if (row > Table::kMaxRows) {
            showStatus(message(Msg::TableFull));
            return;
        }
        // A point that does not continue the latest manual digitization starts a new one.
        const int xColumn = 2 * n - 1;
        if (newManualRecord_ || undo_.source != UndoRecord::Source::Manual ||
            undo_.xColumn != xColumn || undo_.lastRow != row - 1 ||
            !undo_.digitizationTrue(*table_)) {
            newManualRecord_ = false;
            markers_.setCount(0);
            undo_.beginDigitization(UndoRecord::Source::Manual, xColumn, row - 1, row);
            searchUndoable_ = false;
        }
        undo_.latestPosition = QPointF(x, y);
        if (markersAction_->isChecked()) {
            const QPoint at(Round(x), Round(y));
            drawMarker(document_.raster, at.x(), at.y(), markerSize_, markerColour_,
                       &document_.marks);
            refreshImage(QRect(at - QPoint(markerSize_ + 1, markerSize_ + 1),
                               at + QPoint(markerSize_ + 1, markerSize_ + 1)));
            markers_.append(at);
        }
        table_->appendPoint(gx, gy);
        undo_.latestPointAvailable = true;
        undo_.latestColumn = xColumn;
        undo_.latestRow = row;
        undo_.available = true;
        undo_.markerSize = markerSize_;
        undo_.markerColour = markerColour_;
        undo_.lastRow = row;
        undo_.markerCount = markers_.count();
        undo_.noteLatestPointWritten(*table_);
        undo_.noteDigitizationWritten(*table_);
        updateUndoActions();
    } catch (const ConversionError&) {
        showStatus(pointFailureText(PointFailure::ConvertError));
    } catch (const PointError& error) {
        showStatus(pointFailureText(error.failure()));
    }
}

void MainWindow::selfCorrectionToggled() {
    correctionDepthBox_->setEnabled(selfCorrectionBox_->isChecked());
    ini_.writeBool(ini::kAuto, ini::kCorrection, selfCorrectionBox_->isChecked());
    saveIni();
}

void MainWindow::polyBezierToggled() {
    if (polyBezierBox_->isChecked()) bezierUsed_ = false;
    ini_.writeBool(ini::kAuto, ini::kPolyBezier, polyBezierBox_->isChecked());
    saveIni();
}

void MainWindow::markerSizeChanged(int value) {
    if (value < 1 || value > 30) return;
    markerSize_ = value;
    setImageCursor();
}

// ---- markers and undo

void MainWindow::markersToggled() {
    if (markersAction_->isChecked()) return; // it was off: now on, nothing else
    switch (prompter_->question(this, message(Msg::MarkersOffQuestion), true)) {
    case Answer::Cancel:
        markersAction_->setChecked(true);
        break;
    case Answer::Yes:
        removeMarkers();
        break;
    case Answer::No:
        break;
    }
}

// Marker removal: pure red pixels become almost white; the raster is 24-bit afterwards.
void MainWindow::removeMarkers() {
    removeRedMarkers(document_.raster, &document_.marks);
    imageView_->refreshAll();
    checkFormatItem();
}

void MainWindow::undoLatestPoint() {
    // Rows that moved since hold other points: those are never cleared.
    if (!undo_.latestPointTrue(*table_)) return updateUndoActions();
    const bool digitizationWasTrue = undo_.digitizationTrue(*table_);
    if (markersAction_->isChecked()) {
        const QPoint at(Round(undo_.latestPosition.x()), Round(undo_.latestPosition.y()));
        drawMarker(document_.raster, at.x(), at.y(), markerSize_, markerColour_, &document_.marks);
        refreshImage(QRect(at - QPoint(markerSize_ + 1, markerSize_ + 1),
                           at + QPoint(markerSize_ + 1, markerSize_ + 1)));
    }
    // One point can be undone, once; its cells are those it wrote, whatever curve is current.
    undo_.latestPointAvailable = false;
    const int column = undo_.latestColumn, row = undo_.latestRow;
    table_->setCell(column, row, QString());
    table_->setCell(column + 1, row, QString());
    const int curve = (column + 1) / 2;
    if (table_->nextRow(curve) == row + 1) table_->setNextRow(curve, row);
    if (undo_.source == UndoRecord::Source::Manual && undo_.xColumn == column &&
        undo_.lastRow == row)
        undo_.lastRow = row - 1;
    // Taking the point back keeps the digitization's record true: it names the rows before it.
    if (digitizationWasTrue) undo_.noteDigitizationWritten(*table_);
    swallowNextClick_ = false;
    if (polyBezierBox_->isChecked()) {
        // Erase the stroke, drop its newest point and draw what is left (each when drawable).
        const int width = std::max(1, markerSizeBox_->value());
        markerSize_ = width;
        auto drawInverted = [&] {
            if (!bezier_.drawable()) return;
            Canvas canvas(document_.raster, &document_.marks);
            canvas.pen = Pen{markerColour_, width, PenStyle::Solid,
                             document_.raster.format() == PixelFormat::Bit1 ? RasterOp::White
                                                                            : RasterOp::NotXorPen};
            canvas.brush = Brush{markerColour_, true};
            canvas.polyBezier(bezier_.points());
        };
        drawInverted();
        bezier_.dropLast();
        drawInverted();
        imageView_->refreshAll();
    }
    markers_.setCount(markers_.count() - 1);
    if (undo_.source == UndoRecord::Source::Manual)
        undo_.markerCount = std::min(undo_.markerCount, markers_.count());
    updateUndoActions();
}

void MainWindow::undoDigitization() {
    if ((!undo_.available && !searchUndoable_) || !undo_.digitizationTrue(*table_))
        return updateUndoActions();
    undoDigitizationMarkers(document_.raster, markers_, undo_, &document_.marks);
    imageView_->refreshAll();
    // Exactly the rows the digitization wrote; the curve continues where it did before it.
    table_->clearCells(undo_.xColumn, undo_.xColumn + 1, undo_.firstRow + 1, undo_.lastRow);
    table_->setNextRow((undo_.xColumn + 1) / 2, undo_.restoreRow);
    undo_.latestPointAvailable = false;
    undo_.markerCount = 0;
    undo_.available = false;
    undo_.source = UndoRecord::Source::None;
    manualInputTool_->setChecked(false);
    searchTool_->setChecked(false);
    mouseMode_ = MouseMode::Idle;
    swallowNextClick_ = false;
    searchUndoable_ = false;
    updateUndoActions();
}

// The undo commands follow the undo record: nothing can be undone that the record does not hold.
void MainWindow::updateUndoActions() {
    const bool digitization =
        (searchUndoable_ ||
         (undo_.available && !(polyBezierBox_->isChecked() && manualInputTool_->isChecked()))) &&
        undo_.digitizationTrue(*table_);
    const bool latestPoint = undo_.latestPointTrue(*table_);
    undoDigitizationAction_->setEnabled(digitization);
    undoDigitizationPopupAction_->setEnabled(digitization);
    const QString caption = message(Msg::UndoDigitization);
    undoDigitizationAction_->setText(caption);
    undoDigitizationPopupAction_->setText(caption);
    undoPointPopupAction_->setEnabled(latestPoint);
    undoPointAction_->setEnabled(latestPoint);
}

void MainWindow::chooseMarkerColour() {
    if (const auto chosen = prompter_->colour(this, QColor::fromRgb(toQRgb(markerColour_))))
        markerColour_ = fromQRgb(chosen->rgb());
}

void MainWindow::chooseCurveColour() {
    if (const auto chosen = prompter_->colour(this, QColor::fromRgb(toQRgb(curveColour_)))) {
        curveColour_ = fromQRgb(chosen->rgb());
        curveColourSwatch_->setColour(curveColour_);
    }
}

} // namespace quorvex
