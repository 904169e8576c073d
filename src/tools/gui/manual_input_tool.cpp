#include "tools/gui/manual_input_tool.h"

#include "components/widgets.h"
#include "core/canvas.h"
#include "core/messages.h"
#include "core/round.h"
#include "table/table.h"
#include "table/table_history.h"

#include <QAction>
#include <QMenu>
#include <QToolButton>

namespace quorvex {

namespace {
const QString kManualTool = QStringLiteral("SpeedButton112SA");
} // namespace

ManualInputTool::ManualInputTool(const PartContext& context) : WindowPart(context) {
    CommandRegistry& c = commands();
    manualInputTool_ = glyphButton(
        "SpeedButton112SA", Glyph::Manual,
        QStringLiteral("Manual input: click on the Image in desired point,\r\nis better with "
                       "checked Self-correction,\r\nin order to undo the last input then "
                       "click\r\nof left mouse on the Image"),
        true);
    manualInputTool_->setEnabled(false);
    c.addWidget("SpeedButton112SA", manualInputTool_);
    QToolButton* removeMarkersButton =
        glyphButton("RxSpeedButton1", Glyph::Markers, QStringLiteral("Remove red markers"));
    c.addWidget("RxSpeedButton1", removeMarkersButton);
    undoPointAction_ = c.addAction("UndoPoint1", QStringLiteral("Undo input of the latest point"));
    undoPointAction_->setEnabled(false);
    // Ctrl+Z steps back through the Table's history; the latest point has a key of its own.
    undoPointAction_->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Backspace));
    undoDigitizationAction_ = c.addAction("UndoAuto", QStringLiteral("Undo digitization"));
    markersAction_ = c.addAction("N10Mark", QStringLiteral("Markers"));
    markersAction_->setCheckable(true);
    markersAction_->setChecked(true);
    markersAction_->setToolTip(QStringLiteral("Mark a digitezed points with color"));
    QAction* markerColourItem =
        c.addAction("MarkerClor", QStringLiteral("Select marker colour from pallet..."));
    // Opened by a right click on the picture while manual input runs.
    undoMenu_ = new QMenu(window());
    undoMenu_->setObjectName(QStringLiteral("Undo"));
    undoPointPopupAction_ = undoMenu_->addAction(QStringLiteral("Undo input of the latest point"));
    undoPointPopupAction_->setObjectName(QStringLiteral("UndoPoint"));
    undoPointPopupAction_->setEnabled(false);
    undoDigitizationPopupAction_ = undoMenu_->addAction(QStringLiteral("Undo digitization"));
    undoDigitizationPopupAction_->setObjectName(QStringLiteral("UndoAutoP"));

    connect(manualInputTool_, &QToolButton::clicked, this, &ManualInputTool::toggleManualInput);
    connect(manualInputTool_, &QToolButton::toggled, this, [this](bool down) {
        if (down) session().toolTaken(kManualTool);
    });
    for (QAction* a : {undoPointPopupAction_, undoPointAction_})
        connect(a, &QAction::triggered, this, &ManualInputTool::undoLatestPoint);
    for (QAction* a : {undoDigitizationAction_, undoDigitizationPopupAction_})
        connect(a, &QAction::triggered, this, &ManualInputTool::undoDigitization);
    connect(markersAction_, &QAction::triggered, this, &ManualInputTool::markersToggled);
    connect(markersAction_, &QAction::toggled, this, [this](bool on) { session().markersOn = on; });
    connect(markerColourItem, &QAction::triggered, this, &ManualInputTool::chooseMarkerColour);
    connect(removeMarkersButton, &QToolButton::clicked, this, &ManualInputTool::removeMarkers);
    c.addRule(removeMarkersButton, CommandNeeds::Image);

    DigitizingSession& s = session();
    connect(&s, &DigitizingSession::undoChanged, this, &ManualInputTool::updateUndoActions);
    connect(&s, &DigitizingSession::toolDown, this, [this](const QString& tool) {
        if (tool != kManualTool && manualInputTool_->isChecked())
            manualInputTool_->setChecked(false);
    });
    connect(&s, &DigitizingSession::digitizingToolsEnabled, manualInputTool_,
            [this] { manualInputTool_->setEnabled(true); });
    connect(&s, &DigitizingSession::digitizingToolsReleased, manualInputTool_,
            [this] { manualInputTool_->setChecked(false); });
    connect(&s, &DigitizingSession::activated, this, [this] {
        if (session().mouseMode() == MouseMode::Idle) manualInputTool_->setChecked(false);
    });
    connect(&s, &DigitizingSession::pictureReset, this,
            [this] { manualInputTool_->setChecked(false); });
    connect(&s, &DigitizingSession::imageMousePressed, this, [this](const ImageMouse& m) {
        if (m.button == Qt::RightButton) return rightPress(m);
        if (session().mouseMode() == MouseMode::ManualInput) manualInputPress(m);
        updateUndoActions();
    });
    c.addCommand(QStringLiteral("markers.remove"), [this] { removeMarkers(); });
}

// A right click offers the undo commands while manual input runs; otherwise it opens "Fix
// coordinates" (not while only the area is being selected).
void ManualInputTool::rightPress(const ImageMouse& m) {
    DigitizingSession& s = session();
    if (!s.selectAreaOnly) {
        if (manualInputTool_->isChecked()) {
            undoMenu_->popup(m.globalPosition);
            s.swallowNextClick = true;
        } else {
            commands().run(QStringLiteral("calibration.fixFromRightClick"));
        }
    }
    s.swallowNextClick = s.swallowNextClick || s.searchUndoable;
}

void ManualInputTool::toggleManualInput() {
    DigitizingSession& s = session();
    s.setDataPresent();
    bezier_.clear();
    const bool down = manualInputTool_->isChecked();
    if (down && !uncalibratedCheck()) {
        manualInputTool_->setChecked(false);
        return;
    }
    s.showOptionsPage(OptionsPage::Extra);
    s.setMarkerSizeField(3);
    if (!down) {
        s.setMouseMode(MouseMode::ManualInputPaused);
        return;
    }
    const QString n = table().curveText();
    const QString question = s.options().polyBezier
                                 ? message(Msg::ClearColumnsBezierQuestion).arg(n)
                                 : message(Msg::ClearColumnsQuestion).arg(n);
    switch (prompter().question(window(), question, true)) {
    case Answer::Cancel:
        s.setMouseMode(MouseMode::ManualInputPaused);
        manualInputTool_->setChecked(false);
        break;
    case Answer::Yes:
        clearCurrentPair();
        s.setMouseMode(MouseMode::ManualInput);
        s.markers.setCount(0);
        break;
    case Answer::No:
        s.setMouseMode(MouseMode::ManualInput);
        break;
    }
    // The points of this run of the tool form a digitization of their own.
    newManualRecord_ = true;
    updateUndoActions();
}

void ManualInputTool::manualInputPress(const ImageMouse& m) {
    DigitizingSession& s = session();
    if (!cornerTextsDiffer()) return;
    if (s.swallowNextClick) {
        s.swallowNextClick = false;
        if (s.options().polyBezier && manualInputTool_->isChecked())
            undoDigitizationPopupAction_->setEnabled(false);
        return;
    }
    Raster& raster = s.document().raster;
    UndoRecord& undo = s.undo;
    try {
        const int n = table().currentCurve();
        const ToGraph graph(s.calibration(), localeDecimalSeparator());
        const double scale = s.viewScale;
        if (s.options().polyBezier) {
            s.markerSize = std::max(1, s.options().markerSizeField - 1);
            if (!bezier_.add(QPoint(Round(m.u / scale), Round(m.v / scale)))) {
                inform(message(Msg::BezierOverflow));
                return;
            }
            if (drawBezierStroke(raster, bezier_, s.options().markerSizeField, s.markerColour,
                                 &s.document().marks))
                s.pictureEdited();
            s.bezierUsed = true;
        }
        const double x = m.u / scale;
        std::optional<double> corrected;
        if (s.options().selfCorrection)
            corrected = s.correctedRow(m.u, m.v, s.options().correctionDepth);
        const double y = corrected ? *corrected : m.v / scale;
        const double gx = graph.x(x), gy = graph.y(y);
        const int row = table().nextRow(n);
        if (row > Table::kMaxRows) {
            s.showStatus(message(Msg::TableFull));
            return;
        }
        // A point that does not continue the latest manual digitization starts a new one.
        const int xColumn = 2 * n - 1;
        if (newManualRecord_ || undo.source != UndoRecord::Source::Manual ||
            undo.xColumn != xColumn || undo.lastRow != row - 1 || !s.digitizationTrue()) {
            newManualRecord_ = false;
            s.markers.setCount(0);
            undo.beginDigitization(UndoRecord::Source::Manual, xColumn, row - 1, row,
                                   s.history().newGroup());
            s.searchUndoable = false;
        }
        undo.latestPosition = QPointF(x, y);
        if (s.markersOn) {
            const QPoint at(Round(x), Round(y));
            const int size = s.markerSize;
            drawMarker(raster, at.x(), at.y(), size, s.markerColour, &s.document().marks);
            s.pictureEdited(
                QRect(at - QPoint(size + 1, size + 1), at + QPoint(size + 1, size + 1)));
            s.markers.append(at);
        }
        TableChangeScope change(s.history(), message(Msg::ChangePoint).arg(n), ChangeKind::Point,
                                undo.digitizationGroup);
        table().appendPoint(gx, gy);
        undo.latestPointChange = change.close();
        undo.latestPointAvailable = true;
        undo.latestColumn = xColumn;
        undo.latestRow = row;
        undo.available = true;
        undo.markerSize = s.markerSize;
        undo.markerColour = s.markerColour;
        undo.lastRow = row;
        undo.markerCount = s.markers.count();
        updateUndoActions();
    } catch (const ConversionError&) {
        s.showStatus(pointFailureText(PointFailure::ConvertError));
    } catch (const PointError& error) {
        s.showStatus(pointFailureText(error.failure()));
    }
}

// ---- markers and undo

void ManualInputTool::markersToggled() {
    if (markersAction_->isChecked()) return; // it was off: now on, nothing else
    switch (prompter().question(window(), message(Msg::MarkersOffQuestion), true)) {
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
void ManualInputTool::removeMarkers() {
    removeRedMarkers(session().document().raster, &session().document().marks);
    session().pictureEdited();
    commands().run(QStringLiteral("picture.checkFormat"));
}

void ManualInputTool::undoLatestPoint() {
    DigitizingSession& s = session();
    UndoRecord& undo = s.undo;
    // Rows that moved since hold other points: those are never cleared.
    if (!s.latestPointUndoable()) return updateUndoActions();
    Raster& raster = s.document().raster;
    if (s.markersOn) {
        const QPoint at(Round(undo.latestPosition.x()), Round(undo.latestPosition.y()));
        const int size = s.markerSize;
        drawMarker(raster, at.x(), at.y(), size, s.markerColour, &s.document().marks);
        s.pictureEdited(QRect(at - QPoint(size + 1, size + 1), at + QPoint(size + 1, size + 1)));
    }
    // One point can be undone, once; its cells are those it wrote, whatever curve is current.
    undo.latestPointAvailable = false;
    // The point's command is the newest: undoing it empties the cells it wrote and gives the
    // curve its row back; it can be redone.
    const int column = undo.latestColumn, row = undo.latestRow;
    s.history().stack().undo();
    if (undo.source == UndoRecord::Source::Manual && undo.xColumn == column && undo.lastRow == row)
        undo.lastRow = row - 1;
    s.swallowNextClick = false;
    if (s.options().polyBezier) {
        // Erase the stroke, drop its newest point and draw what is left (each when drawable).
        const int width = std::max(1, s.options().markerSizeField);
        s.markerSize = width;
        auto drawInverted = [&] {
            if (!bezier_.drawable()) return;
            Canvas canvas(raster, &s.document().marks);
            canvas.pen =
                Pen{s.markerColour, width, PenStyle::Solid,
                    raster.format() == PixelFormat::Bit1 ? RasterOp::White : RasterOp::NotXorPen};
            canvas.brush = Brush{s.markerColour, true};
            canvas.polyBezier(bezier_.points());
        };
        drawInverted();
        bezier_.dropLast();
        drawInverted();
        s.pictureEdited();
    }
    s.markers.setCount(s.markers.count() - 1);
    if (undo.source == UndoRecord::Source::Manual)
        undo.markerCount = std::min(undo.markerCount, s.markers.count());
    updateUndoActions();
}

void ManualInputTool::undoDigitization() {
    DigitizingSession& s = session();
    UndoRecord& undo = s.undo;
    const int index = s.history().undoIndexOfDigitization(undo.digitizationGroup, undo.xColumn);
    if ((!undo.available && !s.searchUndoable) || index < 0) return updateUndoActions();
    undoDigitizationMarkers(s.document().raster, s.markers, undo, &s.document().marks);
    s.pictureEdited();
    // The digitization's commands and the edits of its rows after it are undone: its cells get
    // the texts they had before it and the curve continues where it did; all can be redone.
    s.history().stack().setIndex(index);
    undo.latestPointAvailable = false;
    undo.markerCount = 0;
    undo.available = false;
    undo.source = UndoRecord::Source::None;
    s.releaseDigitizingTools();
    s.swallowNextClick = false;
    s.searchUndoable = false;
    updateUndoActions();
}

void ManualInputTool::updateUndoActions() {
    const DigitizingSession& s = session();
    const bool digitization =
        s.digitizationUndoable(s.options().polyBezier && manualInputTool_->isChecked());
    const bool latestPoint = s.latestPointUndoable();
    undoDigitizationAction_->setEnabled(digitization);
    undoDigitizationPopupAction_->setEnabled(digitization);
    const QString caption = message(Msg::UndoDigitization);
    undoDigitizationAction_->setText(caption);
    undoDigitizationPopupAction_->setText(caption);
    undoPointPopupAction_->setEnabled(latestPoint);
    undoPointAction_->setEnabled(latestPoint);
}

void ManualInputTool::chooseMarkerColour() {
    DigitizingSession& s = session();
    if (const auto chosen = prompter().colour(window(), QColor::fromRgb(toQRgb(s.markerColour))))
        s.markerColour = fromQRgb(chosen->rgb());
}

} // namespace quorvex
