#pragma once

#include "autodigit/grid.h"
#include "autodigit/profile.h"
#include "autodigit/recognition.h"
#include "image/image_document.h"
#include "tools/calibration.h"
#include "tools/long_operation.h"
#include "tools/markers.h"
#include "tools/mouse_mode.h"

#include <QLineF>
#include <QObject>
#include <QPointF>
#include <QRect>
#include <array>
#include <functional>
#include <optional>

namespace quorvex {

class Table;
class TableHistory;

// The values of the digitization page's option fields, which the tools read.
struct DigitizingOptions {
    bool selfCorrection = true;
    int correctionDepth = 15;
    int markerSizeField = 3; // the "Marker size" field; MarkerSize may differ for a while
    bool polyBezier = false;
    bool oneValued = true;
    int thickness = 2;
    int firstRow = 1, lastRow = 800, step = 1, indent = 0;
    double searchInterval = 1.0;
};

// The recognition and grid lines of the latest accepted run or loaded profile; the next run's
// dialog opens with them.
struct ScanChoices {
    Recognition recognition;
    GridSettings grid;
    QString horizontalLines, verticalLines;
};

// The area an automatic run scans, as the calibration or a selection leaves it.
struct ScanRectangle {
    int left = 0, bottom = 0, right = 0, top = 0;
};

// A mouse event on the image: the view position (image pixels times the view scale), the
// button, where on the screen, and whether it lies on the shown picture.
struct ImageMouse {
    double u = 0, v = 0;
    Qt::MouseButton button = Qt::NoButton;
    QPoint globalPosition;
    bool inside = false;
};

// The pages of the window and of the digitization options, for requests to show one.
enum class WindowPage { Digitization, Table, Grapher };
enum class OptionsPage { General, Auto, Extra };

// The work on one picture: the image document with its drawings, the calibration and the
// selection, the Table with the undo record and the marked points, the scan choices, the tool
// of the mouse and the state the command rules read. The window's parts keep their widgets in
// step with it: every change goes through it, and it says what changed. It holds no widget.
class DigitizingSession : public QObject {
    Q_OBJECT
public:
    explicit DigitizingSession(QObject* parent = nullptr);

    // ---- the picture
    ImageDocument& document() { return document_; }
    const ImageDocument& document() const { return document_; }
    bool hasPicture() const { return !document_.raster.isEmpty(); }
    // An image was loaded since the start (it stays so after a purge).
    bool imageLoaded() const { return imageLoaded_; }
    // Pixels or drawings changed in the area (image pixels); an empty area: everywhere.
    void pictureEdited(const QRect& area = QRect()) { emit pictureChanged(area); }
    // The reset that follows every new picture. A rotation keeps the Table and the Grapher
    // whatever "For new Image clear Table and Grapher" says: it is the same picture.
    enum class TableOnReset { ClearWhenAsked, Keep };
    void resetAfterNewImage(TableOnReset table = TableOnReset::ClearWhenAsked);
    void purgePicture();
    // The picture changed so that the paths of its vector file no longer lie on it (a rotation,
    // another pixel format): they are dropped, with a line in the status bar.
    void dropVectorLayer();
    // Asked before the work on the picture is replaced (another picture, a project) or the
    // window closes: false keeps it (unsaved changes whose question was cancelled).
    std::function<bool()> confirmReplacingWork;
    bool mayReplaceWork() const { return !confirmReplacingWork || confirmReplacingWork(); }
    // The two switches of the File menu that a new picture follows.
    bool convertBlackWhite = true;
    bool clearTableOnNewImage = true;
    // The folder of the last picture used ("" until one was), and of the program; the picture
    // dialogs start in the first, else in the second.
    QString imageFolder;
    QString programFolder;
    QString pictureDialogFolder() const {
        return imageFolder.isEmpty() ? programFolder : imageFolder;
    }

    // ---- the Table
    Table& table() { return *table_; }
    const Table& table() const { return *table_; }
    // Every change of the Table as a command that can be undone and redone.
    TableHistory& history() { return *history_; }
    const TableHistory& history() const { return *history_; }

    // ---- the calibration
    QPoint pixelLeftBottom() const { return pixelLeftBottom_; }
    QPoint pixelRightTop() const { return pixelRightTop_; }
    void setPixelCorners(QPoint leftBottom, QPoint rightTop);
    // Fractional corners (snapped to the vertices of a vector picture); the whole corners
    // become their rounding. Whole corners set later replace them.
    void setExactCorners(QPointF leftBottom, QPointF rightTop);
    // The path vertex of a vector picture within `radius` pixels of an image position.
    std::optional<QPointF> snappedVertex(QPointF at, double radius) const;
    // Corner-value texts: X, Y left-bottom; X, Y right-top.
    const QString& cornerText(int field) const {
        return cornerTexts_[static_cast<std::size_t>(field)];
    }
    void setCornerText(int field, const QString& text);
    int xTransfer() const { return xTransfer_; }
    int yTransfer() const { return yTransfer_; }
    void setTransfers(int x, int y);
    // The corner fields show that they were set from a calibration (red), or not.
    bool cornersMarked() const { return cornersMarked_; }
    void setCornersMarked(bool marked);
    Calibration calibration() const;
    // Whether the corner fields hold the pixel numbers a selection wrote: not calibrated yet.
    bool cornerValuesArePixels() const;
    int calibrationPixelWidth() const;
    // The dotted rectangle, drawn over the picture in not-XOR ink.
    SelectionBox selection;
    bool selectionShown = false;
    bool skipNextErase = false;
    bool selectionDragging = false; // the rectangle is being drawn
    void drawSelection();
    void eraseSelection(); // draws it again unless the next erase is to be skipped
    ScanRectangle area;

    // ---- options, colours, the view scale
    const DigitizingOptions& options() const { return options_; }
    void changeOptions(const std::function<void(DigitizingOptions&)>& change);
    // The first and last row fields set by a tool; `step` too when given. The step rules do
    // not run for these changes.
    void presetScanRows(int lastRow, int firstRow, std::optional<int> step = std::nullopt);
    // The same fields as typed by the user: the step rules run for each change.
    void typeScanRows(int lastRow, int firstRow, int step) {
        emit scanRowsTyped(lastRow, firstRow, step);
    }
    int markerSize = 3;                // MarkerSize: the radius of the markers drawn now
    void setMarkerSizeField(int size); // the field and MarkerSize both
    Colour markerColour = kRed;
    bool markersOn = true;
    Colour curveColour() const { return curveColour_; }
    void setCurveColour(Colour colour);
    DistanceOptions distance;
    std::optional<ScanChoices> scanChoices;
    double viewScale = 1.0;
    bool hairLines = true;
    // The row a click snaps to when self-correction is on: the curve's run by the chosen
    // recognition (exact colour, or colour distance), or nothing.
    std::optional<double> correctedRow(double u, double v, int window) const;

    // The scan settings of the option fields and the area (recognition and grid come from a
    // run's dialog).
    ScanSettings scanFieldSettings() const;
    // The calibration and scan settings as a digitizing profile (corner values with "."), and
    // a profile put in place on the shown picture as the rectangle tool and "Fix coordinates"
    // leave it. `separator` is the one the corner fields use.
    DigitizingProfile profile(QChar separator) const;
    void applyProfile(const DigitizingProfile& profile, QChar separator);
    // A calibration put in place as the rectangle tool and "Fix coordinates" leave it (corner
    // values with "."; the fields get `separator`).
    void applyCalibration(const Calibration& calibration, QChar separator);

    // ---- the mouse
    MouseMode mouseMode() const { return mouseMode_; }
    void setMouseMode(MouseMode mode);
    // A tool's button went down: the others go up (one tool at a time).
    void toolTaken(const QString& tool) { emit toolDown(tool); }
    // Manual input and search in area end (their buttons up, the mouse idle).
    void releaseDigitizingTools();
    // The tools that need a calibration become usable.
    void enableDigitizingTools() { emit digitizingToolsEnabled(); }
    bool bezierUsed = false;
    bool swallowNextClick = false;
    // "Select only the area of automatic digitization" is down: a drag sets the area only.
    bool selectAreaOnly = false;
    // The window became active again: idle tools let their buttons up.
    void windowActivated() { emit activated(); }
    void mousePressed(const ImageMouse& m) { emit imageMousePressed(m); }
    void mouseMoved(const ImageMouse& m) { emit imageMouseMoved(m); }
    void mouseReleased(const ImageMouse& m) { emit imageMouseReleased(m); }

    // ---- undo and markers
    UndoRecord undo;
    MarkerList markers;
    bool searchUndoable = false; // a search stroke can be taken back
    void undoStateChanged() { emit undoChanged(); }
    // What the undo commands may do now, from the record and the history: the latest point
    // while its command is the newest, a digitization while nothing after it changed rows
    // other than its own.
    bool latestPointUndoable() const;
    bool digitizationTrue() const;
    bool digitizationUndoable(bool bezierManualInput) const;

    // ---- command state and the lock of long operations
    bool dataPresent() const { return dataPresent_; }
    void setDataPresent();
    bool graphUsed() const { return graphUsed_; }
    void setGraphUsed();
    bool interfaceLocked() const { return interfaceLocked_; }
    bool longOperationRunning() const { return longOperationRunning_; }
    void setInterfaceLocked(bool locked);
    // The hooks through which long operations lock the window and show their progress.
    LongOperation::Hooks longOperationHooks();
    void requestStop();
    void commandStatesChanged() { emit stateChanged(); }
    // The picture stays usable while the rest of the window is locked (an automatic run's
    // settings dialog picks colours on it).
    void keepImageUsable() { emit imageUsableDuringLock(); }

    // ---- messages and requests to the window
    void showStatus(const QString& text) { emit statusMessage(text); }
    // A read-out panel (0 .. 3); its width follows the text plus `margin` pixels (none when
    // the margin is below 0).
    void setReadout(int panel, const QString& text, int margin = -1) {
        emit readoutChanged(panel, text, margin);
    }
    void showPage(WindowPage page) { emit pageRequested(page); }
    void showOptionsPage(OptionsPage page) { emit optionsPageRequested(page); }
    void showRealSize() { emit realSizeRequested(); }
    void suppressRulers(bool suppressed) { emit rulersSuppressed(suppressed); }
    void setGuideLines(std::optional<QPointF> at) { emit guideLinesChanged(at); }
    void addOverlayCircle(QPointF centre, double radius, Colour colour) {
        emit overlayCircleAdded(centre, radius, colour);
    }
    void clearOverlayCircles() { emit overlayCirclesCleared(); }
    void setOverlayLine(std::optional<QLineF> line, Colour colour) {
        emit overlayLineChanged(line, colour);
    }

signals:
    void pictureChanged(const QRect& area);
    // A new picture is in place and every state of the old one is gone; `tableCleared` when
    // pair 1 was emptied with it.
    void pictureReset(bool tableCleared);
    void pictureRemoved();
    void calibrationChanged();
    void optionsChanged();
    void scanRowsPreset(int lastRow, int firstRow, std::optional<int> step);
    void scanRowsTyped(int lastRow, int firstRow, int step);
    void activated();
    void curveColourChanged(Colour colour);
    void mouseModeChanged(MouseMode mode);
    void toolDown(const QString& tool);
    void digitizingToolsReleased();
    void digitizingToolsEnabled();
    void imageMousePressed(const ImageMouse& m);
    void imageMouseMoved(const ImageMouse& m);
    void imageMouseReleased(const ImageMouse& m);
    void undoChanged();
    void stateChanged();
    void lockChanged(bool locked);
    // Stop can end the running operation (from its start until its end or a Stop).
    void stopAvailable(bool available);
    void imageUsableDuringLock();
    void progressRangeChanged(int maximum); // below 0: hidden
    void progressChanged(int position);
    void statusMessage(const QString& text);
    void readoutChanged(int panel, const QString& text, int margin);
    void pageRequested(WindowPage page);
    void optionsPageRequested(OptionsPage page);
    void realSizeRequested();
    void rulersSuppressed(bool suppressed);
    void guideLinesChanged(std::optional<QPointF> at);
    void overlayCircleAdded(QPointF centre, double radius, Colour colour);
    void overlayCirclesCleared();
    void overlayLineChanged(std::optional<QLineF> line, Colour colour);

private:
    ImageDocument document_;
    Table* table_;
    TableHistory* history_;
    QPoint pixelLeftBottom_, pixelRightTop_;
    std::optional<std::pair<QPointF, QPointF>> exactCorners_;
    std::array<QString, 4> cornerTexts_;
    int xTransfer_ = 0, yTransfer_ = 0;
    bool cornersMarked_ = false;
    DigitizingOptions options_;
    Colour curveColour_ = kBlack;
    MouseMode mouseMode_ = MouseMode::Idle;
    bool imageLoaded_ = false;
    bool dataPresent_ = false; // the Table has held data since the start
    bool graphUsed_ = false;   // the Grapher was filled or its options were opened
    bool interfaceLocked_ = false;
    bool longOperationRunning_ = false; // until its end, also after a Stop unlocked the window
    bool stopFlag_ = false;
};

} // namespace quorvex
