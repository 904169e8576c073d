// The tools on the image: mouse dispatch, the calibration rectangle and "Fix coordinates",
// colour pick, manual input with self-correction and poly-Bezier, markers and the two undos.
#include "app/gui/tform1.h"

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

Calibration TForm1::calibration() const {
    Calibration c;
    c.pixelLeftBottom = pixelLeftBottom_;
    c.pixelRightTop = pixelRightTop_;
    c.xLeftBottom = cornerFields_[0]->text();
    c.yLeftBottom = cornerFields_[1]->text();
    c.xRightTop = cornerFields_[2]->text();
    c.yRightTop = cornerFields_[3]->text();
    c.xTransfer = ComboBox2->currentIndex();
    c.yTransfer = ComboBox3->currentIndex();
    return c;
}

void TForm1::refreshImage(const QRect& area) {
    Image1->refresh(area);
}

void TForm1::eraseSelection() {
    if (skipNextErase_) {
        skipNextErase_ = false;
        return;
    }
    drawSelection();
}

void TForm1::drawSelection() {
    drawSelectionRectangle(document_.raster, selection_, markerColour_);
    refreshImage(QRect(QPoint(std::min(selection_.left, selection_.right),
                              std::min(selection_.top, selection_.bottom)),
                       QPoint(std::max(selection_.left, selection_.right),
                              std::max(selection_.top, selection_.bottom))));
}

void TForm1::setImageCursor() {
    Image1->setCursor(mouseMode_ == 2 || mouseMode_ == 1 ? markerCursor(markerSize_)
                                                         : QCursor(Qt::CrossCursor));
}

// One tool at a time: a button going down releases the others.
void TForm1::toolButtonToggled(QToolButton* button, bool down) {
    if (!down) return;
    for (QToolButton* other :
         {RectSelect, Points, SpeedButton11SA, SpeedButton112SA, Rotate, Pencil})
        if (other != button && other->isChecked()) other->setChecked(false);
}

void TForm1::RectSelectClick() {
    for (QWidget* w :
         std::initializer_list<QWidget*>{BitBtn2, SpeedButton11SA, SpeedButton112SA, SelectOnly})
        w->setEnabled(true);
    for (QLineEdit* f : cornerFields_)
        f->setEnabled(true);
    PageControl2->setCurrentIndex(1);
    mouseMode_ = RectSelect->isChecked() ? 0 : 6;
    Image1->setCursor(Qt::CrossCursor);
}

void TForm1::PointsClick() {
    mouseMode_ = Points->isChecked() ? 4 : 0;
}

void TForm1::presetRows(int lastRow, int firstRow) {
    presettingSteps_ = true;
    SpinEdit2->setValue(lastRow);
    SpinEdit3->setValue(firstRow);
    presettingSteps_ = false;
}

// ---- the calibration rectangle by mouse

void TForm1::selectionPress(double u, double v) {
    eraseSelection();
    const QPoint p(Round(u / viewScale_), Round(v / viewScale_));
    selection_ = {p.x(), p.y(), p.x(), p.y()};
    pressPoint_ = p;
    dragging_ = true;
}

void TForm1::selectionMove(double u, double v) {
    if (!dragging_) return;
    eraseSelection();
    selection_.right = Round(u / viewScale_);
    selection_.bottom = Round(v / viewScale_);
    drawSelection();
    if (hairLinesFlag_) Image1->setGuideLines(QPointF(u, v));
}

void TForm1::selectionRelease(double u, double v) {
    if (!dragging_) return;
    Image1->setGuideLines(std::nullopt);
    dragging_ = false;
    RectSelect->setChecked(false);
    mouseMode_ = 6;
    if (selection_.left == selection_.right && selection_.top == selection_.bottom)
        return; // a click
    selection_ = {
        std::min(selection_.left, selection_.right), std::min(selection_.top, selection_.bottom),
        std::max(selection_.left, selection_.right), std::max(selection_.top, selection_.bottom)};
    const int width = document_.raster.width(), height = document_.raster.height();
    const QPoint q(std::clamp(Round(u / viewScale_), 0, width),
                   std::clamp(Round(v / viewScale_), 0, height));
    if (SelectOnly->isChecked()) {
        area_ = {std::min(pressPoint_.x(), q.x()), std::max(pressPoint_.y(), q.y()),
                 std::max(pressPoint_.x(), q.x()), std::min(pressPoint_.y(), q.y())};
        presetRows(area_.right - area_.left, 1);
        // A selection one pixel wide leaves the step as it was: it would divide by zero.
        if (SpinEdit2->value() != SpinEdit3->value()) {
            presettingSteps_ = true;
            StepValue->setValue(Round(double(area_.right - area_.left) /
                                      (SpinEdit2->value() - SpinEdit3->value())));
            presettingSteps_ = false;
        }
        refreshStepCaption();
    } else {
        const QPoint p = pressPoint_;
        pixelLeftBottom_ = QPoint(std::min(p.x(), q.x()), std::max(p.y(), q.y()));
        pixelRightTop_ = QPoint(std::max(p.x(), q.x()), std::min(p.y(), q.y()));
        cornerFields_[0]->setText(QString::number(pixelLeftBottom_.x()));
        cornerFields_[2]->setText(QString::number(pixelRightTop_.x()));
        cornerFields_[1]->setText(QString::number(height - pixelLeftBottom_.y()));
        cornerFields_[3]->setText(QString::number(height - pixelRightTop_.y()));
        for (QLineEdit* f : cornerFields_)
            f->setStyleSheet(calibratedFieldStyle());
        area_ = {pixelLeftBottom_.x(), pixelLeftBottom_.y(), pixelRightTop_.x(),
                 pixelRightTop_.y()};
        presetRows(pixelRightTop_.x() - pixelLeftBottom_.x(), 1);
        if (SpinEdit2->value() != SpinEdit3->value()) {
            presettingSteps_ = true;
            StepValue->setValue(Round(std::abs(pixelRightTop_.x() - pixelLeftBottom_.x()) /
                                      double(SpinEdit2->value() - SpinEdit3->value())));
            presettingSteps_ = false;
        }
        refreshStepCaption();
    }
    SpinEdit5->setValue(1);
    markerSize_ = 1;
    selectionShown_ = true;
}

// ---- "Fix coordinates"

void TForm1::FixCoordinates(bool rightClick) {
    if (document_.raster.isEmpty()) return;
    const int width = document_.raster.width(), height = document_.raster.height();
    if (rightClick) RectSelect->setChecked(true);
    for (QLineEdit* f : cornerFields_)
        f->setEnabled(true);
    TRectangleSize& d = *fixDialog_;
    d.prepare({cornerFields_[0]->text(), cornerFields_[1]->text(), cornerFields_[2]->text(),
               cornerFields_[3]->text()},
              width, height, selection_);
    prompter_->run(&d);
    // OK (the dialog has no other way out).
    RectSelect->setEnabled(true);
    RectSelect->setChecked(false);
    SpinEdit2->setValue(std::abs(d.SpinEdit2->value() - d.SpinEdit1->value()));
    SpinEdit3->setValue(1);
    StepValue->setValue(1);
    for (QWidget* w :
         std::initializer_list<QWidget*>{BitBtn2, SpeedButton11SA, SpeedButton112SA, SelectOnly})
        w->setEnabled(true);
    for (QLineEdit* f : cornerFields_)
        f->setEnabled(true);

    eraseSelection();
    const int lbY = d.SpinEdit3->value(), rtY = d.SpinEdit4->value();
    const int lbX = d.SpinEdit1->value(), rtX = d.SpinEdit2->value();
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
        cornerFields_[static_cast<std::size_t>(i)]->setText(
            typedArePixels ? QString::number(pixels[i])
                           : d.graphFields[static_cast<std::size_t>(i)]->text());
    for (QLineEdit* f : cornerFields_)
        f->setStyleSheet(calibratedFieldStyle());
    area_ = {pixelLeftBottom_.x(), pixelLeftBottom_.y(), pixelRightTop_.x(), pixelRightTop_.y()};
    drawSelection();
    selectionShown_ = true;
    if (rightClick) {
        SpinEdit3->setValue(1);
        StepValue->setValue(1);
    }
}

// ---- mouse dispatch

void TForm1::Image1MouseDown(QMouseEvent* event) {
    const double u = event->position().x(), v = event->position().y();
    if (event->button() == Qt::RightButton) {
        if (!SelectOnly->isChecked()) {
            if (SpeedButton112SA->isChecked()) {
                Undo->popup(event->globalPosition().toPoint());
                swallowNextClick_ = true;
            } else {
                FixCoordinates(true);
            }
        }
        swallowNextClick_ = swallowNextClick_ || searchUndoable_;
        return;
    }
    if (event->button() != Qt::LeftButton) return;
    autoScrollOnDrag_ = true;
    lastSearchPoint_ = QPoint(0, 0);
    switch (mouseMode_) {
    case 0:
        selectionPress(u, v);
        break;
    case 1:
        searchPress(u, v);
        break;
    case 2:
        manualInputPress(u, v);
        break;
    case 4: {
        const int x = Round(u / viewScale_), y = Round(v / viewScale_);
        if (document_.raster.contains(x, y)) {
            curveColour_ = document_.raster.pixel(x, y);
            Image3->setColour(curveColour_);
        }
        break;
    }
    case 6:
        ScrollBox1->setFocus();
        break;
    default:
        break;
    }
    updateUndoActions();
}

void TForm1::Image1MouseMove(QMouseEvent* event) {
    const double u = event->position().x(), v = event->position().y();
    if (ShowMousePosition(u, v)) {
        DrawZoom(u, v);
        if (mouseMode_ == 0) selectionMove(u, v);
        if (mouseMode_ == 1) searchMove(u, v);
    }
    setImageCursor();
}

void TForm1::Image1MouseUp(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    autoScrollOnDrag_ = false;
    if (mouseMode_ == 0) selectionRelease(event->position().x(), event->position().y());
    if (mouseMode_ == 1) searchRelease();
}

// ---- manual input

bool TForm1::uncalibratedCheck() {
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

void TForm1::SpeedButton112SAClick() {
    setDataCommandsEnabled(true);
    bezier_.clear();
    const bool down = SpeedButton112SA->isChecked();
    if (down && !uncalibratedCheck()) {
        SpeedButton112SA->setChecked(false);
        return;
    }
    PageControl2->setCurrentIndex(2);
    SpinEdit5->setValue(3);
    if (!down) {
        mouseMode_ = 3;
        setImageCursor();
        return;
    }
    const QString n = table_->curveText();
    const QString question = Bezier->isChecked() ? message(Msg::ClearColumnsBezierQuestion).arg(n)
                                                 : message(Msg::ClearColumnsQuestion).arg(n);
    switch (prompter_->question(this, question, true)) {
    case Answer::Cancel:
        mouseMode_ = 3;
        SpeedButton112SA->setChecked(false);
        break;
    case Answer::Yes:
        reportingConversion([this] { table_->clearCurrentPair(); });
        mouseMode_ = 2;
        markers_.setCount(0);
        break;
    case Answer::No:
        mouseMode_ = 2;
        break;
    }
    setImageCursor();
    updateUndoActions();
}

// The corner-text check: equal X or Y texts of the two corners (compared as texts) are refused
// with a message.
bool TForm1::cornerTextsDiffer() {
    if (cornerFields_[0]->text() != cornerFields_[2]->text() &&
        cornerFields_[1]->text() != cornerFields_[3]->text())
        return true;
    prompter_->information(this, message(Msg::EqualCorners));
    return false;
}

void TForm1::manualInputPress(double u, double v) {
    if (!cornerTextsDiffer()) return;
    if (swallowNextClick_) {
        swallowNextClick_ = false;
        if (Bezier->isChecked() && SpeedButton112SA->isChecked()) UndoAutoP->setEnabled(false);
        return;
    }
    try {
        const int n = table_->currentCurve();
        const ToGraph graph(calibration(), localeDecimalSeparator());
        const double s = viewScale_;
        if (Bezier->isChecked()) {
            markerSize_ = std::max(1, SpinEdit5->value() - 1);
            if (!bezier_.add(QPoint(Round(u / s), Round(v / s)))) {
                prompter_->information(this, message(Msg::BezierOverflow));
                return;
            }
            if (drawBezierStroke(document_.raster, bezier_, SpinEdit5->value(), markerColour_))
                Image1->refreshAll();
            bezierUsed_ = true;
        }
        const double x = u / s;
        std::optional<int> corrected;
        if (CheckBoxCorrect->isChecked())
            corrected = selfCorrectedRow(document_.raster, curveColour_, u, v, s, Correct->value());
        const double y = corrected ? *corrected : v / s;
        const double gx = graph.x(x), gy = graph.y(y);
        undo_.latestPosition = QPointF(x, y);
        if (N10Mark->isChecked()) {
            const QPoint at(Round(x), Round(y));
            drawMarker(document_.raster, at.x(), at.y(), markerSize_, markerColour_);
            refreshImage(QRect(at - QPoint(markerSize_ + 1, markerSize_ + 1),
                               at + QPoint(markerSize_ + 1, markerSize_ + 1)));
            markers_.append(at);
        }
        const int row = table_->nextRow(n);
        if (!table_->appendPoint(gx, gy)) {
            showStatus(message(Msg::TableFull));
            return;
        }
        undo_.latestRow = row;
        UndoPoint->setEnabled(true);
        undo_.available = true;
        undo_.markerSize = markerSize_;
        undo_.markerColour = markerColour_;
        undo_.xColumn = 2 * n - 1;
        undo_.firstRow = 0;
        undo_.lastRow = markers_.count();
        undo_.markerCount = markers_.count();
        // Undoing the run clears its rows from row 1, so the curve restarts there.
        undo_.restoreRow = 1;
    } catch (const ConversionError&) {
        showStatus(pointFailureText(PointFailure::ConvertError));
    } catch (const PointError& error) {
        showStatus(pointFailureText(error.failure()));
    }
}

void TForm1::CheckBoxCorrectClick() {
    Correct->setEnabled(CheckBoxCorrect->isChecked());
    ini_.writeBool(ini::kAuto, ini::kCorrection, CheckBoxCorrect->isChecked());
    saveIni();
}

void TForm1::BezierClick() {
    if (Bezier->isChecked()) bezierUsed_ = false;
    ini_.writeBool(ini::kAuto, ini::kPolyBezier, Bezier->isChecked());
    saveIni();
}

void TForm1::SpinEdit5Change(int value) {
    if (value < 1 || value > 30) return;
    markerSize_ = value;
    setImageCursor();
}

// ---- markers and undo

void TForm1::N10MarkClick() {
    if (N10Mark->isChecked()) return; // it was off: now on, nothing else
    switch (prompter_->question(this, message(Msg::MarkersOffQuestion), true)) {
    case Answer::Cancel:
        N10Mark->setChecked(true);
        break;
    case Answer::Yes:
        removeMarkers();
        break;
    case Answer::No:
        break;
    }
}

// Marker removal: pure red pixels become almost white; the raster is 24-bit afterwards.
void TForm1::removeMarkers() {
    removeRedMarkers(document_.raster);
    Image1->refreshAll();
    checkFormatItem();
}

void TForm1::UndoPointClick() {
    if (!UndoPoint->isEnabled()) return;
    if (N10Mark->isChecked()) {
        const QPoint at(Round(undo_.latestPosition.x()), Round(undo_.latestPosition.y()));
        drawMarker(document_.raster, at.x(), at.y(), markerSize_, markerColour_);
        refreshImage(QRect(at - QPoint(markerSize_ + 1, markerSize_ + 1),
                           at + QPoint(markerSize_ + 1, markerSize_ + 1)));
    }
    UndoPoint->setEnabled(false);
    reportingConversion([this] {
        const int n = table_->currentCurve();
        table_->setCell(2 * n - 1, undo_.latestRow, QString());
        table_->setCell(2 * n, undo_.latestRow, QString());
        table_->setNextRow(n, table_->nextRow(n) - 1);
    });
    swallowNextClick_ = false;
    if (Bezier->isChecked()) {
        // Erase the stroke, drop its newest point and draw what is left (each when drawable).
        const int width = std::max(1, SpinEdit5->value());
        markerSize_ = width;
        auto drawInverted = [&] {
            if (!bezier_.drawable()) return;
            Canvas canvas(document_.raster);
            canvas.pen = Pen{markerColour_, width, PenStyle::Solid,
                             document_.raster.format() == PixelFormat::Bit1 ? RasterOp::White
                                                                            : RasterOp::NotXorPen};
            canvas.brush = Brush{markerColour_, true};
            canvas.polyBezier(bezier_.points());
        };
        drawInverted();
        bezier_.dropLast();
        drawInverted();
        Image1->refreshAll();
    }
    markers_.setCount(markers_.count() - 1);
    updateUndoActions();
}

void TForm1::UndoDigitizationClick() {
    if (!undo_.available && !searchUndoable_) return;
    undoDigitizationMarkers(document_.raster, markers_, undo_);
    Image1->refreshAll();
    table_->clearCells(undo_.xColumn, undo_.xColumn + 1, undo_.firstRow + 1, undo_.lastRow);
    // Row 0 is the title row: the curve never continues there.
    table_->setNextRow((undo_.xColumn + 1) / 2, std::max(undo_.restoreRow, 1));
    undo_.markerCount = 0;
    undo_.available = false;
    SpeedButton112SA->setChecked(false);
    SpeedButton11SA->setChecked(false);
    mouseMode_ = 6;
    UndoPoint->setEnabled(false);
    swallowNextClick_ = false;
    searchUndoable_ = false;
    updateUndoActions();
}

void TForm1::updateUndoActions() {
    bool enabled = searchUndoable_ ||
                   (undo_.available && !(Bezier->isChecked() && SpeedButton112SA->isChecked()));
    UndoAuto->setEnabled(enabled);
    UndoAutoP->setEnabled(enabled);
    const QString caption = message(Msg::UndoDigitization);
    UndoAuto->setText(caption);
    UndoAutoP->setText(caption);
    UndoPoint1->setEnabled(UndoPoint->isEnabled());
}

void TForm1::MarkerClorClick() {
    if (const auto chosen = prompter_->colour(this, QColor::fromRgb(toQRgb(markerColour_))))
        markerColour_ = fromQRgb(chosen->rgb());
}

void TForm1::N43Click() {
    if (const auto chosen = prompter_->colour(this, QColor::fromRgb(toQRgb(curveColour_)))) {
        curveColour_ = fromQRgb(chosen->rgb());
        Image3->setColour(curveColour_);
    }
}

} // namespace quorvex
