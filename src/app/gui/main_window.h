#pragma once

#include "app/digitizing_session.h"
#include "app/gui/prompter.h"
#include "app/ini_file.h"
#include "app/settings_files.h"
#include "image/image_file.h"

#include <QMainWindow>
#include <memory>

class QAction;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QToolBar;

namespace quorvex {

class AutoDigitizeController;
class CalibrationPanel;
class CommandRegistry;
class DataFiles;
class ProjectFiles;
class EditingTools;
class GrapherPage;
class ImagePage;
class ManualInputTool;
class PictureCommands;
class ProgramCommands;
class ScanOptionsPanel;
class StatusPanels;
class TablePage;

// The main window: it assembles the parts around one digitizing session (each part owns its
// widgets and handlers and meets the others only through the session and the command
// registry), and owns the settings files and the window's life: start, placement, the start-up
// hint, the lock of long operations, closing.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // The prompter answers every question and dialog; the program folder places the settings.
    explicit MainWindow(std::unique_ptr<Prompter> prompter, const QString& programPath,
                        QWidget* parent = nullptr);
    ~MainWindow() override;

    DigitizingSession& session() { return session_; }
    // The parts, for whoever drives one directly (tests).
    template <typename Part> Part* part() const { return findChild<Part*>(); }

    // What the session holds.
    ImageDocument& document() { return session_.document(); }
    Table* table() { return &session_.table(); }
    const Table* table() const { return &session_.table(); }
    MouseMode mouseMode() const { return session_.mouseMode(); }
    double viewScale() const { return session_.viewScale; }
    Calibration calibration() const { return session_.calibration(); }
    const SelectionBox& selectionBox() const { return session_.selection; }
    const MarkerList& markerList() const { return session_.markers; }
    const UndoRecord& undoRecord() const { return session_.undo; }
    bool searchUndoable() const { return session_.searchUndoable; }
    Colour markerColour() const { return session_.markerColour; }
    int markerSize() const { return session_.markerSize; }
    QString statusText(int panel) const;
    // Locks or unlocks the controls a long operation must not let the user touch.
    void setInterfaceEnabled(bool enable) { session_.setInterfaceLocked(!enable); }
    // Opens a picture file as "Open graph Image..." does with a chosen one; a project file
    // (.qvx) opens as "Open project..." does.
    bool openImageFile(const QString& path, ImageReader reader);

    // Settings and life cycle.
    const IniFile& ini() const { return ini_; }
    QString digitizeCfgFile() const { return cfgPath_; }
    int hintTime() const { return hintTime_; }
    bool startupHintPending() const { return startupHintPending_; }
    // The error the settings loader reported while the window was created, if any.
    const QString& settingsError() const { return settingsError_; }
    QString helpTopicFor(const QWidget* focus) const;
    // Comes to the front for a second start while the caption is the bare title; whether it did.
    bool bringToFront();
    // A later start: to the front, opening the picture it named; false (it goes on by itself)
    // when this window shows a picture or a dialog, or a long operation runs.
    bool answerLaterStart(const QString& path);
    // Writes the INI keys and digitize.cfg.
    void saveSettings();
    void loadDefaultOptions();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createParts();
    void assemble();
    void connectWindow();
    // Settings: main_window_settings.cpp.
    void applySettingsAtStart();
    void loadSettings();
    void readDigitizeConfig();
    DigitizeConfig currentDigitizeConfig() const;
    void applyDigitizeConfig(const DigitizeConfig& config);
    void showInterfaceOptions();
    void hintTimeToggled();
    void showLanguageTexts();
    void saveIni();
    void settingsWriteFailed(const QString& path);
    void restorePlacement();
    bool runDialog(QDialog* dialog);

    std::unique_ptr<Prompter> prompter_;
    QString programPath_;
    IniFile ini_;
    QString cfgPath_;
    QString settingsError_;
    DigitizingSession session_;
    CommandRegistry* commands_ = nullptr;
    StatusPanels* status_ = nullptr;
    PictureCommands* picture_ = nullptr;
    ImagePage* imagePage_ = nullptr;
    CalibrationPanel* calibration_ = nullptr;
    ScanOptionsPanel* options_ = nullptr;
    ManualInputTool* manualInput_ = nullptr;
    EditingTools* editing_ = nullptr;
    AutoDigitizeController* autoDigitize_ = nullptr;
    TablePage* tablePage_ = nullptr;
    DataFiles* dataFiles_ = nullptr;
    ProjectFiles* projectFiles_ = nullptr;
    GrapherPage* grapherPage_ = nullptr;
    ProgramCommands* program_ = nullptr;
    // What the window itself shows.
    QTabWidget* pages_ = nullptr;
    QWidget* digitizationPage_ = nullptr;
    QProgressBar* progressBar_ = nullptr;
    QPushButton* stopButton_ = nullptr;
    QToolBar* mainToolBar_ = nullptr;
    QToolBar* toolsBar_ = nullptr;
    QAction* longHintsAction_ = nullptr;
    // Window-level state.
    int hintTime_ = 10000;
    bool showStartupHint_ = true;
    bool startupHintPending_ = true;
    bool startupHintQueued_ = false;
    bool placementApplied_ = false;
    bool applyingPlacement_ = false;
};

} // namespace quorvex
