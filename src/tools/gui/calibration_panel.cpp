#include "tools/gui/calibration_panel.h"

#include "autodigit/axis_labels.h"
#include "components/widgets.h"
#include "core/messages.h"
#include "core/round.h"
#include "table/table.h"
#include "tools/gui/fix_coordinates_dialog.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QToolButton>

namespace quorvex {

namespace {
const QString kRectangleTool = QStringLiteral("RectSelect");
const QString kColourPickTool = QStringLiteral("Points");
} // namespace

CalibrationPanel::CalibrationPanel(const PartContext& context) : WindowPart(context) {
    panel_ = named(new QWidget, "Panel2");
    auto* grid = new QGridLayout(panel_);
    const char* names[4] = {"Edit1", "Edit2", "Edit3", "Edit4"};
    const char* hints[4] = {"X of left bottom vertex of selected rectangle (in units of the graph)",
                            "Y of left bottom vertex of selected rectangle (in units of the graph)",
                            "X of right top vertex of selected rectangle (in units of the graph)",
                            "Y of right top  vertex of selected rectangle (in units of the graph)"};
    const char* labels[4] = {"X lb", "Y lb", "X rt", "Y rt"};
    for (int i = 0; i < 4; ++i) {
        QLineEdit* field = named(new QLineEdit(QStringLiteral("0")), names[i]);
        cornerFields_[static_cast<std::size_t>(i)] = field;
        field->setToolTip(QString::fromLatin1(hints[i]));
        field->setEnabled(false);
        grid->addWidget(new QLabel(QString::fromLatin1(labels[i])), i / 2, (i % 2) * 2);
        grid->addWidget(field, i / 2, (i % 2) * 2 + 1);
        field->installEventFilter(this);
        enterLocaleDecimalSeparator(field);
        connect(field, &QLineEdit::textChanged, this,
                [this, i](const QString& text) { session().setCornerText(i, text); });
    }
    xTransferBox_ = named(new QComboBox, "ComboBox2");
    yTransferBox_ = named(new QComboBox, "ComboBox3");
    for (int i = 0; i < 9; ++i) {
        xTransferBox_->addItem(transferName(true, i));
        yTransferBox_->addItem(transferName(false, i));
    }
    grid->addWidget(xTransferBox_, 2, 1);
    grid->addWidget(yTransferBox_, 2, 3);
    for (QComboBox* box : {xTransferBox_, yTransferBox_})
        connect(box, qOverload<int>(&QComboBox::currentIndexChanged), this, [this] {
            session().setTransfers(xTransferBox_->currentIndex(), yTransferBox_->currentIndex());
        });
    selectAreaOnlyButton_ =
        glyphButton("SelectOnly", Glyph::Rectangle,
                    QStringLiteral("Select only the area of automatic digitization"), true);
    selectAreaOnlyButton_->setEnabled(false);
    grid->addWidget(selectAreaOnlyButton_, 2, 0);
    connect(selectAreaOnlyButton_, &QToolButton::toggled, this,
            [this](bool down) { session().selectAreaOnly = down; });

    rectangleTool_ = glyphButton(
        "RectSelect", Glyph::Rectangle,
        QStringLiteral(
            "Fix coordinates:\r\nselect a rectangle by mouse and input\r\ncoordinates "
            "of left-bottom and right-top\r\ncorners of this rectangle in red input-fields"),
        true);
    colourPickTool_ = glyphButton("Points", Glyph::Colour,
                                  QStringLiteral("Define \"Curve color\" on the image"), true);
    for (QToolButton* b : {rectangleTool_, colourPickTool_}) {
        b->setEnabled(false);
        commands().addWidget(b->objectName().toLatin1().constData(), b);
    }
    QAction* fixItem = commands().addAction("Fixcoord", QStringLiteral("Fix coordinates"));
    fixItem->setEnabled(false);
    fixDialog_ = new FixCoordinatesDialog(window());

    connect(rectangleTool_, &QToolButton::clicked, this,
            &CalibrationPanel::toggleRectangleSelection);
    connect(colourPickTool_, &QToolButton::clicked, this, &CalibrationPanel::toggleColourPick);
    connect(rectangleTool_, &QToolButton::toggled, this, [this](bool down) {
        if (down) session().toolTaken(kRectangleTool);
    });
    connect(colourPickTool_, &QToolButton::toggled, this, [this](bool down) {
        if (down) session().toolTaken(kColourPickTool);
    });
    connect(fixItem, &QAction::triggered, this, [this] { fixCoordinates(false); });
    // "Find axes": offered while the picture has the paths and words of a vector file.
    findAxesItem_ = commands().addAction("FindAxes", message(Msg::FindAxesItem));
    findAxesItem_->setEnabled(false);
    connect(findAxesItem_, &QAction::triggered, this, &CalibrationPanel::findAxes);
    commands().addCommand(QStringLiteral("calibration.fixFromRightClick"),
                          [this] { fixCoordinates(true); });
    commands().addRule(fixItem, CommandNeeds::Image);
    commands().addRule(rectangleTool_, CommandNeeds::Image);
    commands().addRule(colourPickTool_, CommandNeeds::Image);
    commands().addRule(panel_, CommandNeeds::Image, true);

    DigitizingSession& s = session();
    const auto offerFindAxes = [this] {
        findAxesItem_->setEnabled(session().document().hasVectorLayer() &&
                                  !session().interfaceLocked());
    };
    connect(&s, &DigitizingSession::pictureReset, this, offerFindAxes);
    connect(&s, &DigitizingSession::pictureRemoved, this, offerFindAxes);
    connect(&s, &DigitizingSession::stateChanged, this, offerFindAxes);
    connect(&s, &DigitizingSession::lockChanged, this, offerFindAxes);
    connect(&s, &DigitizingSession::calibrationChanged, this, &CalibrationPanel::showCalibration);
    connect(&s, &DigitizingSession::toolDown, this, [this](const QString& tool) {
        if (tool != kRectangleTool && rectangleTool_->isChecked())
            rectangleTool_->setChecked(false);
        if (tool != kColourPickTool && colourPickTool_->isChecked())
            colourPickTool_->setChecked(false);
    });
    connect(&s, &DigitizingSession::digitizingToolsEnabled, this, [this] {
        enableFields(true);
        selectAreaOnlyButton_->setEnabled(true);
    });
    connect(&s, &DigitizingSession::activated, this, [this] {
        if (session().mouseMode() != MouseMode::Idle) return;
        rectangleTool_->setChecked(false);
        colourPickTool_->setChecked(false);
    });
    connect(&s, &DigitizingSession::pictureReset, this, [this] {
        session().selectionDragging = false;
        enableFields(false);
        selectAreaOnlyButton_->setChecked(false);
        selectAreaOnlyButton_->setEnabled(false);
    });
    connect(&s, &DigitizingSession::imageMousePressed, this, [this](const ImageMouse& m) {
        if (m.button != Qt::LeftButton) return;
        if (session().mouseMode() == MouseMode::SelectRectangle) selectionPress(m);
        if (session().mouseMode() == MouseMode::PickCurveColour) {
            const Raster& raster = session().document().raster;
            const int x = Round(m.u / session().viewScale), y = Round(m.v / session().viewScale);
            if (raster.contains(x, y)) session().setCurveColour(raster.pixel(x, y));
        }
    });
    connect(&s, &DigitizingSession::imageMouseMoved, this, [this](const ImageMouse& m) {
        if (m.inside && session().mouseMode() == MouseMode::SelectRectangle) selectionMove(m);
    });
    connect(&s, &DigitizingSession::imageMouseReleased, this, [this](const ImageMouse& m) {
        if (session().mouseMode() == MouseMode::SelectRectangle) selectionRelease(m);
    });
}

bool CalibrationPanel::owns(const QWidget* widget) const {
    for (const QWidget* area : std::initializer_list<const QWidget*>{
             cornerFields_[0], cornerFields_[1], cornerFields_[2], cornerFields_[3], xTransferBox_,
             yTransferBox_, rectangleTool_})
        if (widget && (area == widget || area->isAncestorOf(widget))) return true;
    return false;
}

// A corner field that loses the focus shows its number from the start again.
bool CalibrationPanel::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut)
        for (QLineEdit* field : cornerFields_)
            if (watched == field) field->setCursorPosition(0);
    return WindowPart::eventFilter(watched, event);
}

// The fields follow the session: its texts (a narrow field shows a number from its start, so
// "-1.4839..." does not read ".4839..."), its scales and the mark of a fixed calibration.
void CalibrationPanel::showCalibration() {
    for (int i = 0; i < 4; ++i) {
        QLineEdit* field = cornerFields_[static_cast<std::size_t>(i)];
        if (field->text() != session().cornerText(i)) {
            field->setText(session().cornerText(i));
            field->setCursorPosition(0);
        }
        field->setStyleSheet(session().cornersMarked() ? calibratedFieldStyle() : QString());
    }
    if (xTransferBox_->currentIndex() != session().xTransfer())
        xTransferBox_->setCurrentIndex(session().xTransfer());
    if (yTransferBox_->currentIndex() != session().yTransfer())
        yTransferBox_->setCurrentIndex(session().yTransfer());
}

void CalibrationPanel::enableFields(bool enable) {
    for (QLineEdit* f : cornerFields_)
        f->setEnabled(enable);
}

void CalibrationPanel::toggleRectangleSelection() {
    session().enableDigitizingTools();
    session().showOptionsPage(OptionsPage::Auto);
    session().setMouseMode(rectangleTool_->isChecked() ? MouseMode::SelectRectangle
                                                       : MouseMode::Idle);
}

void CalibrationPanel::toggleColourPick() {
    session().setMouseMode(colourPickTool_->isChecked() ? MouseMode::PickCurveColour
                                                        : MouseMode::SelectRectangle);
}

// ---- the axes found by themselves

// On a vector picture the axis lines, ticks and labels give the calibration exactly; an axis
// that cannot be read leaves the fields as they were and says why.
void CalibrationPanel::findAxes() {
    DigitizingSession& s = session();
    if (!s.document().hasVectorLayer() || s.longOperationRunning()) return;
    const AxesFound axes = findAxesInLayer(*s.document().vectorLayer);
    if (!axes.ok) {
        s.showStatus(message(Msg::FindAxesFailed).arg(axes.reason));
        return;
    }
    s.applyCalibration(axes.calibration, localeDecimalSeparator());
    const Calibration& c = axes.calibration;
    s.showStatus(
        message(Msg::FindAxesFound)
            .arg(c.xLeftBottom, c.xRightTop, transferName(true, c.xTransfer), c.yLeftBottom,
                 c.yRightTop, transferName(false, c.yTransfer)) +
        (axes.repaired.isEmpty() ? QString() : QStringLiteral(" (") + axes.repaired + ')'));
}

// ---- the rectangle by mouse

void CalibrationPanel::selectionPress(const ImageMouse& m) {
    DigitizingSession& s = session();
    s.eraseSelection();
    const QPoint p(Round(m.u / s.viewScale), Round(m.v / s.viewScale));
    s.selection = {p.x(), p.y(), p.x(), p.y()};
    pressPoint_ = p;
    pressVertex_ = s.snappedVertex(QPointF(m.u, m.v) / s.viewScale, kSnapRadius / s.viewScale);
    s.selectionDragging = true;
}

void CalibrationPanel::selectionMove(const ImageMouse& m) {
    DigitizingSession& s = session();
    if (!s.selectionDragging) return;
    s.eraseSelection();
    s.selection.right = Round(m.u / s.viewScale);
    s.selection.bottom = Round(m.v / s.viewScale);
    s.drawSelection();
    if (s.hairLines) s.setGuideLines(QPointF(m.u, m.v));
}

void CalibrationPanel::selectionRelease(const ImageMouse& m) {
    DigitizingSession& s = session();
    if (!s.selectionDragging) return;
    s.setGuideLines(std::nullopt);
    s.selectionDragging = false;
    rectangleTool_->setChecked(false);
    s.setMouseMode(MouseMode::Idle);
    SelectionBox& box = s.selection;
    if (box.left == box.right && box.top == box.bottom) return; // a click
    box = {std::min(box.left, box.right), std::min(box.top, box.bottom),
           std::max(box.left, box.right), std::max(box.top, box.bottom)};
    const int width = s.document().raster.width(), height = s.document().raster.height();
    const QPoint q(std::clamp(Round(m.u / s.viewScale), 0, width),
                   std::clamp(Round(m.v / s.viewScale), 0, height));
    const QPoint p = pressPoint_;
    // The step: the width over the rows between "from" and "to" (as the fields hold them);
    // a selection one pixel wide leaves it as it was, since it would divide by zero.
    const auto presetFor = [&s](int pixels) {
        const int last = std::clamp(pixels, 1, Table::kMaxRows);
        std::optional<int> step;
        if (last != 1) step = std::clamp(Round(std::abs(pixels) / double(last - 1)), 1, 500);
        s.presetScanRows(last, 1, step);
    };
    if (selectAreaOnlyButton_->isChecked()) {
        s.area = {std::min(p.x(), q.x()), std::max(p.y(), q.y()), std::max(p.x(), q.x()),
                  std::min(p.y(), q.y())};
        presetFor(s.area.right - s.area.left);
    } else {
        const QPoint leftBottom(std::min(p.x(), q.x()), std::max(p.y(), q.y()));
        const QPoint rightTop(std::max(p.x(), q.x()), std::min(p.y(), q.y()));
        s.setPixelCorners(leftBottom, rightTop);
        // On a vector picture a corner near a path's vertex (the frame's corner, a tick's end)
        // takes the vertex, fractional, so that the calibration is exact.
        const std::optional<QPointF> releaseVertex =
            s.snappedVertex(QPointF(m.u, m.v) / s.viewScale, kSnapRadius / s.viewScale);
        if (pressVertex_ || releaseVertex) {
            const QPointF a = pressVertex_.value_or(QPointF(p)),
                          b = releaseVertex.value_or(QPointF(q));
            s.setExactCorners(QPointF(std::min(a.x(), b.x()), std::max(a.y(), b.y())),
                              QPointF(std::max(a.x(), b.x()), std::min(a.y(), b.y())));
        }
        s.setCornerText(0, QString::number(leftBottom.x()));
        s.setCornerText(2, QString::number(rightTop.x()));
        s.setCornerText(1, QString::number(height - leftBottom.y()));
        s.setCornerText(3, QString::number(height - rightTop.y()));
        s.setCornersMarked(true);
        s.area = {leftBottom.x(), leftBottom.y(), rightTop.x(), rightTop.y()};
        presetFor(rightTop.x() - leftBottom.x());
    }
    s.setMarkerSizeField(1);
    s.selectionShown = true;
}

// ---- "Fix coordinates"

void CalibrationPanel::fixCoordinates(bool rightClick) {
    DigitizingSession& s = session();
    if (s.document().raster.isEmpty()) return;
    const int width = s.document().raster.width(), height = s.document().raster.height();
    const bool toolWasDown = rectangleTool_->isChecked();
    std::array<bool, 4> fieldsWereEnabled{};
    for (std::size_t i = 0; i < 4; ++i)
        fieldsWereEnabled[i] = cornerFields_[i]->isEnabled();
    if (rightClick) rectangleTool_->setChecked(true);
    enableFields(true);
    FixCoordinatesDialog& d = *fixDialog_;
    d.prepare({s.cornerText(0), s.cornerText(1), s.cornerText(2), s.cornerText(3)}, width, height,
              s.selection);
    if (!runDialog(&d)) {
        // Cancelled (Escape or the close button): everything stays as it was.
        rectangleTool_->setChecked(toolWasDown);
        for (std::size_t i = 0; i < 4; ++i)
            cornerFields_[i]->setEnabled(fieldsWereEnabled[i]);
        return;
    }
    rectangleTool_->setEnabled(true);
    rectangleTool_->setChecked(false);
    const int lbY = d.leftBottomYBox->value(), rtY = d.rightTopYBox->value();
    const int lbX = d.leftBottomXBox->value(), rtX = d.rightTopXBox->value();
    s.typeScanRows(std::abs(rtX - lbX), 1, 1);
    s.enableDigitizingTools();

    s.eraseSelection();
    s.selection.top = height - std::max(lbY, rtY);
    s.selection.bottom = height - std::min(lbY, rtY);
    s.selection.left = std::min(lbX, rtX);
    s.selection.right = std::max(lbX, rtX);
    const QPoint leftBottom(s.selection.left, height - lbY);
    const QPoint rightTop(s.selection.right, height - rtY);
    s.setPixelCorners(leftBottom, rightTop);
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
        s.setCornerText(i, typedArePixels ? QString::number(pixels[i])
                                          : d.graphFields[static_cast<std::size_t>(i)]->text());
    s.setCornersMarked(true);
    s.area = {leftBottom.x(), leftBottom.y(), rightTop.x(), rightTop.y()};
    s.drawSelection();
    s.selectionShown = true;
    if (rightClick) s.typeScanRows(s.options().lastRow, 1, 1);
}

} // namespace quorvex
