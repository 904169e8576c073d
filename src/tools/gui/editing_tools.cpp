#include "tools/gui/editing_tools.h"

#include "components/widgets.h"
#include "core/messages.h"
#include "core/round.h"
#include "image/image_error.h"
#include "image/rotation.h"
#include "tools/gui/pencil_dialog.h"
#include "tools/pencil.h"

#include <QAction>
#include <QToolButton>

namespace quorvex {

namespace {
const QString kRotateTool = QStringLiteral("Rotate");
const QString kPencilTool = QStringLiteral("Pencil");
} // namespace

EditingTools::EditingTools(const PartContext& context) : WindowPart(context) {
    CommandRegistry& c = commands();
    rotateTool_ = glyphButton(
        "Rotate", Glyph::Rotate,
        QStringLiteral("Rotate: paint the line which will have to be horizontal after rotation"),
        true);
    pencilTool_ = glyphButton("Pencil", Glyph::Pencil, QStringLiteral("Pencil (or eraser)"), true);
    for (QToolButton* b : {rotateTool_, pencilTool_}) {
        b->setEnabled(false);
        c.addWidget(b->objectName().toLatin1().constData(), b);
        c.addRule(b, CommandNeeds::Image);
    }
    QAction* background = c.addAction("Rotatebackgroundimagecolor1",
                                      QStringLiteral("Select rotate background image colour..."));
    QAction* quarter = c.addAction("Rotate90", QStringLiteral("Rotate 90 degrees"));
    quarter->setEnabled(false);
    c.addRule(quarter, CommandNeeds::Image);
    pencilDialog_ = new PencilDialog(window());

    connect(rotateTool_, &QToolButton::toggled, this, &EditingTools::rotationToolToggled);
    connect(pencilTool_, &QToolButton::toggled, this, &EditingTools::pencilToolToggled);
    connect(quarter, &QAction::triggered, this, [this] { rotateImage(std::nullopt); });
    connect(background, &QAction::triggered, this, [this] {
        if (const auto chosen =
                prompter().colour(window(), QColor::fromRgb(toQRgb(rotateBackColour_))))
            rotateBackColour_ = fromQRgb(chosen->rgb());
    });
    connect(pencilDialog_, &PencilDialog::colourRequested, this, [this] {
        if (const auto chosen =
                prompter().colour(pencilDialog_, QColor::fromRgb(toQRgb(pencilDialog_->colour()))))
            pencilDialog_->setColour(fromQRgb(chosen->rgb()));
    });
    connect(pencilDialog_, &PencilDialog::pickToggled, this, [this](bool down) {
        session().setMouseMode(down ? MouseMode::PickPencilColour : MouseMode::Pencil);
    });
    connect(pencilDialog_, &PencilDialog::activated, this, [this] {
        pencilTool_->setChecked(true);
        if (!pencilDialog_->picking()) session().setMouseMode(MouseMode::Pencil);
    });
    connect(pencilDialog_, &PencilDialog::closed, this, [this] {
        pencilTool_->setChecked(false);
        session().setMouseMode(MouseMode::Idle);
    });

    DigitizingSession& s = session();
    connect(&s, &DigitizingSession::toolDown, this, [this](const QString& tool) {
        if (tool != kRotateTool && rotateTool_->isChecked()) rotateTool_->setChecked(false);
        if (tool != kPencilTool && pencilTool_->isChecked()) pencilTool_->setChecked(false);
    });
    // The dialog acts on the picture: it waits while a long operation runs.
    connect(&s, &DigitizingSession::lockChanged, pencilDialog_,
            [this](bool locked) { pencilDialog_->setEnabled(!locked); });
    connect(&s, &DigitizingSession::imageMousePressed, this, &EditingTools::pressed);
    connect(&s, &DigitizingSession::imageMouseMoved, this, &EditingTools::moved);
    connect(&s, &DigitizingSession::imageMouseReleased, this, &EditingTools::released);
}

// ---- rotation

void EditingTools::rotationToolToggled(bool down) {
    if (down) {
        session().toolTaken(kRotateTool);
        session().setMouseMode(MouseMode::RotationLine);
    } else if (session().mouseMode() == MouseMode::RotationLine) {
        // Letting the button up ends the tool; a line being drawn goes too.
        session().setMouseMode(MouseMode::Idle);
        rotationLineDrawing_ = false;
        session().setOverlayLine(std::nullopt, session().markerColour);
    }
}

void EditingTools::rotateImage(std::optional<double> degrees) {
    DigitizingSession& s = session();
    // The drawings over the picture (the calibration rectangle, markers) do not turn with it:
    // they live beside the raster, and the reset below starts them afresh.
    s.selectionShown = false;
    Raster& raster = s.document().raster;
    if (!raster.isEmpty()) {
        // A black-and-white picture is filled with white, whatever colour is chosen.
        const Colour background = raster.format() == PixelFormat::Bit1 ? kWhite : rotateBackColour_;
        try {
            raster = rotateRaster(raster, degrees.value_or(90.0), background);
            s.dropVectorLayer();
        } catch (const ImageError& error) {
            inform(message(Msg::RotationFailed).arg(error.message()), true);
        } catch (const std::bad_alloc&) {
            inform(message(Msg::RotationFailed).arg(message(Msg::OutOfMemory)), true);
        }
    }
    rotateTool_->setChecked(false);
    // The picture starts afresh as after a load; the Table stays.
    s.resetAfterNewImage(DigitizingSession::TableOnReset::Keep);
}

// ---- pencil

void EditingTools::pencilToolToggled(bool down) {
    if (down) {
        session().toolTaken(kPencilTool);
        session().setMouseMode(pencilDialog_->picking() ? MouseMode::PickPencilColour
                                                        : MouseMode::Pencil);
        pencilDialog_->show();
        return;
    }
    pencilDrawing_ = false;
    if (session().mouseMode() == MouseMode::Pencil ||
        session().mouseMode() == MouseMode::PickPencilColour)
        session().setMouseMode(MouseMode::Idle);
    pencilDialog_->hide();
}

// Each event paints one disc: a fast stroke leaves separate discs.
void EditingTools::pencilMove(double u, double v) {
    Raster& raster = session().document().raster;
    const int x = Round(u / session().viewScale), y = Round(v / session().viewScale);
    if (raster.contains(x, y)) pencilDialog_->showPixel(raster.pixel(x, y));
    if (!pencilDrawing_) return;
    const QRect touched =
        paintPencilDisc(raster, x, y, pencilDialog_->pencilSize(), pencilDialog_->colour());
    if (!touched.isEmpty()) session().pictureEdited(touched);
}

// ---- the mouse

void EditingTools::pressed(const ImageMouse& m) {
    if (m.button != Qt::LeftButton) return;
    switch (session().mouseMode()) {
    case MouseMode::RotationLine:
        rotationStart_ = QPoint(Round(m.u), Round(m.v));
        rotationLineDrawing_ = true;
        break;
    case MouseMode::Pencil:
        pencilDrawing_ = true;
        pencilMove(m.u, m.v);
        break;
    case MouseMode::PickPencilColour: {
        const Raster& raster = session().document().raster;
        const int x = Round(m.u / session().viewScale), y = Round(m.v / session().viewScale);
        if (raster.contains(x, y)) pencilDialog_->setColour(raster.pixel(x, y));
        break;
    }
    default:
        break;
    }
}

void EditingTools::moved(const ImageMouse& m) {
    if (session().mouseMode() == MouseMode::RotationLine && rotationLineDrawing_)
        session().setOverlayLine(QLineF(QPointF(Round(m.u), Round(m.v)), QPointF(rotationStart_)),
                                 session().markerColour);
    if (session().mouseMode() == MouseMode::Pencil) pencilMove(m.u, m.v);
}

void EditingTools::released(const ImageMouse& m) {
    if (session().mouseMode() == MouseMode::RotationLine && rotationLineDrawing_) {
        rotationLineDrawing_ = false;
        session().setOverlayLine(std::nullopt, session().markerColour);
        const QPoint end(Round(m.u), Round(m.v));
        // A vertical line, or a click without a drag, turns by a quarter.
        if (end.x() == rotationStart_.x())
            rotateImage(std::nullopt);
        else
            rotateImage(rotationLineAngle(rotationStart_, end));
    }
    pencilDrawing_ = false;
}

} // namespace quorvex
