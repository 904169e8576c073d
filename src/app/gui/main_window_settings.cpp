// The settings of the main window: the INI file and digitize.cfg at start and at the end,
// the default options and "Interface options".
#include "app/gui/main_window.h"

#include "app/gui/command_registry.h"
#include "app/gui/interface_options_dialog.h"
#include "app/gui/screen.h"
#include "app/gui/status_panels.h"
#include "autodigit/gui/scan_options_panel.h"
#include "core/round.h"
#include "grapher/gui/chart_view.h"
#include "grapher/gui/grapher_page.h"
#include "image/gui/image_page.h"
#include "image/gui/picture_commands.h"
#include "table/table.h"
#include "tools/gui/manual_input_tool.h"

#include <QAction>
#include <QFileInfo>
#include <QStatusBar>
#include <QTabWidget>

namespace quorvex {

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
    session_.setTransfers(0, 0);
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
        status_->setPanelWidths(80, 100, 150, 150);
    } else if (screenHeight > 600) {
        status_->setPanelWidths(50, 80, 100, 100);
    }
}

void MainWindow::loadSettings() {
    hintTime_ = ini_.readInteger(ini::kApplication, ini::kHint, 10000);
    longHintsAction_->setChecked(hintTime_ == 10000);
    statusBar()->setFixedHeight(ini_.readInteger(ini::kStatusBar, ini::kHeight, 22));
    const double factor =
        ini_.readFloat(ini::kStatusBar, ini::kWidthFactor, 1.0, localeDecimalSeparator());
    status_->setPanelWidths(Round(factor * 70), Round(factor * 100), Round(factor * 100),
                            Round(factor * 100));
    status_->autoResize = ini_.readBool(ini::kStatusBar, ini::kAutoResizePanels, true);
    const bool polyBezier = ini_.readBool(ini::kAuto, ini::kPolyBezier, true);
    session_.changeOptions([polyBezier](DigitizingOptions& o) { o.polyBezier = polyBezier; });
    setMessageLanguage(languageFromIni(
        ini_.readString(ini::kApplication, ini::kLanguage, QString()), messageLanguage()));
    showLanguageTexts();
    imagePage_->setRulersShown(ini_.readBool(ini::kImage, ini::kShowRulers, true));
    session_.hairLines = ini_.readBool(ini::kImage, ini::kHairLines, true);
    session_.markerColour = kRed;
    if (longHintsAction_->isChecked()) hintTime_ = 10000;
    options_->showPage(OptionsPage::General);
    try {
        session_.table().setNextRow(session_.table().currentCurve(), 1);
    } catch (const ConversionError& error) {
        prompter_->information(this, error.message(), true);
    }
    session_.imageFolder =
        ini_.readString(ini::kImage, ini::kDirectory, QFileInfo(programPath_).absolutePath());
    const bool correction = ini_.readBool(ini::kAuto, ini::kCorrection, true);
    session_.changeOptions([correction](DigitizingOptions& o) { o.selfCorrection = correction; });
    grapherPage_->setPointSize(ini_.readInteger(ini::kGrapher, ini::kPointSize, 2));
    session_.distance.on = ini_.readBool(ini::kAuto, ini::kColourDistance, false);
    session_.distance.tolerance =
        std::clamp(ini_.readInteger(ini::kAuto, ini::kDistanceTolerance, 25), 0, 100);
    session_.distance.subPixel = ini_.readBool(ini::kAuto, ini::kSubPixel, false);
    const int depth = std::clamp(ini_.readInteger(ini::kAuto, ini::kCorrectionValue, 15), 2, 30);
    session_.changeOptions([depth](DigitizingOptions& o) { o.correctionDepth = depth; });
    picture_->clearTableItem()->setChecked(ini_.readBool(ini::kImage, ini::kClearTable, true));
    picture_->colourConversionItem()->setChecked(
        ini_.readBool(ini::kImage, ini::kBwInColoured, true));
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
    c.zoomActive = imagePage_->zoomActive();
    c.markers = session_.markersOn;
    c.zoomFactor = imagePage_->zoomFactor();
    c.markerSize = session_.options().markerSizeField;
    c.curveThickness = session_.options().thickness;
    c.oneValued = session_.options().oneValued;
    c.symbol = grapherPage_->symbolMode();
    c.showStartupHint = showStartupHint_;
    return c;
}

void MainWindow::applyDigitizeConfig(const DigitizeConfig& c) {
    imagePage_->setZoomActive(c.zoomActive);
    manualInput_->markersItem()->setChecked(c.markers);
    imagePage_->setZoomFactor(c.zoomFactor);
    session_.setMarkerSizeField(c.markerSize);
    session_.changeOptions([&c](DigitizingOptions& o) {
        o.thickness = std::clamp(c.curveThickness, 1, 99);
        o.oneValued = c.oneValued;
    });
    grapherPage_->showGrapherMode(!c.symbol);
    showStartupHint_ = c.showStartupHint;
}

void MainWindow::saveIni() {
    if (!ini_.save()) settingsWriteFailed(ini_.path());
}

void MainWindow::settingsWriteFailed(const QString& path) {
    session_.showStatus(message(Msg::SettingsWriteFailed).arg(path));
}

void MainWindow::saveSettings() {
    SettingsSnapshot s;
    s.statusBarHeight = statusBar()->height();
    s.statusPanel0Width = status_->panelWidth(0);
    s.correctionValue = session_.options().correctionDepth;
    s.hintTime = hintTime_;
    s.bwInColoured = session_.convertBlackWhite;
    s.clearTableForNewImage = session_.clearTableOnNewImage;
    s.pointSize = grapherPage_->pointSize();
    s.autoResizePanels = status_->autoResize;
    s.showRulers = imagePage_->rulersShown();
    s.hairLines = session_.hairLines;
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
    grapherPage_->setPointSize(grapherPage_->pointSize());
    if (!writeDigitizeCfg(cfgPath_, digitizeCfgLines(currentDigitizeConfig())))
        settingsWriteFailed(cfgPath_);
}

void MainWindow::loadDefaultOptions() {
    grapherPage_->setPointSize(2);
    session_.distance = DistanceOptions();
    session_.changeOptions([](DigitizingOptions& o) {
        o.selfCorrection = true;
        o.polyBezier = false;
        o.correctionDepth = 15;
    });
    picture_->clearTableItem()->setChecked(true);
    picture_->colourConversionItem()->setChecked(true);
    imagePage_->rememberRulersShown(true);
    session_.hairLines = true;
    writeDefaultOptions(ini_);
    saveIni();
    picture_->forgetOpenFilter();
    session_.imageFolder.clear();
    if (!writeDigitizeCfg(cfgPath_, kDefaultCfgLines)) settingsWriteFailed(cfgPath_);
    imagePage_->setZoomActive(true);
    manualInput_->markersItem()->setChecked(true);
    imagePage_->setZoomFactor(2);
    session_.setMarkerSizeField(3);
    session_.changeOptions([](DigitizingOptions& o) {
        o.thickness = 1;
        o.oneValued = true;
    });
    if (grapherPage_->chart()->look().lineMode) grapherPage_->setGrapherMode(false);
    showStartupHint_ = true;
}

void MainWindow::showInterfaceOptions() {
    InterfaceState s;
    s.language = messageLanguage();
    s.showStartupHint = showStartupHint_;
    s.hintsTenSeconds = longHintsAction_->isChecked();
    s.hintsCaption = longHintsAction_->text();
    s.statusBarHeight = statusBar()->height();
    s.widthFactor = status_->panelWidth(0) / 70.0;
    s.autoResizePanels = status_->autoResize;
    s.rulersShown = imagePage_->rulersShown();
    s.hairLines = session_.hairLines;

    InterfaceActions a;
    a.showRulers = [this](bool on) { imagePage_->setRulersShown(on); };
    a.hairLines = [this](bool on) { session_.hairLines = on; };
    a.startupHint = [this](bool on) { showStartupHint_ = on; };
    a.apply = [this](const InterfaceState& state) {
        const double f = state.widthFactor;
        status_->setPanelWidths(Round(f * 70), Round(f * 100), Round(f * 100), Round(f * 100));
        statusBar()->setFixedHeight(state.statusBarHeight);
        longHintsAction_->setChecked(state.hintsTenSeconds);
        hintTimeToggled();
        setMessageLanguage(state.language);
        showLanguageTexts();
        session_.hairLines = state.hairLines;
        if (!state.rulersShown) imagePage_->hideRulers();
        imagePage_->rememberRulersShown(state.rulersShown);
        ini_.writeString(ini::kApplication, ini::kLanguage, languageIniText(state.language));
        ini_.writeBool(ini::kImage, ini::kShowRulers, state.rulersShown);
        ini_.writeBool(ini::kImage, ini::kHairLines, state.hairLines);
        saveIni();
        session_.undoStateChanged();
    };
    a.writeSettings = [this] { saveSettings(); };
    a.loadDefaults = [this] { loadDefaultOptions(); };
    a.autoResizeOnClose = [this](bool on) { status_->autoResize = on; };
    InterfaceOptionsDialog dialog(s, a, this);
    runDialog(&dialog);
}

} // namespace quorvex
