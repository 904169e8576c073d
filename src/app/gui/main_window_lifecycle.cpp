// Creation, settings, activation, first paint, closing and the window-wide switches of the
// main window.
#include "app/gui/main_window.h"
#include "table/gui/data_format_dialog.h"
#include "table/gui/delete_rows_dialog.h"
#include "tools/gui/pencil_dialog.h"

#include "grapher/gui/chart_view.h"

#include "app/gui/about_dialog.h"
#include "app/gui/screen.h"
#include "app/gui/startup_hint_window.h"
#include "components/calculator_dialog.h"
#include "components/image_view.h"
#include "components/widgets.h"
#include "core/numbers.h"
#include "core/round.h"
#include "table/table.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>

namespace quorvex {

void MainWindow::finishCreation() {
    readRecentFiles();
    setMessageLanguage(localeDefaultLanguage(systemLanguageCode()));
    showLanguageTexts();
    viewScale_ = 1.0;
    measureBox_->setCurrentText(QStringLiteral("100%"));
    table_->setRowCount(Table::kStartRows);
    curveColour_ = kBlack;
    curveColourSwatch_->setColour(curveColour_);
    QPalette tips = QToolTip::palette();
    tips.setColor(QPalette::ToolTipBase, QColor(0xFF, 0xFF, 0x00));
    tips.setColor(QPalette::ToolTipText, Qt::black);
    QToolTip::setPalette(tips);
    qApp->installEventFilter(this);
    applySettingsAtStart();
    // Whatever the settings held, the commands follow the window's state from the start.
    updateCommandStates();
}

// Reads the two settings files and sizes the status panels for the screen. A settings value
// that is no number is reported and ends these steps.
void MainWindow::applySettingsAtStart() {
    try {
        loadSettings();
    } catch (const ConversionError& error) {
        settingsError_ = error.message();
        prompter_->information(this, error.message(), true);
        return;
    }
    readDigitizeConfig();
    if (!settingsError_.isEmpty()) return;
    pages_->setCurrentWidget(digitizationPage_);
    xTransferBox_->setCurrentIndex(0);
    yTransferBox_->setCurrentIndex(0);
    // Small screens: warn a few times, and give the read-outs more room.
    const int screenHeight = primaryScreenHeight();
    if (screenHeight < 600) {
        try {
            const int count = ini_.readInteger(ini::kApplication, ini::kLowResolutionCount, 1);
            if (static_cast<unsigned char>(count) <= 3) {
                prompter_->information(this, message(Msg::LowResolution));
                ini_.writeInteger(ini::kApplication, ini::kLowResolutionCount, count + 1);
                saveIni();
            }
        } catch (const ConversionError& error) {
            settingsError_ = error.message();
            prompter_->information(this, error.message(), true);
        }
        setPanelWidths(80, 100, 150, 150);
    } else if (screenHeight > 600) {
        setPanelWidths(50, 80, 100, 100);
    }
}

void MainWindow::loadSettings() {
    hintTime_ = ini_.readInteger(ini::kApplication, ini::kHint, 10000);
    longHintsAction_->setChecked(hintTime_ == 10000);
    statusBar()->setFixedHeight(ini_.readInteger(ini::kStatusBar, ini::kHeight, 22));
    const double factor =
        ini_.readFloat(ini::kStatusBar, ini::kWidthFactor, 1.0, localeDecimalSeparator());
    setPanelWidths(Round(factor * 70), Round(factor * 100), Round(factor * 100),
                   Round(factor * 100));
    autoResizePanels_ = ini_.readBool(ini::kStatusBar, ini::kAutoResizePanels, true);
    polyBezierBox_->setChecked(ini_.readBool(ini::kAuto, ini::kPolyBezier, true));
    setMessageLanguage(languageFromIni(
        ini_.readString(ini::kApplication, ini::kLanguage, QString()), messageLanguage()));
    showLanguageTexts();
    rulersFlag_ = ini_.readBool(ini::kImage, ini::kShowRulers, true);
    hairLinesFlag_ = ini_.readBool(ini::kImage, ini::kHairLines, true);
    for (QWidget* w :
         std::initializer_list<QWidget*>{horizontalRuler_, verticalRuler_, rulerCorner_})
        w->setVisible(rulersFlag_);
    markerColour_ = kRed;
    if (longHintsAction_->isChecked()) hintTime_ = 10000;
    optionPages_->setCurrentWidget(generalOptions_);
    reportingConversion([this] { table_->setNextRow(table_->currentCurve(), 1); });
    imageFolder_ =
        ini_.readString(ini::kImage, ini::kDirectory, QFileInfo(programPath_).absolutePath());
    const bool correction = ini_.readBool(ini::kAuto, ini::kCorrection, true);
    selfCorrectionBox_->setChecked(correction);
    correctionDepthBox_->setEnabled(correction);
    pointSize_ = ini_.readInteger(ini::kGrapher, ini::kPointSize, 2);
    chart_->look().symbolSize = pointSize_;
    chart_->look().lineWidth = pointSize_;
    distance_.on = ini_.readBool(ini::kAuto, ini::kColourDistance, false);
    distance_.tolerance =
        std::clamp(ini_.readInteger(ini::kAuto, ini::kDistanceTolerance, 25), 0, 100);
    distance_.subPixel = ini_.readBool(ini::kAuto, ini::kSubPixel, false);
    correctionDepthBox_->setValue(ini_.readInteger(ini::kAuto, ini::kCorrectionValue, 15));
    clearTableOnNewImageAction_->setChecked(ini_.readBool(ini::kImage, ini::kClearTable, true));
    colourConversionAction_->setChecked(ini_.readBool(ini::kImage, ini::kBwInColoured, true));
}

void MainWindow::readDigitizeConfig() {
    const DigitizeCfgRead read = readDigitizeCfg(cfgPath_);
    if (!read.opened) {
        loadDefaultOptions();
        return;
    }
    DigitizeConfig config = currentDigitizeConfig();
    applyDigitizeCfg(read.values, config);
    applyDigitizeConfig(config);
    if (read.badLine) {
        settingsError_ = message(Msg::ConfigFileInvalid).arg(cfgPath_).arg(read.badLine);
        prompter_->information(this, settingsError_, true);
    }
}

DigitizeConfig MainWindow::currentDigitizeConfig() const {
    DigitizeConfig c;
    c.language = messageLanguage();
    c.zoomActive = zoomActive_;
    c.markers = markersAction_->isChecked();
    c.zoomFactor = zoomFactorBox_->value();
    c.markerSize = markerSizeBox_->value();
    c.curveThickness = thicknessBox_->value();
    c.oneValued = oneValuedBox_->isChecked();
    c.symbol = grapherItems_.symbol[0]->isChecked();
    c.showStartupHint = showStartupHint_;
    return c;
}

void MainWindow::applyDigitizeConfig(const DigitizeConfig& c) {
    zoomActive_ = c.zoomActive;
    markersAction_->setChecked(c.markers);
    zoomFactorBox_->setValue(c.zoomFactor);
    markerSizeBox_->setValue(c.markerSize);
    markerSize_ = markerSizeBox_->value();
    thicknessBox_->setValue(c.curveThickness);
    oneValuedBox_->setChecked(c.oneValued);
    showGrapherMode(!c.symbol);
    showStartupHint_ = c.showStartupHint;
}

void MainWindow::showLanguageTexts() {
    saveSpreadsheetAction_->setText(message(Msg::SaveSpreadsheetItem));
    saveProfileAction_->setText(message(Msg::ProfileSaveItem));
    loadProfileAction_->setText(message(Msg::ProfileLoadItem));
}

void MainWindow::saveIni() {
    if (!ini_.save()) settingsWriteFailed(ini_.path());
}

void MainWindow::settingsWriteFailed(const QString& path) {
    showStatus(message(Msg::SettingsWriteFailed).arg(path));
}

void MainWindow::saveSettings() {
    SettingsSnapshot s;
    s.statusBarHeight = statusBar()->height();
    s.statusPanel0Width = panels_[0]->width();
    s.correctionValue = correctionDepthBox_->value();
    s.hintTime = hintTime_;
    s.bwInColoured = colourConversionAction_->isChecked();
    s.clearTableForNewImage = clearTableOnNewImageAction_->isChecked();
    s.pointSize = pointSize_;
    s.autoResizePanels = autoResizePanels_;
    s.showRulers = rulersFlag_;
    s.hairLines = hairLinesFlag_;
    s.windowState = isMinimized() ? QStringLiteral("wsMinimized")
                                  : (isMaximized() ? QStringLiteral("wsMaximized")
                                                   : QStringLiteral("wsNormal"));
    s.clientWidth = width();
    s.clientHeight = height();
    s.windowLeft = x();
    s.windowTop = y();
    writeSettings(ini_, s, localeDecimalSeparator());
    saveIni();
    // Both series take the stored size, as the next start would give them.
    chart_->look().symbolSize = pointSize_;
    chart_->look().lineWidth = pointSize_;
    chart_->refresh();
    if (!writeDigitizeCfg(cfgPath_, digitizeCfgLines(currentDigitizeConfig())))
        settingsWriteFailed(cfgPath_);
}

void MainWindow::loadDefaultOptions() {
    pointSize_ = 2;
    distance_ = DistanceOptions();
    chart_->look().symbolSize = 2;
    chart_->look().lineWidth = 2;
    chart_->refresh();
    selfCorrectionBox_->setChecked(true);
    polyBezierBox_->setChecked(false);
    correctionDepthBox_->setEnabled(true);
    correctionDepthBox_->setValue(15);
    clearTableOnNewImageAction_->setChecked(true);
    colourConversionAction_->setChecked(true);
    rulersFlag_ = true;
    hairLinesFlag_ = true;
    writeDefaultOptions(ini_);
    saveIni();
    openFilter_ = 0;
    imageFolder_.clear();
    if (!writeDigitizeCfg(cfgPath_, kDefaultCfgLines)) settingsWriteFailed(cfgPath_);
    zoomActive_ = true;
    markersAction_->setChecked(true);
    zoomFactorBox_->setValue(2);
    markerSizeBox_->setValue(3);
    markerSize_ = 3;
    thicknessBox_->setValue(1);
    oneValuedBox_->setChecked(true);
    if (chart_->look().lineMode) setGrapherMode(false);
    showStartupHint_ = true;
}

// ---- activation, first paint, closing

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isActiveWindow() || applyingPlacement_)
        return;
    thicknessBox_->setEnabled(!oneValuedBox_->isChecked());
    showGraphButton_->setText(QStringLiteral("Y(X)"));
    if (mouseMode_ == MouseMode::Idle)
        for (QToolButton* b : {rectangleTool_, manualInputTool_, searchTool_, colourPickTool_})
            b->setChecked(false);
    // The stored placement is applied when the window first comes up; switching back from
    // another application leaves the window where the user put it.
    if (!placementApplied_) restorePlacement();
}

bool MainWindow::runDialog(QDialog* dialog) {
    const bool accepted = prompter_->run(dialog);
    // The program's own dialogs may have changed the stored placement (Interface options).
    restorePlacement();
    return accepted;
}

void MainWindow::restorePlacement() {
    placementApplied_ = true;
    applyingPlacement_ = true;
    try {
        const int left = ini_.readInteger(ini::kApplication, ini::kWindowLeft, 0);
        const int top = ini_.readInteger(ini::kApplication, ini::kWindowTop, 0);
        const int w =
            clientSizeFromIni(ini_.readInteger(ini::kApplication, ini::kWindowClientWidth, 600));
        const int h =
            clientSizeFromIni(ini_.readInteger(ini::kApplication, ini::kWindowClientHeight, 480));
        const QString state =
            ini_.readString(ini::kApplication, ini::kWindowState, QStringLiteral("wsMaximized"));
        if (state == QLatin1String("wsNormal")) {
            setWindowState(Qt::WindowNoState);
            move(left, top);
            resize(w, h);
        } else if (state == QLatin1String("wsMaximized")) {
            setWindowState(Qt::WindowMaximized);
        } else if (state == QLatin1String("wsMinimized")) {
            setWindowState(Qt::WindowMinimized);
        }
    } catch (const ConversionError& error) {
        prompter_->information(this, error.message(), true);
    }
    applyingPlacement_ = false;
}

void MainWindow::paintEvent(QPaintEvent* event) {
    QMainWindow::paintEvent(event);
    if (startupHintPending_ && showStartupHint_ && !startupHintQueued_) {
        // The hint window is modal: it opens once painting is over.
        startupHintQueued_ = true;
        QTimer::singleShot(0, this, [this] {
            StartupHintWindow hint(this);
            if (runDialog(&hint)) showStartupHint_ = !hint.dontShowAgain();
            startupHintPending_ = false;
        });
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    saveSettings();
    if (table_->firstRowHasData() &&
        prompter_->question(this, message(Msg::SaveTableOnClose), false) == Answer::Yes)
        saveTable();
    if (purgeClipboardAction_->isEnabled() &&
        prompter_->question(this, message(Msg::PurgeClipboardOnClose), false) == Answer::Yes)
        QApplication::clipboard()->clear();
    event->accept();
}

void MainWindow::exitProgram() {
    close();
}

// ---- window-wide switches

void MainWindow::setInterfaceEnabled(bool enable) {
    interfaceLocked_ = !enable;
    for (QWidget* w : std::initializer_list<QWidget*>{curveField_, curveSpinButton_, pages_,
                                                      openButton_, calculatorButton_})
        w->setEnabled(enable);
    imageView_->setEnabled(enable && !document_.raster.isEmpty());
    menuBar_->setEnabled(enable);
    // The dialogs that stay beside the window act on the Table and the picture: they wait too.
    for (QWidget* dialog : std::initializer_list<QWidget*>{dataFormatDialog_, pencilDialog_})
        if (dialog) dialog->setEnabled(enable);
    for (DeleteRowsDialog* dialog : findChildren<DeleteRowsDialog*>())
        dialog->setEnabled(enable);
    // The other controls of the lock come back only as far as the window's state allows.
    updateCommandStates();
}

LongOperation::Hooks MainWindow::longOperationHooks() {
    LongOperation::Hooks hooks;
    hooks.lock = [this](bool start) {
        longOperationRunning_ = start;
        stopButton_->setEnabled(start);
        setInterfaceEnabled(!start);
    };
    hooks.running = [this] { return longOperationRunning_; };
    hooks.showProgress = [this](int maximum) {
        progressBar_->setMaximum(std::max(maximum, 1));
        progressBar_->setValue(0);
        progressBar_->setFixedHeight(maximum < 0 ? 0 : 10);
    };
    hooks.setProgress = [this](int position) { progressBar_->setValue(position); };
    hooks.stopRequested = [this] { return stopFlag_; };
    hooks.clearStop = [this] { stopFlag_ = false; };
    hooks.processEvents = [] { QCoreApplication::processEvents(); };
    return hooks;
}

void MainWindow::requestStop() {
    stopFlag_ = true;
    stopButton_->setEnabled(false);
    progressBar_->setValue(0);
    progressBar_->setFixedHeight(0);
    setInterfaceEnabled(true);
}

// Tool tips: yellow, shown for the chosen time, and echoed in status panel 4.
bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (measureBox_ && watched == measureBox_->lineEdit()) return measureKeyPress(key);
    }
    // A corner field that loses the focus shows its number from the start again.
    if (event->type() == QEvent::FocusOut)
        for (QLineEdit* field : cornerFields_)
            if (watched == field) field->setCursorPosition(0);
    if (event->type() == QEvent::MouseButtonDblClick && watched == rulerCorner_) {
        hideRulers();
        return true;
    }
    if (event->type() == QEvent::ToolTip) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->window() == this && !widget->toolTip().isEmpty()) {
            auto* help = static_cast<QHelpEvent*>(event);
            showStatus(widget->toolTip());
            QToolTip::showText(help->globalPos(), widget->toolTip(), widget, {}, hintTime_);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

bool MainWindow::bringToFront() {
    if (windowTitle() != bareCaption()) return false;
    if (isMinimized())
        showNormal();
    else
        show();
    // A dialog the program is showing gets the focus, else the main window.
    QWidget* target = QApplication::activeModalWidget();
    if (!target || !target->isVisible() || !target->isEnabled()) target = this;
    target->raise();
    target->activateWindow();
    return true;
}

bool MainWindow::answerLaterStart(const QString& path) {
    if (!path.isEmpty() && (QApplication::activeModalWidget() || interfaceLocked_)) return false;
    if (!bringToFront()) return false;
    if (!path.isEmpty())
        QTimer::singleShot(0, this, [this, path] { openImageFile(path, readerForPath(path)); });
    return true;
}

void MainWindow::hintTimeToggled() {
    hintTime_ = longHintsAction_->isChecked() ? 10000 : 2500;
}

void MainWindow::purgeClipboard() {
    QApplication::clipboard()->clear();
    updateCommandStates();
}

void MainWindow::showAbout() {
    AboutDialog about(this);
    runDialog(&about);
}

void MainWindow::showCalculator() {
    CalculatorDialog calculator(this);
    runDialog(&calculator);
}

} // namespace quorvex
