#pragma once

#include "app/gui/prompter.h"
#include "app/ini_file.h"
#include "app/settings_files.h"
#include "core/numbers.h"
#include "image/image_document.h"
#include "image/image_file.h"
#include "tools/calibration.h"
#include "tools/long_operation.h"
#include "tools/manual_input.h"
#include "tools/markers.h"

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

class ColourSwatch;
class ImageView;
class Ruler;
class SpinButton;
class Table;
class TableGridModel;

// The main window. Its controls carry the names the rest of the program and the tests use
// (objectName too); its handlers are split by area over tform1_*.cpp files:
//   tform1.cpp           construction of the pages, tool bars and status bar
//   tform1_menus.cpp     the menu bar and pop-up menus
//   tform1_image.cpp     the image document: open, reopen, paste, copy, save, scan, reset
//   tform1_table.cpp     the Table page and the curve controls
//   tform1_lifecycle.cpp settings, activation, first paint, closing, EnabledAll, hints
class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    // The prompter answers every question and file dialog; the program folder decides where
    // the settings files live.
    explicit TForm1(std::unique_ptr<Prompter> prompter, const QString& programPath,
                    QWidget* parent = nullptr);
    ~TForm1() override;

    // Locks or unlocks the controls a long operation must not let the user touch.
    void EnabledAll(bool enable);
    // The reset that follows every new image.
    void AfterLoadReset();
    // Writes a short message into status panel 4.
    void showStatus(const QString& text);
    QString statusText(int panel) const;

    ImageDocument& document() { return document_; }
    Table* table() const { return table_; }
    Prompter* prompter() const { return prompter_.get(); }
    Colour markerColour() const { return markerColour_; }
    int mouseMode() const { return mouseMode_; }
    double viewScale() const { return viewScale_; }
    int hintTime() const { return hintTime_; }
    bool startupHintPending() const { return startupHintPending_; }
    bool showStartupHint() const { return showStartupHint_; }
    const IniFile& ini() const { return ini_; }
    QString digitizeCfgFile() const { return cfgPath_; }
    // The help file of the message language, beside the program.
    QString helpFile() const;
    // The error the settings loader reported while the window was created, if any.
    const QString& settingsError() const { return settingsError_; }

    // Comes to the front for a second start of the program, as long as the caption is the bare
    // title; returns whether it did.
    bool bringToFront();

    // The calibration as the tools use it: the pixel corners and the field texts.
    Calibration calibration() const;
    const SelectionBox& selectionBox() const { return selection_; }
    const MarkerList& markerList() const { return markers_; }
    const UndoRecord& undoRecord() const { return undo_; }
    Colour curveColour() const { return curveColour_; }
    int markerSize() const { return markerSize_; }
    class TRectangleSize* fixCoordinatesDialog() const {
        return fixDialog_;
    }

    // Image commands, callable with a path as the dialogs would give it.
    bool openImage(const QString& path, ImageReader reader);

public slots:
    // File menu
    void N34Click();
    void ReopenRecent(int slot);
    void Reloadtheimagefile1Click();
    void N40Click();
    void SaveImage1Click();
    void SelectScanerClick();
    void ScanClick();
    void pf4Click();
    void NewTableClick();
    void Exit3Click();
    // Digitization menu
    void CopyToClipboardClick();
    void ClipbrdExecute();
    void ClipbrdUpdate();
    // Pixel format menu
    void formatMenuClick(PixelFormat format);
    void gray1Click();
    // Table
    void ShowTable1Click();
    void NextCurveClick();
    void PreviousCurveClick();
    void PrepareClearMenu();
    void ClearAllClick();
    void Clear2Click();
    // Tools on the image
    void RectSelectClick();
    void PointsClick();
    void SpeedButton112SAClick();
    void CheckBoxCorrectClick();
    void BezierClick();
    void SpinEdit5Change(int value);
    void N10MarkClick();
    void removeMarkers();
    void UndoPointClick();
    void UndoDigitizationClick();
    void FixCoordinates(bool rightClick = false);
    void MarkerClorClick();
    void N43Click();
    void Image1MouseDown(QMouseEvent* event);
    void Image1MouseMove(QMouseEvent* event);
    void Image1MouseUp(QMouseEvent* event);
    // Automatic digitization, step fields, search in area
    void BitBtn2Click();
    void SpinEdit3Change();
    void SpinEdit2Change();
    void StepValueChange();
    void N32Click();
    void N110Click();
    void SpeedButton11SAClick();
    void searchPress(double u, double v);
    void searchMove(double u, double v);
    void searchRelease();
    // View
    void ApplyScale(double scale);
    void N37Click();
    void Auto1Click();
    void ComboBoxSizeSelect(int index);
    void ShowZoom1Click();
    void HideZoom1Click();
    void RsRulerCorner1DblClick();
    // Text data files
    void N49Click();
    void N50Click();
    // Commands and Help
    void DefaultMClick();
    void interfaceOptionsClick();
    void Help2Click();
    void PurgeClipboard1Click();
    void HintHidePClick();
    void About1Click();
    void Calculator1Click();
    void StopClick();
    // Writes the INI keys and digitize.cfg.
    void WriteSettings();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Construction (tform1.cpp, tform1_menus.cpp)
    void createToolBar();
    void createPages();
    QWidget* createDigitizationPage();
    QWidget* createTablePage();
    QWidget* createGrapherPage();
    void createStatusBar();
    void createMenus();
    QAction* addAction(QMenu* menu, const QString& name, const QString& caption);
    void connectCommands();
    // Settings (tform1_lifecycle.cpp)
    void FormCreate();
    void FormActivate();
    void loadSettings();
    void readDigitizeConfig();
    void applyDigitizeConfig(const DigitizeConfig& config);
    DigitizeConfig currentDigitizeConfig() const;
    void setPanelWidths(int p0, int p1, int p2, int p3);
    void saveIni();
    void settingsWriteFailed(const QString& path);
    // Image (tform1_image.cpp)
    void readRecentFiles();
    RecentFiles recentFiles() const;
    void rebuildRecentMenu();
    void afterOpen(const QString& path);
    void checkFormatItem();
    QString scannerDevice_;
    // Table (tform1_table.cpp)
    void setDataCommandsEnabled(bool enabled);
    void releaseDigitizingTools();
    // Tools (tform1_tools.cpp)
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
    int calibrationPixelWidth() const;
    // View (tform1_view.cpp)
    bool ShowMousePosition(double u, double v);
    void DrawZoom(double u, double v);
    void UpdateRulers(int verticalWidth);
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
    int mouseMode_ = 6;
    Colour markerColour_ = kRed;
    Colour curveColour_ = kBlack;
    int markerSize_ = 3;
    bool rulersFlag_ = true;
    bool hairLinesFlag_ = true;
    bool zoomActive_ = true;
    int zoomFactor_ = 2;
    bool autoResizePanels_ = true;
    bool stopFlag_ = false;
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
    class TRectangleSize* fixDialog_ = nullptr;
    // Manual input, markers and undo
    MarkerList markers_;
    UndoRecord undo_;
    BezierStroke bezier_;
    bool bezierUsed_ = false;
    bool swallowNextClick_ = false;
    bool searchUndoable_ = false;
    bool autoScrollOnDrag_ = false;
    bool typedValuePending_ = false;
    bool presettingSteps_ = false;
    // Search in area
    bool searchButtonHeld_ = false;
    QPoint lastSearchPoint_;
    bool applyingPlacement_ = false;
    bool startupHintQueued_ = false;
    int pointSize_ = 2;

    // Main tool bar
    QToolBar* ToolBar4 = nullptr;
    QToolButton* SpeedButton6 = nullptr;
    QToolButton* SpeedButton15 = nullptr;
    QToolButton* SpeedButton12 = nullptr;
    QToolButton* RxSpeedButton2 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* Stop = nullptr;
    ColourSwatch* Image3 = nullptr;
    SpinButton* RxSpinButton1 = nullptr;
    QLineEdit* N_curve = nullptr;
    QToolButton* RxSpeedButton6 = nullptr;
    QComboBox* ComboBoxSize = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheet4 = nullptr;
    QWidget* TabSheet2 = nullptr;
    QWidget* TabSheet1 = nullptr;

    // Digitization page
    QWidget* Panel2 = nullptr;
    std::array<QLineEdit*, 4> cornerFields_{}; // Edit1 .. Edit4
    QComboBox* ComboBox2 = nullptr;
    QComboBox* ComboBox3 = nullptr;
    QToolButton* SelectOnly = nullptr;
    QTabWidget* PageControl2 = nullptr;
    QCheckBox* CheckBoxCorrect = nullptr;
    QSpinBox* Correct = nullptr;
    QSpinBox* SpinEdit5 = nullptr;
    QCheckBox* Bezier = nullptr;
    QCheckBox* N32 = nullptr;
    QSpinBox* SpinEdit4 = nullptr;
    QSpinBox* SpinEdit3 = nullptr; // first row of automatic digitization
    QSpinBox* SpinEdit2 = nullptr; // last row
    QSpinBox* StepValue = nullptr;
    QSpinBox* Border = nullptr;
    QDoubleSpinBox* SearchInterval = nullptr;
    QSpinBox* Zoom = nullptr;
    QToolButton* RxSpeedButton3 = nullptr;
    QWidget* Panel8 = nullptr;
    class QDockWidget* zoomDock_ = nullptr;
    QToolBar* SpeedBar1 = nullptr;
    QToolButton* RectSelect = nullptr;
    QToolButton* Points = nullptr;
    QToolButton* BitBtn2 = nullptr;
    QToolButton* SpeedButton11SA = nullptr;
    QToolButton* SpeedButton112SA = nullptr;
    QToolButton* RxSpeedButton1 = nullptr;
    QToolButton* ColorBtn = nullptr;
    QToolButton* Rotate = nullptr;
    QToolButton* Pencil = nullptr;
    QLabel* Image2 = nullptr;
    QSplitter* RxSplitter1 = nullptr;
    QSplitter* RxSplitter2 = nullptr;
    QScrollArea* ScrollBox1 = nullptr;
    ImageView* Image1 = nullptr;
    Ruler* RsRulerH = nullptr;
    Ruler* RsRulerV = nullptr;
    QWidget* RsRulerCorner1 = nullptr;

    // Table page
    QWidget* GroupBox1 = nullptr;
    QTableView* Tabl = nullptr;
    QToolBar* ToolBar3 = nullptr;
    QSpinBox* Rows = nullptr;
    QSpinBox* SpinEdit1 = nullptr;
    QLabel* Label4 = nullptr;
    QToolButton* ClTabl = nullptr;
    QMenu* PopupMenuTable = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QMenu* PopupStep = nullptr;
    QMenu* Undo = nullptr;
    QAction* N110 = nullptr;
    QAction* UndoPoint = nullptr;
    QAction* UndoAutoP = nullptr;
    QToolButton* RxSpeedButton5 = nullptr;
    QToolButton* StepV = nullptr;
    QAction* ClearAll = nullptr;
    QAction* Clear2 = nullptr;
    std::vector<QWidget*> tableDataButtons_;

    // Grapher page
    QWidget* Chart1 = nullptr;
    std::vector<QWidget*> grapherDataButtons_;

    // Status bar panels 0 .. 4
    std::array<QLabel*, 5> panels_{};

    // Menus (tform1_menus.cpp)
    QMenuBar* Protokol = nullptr;
    QMenu* fileMenu_ = nullptr;
    QAction* recentSeparator_ = nullptr;
    std::array<QAction*, 4> recentEntries_{};
    QMenu* RxPopupMenu1 = nullptr;
    std::array<QAction*, 8> formatItems_{}; // 1, 4, 8, 15, 16, 24, 32 bit, gray
    QActionGroup* formatGroup_ = nullptr;
    QAction* N34 = nullptr;
    QAction* N40 = nullptr;
    QAction* Reloadtheimagefile1 = nullptr;
    QAction* SaveImage1 = nullptr;
    QAction* N49 = nullptr;
    QAction* N50 = nullptr;
    QAction* N91 = nullptr;
    QAction* SelectScaner = nullptr;
    QAction* Scan = nullptr;
    QAction* pf4 = nullptr;
    QAction* NewTable = nullptr;
    QAction* Exit3 = nullptr;
    QAction* UndoPoint1 = nullptr;
    QAction* UndoAuto = nullptr;
    QAction* CopytheimagetoClipboard1 = nullptr;
    QAction* PastefromClipboard1 = nullptr;
    QAction* Fixcoord = nullptr;
    QAction* N43 = nullptr;
    QAction* Auto1 = nullptr;
    QAction* N37 = nullptr;
    QAction* N10Mark = nullptr;
    QAction* MarkerClor = nullptr;
    QAction* Rotatebackgroundimagecolor1 = nullptr;
    QAction* Rotate90 = nullptr;
    QAction* ShowZoom1 = nullptr;
    QAction* HideZoom1 = nullptr;
    QAction* ShowTable1 = nullptr;
    QAction* Rescale1 = nullptr;
    QAction* TableintoExcel1 = nullptr;
    QAction* ColumninClipboard1 = nullptr;
    QAction* Calculate1 = nullptr;
    QAction* Dataformat1 = nullptr;
    QAction* N1 = nullptr;
    QAction* X1 = nullptr;
    QAction* N42 = nullptr;
    QAction* Clear1 = nullptr;
    QAction* N22 = nullptr;
    QAction* N23 = nullptr;
    QAction* MG_clear = nullptr;
    QAction* N45 = nullptr;
    QAction* YX1 = nullptr;
    QAction* DefaultM = nullptr;
    QAction* interfaceOptions = nullptr;
    QAction* Calculator1 = nullptr;
    QAction* PurgeClipboard1 = nullptr;
    QAction* Help2 = nullptr;
    QAction* HintHideP = nullptr;
    QAction* About1 = nullptr;
    QAction* Chart_bg = nullptr;
};

} // namespace quorvex
