// Editing the picture before it is digitized: turning it along a drawn line or by 90 degrees,
// and the pencil (or eraser).
#include "app/gui/main_window.h"

#include "components/image_view.h"
#include "components/widgets.h"
#include "core/messages.h"
#include "core/round.h"
#include "image/image_error.h"
#include "image/rotation.h"
#include "tools/gui/pencil_dialog.h"
#include "tools/pencil.h"

#include <QToolButton>

namespace quorvex {

// ---- rotation

void MainWindow::rotationToolToggled(bool down) {
    if (down) {
        mouseMode_ = MouseMode::RotationLine;
        imageView_->setCursor(Qt::CrossCursor);
    } else if (mouseMode_ == MouseMode::RotationLine) {
        // Letting the button up ends the tool; a line being drawn goes too.
        mouseMode_ = MouseMode::Idle;
        rotationLineDrawing_ = false;
        imageView_->setOverlayLine(std::nullopt);
    }
}

void MainWindow::rotationPress(double u, double v) {
    rotationStart_ = QPoint(Round(u), Round(v));
    rotationLineDrawing_ = true;
}

void MainWindow::rotationMove(double u, double v) {
    if (!rotationLineDrawing_) return;
    imageView_->setOverlayLine(QLineF(QPointF(Round(u), Round(v)), QPointF(rotationStart_)),
                               markerColour_);
}

void MainWindow::rotationRelease(double u, double v) {
    if (!rotationLineDrawing_) return;
    rotationLineDrawing_ = false;
    imageView_->setOverlayLine(std::nullopt);
    const QPoint end(Round(u), Round(v));
    // A vertical line, or a click without a drag, turns by a quarter.
    if (end.x() == rotationStart_.x())
        rotateImage(std::nullopt);
    else
        rotateImage(rotationLineAngle(rotationStart_, end));
}

void MainWindow::rotate90() {
    rotateImage(std::nullopt);
}

void MainWindow::rotateImage(std::optional<double> degrees) {
    // The drawings over the picture (the calibration rectangle, markers) do not turn with it:
    // they live beside the raster, and the reset below starts them afresh.
    selectionShown_ = false;
    if (!document_.raster.isEmpty()) {
        // A black-and-white picture is filled with white, whatever colour is chosen.
        const Colour background =
            document_.raster.format() == PixelFormat::Bit1 ? kWhite : rotateBackColour_;
        try {
            document_.raster = rotateRaster(document_.raster, degrees.value_or(90.0), background);
        } catch (const ImageError& error) {
            prompter_->information(this, message(Msg::RotationFailed).arg(error.message()), true);
        } catch (const std::bad_alloc&) {
            prompter_->information(
                this, message(Msg::RotationFailed).arg(message(Msg::OutOfMemory)), true);
        }
    }
    rotateTool_->setChecked(false);
    // The picture starts afresh as after a load; the Table stays.
    resetAfterNewImage(TableOnReset::Keep);
}

void MainWindow::chooseRotateBackground() {
    if (const auto chosen = prompter_->colour(this, QColor::fromRgb(toQRgb(rotateBackColour_))))
        rotateBackColour_ = fromQRgb(chosen->rgb());
}

// ---- pencil

void MainWindow::pencilToolToggled(bool down) {
    if (down) {
        mouseMode_ = pencilDialog_->picking() ? MouseMode::PickPencilColour : MouseMode::Pencil;
        pencilDialog_->show();
        return;
    }
    pencilDrawing_ = false;
    if (mouseMode_ == MouseMode::Pencil || mouseMode_ == MouseMode::PickPencilColour)
        mouseMode_ = MouseMode::Idle;
    pencilDialog_->hide();
}

void MainWindow::choosePencilColour() {
    if (const auto chosen =
            prompter_->colour(pencilDialog_, QColor::fromRgb(toQRgb(pencilDialog_->colour()))))
        pencilDialog_->setColour(fromQRgb(chosen->rgb()));
}

void MainWindow::pencilPress(double u, double v) {
    pencilDrawing_ = true;
    pencilMove(u, v);
}

// Each event paints one disc: a fast stroke leaves separate discs.
void MainWindow::pencilMove(double u, double v) {
    const int x = Round(u / viewScale_), y = Round(v / viewScale_);
    if (document_.raster.contains(x, y)) pencilDialog_->showPixel(document_.raster.pixel(x, y));
    if (!pencilDrawing_) return;
    const QRect touched = paintPencilDisc(document_.raster, x, y, pencilDialog_->pencilSize(),
                                          pencilDialog_->colour());
    if (!touched.isEmpty()) refreshImage(touched);
}

void MainWindow::pickPencilColour(double u, double v) {
    const int x = Round(u / viewScale_), y = Round(v / viewScale_);
    if (document_.raster.contains(x, y)) pencilDialog_->setColour(document_.raster.pixel(x, y));
}

} // namespace quorvex
