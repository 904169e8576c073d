#pragma once

#include "app/gui/prompter.h"
#include "app/ini_file.h"
#include "app/settings_files.h"
#include "autodigit/profile.h"
#include "autodigit/recognition.h"
#include "core/numbers.h"
#include "grapher/chart.h"
#include "image/image_document.h"
#include "image/image_file.h"
#include "tools/calibration.h"
#include "tools/long_operation.h"
#include "tools/manual_input.h"
#include "tools/markers.h"
#include "tools/mouse_mode.h"

#include <QMainWindow>
#include <QMouseEvent>
#include <QPointer>
#include <array>
#include <memory>

class QAction;
class QActionGroup;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QScrollArea;
class QSpinBox;
class QSplitter;
class QTabWidget;
class QTableView;
class QToolBar;
class QToolButton;

namespace quorvex {

class ChartView;
class ColourSwatch;
class DataFormatDialog;
class RedigitizeDialog;
class ImageView;
class Ruler;
class SpinButton;
class Table;
class TableGridModel;

// The main window. Each control keeps its form-designer identifier as its objectName, the
// handle tests find it by; the members are named for what the controls are. The handlers are
// split by area:
//   main_window.cpp           construction of the pages, tool bars and status bar
//   main_window_menus.cpp     the menu bar, the pop-up menus and the connection of every command
//   main_window_image.cpp     the image document: open, reopen, paste, copy, save, scan, reset
//   main_window_tools.cpp     mouse dispatch, calibration rectangle, manual input, markers, undo
//   main_window_editing.cpp   rotation of the image and the pencil
//   main_window_auto.cpp      automatic digitization, the step fields, search in area
//   main_window_view.cpp      view scale, measure box, rulers, zoom panel, position read-out
//   main_window_table.cpp     the Table page and the curve controls
//   main_window_data.cpp      data files, the clipboard copy and spreadsheet workbooks
//   main_window_grapher.cpp   the Grapher page: the chart of the current curve
//   main_window_options.cpp   interface options and help
//   main_window_lifecycle.cpp settings, activation, first paint, closing, locking, hints
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // The prompter answers every question and file dialog; the program folder decides where
    // the settings files live.
    explicit MainWindow(std::unique_ptr<Prompter> prompter, const QString& programPath,
                        QWidget* parent = nullptr);
    ~MainWindow() override;

    // Locks or unlocks the controls a long operation must not let the user touch.
    void setInterfaceEnabled(bool enable);
    // The reset that follows every new image. A rotation of the image keeps the Table and the
    // Grapher whatever "For new Image clear Table and Grapher" says: it is the same picture.
    enum class TableOnReset { ClearWhenAsked, Keep };
    void resetAfterNewImage(TableOnReset table = TableOnReset::ClearWhenAsked);
    // Writes a short message into status panel 4.
    void showStatus(const QString& text);
    QString statusText(int panel) const;

    ImageDocument& document() { return document_; }
    Table* table() const { return table_; }
    Prompter* prompter() const { return prompter_.get(); }
    Colour markerColour() const { return markerColour_; }
    MouseMode mouseMode() const { return mouseMode_; }
    double viewScale() const { return viewScale_; }
    int hintTime() const { return hintTime_; }
    bool startupHintPending() const { return startupHintPending_; }
    bool showStartupHint() const { return showStartupHint_; }
    const IniFile& ini() const { return ini_; }
    QString digitizeCfgFile() const { return cfgPath_; }
    // The help file of the message language, beside the program.
    QString helpFile() const;
    // The section of the help about a control (F1 opens the help there).
    QString helpTopicFor(const QWidget* focus) const;
    // The error the settings loader reported while the window was created, if any.
    const QString& settingsError() const { return settingsError_; }

    // Comes to the front for a second start of the program, as long as the caption is the bare
    // title; returns whether it did.
    bool bringToFront();
    // A later start of the program: comes to the front as bringToFront() does and, when the start
    // named a picture, opens it; false (the later start goes on by itself) when this window
    // shows a picture or a dialog, or a long operation runs.
    bool answerLaterStart(const QString& path);

    // The calibration as the tools use it: the pixel corners and the field texts.
    Calibration calibration() const;
    // The digitizing profile of the window's calibration and scan settings, and its application
    // to the shown image (false when there is none or the size question was declined).
    DigitizingProfile currentProfile() const;
    ScanSettings scanFieldSettings() const;
    bool applyProfile(const DigitizingProfile& profile);
    const SelectionBox& selectionBox() const { return selection_; }
    const MarkerList& markerList() const { return markers_; }
    const UndoRecord& undoRecord() const { return undo_; }
    // A search stroke can be taken back (it is offered apart from the undo record).
    bool searchUndoable() const { return searchUndoable_; }
    Colour curveColour() const { return curveColour_; }
    int markerSize() const { return markerSize_; }
    class FixCoordinatesDialog* fixCoordinatesDialog() const {
        return fixDialog_;
    }

    // Image commands, callable with a path as the dialogs would give it.
    bool openImageFile(const QString& path, ImageReader reader);

public slots:
    // File menu
    void openImage();
    void reopenRecent(int slot);
    void reloadImage();
    void purgeImage();
    void saveImageAs();
    void selectScanner();
    void scanImage();
    void exitProgram();
    // Digitization menu
    void copyImageToClipboard();
    void pasteImage();
    // Enables every command by what it needs (an image, data, the clipboard) and the lock of
    // long operations.
    void updateCommandStates();
    // Pixel format menu
    void convertToFormat(PixelFormat format);
    void convertToGrayscale();
    // Table
    void showTable();
    void nextCurve();
    void previousCurve();
    void prepareClearMenu();
    void sortOnX();
    void showDeleteRows();
    void replaceSeparator();
    void calculate();
    void showDataFormat();
    void applyDataFormat();
    void redigitize();
    void rescaleCurrentPair();
    void clearAllPairs();
    void clearCurrentPair();
    // Grapher
    void showCurve();
    void setGrapherMode(bool line);
    void toggleGrapherSorting(bool on);
    void changeSymbolSize(bool increase);
    void autoSizeChart();
    void toggleGrid(bool on);
    void toggleLogarithmic(bool xAxis);
    void clearGraph();
    void printGraph();
    void saveGraph();
    void showGrapherOptions();
    void chartBackgroundToggled(bool down);
    void chooseSeriesColour();
    void removePointsToggled(bool down);
    void movePointsClicked(bool down);
    void chartPointClicked(int index, QPoint position);
    void chartMouseMoved(QPoint position);
    void chartMouseReleased(QPoint position);
    // Tools on the image
    void toggleRectangleSelection();
    void toggleColourPick();
    void toggleManualInput();
    void selfCorrectionToggled();
    void polyBezierToggled();
    void markerSizeChanged(int value);
    void markersToggled();
    void removeMarkers();
    void undoLatestPoint();
    void undoDigitization();
    void fixCoordinates(bool rightClick = false);
    // Image editing: rotation by a drawn line or by 90 degrees, the pencil
    void rotationToolToggled(bool down);
    void rotate90();
    void chooseRotateBackground();
    void pencilToolToggled(bool down);
    void choosePencilColour();
    void chooseMarkerColour();
    void chooseCurveColour();
    void imageMousePressed(QMouseEvent* event);
    void imageMouseMoved(QMouseEvent* event);
    void imageMouseReleased(QMouseEvent* event);
    // Automatic digitization, step fields, search in area
    void digitizeAutomatically();
    void firstRowChanged();
    void lastRowChanged();
    void stepChanged();
    void oneValuednessToggled();
    void setUpGraphStep();
    void toggleSearchInArea();
    void searchPress(double u, double v);
    void searchMove(double u, double v);
    void searchRelease();
    // View
    void applyScale(double scale);
    void showRealSize();
    void autoSize();
    void measureSelected(int index);
    void showZoom();
    void hideZoom();
    void hideRulers();
    // Text data files, the clipboard, workbooks
    void saveTable();
    void openDataFile();
    void copyToClipboard();
    void exportToSpreadsheet();
    // True when the workbook was written.
    bool saveTableAsSpreadsheet();
    // Commands and Help
    void loadDefaultOptions();
    void showInterfaceOptions();
    void showHelp();
    void purgeClipboard();
    void hintTimeToggled();
    void showAbout();
    void showCalculator();
    void requestStop();
    // Writes the INI keys and digitize.cfg.
    void saveSettings();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Construction (main_window.cpp, main_window_menus.cpp)
    void createToolBar();
    void createPages();
    QWidget* createDigitizationPage();
    QWidget* createTablePage();
    QWidget* createGrapherPage();
    void createStatusBar();
    void createMenus();
    QAction* addAction(QMenu* menu, const QString& name, const QString& caption);
    void connectCommands();
    // Settings (main_window_lifecycle.cpp)
    void finishCreation();
    void applySettingsAtStart();
    void restorePlacement();
    void loadSettings();
    void readDigitizeConfig();
    void applyDigitizeConfig(const DigitizeConfig& config);
    DigitizeConfig currentDigitizeConfig() const;
    void setPanelWidths(int p0, int p1, int p2, int p3);
    void saveIni();
    void settingsWriteFailed(const QString& path);
    // Image (main_window_image.cpp)
    void readRecentFiles();
    RecentFiles recentFiles() const;
    void rebuildRecentMenu();
    void afterOpen(const QString& path);
    void checkFormatItem();
    QString scannerDevice_;
    // Table (main_window_table.cpp)
    // The Table holds data: the commands that work on data become usable (for good).
    void enableDataCommands();
    void defineCommandRules();
    void releaseDigitizingTools();
    // The current curve number, or nothing after a message when its field holds no integer.
    std::optional<int> readCurve();
    // Image editing (main_window_editing.cpp)
    void rotationPress(double u, double v);
    void rotationMove(double u, double v);
    void rotationRelease(double u, double v);
    // Turns the image by the angle (a quarter turn without one) and starts afresh on it.
    void rotateImage(std::optional<double> degrees);
    void pencilPress(double u, double v);
    void pencilMove(double u, double v);
    void pickPencilColour(double u, double v);
    // Writes the Table as a workbook as a long operation; false after a failure (shown) or a
    // stop.
    bool writeTableWorkbook(const QString& path);
    // Texts that follow the message language.
    void showLanguageTexts();
    // Grapher (main_window_grapher.cpp)
    void connectGrapherCommands();
    // Checks the items of the chart's mode in both menus and shows that mode's series.
    void showGrapherMode(bool line);
    // Empties the series of the mode and adds the points of the current pair again.
    void refillSeries(bool line);
    void writeReadOut(double x, double y);
    // Both series emptied and any drag of a point ended.
    void emptyGraph();
    // The folder the picture dialogs start in.
    QString imageDialogFolder() const;
    QString dataDialogFolder() const;
    // Tools (main_window_tools.cpp)
    void selectionPress(double u, double v);
    void selectionMove(double u, double v);
    void selectionRelease(double u, double v);
    void manualInputPress(double u, double v);
    void toolButtonToggled(QToolButton* button, bool down);
    void eraseSelection();
    void drawSelection();
    void refreshImage(const QRect& area);
    bool uncalibratedCheck();
    void updateUndoActions();
    void setImageCursor();
    void presetRows(int lastRow, int firstRow);
    void refreshStepCaption();
    void recomputeStep();
    bool cornerTextsDiffer();
    bool cornerValuesArePixels() const;
    int calibrationPixelWidth() const;
    void forgetUndoOfColumns(int xColumn);
    // Writes a corner-value field so that it shows its text from the start.
    void setCornerText(int field, const QString& text);
    // Shows one of the program's own dialogs; true when it was accepted.
    bool runDialog(QDialog* dialog);
    void runAutomaticScan(const class AutoDigitizeSettingsDialog& dialog, const ToGraph& graph,
                          int curve, bool markersOn, LongOperation& operation);
    // The row a click on the image snaps to when self-correction is on: the curve's run by the
    // chosen recognition (exact colour, or colour distance), or nothing.
    std::optional<double> correctedRow(double u, double v, int window) const;
    void storeDistanceOptions(const DistanceOptions& options);
    // File menu: digitizing profiles (main_window_profile.cpp).
    void saveDigitizingProfile();
    void loadDigitizingProfile();
    // View (main_window_view.cpp)
    bool showMousePosition(double u, double v);
    void drawZoom(double u, double v);
    void updateRulers(int verticalWidth);
    bool measureKeyPress(QKeyEvent* event);
    // Runs a handler that converts user text, showing a conversion failure in a message box.
    template <typename F> void reportingConversion(F&& handler) {
        try {
            handler();
        } catch (const ConversionError& error) {
            prompter_->information(this, error.message(), true);
        }
    }

public:
    // The hooks through which long operations lock the window and show their progress.
    LongOperation::Hooks longOperationHooks();

private:
    std::unique_ptr<Prompter> prompter_;
    QString programPath_;
    IniFile ini_;
    QString cfgPath_;
    QString settingsError_;
    ImageDocument document_;
    Table* table_ = nullptr;
    TableGridModel* tableModel_ = nullptr;

    // Window-level state
    bool startupHintPending_ = true;
    bool showStartupHint_ = true;
    int hintTime_ = 10000;
    double viewScale_ = 1.0;
    MouseMode mouseMode_ = MouseMode::Idle;
    Colour markerColour_ = kRed;
    Colour curveColour_ = kBlack;
    int markerSize_ = 3;
    bool rulersFlag_ = true;
    bool hairLinesFlag_ = true;
    bool zoomActive_ = true;
    bool autoResizePanels_ = true;
    bool stopFlag_ = false;
    // Recognition by colour distance as last chosen for automatic runs; manual input and search
    // in area follow it.
    DistanceOptions distance_;
    // The recognition and grid lines of the latest accepted run or loaded profile; the next
    // run's dialog opens with them.
    struct ScanChoices {
        Recognition recognition;
        GridSettings grid;
        QString horizontalLines, verticalLines;
    };
    std::optional<ScanChoices> scanChoices_;
    int openFilter_ = 0;
    QString imageFolder_;
    // Calibration and the rectangle drawn for it
    QPoint pixelLeftBottom_;
    QPoint pixelRightTop_;
    SelectionBox selection_;
    bool selectionShown_ = false;
    bool skipNextErase_ = false;
    bool dragging_ = false;
    QPoint pressPoint_;
    struct Area {
        int left = 0, bottom = 0, right = 0, top = 0;
    } area_;
    class FixCoordinatesDialog* fixDialog_ = nullptr;
    // Dialogs made once and kept.
    class PencilDialog* pencilDialog_ = nullptr;
    DataFormatDialog* dataFormatDialog_ = nullptr;
    RedigitizeDialog* redigitizeDialog_ = nullptr;
    // Manual input, markers and undo
    MarkerList markers_;
    UndoRecord undo_;
    BezierStroke bezier_;
    bool bezierUsed_ = false;
    bool swallowNextClick_ = false;
    bool searchUndoable_ = false;
    // The next manual point starts a digitization of its own (the tool just went down).
    bool newManualRecord_ = true;
    bool autoScrollOnDrag_ = false;
    bool typedValuePending_ = false;
    bool presettingSteps_ = false;
    // Image editing: the colour a rotation fills uncovered parts with, the rotation line being
    // drawn (view points) and the pencil's stroke.
    Colour rotateBackColour_ = kWhite;
    bool rotationLineDrawing_ = false;
    QPoint rotationStart_;
    bool pencilDrawing_ = false;
    // Search in area
    bool searchButtonHeld_ = false;
    QPoint lastSearchPoint_;
    // The stroke being dragged: its curve, the row it started at and the points it wrote.
    int strokeCurve_ = 1;
    int strokeStartRow_ = 1;
    int strokePoints_ = 0;
    bool applyingPlacement_ = false;
    // What the command states derive from.
    bool imageLoaded_ = false;          // an image was loaded since the start (stays after a purge)
    bool dataCommandsEnabled_ = false;  // the Table has held data since the start
    bool interfaceLocked_ = false;      // the window is locked (a long operation runs)
    bool longOperationRunning_ = false; // until its end, also after a Stop unlocked the window
    bool graphUsed_ = false;            // the Grapher was filled or its options were opened
    enum class CommandNeeds {
        Image,
        Data,
        ImageOrData,
        DataOrGraph,
        ClipboardImage,
        ClipboardContent
    };
    struct CommandRule {
        QObject* control;
        CommandNeeds needs;
        bool locksWithWindow; // also off while a long operation runs
    };
    std::vector<CommandRule> commandRules_;
    bool placementApplied_ = false;
    bool startupHintQueued_ = false;
    int pointSize_ = 2;

    // Main tool bar
    QToolBar* mainToolBar_ = nullptr;
    QToolButton* openButton_ = nullptr;
    QToolButton* copyImageButton_ = nullptr;
    QToolButton* pasteImageButton_ = nullptr;
    QToolButton* calculatorButton_ = nullptr;
    QPushButton* showGraphButton_ = nullptr;
    QPushButton* stopButton_ = nullptr;
    ColourSwatch* curveColourSwatch_ = nullptr;
    SpinButton* curveSpinButton_ = nullptr;
    QLineEdit* curveField_ = nullptr;
    QToolButton* formatButton_ = nullptr;
    QComboBox* measureBox_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
    QTabWidget* pages_ = nullptr;
    QWidget* digitizationPage_ = nullptr;
    QWidget* tablePage_ = nullptr;
    QWidget* grapherPage_ = nullptr;

    // Digitization page
    QWidget* calibrationPanel_ = nullptr;
    std::array<QLineEdit*, 4> cornerFields_{}; // X, Y left-bottom; X, Y right-top
    QComboBox* xTransferBox_ = nullptr;
    QComboBox* yTransferBox_ = nullptr;
    QToolButton* selectAreaOnlyButton_ = nullptr;
    QTabWidget* optionPages_ = nullptr;
    QWidget* generalOptions_ = nullptr;
    QWidget* autoOptions_ = nullptr;
    QWidget* extraOptions_ = nullptr;
    QCheckBox* selfCorrectionBox_ = nullptr;
    QSpinBox* correctionDepthBox_ = nullptr;
    QSpinBox* markerSizeBox_ = nullptr;
    QCheckBox* polyBezierBox_ = nullptr;
    QCheckBox* oneValuedBox_ = nullptr;
    QSpinBox* thicknessBox_ = nullptr;
    QSpinBox* firstRowBox_ = nullptr; // first row of automatic digitization
    QSpinBox* lastRowBox_ = nullptr;  // last row
    QSpinBox* stepBox_ = nullptr;
    QSpinBox* indentBox_ = nullptr;
    QDoubleSpinBox* searchIntervalBox_ = nullptr;
    QSpinBox* zoomFactorBox_ = nullptr;
    QToolButton* zoomToggleButton_ = nullptr;
    QWidget* zoomPanel_ = nullptr;
    class QDockWidget* zoomDock_ = nullptr;
    QToolBar* toolsBar_ = nullptr;
    QToolButton* rectangleTool_ = nullptr;
    QToolButton* colourPickTool_ = nullptr;
    QToolButton* autoDigitizeButton_ = nullptr;
    QToolButton* searchTool_ = nullptr;
    QToolButton* manualInputTool_ = nullptr;
    QToolButton* removeMarkersButton_ = nullptr;
    QToolButton* curveColourButton_ = nullptr;
    QToolButton* rotateTool_ = nullptr;
    QToolButton* pencilTool_ = nullptr;
    QLabel* zoomPicture_ = nullptr;
    QSplitter* imageSplitter_ = nullptr;
    QSplitter* leftSplitter_ = nullptr;
    QScrollArea* imageScrollArea_ = nullptr;
    ImageView* imageView_ = nullptr;
    Ruler* horizontalRuler_ = nullptr;
    Ruler* verticalRuler_ = nullptr;
    QWidget* rulerCorner_ = nullptr;

    // Table page
    QWidget* tableGroup_ = nullptr;
    QTableView* tableView_ = nullptr;
    QToolBar* tableToolBar_ = nullptr;
    QSpinBox* pairCountBox_ = nullptr;
    QSpinBox* rowCountBox_ = nullptr;
    QLabel* curveLabel_ = nullptr;
    QToolButton* clearTableButton_ = nullptr;
    QMenu* clearMenu_ = nullptr;
    QMenu* grapherOptionsMenu_ = nullptr;
    QMenu* stepMenu_ = nullptr;
    QMenu* undoMenu_ = nullptr;
    QAction* graphStepAction_ = nullptr;
    QAction* undoPointPopupAction_ = nullptr;
    QAction* undoDigitizationPopupAction_ = nullptr;
    QToolButton* grapherOptionsButton_ = nullptr;
    QToolButton* stepButton_ = nullptr;
    QAction* clearAllAction_ = nullptr;
    QAction* clearPairAction_ = nullptr;
    QToolButton* saveTableButton_ = nullptr;
    QToolButton* importButton_ = nullptr;
    QToolButton* copyRangeButton_ = nullptr;
    QToolButton* spreadsheetButton_ = nullptr;
    QToolButton* dataFormatButton_ = nullptr;
    QToolButton* calculateButton_ = nullptr;
    QToolButton* replaceButton_ = nullptr;
    QToolButton* sortButton_ = nullptr;
    QToolButton* deleteRowsButton_ = nullptr;
    QToolButton* redigitizeButton_ = nullptr;

    // Grapher page
    ChartView* chart_ = nullptr;
    QToolButton* clearGraphButton_ = nullptr;
    QToolButton* saveGraphButton_ = nullptr;
    QToolButton* printGraphButton_ = nullptr;
    QToolButton* removePointsButton_ = nullptr;
    QToolButton* movePointsButton_ = nullptr;
    QToolButton* chartBackgroundButton_ = nullptr;
    QCheckBox* printTextBox_ = nullptr;
    QLineEdit* printTextField_ = nullptr;
    ColourSwatch* seriesColourSwatch_ = nullptr;
    // The Grapher's commands, each in the Grapher menu [0] and in the Options drop-down [1];
    // the two items of a pair are kept equal.
    using ItemPair = std::array<QAction*, 2>;
    struct GrapherItems {
        ItemPair symbol, line, sorting, increase, decrease, autoSize, grid, logX, logY, clear,
            print, options;
    } grapherItems_{};
    Colour seriesColour_ = kRed;
    // The point being dragged in move mode: its values and the last mouse position.
    struct PointDrag {
        bool active = false;
        double oldX = 0, oldY = 0;
        QPoint last;
        ChartPoint point; // as it was in the series, at index
        int index = 0;
    } pointDrag_;

    // Status bar panels 0 .. 4
    std::array<QLabel*, 5> panels_{};

    // Menus (main_window_menus.cpp)
    QMenuBar* menuBar_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QMenu* grapherMenu_ = nullptr;
    QAction* recentSeparator_ = nullptr;
    std::array<QAction*, 4> recentEntries_{};
    QMenu* formatMenu_ = nullptr;
    std::array<QAction*, 8> formatItems_{}; // 1, 4, 8, 15, 16, 24, 32 bit, gray
    QActionGroup* formatGroup_ = nullptr;
    QAction* openImageAction_ = nullptr;
    QAction* purgeImageAction_ = nullptr;
    QAction* reloadImageAction_ = nullptr;
    QAction* saveImageAction_ = nullptr;
    QAction* saveTableAction_ = nullptr;
    QAction* saveSpreadsheetAction_ = nullptr;
    QAction* saveProfileAction_ = nullptr;
    QAction* loadProfileAction_ = nullptr;
    QAction* openDataFileAction_ = nullptr;
    QAction* saveGraphAction_ = nullptr;
    QAction* selectScannerAction_ = nullptr;
    QAction* scanAction_ = nullptr;
    QAction* colourConversionAction_ = nullptr;
    QAction* clearTableOnNewImageAction_ = nullptr;
    QAction* exitAction_ = nullptr;
    QAction* undoPointAction_ = nullptr;
    QAction* undoDigitizationAction_ = nullptr;
    QAction* copyImageAction_ = nullptr;
    QAction* pasteImageAction_ = nullptr;
    QAction* fixCoordinatesAction_ = nullptr;
    QAction* curveColourAction_ = nullptr;
    QAction* autoSizeAction_ = nullptr;
    QAction* realSizeAction_ = nullptr;
    QAction* markersAction_ = nullptr;
    QAction* markerColourAction_ = nullptr;
    QAction* rotateBackgroundAction_ = nullptr;
    QAction* rotate90Action_ = nullptr;
    QAction* showZoomAction_ = nullptr;
    QAction* hideZoomAction_ = nullptr;
    QAction* showTableAction_ = nullptr;
    QAction* redigitizeAction_ = nullptr;
    QAction* spreadsheetAction_ = nullptr;
    QAction* copyToClipboardAction_ = nullptr;
    QAction* calculateAction_ = nullptr;
    QAction* dataFormatAction_ = nullptr;
    QAction* replaceAction_ = nullptr;
    QAction* sortAction_ = nullptr;
    QAction* deleteRowsAction_ = nullptr;
    QAction* clearAllColumnsAction_ = nullptr;
    QAction* showGraphAction_ = nullptr;
    QAction* defaultOptionsAction_ = nullptr;
    QAction* interfaceOptionsAction_ = nullptr;
    QAction* calculatorAction_ = nullptr;
    QAction* purgeClipboardAction_ = nullptr;
    QAction* helpAction_ = nullptr;
    QAction* longHintsAction_ = nullptr;
    QAction* aboutAction_ = nullptr;
};

} // namespace quorvex
