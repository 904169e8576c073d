// The view of the image: scale, measure box, "Auto-size", rulers with hair lines, the zoom
// panel and the position read-out.
#include "app/gui/main_window.h"

#include "components/image_view.h"
#include "components/widgets.h"
#include "core/messages.h"
#include "core/round.h"
#include "image/view_scale.h"
#include "tools/readout.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDockWidget>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>

namespace quorvex {

// The measure counts device pixels: on a screen of device pixel ratio 2, 100 % shows each image
// pixel on one device pixel, that is half a view pixel.
void MainWindow::applyScale(double scale) {
    if (!(scale > 0) || document_.raster.isEmpty()) return; // a zero measure would divide by zero
    scale /= devicePixelRatioF();
    viewScale_ = scale;
    const QSize size =
        scaledImageSize(QSize(document_.raster.width(), document_.raster.height()), scale);
    imageView_->setFixedSize(size.expandedTo(QSize(1, 1)));
    realSizeAction_->setChecked(false);
    autoSizeAction_->setChecked(false);
}

void MainWindow::showRealSize() {
    measureBox_->setCurrentIndex(kRealSizeItem);
    viewScale_ = 1.0 / devicePixelRatioF();
    realSizeAction_->setChecked(true);
    autoSizeAction_->setChecked(false);
    imageView_->setFixedSize(
        scaledImageSize(QSize(document_.raster.width(), document_.raster.height()), viewScale_)
            .expandedTo(QSize(1, 1)));
    zoomActive_ = true;
}

void MainWindow::autoSize() {
    measureBox_->setCurrentIndex(kAutoItem);
    autoSizeAction_->setChecked(true);
    realSizeAction_->setChecked(false);
    // The picture fits beside the rulers, so that no scroll bar is needed.
    updateRulers(28);
    QSize box = imageScrollArea_->maximumViewportSize();
    if (!verticalRuler_->isHidden()) box.rwidth() -= verticalRuler_->width();
    if (!horizontalRuler_->isHidden()) box.rheight() -= horizontalRuler_->height();
    const auto fitted = fitIntoBox(box, QSize(document_.raster.width(), document_.raster.height()));
    if (!fitted) return; // no picture: nothing to fit
    viewScale_ = fitted->scale;
    imageView_->setFixedSize(fitted->size);
    updateRulers(28);
    showStatus(message(Msg::MeasureFactor) + NumberText(fitted->scale * devicePixelRatioF()));
}

void MainWindow::measureSelected(int index) {
    if (index == kAutoItem) {
        autoSize();
        realSizeAction_->setChecked(false);
        autoSizeAction_->setChecked(true);
    } else if (index == kRealSizeItem) {
        showRealSize();
    } else if (index > 0 && index < kMeasureItems) {
        applyScale(measureItemScale(index));
    } else {
        return;
    }
    updateRulers(28);
}

// Keys typed into the measure box; true when the key was consumed.
bool MainWindow::measureKeyPress(QKeyEvent* event) {
    if (event->text().isEmpty() && event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return false;
    const QChar key = (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
                          ? QChar('\r')
                          : event->text().at(0);
    if (!measureKeyAccepted(key)) {
        QApplication::beep();
        typedValuePending_ = false;
        return true;
    }
    typedValuePending_ = key == QLatin1Char('\r');
    if (!typedValuePending_) return false;
    const QString text = measureBox_->currentText();
    if (text == QLatin1String("Auto") || text == QLatin1String("auto")) {
        measureBox_->setCurrentIndex(kAutoItem);
        autoSize();
        return true;
    }
    try {
        const double percent = typedMeasurePercent(text, localeDecimalSeparator());
        if (!(percent > 0)) {
            QApplication::beep();
            return true;
        }
        applyScale(percent / 100);
    } catch (const ConversionError& error) {
        prompter_->information(this, error.message(), true);
        return true;
    }
    measureBox_->lineEdit()->selectAll();
    typedValuePending_ = false;
    updateRulers(40);
    return true;
}

void MainWindow::updateRulers(int verticalWidth) {
    verticalRuler_->setFixedHeight(imageView_->height());
    horizontalRuler_->setFixedWidth(imageView_->width());
    horizontalRuler_->setScale(viewScale_);
    verticalRuler_->setScale(viewScale_);
    if (document_.raster.height() > 1000) {
        verticalRuler_->setFixedWidth(verticalWidth);
        rulerCorner_->setFixedWidth(verticalWidth);
    }
}

// The zoom picture is shown and hidden with the dock that holds it: a dock whose content was
// hidden does not grow again when the content comes back.
void MainWindow::showZoom() {
    zoomDock_->setVisible(true);
    zoomActive_ = true;
}

void MainWindow::hideZoom() {
    zoomDock_->setVisible(false);
    zoomActive_ = false;
}

void MainWindow::hideRulers() {
    for (QWidget* w :
         std::initializer_list<QWidget*>{horizontalRuler_, verticalRuler_, rulerCorner_}) {
        w->setVisible(false);
        w->setEnabled(false);
    }
    rulersFlag_ = false;
}

void MainWindow::drawZoom(double u, double v) {
    if (!zoomActive_ || document_.raster.isEmpty()) return;
    const auto square =
        zoomSourceSquare(u, v, viewScale_, zoomFactorBox_->value(), imageView_->size());
    if (!square) return;
    // The zoom shows what the view shows: the picture with the program's drawings.
    const MarksShownIn marks(document_.raster, document_.marks);
    zoomPicture_->setPixmap(
        QPixmap::fromImage(zoomPicture(document_.raster, *square, zoomPicture_->size())));
}

bool MainWindow::showMousePosition(double u, double v) {
    verticalRuler_->setHairLine(static_cast<int>(v));
    horizontalRuler_->setHairLine(static_cast<int>(u));
    if (autoScrollOnDrag_) {
        // While a button is held the box follows the mouse.
        QScrollBar* h = imageScrollArea_->horizontalScrollBar();
        QScrollBar* vb = imageScrollArea_->verticalScrollBar();
        const int width = imageScrollArea_->viewport()->width(),
                  height = imageScrollArea_->viewport()->height();
        if (u >= h->value() + width || h->value() >= u) h->setValue(static_cast<int>(u));
        if (v >= vb->value() + height || vb->value() >= v) vb->setValue(static_cast<int>(v));
    }
    if (document_.raster.isEmpty() || !insideShownImage(document_.raster, u, v, viewScale_))
        return false;
    const Readout r =
        mouseReadout(document_.raster, calibration(), localeDecimalSeparator(), u, v, viewScale_);
    panels_[0]->setText(r.colour);
    if (r.failure) {
        showStatus(pointFailureText(*r.failure));
        return true;
    }
    panels_[1]->setText(r.pixel);
    panels_[2]->setText(r.x);
    panels_[3]->setText(r.y);
    if (autoResizePanels_) {
        const QFontMetrics metrics(font());
        panels_[0]->setFixedWidth(metrics.horizontalAdvance(r.colour) + 10);
        panels_[1]->setFixedWidth(metrics.horizontalAdvance(r.pixel) + 10);
        panels_[2]->setFixedWidth(metrics.horizontalAdvance(r.x) + 13);
        panels_[3]->setFixedWidth(metrics.horizontalAdvance(r.y) + 13);
    }
    return true;
}

} // namespace quorvex
