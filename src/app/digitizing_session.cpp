#include "app/digitizing_session.h"

#include "autodigit/colour_distance.h"
#include "core/messages.h"
#include "core/numbers.h"
#include "core/round.h"
#include "image/pixel_format.h"
#include "table/table.h"
#include "table/table_history.h"
#include "tools/manual_input.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>

namespace quorvex {

DigitizingSession::DigitizingSession(QObject* parent)
    : QObject(parent), table_(new Table(this)), history_(new TableHistory(*table_, this)) {
    cornerTexts_.fill(QStringLiteral("0"));
    // Every change of the Table may make the undo record untrue or bring data.
    connect(table_, &Table::cellsChanged, this, &DigitizingSession::undoChanged);
    connect(&history_->stack(), &QUndoStack::indexChanged, this, &DigitizingSession::undoChanged);
    connect(table_, &Table::dataAvailable, this, &DigitizingSession::setDataPresent);
    connect(table_, &Table::curveSwitched, this, &DigitizingSession::releaseDigitizingTools);
}

// ---- the picture

void DigitizingSession::resetAfterNewImage(TableOnReset table) {
    const int width = document_.raster.width(), height = document_.raster.height();
    // The undo record, the Bezier flag and the marked points belong to the old picture.
    undo = UndoRecord();
    searchUndoable = false;
    swallowNextClick = false;
    markers.setCount(0);
    bezierUsed = false;
    // The drawings over the old picture go with it (after a rotation too: they would not fit).
    document_.marks.reset(width, height);
    // Calibration: the whole image, corner values 0; the rectangle is not on the new picture.
    pixelLeftBottom_ = QPoint(0, 0);
    pixelRightTop_ = QPoint(width, height);
    area = {0, height, width, 0};
    selection = {0, 0, width, height};
    selectionShown = false;
    skipNextErase = true;
    mouseMode_ = MouseMode::Idle;
    markerSize = options_.markerSizeField;
    imageLoaded_ = true;
    // Black-and-white pictures become colour pictures, so that coloured markers show.
    if (needsColourConversion(document_, convertBlackWhite))
        document_.raster = convertPixelFormat(document_.raster, PixelFormat::Bit24);
    markerColour = markerColourForFormat(document_.raster.format(), markerColour);
    document_.pasted = false;
    cornerTexts_.fill(QStringLiteral("0"));
    xTransfer_ = yTransfer_ = 0;
    cornersMarked_ = false;
    const bool clearTable = table == TableOnReset::ClearWhenAsked && clearTableOnNewImage;
    if (clearTable) table_->clearForNewImage();
    // The history of the old picture's Table cannot be taken back into the new one.
    history_->clear();
    emit mouseModeChanged(mouseMode_);
    emit pictureReset(clearTable);
    emit calibrationChanged();
    emit undoChanged();
    emit stateChanged();
    emit pageRequested(WindowPage::Digitization);
}

void DigitizingSession::dropVectorLayer() {
    if (!document_.hasVectorLayer()) return;
    document_.dropVectorLayer();
    showStatus(message(Msg::VectorLayerDropped));
}

void DigitizingSession::purgePicture() {
    document_.raster = Raster();
    document_.marks.reset(0, 0);
    emit pictureRemoved();
}

// ---- the calibration

void DigitizingSession::setPixelCorners(QPoint leftBottom, QPoint rightTop) {
    pixelLeftBottom_ = leftBottom;
    pixelRightTop_ = rightTop;
    exactCorners_.reset();
    emit calibrationChanged();
}

void DigitizingSession::setExactCorners(QPointF leftBottom, QPointF rightTop) {
    pixelLeftBottom_ = leftBottom.toPoint();
    pixelRightTop_ = rightTop.toPoint();
    exactCorners_ = std::make_pair(leftBottom, rightTop);
    emit calibrationChanged();
}

std::optional<QPointF> DigitizingSession::snappedVertex(QPointF at, double radius) const {
    if (!document_.hasVectorLayer()) return std::nullopt;
    return nearestVertex(*document_.vectorLayer, at, radius);
}

void DigitizingSession::setCornerText(int field, const QString& text) {
    QString& stored = cornerTexts_[static_cast<std::size_t>(field)];
    if (stored == text) return;
    stored = text;
    emit calibrationChanged();
}

void DigitizingSession::setTransfers(int x, int y) {
    if (x == xTransfer_ && y == yTransfer_) return;
    xTransfer_ = x;
    yTransfer_ = y;
    emit calibrationChanged();
}

void DigitizingSession::setCornersMarked(bool marked) {
    if (marked == cornersMarked_) return;
    cornersMarked_ = marked;
    emit calibrationChanged();
}

Calibration DigitizingSession::calibration() const {
    Calibration c;
    c.pixelLeftBottom = pixelLeftBottom_;
    c.pixelRightTop = pixelRightTop_;
    if (exactCorners_) c.setCorners(exactCorners_->first, exactCorners_->second);
    c.xLeftBottom = cornerTexts_[0];
    c.yLeftBottom = cornerTexts_[1];
    c.xRightTop = cornerTexts_[2];
    c.yRightTop = cornerTexts_[3];
    c.xTransfer = xTransfer_;
    c.yTransfer = yTransfer_;
    return c;
}

bool DigitizingSession::cornerValuesArePixels() const {
    const int height = document_.raster.height();
    const double corner[4] = {double(pixelLeftBottom_.x()), double(height - pixelLeftBottom_.y()),
                              double(pixelRightTop_.x()), double(height - pixelRightTop_.y())};
    for (std::size_t i = 0; i < 4; ++i) {
        double value = 0;
        if (!tryParseDouble(cornerTexts_[i], localeDecimalSeparator(), value) || value != corner[i])
            return false;
    }
    return true;
}

int DigitizingSession::calibrationPixelWidth() const {
    return std::abs(pixelRightTop_.x() - pixelLeftBottom_.x());
}

void DigitizingSession::drawSelection() {
    drawSelectionRectangle(document_.raster, selection, markerColour, &document_.marks);
    emit pictureChanged(QRect(QPoint(std::min(selection.left, selection.right),
                                     std::min(selection.top, selection.bottom)),
                              QPoint(std::max(selection.left, selection.right),
                                     std::max(selection.top, selection.bottom))));
}

void DigitizingSession::eraseSelection() {
    if (skipNextErase) {
        skipNextErase = false;
        return;
    }
    drawSelection();
}

// ---- options and colours

void DigitizingSession::changeOptions(const std::function<void(DigitizingOptions&)>& change) {
    change(options_);
    emit optionsChanged();
}

void DigitizingSession::presetScanRows(int lastRow, int firstRow, std::optional<int> step) {
    options_.lastRow = lastRow;
    options_.firstRow = firstRow;
    if (step) options_.step = *step;
    emit scanRowsPreset(lastRow, firstRow, step);
}

void DigitizingSession::setMarkerSizeField(int size) {
    // The field holds 1 .. 30, and so does MarkerSize.
    size = std::clamp(size, 1, 30);
    options_.markerSizeField = size;
    markerSize = size;
    emit optionsChanged();
}

void DigitizingSession::setCurveColour(Colour colour) {
    curveColour_ = colour;
    emit curveColourChanged(colour);
}

std::optional<double> DigitizingSession::correctedRow(double u, double v, int window) const {
    const double s = viewScale;
    if (!distance.on) {
        const std::optional<int> row =
            selfCorrectedRow(document_.raster, curveColour_, u, v, s, window);
        if (!row) return std::nullopt;
        return double(*row);
    }
    const std::optional<double> row = distanceCorrectedRow(
        document_.raster, curveColour_, distance.tolerance, Round(u / s), Round(v / s), window);
    if (!row) return std::nullopt;
    return distance.subPixel ? *row : double(Round(*row));
}

// ---- the mouse

void DigitizingSession::setMouseMode(MouseMode mode) {
    if (mode == mouseMode_) return;
    mouseMode_ = mode;
    emit mouseModeChanged(mode);
}

void DigitizingSession::releaseDigitizingTools() {
    emit digitizingToolsReleased();
    setMouseMode(MouseMode::Idle);
}

// ---- profiles

namespace {
// Corner values are stored with "." (the command line reads them so); the fields use the
// locale's separator.
QString storedValue(const QString& field, QChar separator) {
    QString text = field;
    return separator == QLatin1Char('.') ? text : text.replace(separator, QLatin1Char('.'));
}
QString fieldValue(const QString& stored, QChar separator) {
    QString text = stored;
    return separator == QLatin1Char('.') ? text : text.replace(QLatin1Char('.'), separator);
}
} // namespace

ScanSettings DigitizingSession::scanFieldSettings() const {
    const DigitizingSession& s = *this;
    const DigitizingOptions& o = s.options();
    ScanSettings settings;
    settings.area = {s.area.left, s.area.top, s.area.right, s.area.bottom};
    settings.step = o.step;
    settings.indent = o.indent;
    settings.oneValued = o.oneValued;
    settings.thickness = o.thickness;
    settings.selfCorrection = o.selfCorrection;
    settings.correctionDepth = o.correctionDepth;
    return settings;
}

DigitizingProfile DigitizingSession::profile(QChar separator) const {
    const DigitizingSession& s = *this;
    DigitizingProfile p;
    p.calibration = s.calibration();
    for (QString* value : {&p.calibration.xLeftBottom, &p.calibration.yLeftBottom,
                           &p.calibration.xRightTop, &p.calibration.yRightTop})
        *value = storedValue(*value, separator);
    ScanSettings& scan = p.scan;
    scan = scanFieldSettings();
    if (s.scanChoices) {
        scan.recognition = s.scanChoices->recognition;
        scan.grid = s.scanChoices->grid;
        p.gridRows = s.scanChoices->horizontalLines;
        p.gridColumns = s.scanChoices->verticalLines;
    } else {
        // No run yet: the distance choices kept in the settings.
        scan.recognition.mode = s.distance.on ? RecognitionMode::Distance : RecognitionMode::Exact;
        scan.recognition.tolerance = s.distance.tolerance;
        scan.recognition.subPixel = s.distance.subPixel;
    }
    scan.recognition.curve = s.curveColour();
    if (!s.document().raster.isEmpty())
        p.imageSize = QSize(s.document().raster.width(), s.document().raster.height());
    return p;
}

// The calibration, as the rectangle tool and "Fix coordinates" leave it.
void DigitizingSession::applyCalibration(const Calibration& c, QChar separator) {
    DigitizingSession& s = *this;
    s.enableDigitizingTools();
    s.eraseSelection();
    s.selection = {std::min(c.pixelLeftBottom.x(), c.pixelRightTop.x()),
                   std::min(c.pixelLeftBottom.y(), c.pixelRightTop.y()),
                   std::max(c.pixelLeftBottom.x(), c.pixelRightTop.x()),
                   std::max(c.pixelLeftBottom.y(), c.pixelRightTop.y())};
    s.setPixelCorners(c.pixelLeftBottom, c.pixelRightTop);
    if (c.exact) s.setExactCorners(c.exactLeftBottom, c.exactRightTop);
    s.setCornerText(0, fieldValue(c.xLeftBottom, separator));
    s.setCornerText(1, fieldValue(c.yLeftBottom, separator));
    s.setCornerText(2, fieldValue(c.xRightTop, separator));
    s.setCornerText(3, fieldValue(c.yRightTop, separator));
    s.setCornersMarked(true);
    s.setTransfers(c.xTransfer, c.yTransfer);
    s.drawSelection();
    s.selectionShown = true;
}

void DigitizingSession::applyProfile(const DigitizingProfile& profile, QChar separator) {
    DigitizingSession& s = *this;
    s.applyCalibration(profile.calibration, separator);

    // The scan settings; the recognition and grid lines open the next automatic run's dialog.
    const ScanSettings& scan = profile.scan;
    s.area = {scan.area.left, scan.area.bottom, scan.area.right, scan.area.top};
    s.changeOptions([&scan](DigitizingOptions& o) {
        o.step = scan.step;
        o.indent = scan.indent;
        o.oneValued = scan.oneValued;
        o.thickness = scan.thickness;
        o.selfCorrection = scan.selfCorrection;
        o.correctionDepth = scan.correctionDepth;
    });
    s.setCurveColour(scan.recognition.curve);
    s.scanChoices = ScanChoices{scan.recognition, scan.grid, profile.gridRows, profile.gridColumns};
    distance = {scan.recognition.mode == RecognitionMode::Distance, scan.recognition.tolerance,
                scan.recognition.subPixel};
}

// ---- undo

bool DigitizingSession::latestPointUndoable() const {
    return undo.latestPointAvailable && history_->isNewest(undo.latestPointChange);
}

bool DigitizingSession::digitizationTrue() const {
    return history_->undoIndexOfDigitization(undo.digitizationGroup, undo.xColumn) >= 0;
}

bool DigitizingSession::digitizationUndoable(bool bezierManualInput) const {
    return (searchUndoable || (undo.available && !bezierManualInput)) && digitizationTrue();
}

// ---- command state and the lock

void DigitizingSession::setDataPresent() {
    if (dataPresent_) return;
    dataPresent_ = true;
    emit stateChanged();
}

void DigitizingSession::setGraphUsed() {
    if (graphUsed_) return;
    graphUsed_ = true;
    emit stateChanged();
}

void DigitizingSession::setInterfaceLocked(bool locked) {
    interfaceLocked_ = locked;
    emit lockChanged(locked);
    emit stateChanged();
}

LongOperation::Hooks DigitizingSession::longOperationHooks() {
    LongOperation::Hooks hooks;
    hooks.lock = [this](bool start) {
        longOperationRunning_ = start;
        emit stopAvailable(start);
        setInterfaceLocked(start);
    };
    hooks.showProgress = [this](int maximum) { emit progressRangeChanged(maximum); };
    hooks.setProgress = [this](int position) { emit progressChanged(position); };
    hooks.stopRequested = [this] { return stopFlag_; };
    hooks.clearStop = [this] { stopFlag_ = false; };
    hooks.processEvents = [] { QCoreApplication::processEvents(); };
    hooks.running = [this] { return longOperationRunning_; };
    return hooks;
}

// Stop hides the progress and unlocks the window at once; the operation sees the flag at its
// next step.
void DigitizingSession::requestStop() {
    stopFlag_ = true;
    emit stopAvailable(false);
    emit progressRangeChanged(-1);
    setInterfaceLocked(false);
}

} // namespace quorvex
