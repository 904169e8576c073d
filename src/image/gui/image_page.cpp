#include "image/gui/image_page.h"

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
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QToolButton>

namespace quorvex {

ImagePage::ImagePage(const PartContext& context) : WindowPart(context) {
    createWidgets();
    CommandRegistry& c = commands();
    autoSizeAction_ = c.addAction("Auto1", QStringLiteral("Auto-size"));
    realSizeAction_ = c.addAction("N37", QStringLiteral("Real size (100%)"));
    for (QAction* a : {autoSizeAction_, realSizeAction_}) {
        a->setCheckable(true);
        a->setEnabled(false);
    }
    realSizeAction_->setChecked(true);
    QAction* showZoomItem = c.addAction("ShowZoom1", QStringLiteral("Show Zoom"));
    QAction* hideZoomItem = c.addAction("HideZoom1", QStringLiteral("Hide Zoom"));
    c.addWidget("ComboBoxSize", measureBox_);
    c.addRule(autoSizeAction_, CommandNeeds::Image);
    c.addRule(realSizeAction_, CommandNeeds::Image);
    c.addRule(measureBox_, CommandNeeds::Image, true);

    connect(realSizeAction_, &QAction::triggered, this, &ImagePage::showRealSize);
    connect(autoSizeAction_, &QAction::triggered, this, &ImagePage::autoSize);
    connect(measureBox_, qOverload<int>(&QComboBox::activated), this, &ImagePage::measureSelected);
    measureBox_->lineEdit()->installEventFilter(this);
    connect(zoomDock_, &QDockWidget::topLevelChanged, this, [this](bool floating) {
        if (floating) session().showStatus(message(Msg::ZoomDragging));
    });
    connect(showZoomItem, &QAction::triggered, this, &ImagePage::showZoom);
    connect(hideZoomItem, &QAction::triggered, this, &ImagePage::hideZoom);
    connect(zoomToggleButton_, &QToolButton::clicked, this, [this] {
        if (zoomActive_)
            hideZoom();
        else
            showZoom();
    });
    connect(horizontalRuler_, &Ruler::doubleClicked, this, &ImagePage::hideRulers);
    connect(verticalRuler_, &Ruler::doubleClicked, this, &ImagePage::hideRulers);
    rulerCorner_->installEventFilter(this);
    connect(view_, &ImageView::mousePressed, this, &ImagePage::pressed);
    connect(view_, &ImageView::mouseMoved, this, &ImagePage::moved);
    connect(view_, &ImageView::mouseReleased, this, &ImagePage::released);

    DigitizingSession& s = session();
    connect(&s, &DigitizingSession::pictureReset, this, &ImagePage::resetForNewPicture);
    connect(&s, &DigitizingSession::pictureRemoved, this, &ImagePage::pictureRemoved);
    connect(&s, &DigitizingSession::pictureChanged, this, [this](const QRect& area) {
        if (area.isNull())
            view_->refreshAll();
        else
            view_->refresh(area);
    });
    connect(&s, &DigitizingSession::lockChanged, this,
            [this](bool locked) { view_->setEnabled(!locked && session().hasPicture()); });
    connect(&s, &DigitizingSession::imageUsableDuringLock, this,
            [this] { view_->setEnabled(true); });
    connect(&s, &DigitizingSession::mouseModeChanged, this, &ImagePage::setImageCursor);
    connect(&s, &DigitizingSession::optionsChanged, this, &ImagePage::setImageCursor);
    connect(&s, &DigitizingSession::realSizeRequested, this, [this] {
        if (!realSizeAction_->isChecked()) showRealSize();
    });
    connect(&s, &DigitizingSession::rulersSuppressed, this, [this](bool suppressed) {
        if (suppressed) {
            rulersBeforeRun_ = rulersFlag_;
            hideRulers();
        } else if (rulersBeforeRun_) {
            setRulersShown(true);
        }
    });
    connect(&s, &DigitizingSession::guideLinesChanged, view_, &ImageView::setGuideLines);
    connect(&s, &DigitizingSession::overlayCircleAdded, view_, &ImageView::addOverlayCircle);
    connect(&s, &DigitizingSession::overlayCirclesCleared, view_, &ImageView::clearOverlayCircles);
    connect(&s, &DigitizingSession::overlayLineChanged, view_, &ImageView::setOverlayLine);
    c.addCommand(QStringLiteral("view.realSize"), [this] { showRealSize(); });
}

void ImagePage::createWidgets() {
    measureBox_ = named(new QComboBox, "ComboBoxSize");
    measureBox_->setEditable(true);
    for (int i = 0; i < kMeasureItems; ++i)
        measureBox_->addItem(measureItemText(i));
    measureBox_->setCurrentIndex(kRealSizeItem);
    measureBox_->setInsertPolicy(QComboBox::NoInsert);
    measureBox_->setToolTip(
        QStringLiteral("The measure of the Image map,\r\nby keyboard or select an item."));
    measureBox_->setEnabled(false);

    zoomPanel_ = named(new QWidget, "Panel8");
    zoomPanel_->setToolTip(QStringLiteral("Zoom container"));
    auto* zoomLayout = new QGridLayout(zoomPanel_);
    zoomLayout->setContentsMargins(2, 2, 2, 2);
    zoomToggleButton_ =
        glyphButton("RxSpeedButton3", Glyph::Search, QStringLiteral("Show/hide Zoom"));
    zoomFactorBox_ = named(new QSpinBox, "Zoom");
    zoomFactorBox_->setRange(2, 10);
    zoomFactorBox_->setSingleStep(2);
    zoomFactorBox_->setValue(2);
    zoomFactorBox_->setToolTip(QStringLiteral("Zoom factor"));
    zoomPicture_ = named(new QLabel, "Image2");
    zoomPicture_->setFixedSize(174, 174);
    zoomPicture_->setFrameShape(QFrame::NoFrame);
    zoomPicture_->setToolTip(QStringLiteral("Drag witih mouse"));
    // The zoom image can be dragged out of its container and docked back.
    zoomDock_ = named(new QDockWidget(QStringLiteral("Zoom")), "ZoomDock");
    zoomDock_->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    zoomDock_->setWidget(zoomPicture_);
    zoomLayout->addWidget(zoomToggleButton_, 0, 0);
    zoomLayout->addWidget(zoomFactorBox_, 0, 1);
    zoomLayout->addWidget(zoomDock_, 1, 0, 1, 3);
    zoomLayout->setColumnStretch(2, 1);
    // The button stays where it is when the picture is hidden, so a second press finds it.
    zoomLayout->setRowStretch(2, 1);

    scrollArea_ = named(new QScrollArea, "ScrollBox1");
    auto* canvas = new QWidget;
    auto* canvasLayout = new QGridLayout(canvas);
    canvasLayout->setContentsMargins(0, 0, 0, 0);
    canvasLayout->setSpacing(0);
    rulerCorner_ = named(new QWidget, "RsRulerCorner1");
    rulerCorner_->setToolTip(QStringLiteral("pixel"));
    rulerCorner_->setFixedSize(25, 25);
    horizontalRuler_ = named(new Ruler(Qt::Horizontal), "RsRulerH");
    horizontalRuler_->setFixedHeight(25);
    verticalRuler_ = named(new Ruler(Qt::Vertical), "RsRulerV");
    verticalRuler_->setFixedWidth(25);
    view_ = named(new ImageView, "Image1");
    view_->setEnabled(false);
    canvasLayout->addWidget(rulerCorner_, 0, 0);
    canvasLayout->addWidget(horizontalRuler_, 0, 1);
    canvasLayout->addWidget(verticalRuler_, 1, 0);
    canvasLayout->addWidget(view_, 1, 1, Qt::AlignLeft | Qt::AlignTop);
    canvasLayout->setColumnStretch(2, 1);
    canvasLayout->setRowStretch(2, 1);
    scrollArea_->setWidget(canvas);
    scrollArea_->setWidgetResizable(true);
    scrollArea_->horizontalScrollBar()->setSingleStep(54);
    scrollArea_->verticalScrollBar()->setSingleStep(41);
}

int ImagePage::zoomFactor() const {
    return zoomFactorBox_->value();
}

void ImagePage::setZoomFactor(int factor) {
    zoomFactorBox_->setValue(factor);
}

bool ImagePage::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched == measureBox_->lineEdit())
        return measureKeyPress(static_cast<QKeyEvent*>(event));
    if (event->type() == QEvent::MouseButtonDblClick && watched == rulerCorner_) {
        hideRulers();
        return true;
    }
    return WindowPart::eventFilter(watched, event);
}

// ---- the view scale

// The measure counts device pixels: on a screen of device pixel ratio 2, 100 % shows each image
// pixel on one device pixel, that is half a view pixel.
void ImagePage::applyScale(double scale) {
    const Raster& raster = session().document().raster;
    if (!(scale > 0) || raster.isEmpty()) return; // a zero measure would divide by zero
    scale /= window()->devicePixelRatioF();
    session().viewScale = scale;
    const QSize size = scaledImageSize(QSize(raster.width(), raster.height()), scale);
    view_->setFixedSize(size.expandedTo(QSize(1, 1)));
    realSizeAction_->setChecked(false);
    autoSizeAction_->setChecked(false);
}

void ImagePage::showRealSize() {
    const Raster& raster = session().document().raster;
    measureBox_->setCurrentIndex(kRealSizeItem);
    session().viewScale = 1.0 / window()->devicePixelRatioF();
    realSizeAction_->setChecked(true);
    autoSizeAction_->setChecked(false);
    view_->setFixedSize(scaledImageSize(QSize(raster.width(), raster.height()), session().viewScale)
                            .expandedTo(QSize(1, 1)));
    zoomActive_ = true;
}

void ImagePage::autoSize() {
    const Raster& raster = session().document().raster;
    measureBox_->setCurrentIndex(kAutoItem);
    autoSizeAction_->setChecked(true);
    realSizeAction_->setChecked(false);
    // The picture fits beside the rulers, so that no scroll bar is needed.
    updateRulers(28);
    QSize box = scrollArea_->maximumViewportSize();
    if (!verticalRuler_->isHidden()) box.rwidth() -= verticalRuler_->width();
    if (!horizontalRuler_->isHidden()) box.rheight() -= horizontalRuler_->height();
    const auto fitted = fitIntoBox(box, QSize(raster.width(), raster.height()));
    if (!fitted) return; // no picture: nothing to fit
    session().viewScale = fitted->scale;
    view_->setFixedSize(fitted->size);
    updateRulers(28);
    session().showStatus(message(Msg::MeasureFactor) +
                         NumberText(fitted->scale * window()->devicePixelRatioF()));
}

void ImagePage::measureSelected(int index) {
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
bool ImagePage::measureKeyPress(QKeyEvent* event) {
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
        inform(error.message(), true);
        return true;
    }
    measureBox_->lineEdit()->selectAll();
    typedValuePending_ = false;
    updateRulers(40);
    return true;
}

// ---- rulers and zoom

void ImagePage::updateRulers(int verticalWidth) {
    verticalRuler_->setFixedHeight(view_->height());
    horizontalRuler_->setFixedWidth(view_->width());
    horizontalRuler_->setScale(session().viewScale);
    verticalRuler_->setScale(session().viewScale);
    if (session().document().raster.height() > 1000) {
        verticalRuler_->setFixedWidth(verticalWidth);
        rulerCorner_->setFixedWidth(verticalWidth);
    }
}

void ImagePage::setRulersShown(bool shown) {
    if (!shown) return hideRulers();
    for (QWidget* w :
         std::initializer_list<QWidget*>{horizontalRuler_, verticalRuler_, rulerCorner_}) {
        w->setVisible(true);
        w->setEnabled(true);
    }
    rulersFlag_ = true;
    updateRulers(28);
}

// The zoom picture is shown and hidden with the dock that holds it: a dock whose content was
// hidden does not grow again when the content comes back.
void ImagePage::showZoom() {
    zoomDock_->setVisible(true);
    zoomActive_ = true;
}

void ImagePage::hideZoom() {
    zoomDock_->setVisible(false);
    zoomActive_ = false;
}

void ImagePage::hideRulers() {
    for (QWidget* w :
         std::initializer_list<QWidget*>{horizontalRuler_, verticalRuler_, rulerCorner_}) {
        w->setVisible(false);
        w->setEnabled(false);
    }
    rulersFlag_ = false;
}

void ImagePage::drawZoom(double u, double v) {
    ImageDocument& document = session().document();
    if (!zoomActive_ || document.raster.isEmpty()) return;
    const auto square =
        zoomSourceSquare(u, v, session().viewScale, zoomFactorBox_->value(), view_->size());
    if (!square) return;
    // The zoom shows what the view shows: the picture with the program's drawings.
    const MarksShownIn marks(document.raster, document.marks);
    zoomPicture_->setPixmap(
        QPixmap::fromImage(zoomPicture(document.raster, *square, zoomPicture_->size())));
}

bool ImagePage::showMousePosition(double u, double v) {
    verticalRuler_->setHairLine(static_cast<int>(v));
    horizontalRuler_->setHairLine(static_cast<int>(u));
    if (autoScrollOnDrag_) {
        // While a button is held the box follows the mouse.
        QScrollBar* h = scrollArea_->horizontalScrollBar();
        QScrollBar* vb = scrollArea_->verticalScrollBar();
        const int width = scrollArea_->viewport()->width(),
                  height = scrollArea_->viewport()->height();
        if (u >= h->value() + width || h->value() >= u) h->setValue(static_cast<int>(u));
        if (v >= vb->value() + height || vb->value() >= v) vb->setValue(static_cast<int>(v));
    }
    const Raster& raster = session().document().raster;
    const double scale = session().viewScale;
    if (raster.isEmpty() || !insideShownImage(raster, u, v, scale)) return false;
    const Readout r =
        mouseReadout(raster, session().calibration(), localeDecimalSeparator(), u, v, scale);
    session().setReadout(0, r.colour, 10);
    if (r.failure) {
        session().showStatus(pointFailureText(*r.failure));
        return true;
    }
    session().setReadout(1, r.pixel, 10);
    session().setReadout(2, r.x, 13);
    session().setReadout(3, r.y, 13);
    return true;
}

// ---- the mouse

void ImagePage::setImageCursor() {
    const MouseMode mode = session().mouseMode();
    view_->setCursor(mode == MouseMode::ManualInput || mode == MouseMode::SearchInArea
                         ? markerCursor(session().markerSize)
                         : QCursor(Qt::CrossCursor));
}

ImageMouse ImagePage::mouse(QMouseEvent* event, bool inside) const {
    ImageMouse m;
    m.u = event->position().x();
    m.v = event->position().y();
    m.button = event->button();
    m.globalPosition = event->globalPosition().toPoint();
    m.inside = inside;
    return m;
}

void ImagePage::pressed(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        autoScrollOnDrag_ = true;
        if (session().mouseMode() == MouseMode::Idle) scrollArea_->setFocus();
    } else if (event->button() != Qt::RightButton) {
        return;
    }
    session().mousePressed(mouse(event, true));
}

void ImagePage::moved(QMouseEvent* event) {
    const double u = event->position().x(), v = event->position().y();
    const bool inside = showMousePosition(u, v);
    if (inside) drawZoom(u, v);
    session().mouseMoved(mouse(event, inside));
    setImageCursor();
}

void ImagePage::released(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    autoScrollOnDrag_ = false;
    session().mouseReleased(mouse(event, true));
}

// ---- a new picture

void ImagePage::resetForNewPicture() {
    const Raster& raster = session().document().raster;
    typedValuePending_ = false;
    session().viewScale = 1.0 / window()->devicePixelRatioF(); // 100 %: a pixel on a device pixel
    realSizeAction_->setChecked(true);
    autoSizeAction_->setChecked(false);
    measureBox_->setCurrentIndex(kRealSizeItem);
    const QSize shown = scaledImageSize(QSize(raster.width(), raster.height()), session().viewScale)
                            .expandedTo(QSize(1, 1));
    view_->setFixedSize(shown);
    if (rulersFlag_) {
        for (QWidget* w :
             std::initializer_list<QWidget*>{horizontalRuler_, verticalRuler_, rulerCorner_}) {
            w->setVisible(true);
            w->setEnabled(true);
        }
        verticalRuler_->setFixedWidth(raster.height() > 1000 ? 28 : 25);
        rulerCorner_->setFixedWidth(verticalRuler_->width());
        horizontalRuler_->setScale(session().viewScale);
        verticalRuler_->setScale(session().viewScale);
        horizontalRuler_->setFixedWidth(shown.width());
        verticalRuler_->setFixedHeight(shown.height());
    }
    view_->setEnabled(true);
    // Nothing drawn over the old image stays: search circles, guide lines, the zoom picture.
    view_->clearOverlayCircles();
    view_->setGuideLines(std::nullopt);
    zoomPicture_->clear();
    view_->setRaster(&session().document().raster, &session().document().marks);
    setImageCursor();
}

void ImagePage::pictureRemoved() {
    view_->setRaster(nullptr);
    zoomPicture_->clear();
    view_->setEnabled(false);
}

} // namespace quorvex
