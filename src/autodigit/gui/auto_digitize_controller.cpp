#include "autodigit/gui/auto_digitize_controller.h"

#include "app/settings_files.h"
#include "autodigit/gui/auto_digitize_settings_dialog.h"
#include "autodigit/vector_scan.h"
#include "components/widgets.h"
#include "core/messages.h"
#include "core/round.h"
#include "table/table.h"
#include "table/table_history.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QToolButton>
#include <cmath>

namespace quorvex {

namespace {
const QString kSearchTool = QStringLiteral("SpeedButton11SA");
} // namespace

AutoDigitizeController::AutoDigitizeController(const PartContext& context) : WindowPart(context) {
    CommandRegistry& c = commands();
    autoDigitizeButton_ =
        glyphButton("BitBtn2", Glyph::Points,
                    QStringLiteral("Automatic digitization in defined rectangular area..."));
    searchTool_ = glyphButton(
        "SpeedButton11SA", Glyph::Search,
        QStringLiteral(
            "Search in area: push left button of mouse\r\nand move the cursor along a curve"),
        true);
    QToolButton* curveColourButton = glyphButton(
        "ColorBtn", Glyph::Colour, QStringLiteral("Select curve colour from pallet..."));
    for (QToolButton* b : {autoDigitizeButton_, searchTool_})
        b->setEnabled(false);
    for (QToolButton* b : {autoDigitizeButton_, searchTool_, curveColourButton})
        c.addWidget(b->objectName().toLatin1().constData(), b);
    curveColourSwatch_ = new ColourSwatch;
    curveColourSwatch_->setToolTip(
        QStringLiteral("Curve color. Click button \"Define curve color\"\r\nfor do it (on the "
                       "Image). Or click here (or menu)\r\nto select color in the pallet."));
    c.addWidget("Image3", curveColourSwatch_);
    QAction* curveColourItem =
        c.addAction("N43", QStringLiteral("Select curve colour from pallet..."));
    QAction* saveProfile = c.addAction("SaveProfile", message(Msg::ProfileSaveItem));
    QAction* loadProfile = c.addAction("LoadProfile", message(Msg::ProfileLoadItem));
    for (QAction* a : {saveProfile, loadProfile}) {
        a->setEnabled(false);
        c.addRule(a, CommandNeeds::Image);
    }

    connect(autoDigitizeButton_, &QToolButton::clicked, this,
            &AutoDigitizeController::digitizeAutomatically);
    connect(searchTool_, &QToolButton::clicked, this, &AutoDigitizeController::toggleSearchInArea);
    connect(searchTool_, &QToolButton::toggled, this, [this](bool down) {
        if (down) session().toolTaken(kSearchTool);
    });
    connect(curveColourItem, &QAction::triggered, this, &AutoDigitizeController::chooseCurveColour);
    connect(curveColourButton, &QToolButton::clicked, this,
            &AutoDigitizeController::chooseCurveColour);
    connect(curveColourSwatch_, &ColourSwatch::clicked, this,
            &AutoDigitizeController::chooseCurveColour);
    connect(saveProfile, &QAction::triggered, this, &AutoDigitizeController::saveDigitizingProfile);
    connect(loadProfile, &QAction::triggered, this, &AutoDigitizeController::loadDigitizingProfile);

    DigitizingSession& s = session();
    connect(&s, &DigitizingSession::curveColourChanged, curveColourSwatch_,
            &ColourSwatch::setColour);
    connect(&s, &DigitizingSession::toolDown, this, [this](const QString& tool) {
        if (tool != kSearchTool && searchTool_->isChecked()) searchTool_->setChecked(false);
    });
    connect(&s, &DigitizingSession::digitizingToolsEnabled, this, [this] {
        autoDigitizeButton_->setEnabled(true);
        searchTool_->setEnabled(true);
    });
    connect(&s, &DigitizingSession::digitizingToolsReleased, this,
            [this] { searchTool_->setChecked(false); });
    connect(&s, &DigitizingSession::activated, this, [this] {
        if (session().mouseMode() == MouseMode::Idle) searchTool_->setChecked(false);
    });
    connect(&s, &DigitizingSession::pictureReset, this, [this] { searchTool_->setChecked(false); });
    connect(&s, &DigitizingSession::imageMousePressed, this, [this](const ImageMouse& m) {
        if (m.button != Qt::LeftButton) return;
        lastSearchPoint_ = QPoint(0, 0);
        if (session().mouseMode() == MouseMode::SearchInArea) searchPress();
    });
    connect(&s, &DigitizingSession::imageMouseMoved, this, [this](const ImageMouse& m) {
        if (m.inside && session().mouseMode() == MouseMode::SearchInArea) searchMove(m);
    });
    connect(&s, &DigitizingSession::imageMouseReleased, this, [this](const ImageMouse&) {
        if (session().mouseMode() == MouseMode::SearchInArea) searchRelease();
    });
}

void AutoDigitizeController::chooseCurveColour() {
    if (const auto chosen =
            prompter().colour(window(), QColor::fromRgb(toQRgb(session().curveColour()))))
        session().setCurveColour(fromQRgb(chosen->rgb()));
}

void AutoDigitizeController::storeDistanceOptions(const DistanceOptions& options) {
    session().distance = options;
    ini().writeBool(ini::kAuto, ini::kColourDistance, options.on);
    ini().writeInteger(ini::kAuto, ini::kDistanceTolerance, options.tolerance);
    ini().writeBool(ini::kAuto, ini::kSubPixel, options.subPixel);
    saveIni();
}

// ---- automatic digitization

void AutoDigitizeController::digitizeAutomatically() {
    DigitizingSession& s = session();
    if (s.longOperationRunning()) return; // one long operation at a time
    const auto finish = [this] { autoDigitizeButton_->setChecked(false); };
    if (!cornerTextsDiffer()) return finish();
    s.showRealSize();
    s.setDataPresent();
    if (s.bezierUsed &&
        prompter().question(window(), message(Msg::BezierDigitizeQuestion), false) == Answer::Yes) {
        s.setCurveColour(s.markerColour);
        s.bezierUsed = false;
    }
    if (s.curveColour() == s.markerColour) s.setMarkerSizeField(1);
    std::optional<ToGraph> graph;
    try {
        graph.emplace(s.calibration(), localeDecimalSeparator());
    } catch (const ConversionError& error) {
        inform(error.message(), true);
        return finish();
    } catch (const PointError& error) {
        inform(pointFailureText(error.failure()), true);
        return finish();
    }
    if (s.cornerValuesArePixels() &&
        prompter().question(window(), message(Msg::UncalibratedQuestionAuto), false) != Answer::Yes)
        return finish();
    // A curve number that is no integer ends the run before anything changes.
    const std::optional<int> curveRead = readCurve();
    if (!curveRead) return finish();
    const int curve = *curveRead;
    const bool markersOn = s.markersOn;
    if (markersOn) {
        s.markerSize = s.options().markerSizeField;
        s.suppressRulers(true);
    }
    {
        // Stop works from here on; the rest of the window is locked until the run ends.
        LongOperation operation(s.longOperationHooks(), std::max(s.area.right, 1));
        s.keepImageUsable(); // the image stays usable while the rest is locked
        AutoDigitizeSettingsDialog dialog(s.curveColour(), window());
        dialog.inform = [this](const QString& text) { inform(text); };
        dialog.prepare(s.document().raster.format());
        dialog.setVectorAvailable(s.document().hasVectorLayer());
        dialog.setDistanceOptions(s.distance);
        if (s.scanChoices) {
            // The curve colour may have changed since: the dialog keeps the current one.
            dialog.setScanChoices(s.scanChoices->recognition, s.scanChoices->grid,
                                  s.scanChoices->horizontalLines, s.scanChoices->verticalLines);
        }
        if (runDialog(&dialog) && !dialog.cancelled()) {
            storeDistanceOptions(dialog.distanceOptions());
            s.scanChoices = ScanChoices{dialog.recognition(), dialog.grid(),
                                        dialog.horizontalLinesText(), dialog.verticalLinesText()};
            runAutomaticScan(dialog, *graph, curve, markersOn, operation);
        }
    }
    if (markersOn) s.suppressRulers(false);
    s.setMouseMode(MouseMode::Idle);
    s.undoStateChanged();
    finish();
}

ScanSettings AutoDigitizeController::scanFieldSettings() const {
    return session().scanFieldSettings();
}

// The scan of an accepted run: its points go into the curve's pair from its start row on. The
// recognition reads the picture alone: markers and the rectangle are drawn beside it.
void AutoDigitizeController::runAutomaticScan(const AutoDigitizeSettingsDialog& dialog,
                                              const ToGraph& graph, int curve, bool markersOn,
                                              LongOperation& operation) {
    DigitizingSession& s = session();
    Table& t = table();
    const Raster& raster = s.document().raster;
    ScanSettings settings = scanFieldSettings();
    settings.recognition = dialog.recognition();
    settings.grid = dialog.grid();
    GridLines lines;
    try {
        if (settings.grid.typedOn)
            readTypedLines(dialog.horizontalLinesText(), dialog.spacePressesH(),
                           dialog.verticalLinesText(), dialog.spacePressesV(), raster.height(),
                           lines);
    } catch (const ConversionError& error) {
        // Nothing has been written: the Table, its next row and the undo record stay as they were.
        inform(error.message(), true);
        return;
    }
    if (settings.grid.searchOn)
        findHorizontalLines(raster, curveColourTest(settings.recognition), settings.area,
                            settings.indent, settings.grid, lines);

    const int restoreRow = t.nextRow(curve);
    int startRow = restoreRow;
    switch (dialog.tableStart()) {
    case AutoDigitizeSettingsDialog::FromFirstRow:
        startRow = 1;
        break;
    case AutoDigitizeSettingsDialog::AtEnd:
        startRow = restoreRow + 1;
        break;
    case AutoDigitizeSettingsDialog::FromField:
        startRow = std::max(s.options().firstRow, 1);
        break;
    }
    QCoreApplication::processEvents();

    const int xColumn = 2 * curve - 1;
    const int firstRow = startRow - 1;
    int row = firstRow;
    bool tableFull = false;
    std::optional<PointFailure> failure;
    std::vector<QPoint> marked;
    // The run is one change of the history, also when it is stopped.
    const std::uint64_t group = history().newGroup();
    TableChangeScope change(history(), message(Msg::ChangeAutomaticRun), ChangeKind::Digitization,
                            group);
    const auto addPoint = [&](double x, double y) {
        if (row >= Table::kMaxRows) {
            tableFull = true;
            return;
        }
        // A point that does not convert is not written and not counted; the run goes on.
        QString xText, yText;
        try {
            xText = NumberText(graph.x(x));
            yText = NumberText(graph.y(y));
        } catch (const PointError& error) {
            failure = error.failure();
            return;
        }
        ++row;
        t.store().setCell(xColumn, row, xText);
        t.store().setCell(xColumn + 1, row, yText);
        if (markersOn) marked.emplace_back(Round(x), Round(y));
    };
    ScanOutcome outcome = ScanOutcome::Finished;
    if (settings.recognition.mode == RecognitionMode::Vector && s.document().hasVectorLayer()) {
        // The paths of the vector file give the points themselves, at fractional pixels.
        for (const QPointF& p : vectorCurvePoints(*s.document().vectorLayer, settings))
            addPoint(p.x(), p.y());
    } else {
        outcome = scanArea(
            raster, settings, lines, [&](int x, double y) { addPoint(x, y); },
            [&](int x) { return !tableFull && operation.step(x); });
    }

    if (row == firstRow) {
        // Nothing written: the Table and the undo record stay as they were.
        s.showStatus(failure ? pointFailureText(*failure) : message(Msg::NoPointsFound));
        return;
    }
    for (const QPoint& p : marked)
        drawMarker(s.document().raster, p.x(), p.y(), s.markerSize, s.markerColour,
                   &s.document().marks);
    // The undo record now holds this run, also after a stop: exactly the rows it wrote.
    UndoRecord& undo = s.undo;
    undo.beginDigitization(UndoRecord::Source::Automatic, xColumn, firstRow, restoreRow, group);
    undo.available = true;
    undo.lastRow = row;
    undo.markerSize = s.markerSize;
    undo.markerColour = s.markerColour;
    s.searchUndoable = false;
    if (markersOn) {
        s.markers.setCount(0);
        for (std::size_t i = 0; i < marked.size() && i < std::size_t(MarkerList::kCapacity); ++i)
            s.markers.append(marked[i]);
        undo.markerCount = s.markers.count();
    }
    t.revealPair(curve);
    t.cellsWritten(xColumn, firstRow + 1, xColumn + 1, row);
    // The curve continues after the run; row 0 is the title row and never receives points.
    t.setNextRow(curve, row);
    if (t.rowCountSetting() < row) t.setRowCount(row);
    change.rename(message(Msg::ChangeAutomaticRun).arg(row - firstRow));
    change.close();
    s.pictureEdited();
    if (tableFull)
        s.showStatus(message(Msg::TableFull));
    else if (failure)
        s.showStatus(pointFailureText(*failure));
    if (outcome != ScanOutcome::Stopped) s.showPage(WindowPage::Table);
}

// ---- search in area

void AutoDigitizeController::toggleSearchInArea() {
    DigitizingSession& s = session();
    s.setDataPresent();
    const bool down = searchTool_->isChecked();
    if (down && !uncalibratedCheck()) {
        searchTool_->setChecked(false);
        return;
    }
    s.showOptionsPage(OptionsPage::Extra);
    s.setMarkerSizeField(s.options().markerSizeField);
    if (!down) {
        s.setMouseMode(MouseMode::Idle);
    } else {
        switch (prompter().question(window(), message(Msg::ClearTableQuestion), true)) {
        case Answer::Yes:
            clearCurrentPair();
            s.setMouseMode(MouseMode::SearchInArea);
            break;
        case Answer::No:
            s.setMouseMode(MouseMode::SearchInArea);
            break;
        case Answer::Cancel:
            searchTool_->setChecked(false);
            s.setMouseMode(MouseMode::Idle);
            break;
        }
    }
    s.setMarkerSizeField(10);
}

void AutoDigitizeController::searchPress() {
    if (!cornerTextsDiffer()) return;
    const std::optional<int> curve = readCurve();
    if (!curve) return;
    searchButtonHeld_ = true;
    strokeCurve_ = *curve;
    strokeStartRow_ = table().nextRow(*curve);
    strokePoints_ = 0;
    session().clearOverlayCircles();
}

void AutoDigitizeController::searchMove(const ImageMouse& m) {
    if (!searchButtonHeld_) return;
    DigitizingSession& s = session();
    const double u = m.u, v = m.v;
    const double distance = std::hypot(u - lastSearchPoint_.x(), v - lastSearchPoint_.y());
    const int size = s.markerSize;
    if (2 * size * s.options().searchInterval >= distance) return;
    if (!s.options().selfCorrection) return;
    const std::optional<double> row = s.correctedRow(u, v, size);
    if (!row) return;
    const int px = Round(u / s.viewScale), py = Round(*row);
    UndoRecord& undo = s.undo;
    try {
        const ToGraph graph(s.calibration(), localeDecimalSeparator());
        const double gx = graph.x(px), gy = graph.y(*row);
        const int tableRow = table().nextRow(strokeCurve_);
        // The stroke's points become one command of the history.
        if (strokePoints_ == 0) strokeGroup_ = history().newGroup();
        TableChangeScope change(history(), message(Msg::ChangeSearchStroke).arg(strokePoints_ + 1),
                                ChangeKind::Digitization, strokeGroup_);
        if (!table().appendPoint(gx, gy)) {
            s.showStatus(message(Msg::TableFull));
        } else {
            if (strokePoints_++ == 0) {
                // The stroke's first point: the undo record now holds this stroke.
                s.markers.setCount(0);
                undo.beginDigitization(UndoRecord::Source::Search, 2 * strokeCurve_ - 1,
                                       strokeStartRow_ - 1, strokeStartRow_, strokeGroup_);
                undo.available = false; // offered through the search flag
                undo.markerSize = 1;
                undo.markerColour = s.markerColour;
                s.searchUndoable = true;
            }
            undo.lastRow = tableRow;
            if (s.markersOn) {
                s.addOverlayCircle(QPointF(px * s.viewScale, py * s.viewScale), size,
                                   s.markerColour);
                s.document().marks.setShownPixel(s.document().raster, px, py,
                                                 s.document().raster.representable(s.markerColour));
                s.pictureEdited(QRect(px, py, 1, 1));
                s.markers.append(QPoint(px, py));
                undo.markerCount = s.markers.count();
            }
        }
    } catch (const ConversionError&) {
        s.showStatus(pointFailureText(PointFailure::ConvertError));
    } catch (const PointError& error) {
        s.showStatus(pointFailureText(error.failure()));
    }
    lastSearchPoint_ = QPoint(static_cast<int>(u), static_cast<int>(v));
}

void AutoDigitizeController::searchRelease() {
    if (!searchButtonHeld_) return;
    searchButtonHeld_ = false;
    if (strokePoints_ == 0) session().showStatus(message(Msg::NoPointsFound));
    session().swallowNextClick = true;
    session().setMarkerSizeField(3);
    session().undoStateChanged();
}

// ---- digitizing profiles

DigitizingProfile AutoDigitizeController::currentProfile() const {
    return session().profile(localeDecimalSeparator());
}

void AutoDigitizeController::saveDigitizingProfile() {
    const auto choice =
        prompter().saveFile(window(), message(Msg::ProfileSaveItem).remove(QStringLiteral("...")),
                            session().imageFolder, {message(Msg::ProfileFilter)},
                            QFileInfo(session().document().fileName).completeBaseName());
    if (!choice) return;
    const QString path = choice->path;
    QString reason;
    if (!writeProfileFile(path, currentProfile(), &reason))
        inform(message(Msg::ProfileWriteFailed).arg(path) + QStringLiteral(": ") + reason, true);
}

void AutoDigitizeController::loadDigitizingProfile() {
    const auto choice =
        prompter().openFile(window(), message(Msg::ProfileLoadItem).remove(QStringLiteral("...")),
                            session().imageFolder, {message(Msg::ProfileFilter)}, 0);
    if (!choice) return;
    DigitizingProfile profile;
    try {
        profile = readProfileFile(choice->path);
    } catch (const ProfileError& error) {
        inform(error.message(), true);
        return;
    }
    applyProfile(profile);
}

bool AutoDigitizeController::applyProfile(const DigitizingProfile& profile) {
    DigitizingSession& s = session();
    if (s.document().raster.isEmpty()) return false;
    const int width = s.document().raster.width(), height = s.document().raster.height();
    if (profile.imageSize && *profile.imageSize != QSize(width, height) &&
        prompter().question(window(),
                            message(Msg::ProfileSizeQuestion)
                                .arg(profile.imageSize->width())
                                .arg(profile.imageSize->height())
                                .arg(width)
                                .arg(height),
                            false) != Answer::Yes)
        return false;
    s.applyProfile(profile, localeDecimalSeparator());
    storeDistanceOptions(s.distance);
    return true;
}

} // namespace quorvex
