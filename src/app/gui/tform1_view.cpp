// The view of the image: scale, measure box, "Auto-size", rulers with hair lines, the zoom
// panel and the position read-out.
#include "app/gui/tform1.h"

#include "components/image_view.h"
#include "components/widgets.h"
#include "core/messages.h"
#include "core/round.h"
#include "image/view_scale.h"
#include "tools/readout.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>

namespace quorvex {

void TForm1::ApplyScale(double scale) {
    if (!(scale > 0) || document_.raster.isEmpty()) return; // a zero measure would divide by zero
    viewScale_ = scale;
    const QSize size =
        scaledImageSize(QSize(document_.raster.width(), document_.raster.height()), scale);
    Image1->setFixedSize(size.expandedTo(QSize(1, 1)));
    N37->setChecked(false);
    Auto1->setChecked(false);
}

void TForm1::N37Click() {
    ComboBoxSize->setCurrentIndex(kRealSizeItem);
    viewScale_ = 1.0;
    N37->setChecked(true);
    Auto1->setChecked(false);
    Image1->setFixedSize(
        QSize(document_.raster.width(), document_.raster.height()).expandedTo(QSize(1, 1)));
    zoomActive_ = true;
}

void TForm1::Auto1Click() {
    ComboBoxSize->setCurrentIndex(kAutoItem);
    Auto1->setChecked(true);
    N37->setChecked(false);
    const auto fitted = fitIntoBox(ScrollBox1->viewport()->size(),
                                   QSize(document_.raster.width(), document_.raster.height()));
    if (!fitted) return; // no picture: nothing to fit
    viewScale_ = fitted->scale;
    Image1->setFixedSize(fitted->size);
    showStatus(message(Msg::MeasureFactor) + NumberText(fitted->scale));
}

void TForm1::ComboBoxSizeSelect(int index) {
    if (index == kAutoItem) {
        Auto1Click();
        N37->setChecked(false);
        Auto1->setChecked(true);
    } else if (index == kRealSizeItem) {
        N37Click();
    } else if (index > 0 && index < kMeasureItems) {
        ApplyScale(measureItemScale(index));
    } else {
        return;
    }
    UpdateRulers(28);
}

// Keys typed into the measure box; true when the key was consumed.
bool TForm1::measureKeyPress(QKeyEvent* event) {
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
    const QString text = ComboBoxSize->currentText();
    if (text == QLatin1String("Auto") || text == QLatin1String("auto")) {
        ComboBoxSize->setCurrentIndex(kAutoItem);
        Auto1Click();
        return true;
    }
    try {
        const double percent = typedMeasurePercent(text, localeDecimalSeparator());
        if (!(percent > 0)) {
            QApplication::beep();
            return true;
        }
        ApplyScale(percent / 100);
    } catch (const ConversionError& error) {
        prompter_->information(this, error.message(), true);
        return true;
    }
    ComboBoxSize->lineEdit()->selectAll();
    typedValuePending_ = false;
    UpdateRulers(40);
    return true;
}

void TForm1::UpdateRulers(int verticalWidth) {
    RsRulerV->setFixedHeight(Image1->height());
    RsRulerH->setFixedWidth(Image1->width());
    RsRulerH->setScalePercent(Round(viewScale_ * 100));
    RsRulerV->setScalePercent(Round(viewScale_ * 100));
    if (document_.raster.height() > 1000) {
        RsRulerV->setFixedWidth(verticalWidth);
        RsRulerCorner1->setFixedWidth(verticalWidth);
    }
}

void TForm1::ShowZoom1Click() {
    Image2->setVisible(true);
    zoomActive_ = true;
}

void TForm1::HideZoom1Click() {
    Image2->setVisible(false);
    zoomActive_ = false;
}

void TForm1::RsRulerCorner1DblClick() {
    for (QWidget* w : std::initializer_list<QWidget*>{RsRulerH, RsRulerV, RsRulerCorner1}) {
        w->setVisible(false);
        w->setEnabled(false);
    }
    rulersFlag_ = false;
}

void TForm1::DrawZoom(double u, double v) {
    if (!zoomActive_ || document_.raster.isEmpty()) return;
    const auto square = zoomSourceSquare(u, v, viewScale_, Zoom->value(), Image1->size());
    if (!square) return;
    Image2->setPixmap(QPixmap::fromImage(zoomPicture(document_.raster, *square, Image2->size())));
}

bool TForm1::ShowMousePosition(double u, double v) {
    RsRulerV->setHairLine(static_cast<int>(v));
    RsRulerH->setHairLine(static_cast<int>(u));
    if (autoScrollOnDrag_) {
        // While a button is held the box follows the mouse.
        QScrollBar* h = ScrollBox1->horizontalScrollBar();
        QScrollBar* vb = ScrollBox1->verticalScrollBar();
        const int width = ScrollBox1->viewport()->width(),
                  height = ScrollBox1->viewport()->height();
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
