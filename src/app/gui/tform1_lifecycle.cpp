// Creation, settings, activation, first paint, closing and the window-wide switches of the
// main window.
#include "app/gui/tform1.h"

#include "app/gui/dialogs.h"
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

void TForm1::FormCreate() {
    setDataCommandsEnabled(false);
    BitBtn1->setEnabled(false);
    readRecentFiles();
    setMessageLanguage(localeDefaultLanguage(systemLanguageCode()));
    viewScale_ = 1.0;
    ComboBoxSize->setCurrentText(QStringLiteral("100%"));
    table_->setRowCount(Table::kStartRows);
    curveColour_ = kBlack;
    Image3->setColour(curveColour_);
    QPalette tips = QToolTip::palette();
    tips.setColor(QPalette::ToolTipBase, QColor(0xFF, 0xFF, 0x00));
    tips.setColor(QPalette::ToolTipText, Qt::black);
    QToolTip::setPalette(tips);
    qApp->installEventFilter(this);
    try {
        loadSettings();
    } catch (const ConversionError& error) {
        // A settings value that is no number ends the creation steps here.
        settingsError_ = error.message();
        prompter_->information(this, error.message(), true);
        return;
    }
    readDigitizeConfig();
    if (!settingsError_.isEmpty()) return;
    PageControl1->setCurrentWidget(TabSheet4);
    ComboBox2->setCurrentIndex(0);
    ComboBox3->setCurrentIndex(0);
    // Small screens: warn a few times, and give the read-outs more room.
    const int screenHeight = QGuiApplication::primaryScreen()
                                 ? QGuiApplication::primaryScreen()->geometry().height()
                                 : 768;
    if (screenHeight < 600) {
        const int count = ini_.readInteger(ini::kApplication, ini::kLowResolutionCount, 1);
        if (static_cast<unsigned char>(count) <= 3) {
            prompter_->information(this, message(Msg::LowResolution));
            ini_.writeInteger(ini::kApplication, ini::kLowResolutionCount, count + 1);
            saveIni();
        }
        setPanelWidths(80, 100, 150, 150);
    } else if (screenHeight > 600) {
        setPanelWidths(50, 80, 100, 100);
    }
    ClipbrdUpdate();
}

void TForm1::loadSettings() {
    hintTime_ = ini_.readInteger(ini::kApplication, ini::kHint, 10000);
    HintHideP->setChecked(hintTime_ == 10000);
    statusBar()->setFixedHeight(ini_.readInteger(ini::kStatusBar, ini::kHeight, 22));
    const double factor =
        ini_.readFloat(ini::kStatusBar, ini::kWidthFactor, 1.0, localeDecimalSeparator());
    setPanelWidths(Round(factor * 70), Round(factor * 100), Round(factor * 100),
                   Round(factor * 100));
    autoResizePanels_ = ini_.readBool(ini::kStatusBar, ini::kAutoResizePanels, true);
    Bezier->setChecked(ini_.readBool(ini::kAuto, ini::kPolyBezier, true));
    setMessageLanguage(languageFromIni(
        ini_.readString(ini::kApplication, ini::kLanguage, QString()), messageLanguage()));
    rulersFlag_ = ini_.readBool(ini::kImage, ini::kShowRulers, true);
    hairLinesFlag_ = ini_.readBool(ini::kImage, ini::kHairLines, true);
    for (QWidget* w : std::initializer_list<QWidget*>{RsRulerH, RsRulerV, RsRulerCorner1})
        w->setVisible(rulersFlag_);
    markerColour_ = kRed;
    if (HintHideP->isChecked()) hintTime_ = 10000;
    PageControl2->setCurrentIndex(0);
    reportingConversion([this] { table_->setNextRow(table_->currentCurve(), 1); });
    imageFolder_ =
        ini_.readString(ini::kImage, ini::kDirectory, QFileInfo(programPath_).absolutePath());
    const bool correction = ini_.readBool(ini::kAuto, ini::kCorrection, true);
    CheckBoxCorrect->setChecked(correction);
    Correct->setEnabled(correction);
    pointSize_ = ini_.readInteger(ini::kGrapher, ini::kPointSize, 2);
    Correct->setValue(ini_.readInteger(ini::kAuto, ini::kCorrectionValue, 15));
    NewTable->setChecked(ini_.readBool(ini::kImage, ini::kClearTable, true));
    pf4->setChecked(ini_.readBool(ini::kImage, ini::kBwInColoured, true));
}

void TForm1::readDigitizeConfig() {
    const DigitizeCfgRead read = readDigitizeCfg(cfgPath_);
    if (!read.opened) {
        DefaultMClick();
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

DigitizeConfig TForm1::currentDigitizeConfig() const {
    DigitizeConfig c;
    c.language = messageLanguage();
    c.zoomActive = zoomActive_;
    c.markers = N10Mark->isChecked();
    c.zoomFactor = zoomFactor_;
    c.markerSize = SpinEdit5->value();
    c.curveThickness = SpinEdit4->value();
    c.oneValued = N32->isChecked();
    c.symbol = N22->isChecked();
    c.showStartupHint = showStartupHint_;
    return c;
}

void TForm1::applyDigitizeConfig(const DigitizeConfig& c) {
    zoomActive_ = c.zoomActive;
    N10Mark->setChecked(c.markers);
    zoomFactor_ = c.zoomFactor;
    SpinEdit5->setValue(c.markerSize);
    markerSize_ = SpinEdit5->value();
    SpinEdit4->setValue(c.curveThickness);
    N32->setChecked(c.oneValued);
    N22->setChecked(c.symbol);
    N23->setChecked(!c.symbol);
    showStartupHint_ = c.showStartupHint;
}

void TForm1::saveIni() {
    if (!ini_.save()) settingsWriteFailed(ini_.path());
}

void TForm1::settingsWriteFailed(const QString& path) {
    showStatus(message(Msg::SettingsWriteFailed).arg(path));
}

void TForm1::WriteSettings() {
    SettingsSnapshot s;
    s.statusBarHeight = statusBar()->height();
    s.statusPanel0Width = panels_[0]->width();
    s.correctionValue = Correct->value();
    s.hintTime = hintTime_;
    s.bwInColoured = pf4->isChecked();
    s.clearTableForNewImage = NewTable->isChecked();
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
    if (!writeDigitizeCfg(cfgPath_, digitizeCfgLines(currentDigitizeConfig())))
        settingsWriteFailed(cfgPath_);
}

void TForm1::DefaultMClick() {
    pointSize_ = 2;
    CheckBoxCorrect->setChecked(true);
    Bezier->setChecked(false);
    Correct->setEnabled(true);
    Correct->setValue(15);
    NewTable->setChecked(true);
    pf4->setChecked(true);
    rulersFlag_ = true;
    hairLinesFlag_ = true;
    writeDefaultOptions(ini_);
    saveIni();
    openFilter_ = 0;
    imageFolder_.clear();
    if (!writeDigitizeCfg(cfgPath_, kDefaultCfgLines)) settingsWriteFailed(cfgPath_);
    zoomActive_ = true;
    N10Mark->setChecked(true);
    zoomFactor_ = 2;
    SpinEdit5->setValue(3);
    markerSize_ = 3;
    SpinEdit4->setValue(1);
    N32->setChecked(true);
    N22->setChecked(true);
    showStartupHint_ = true;
}

// ---- activation, first paint, closing

void TForm1::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && !applyingPlacement_)
        FormActivate();
}

void TForm1::FormActivate() {
    SpinEdit4->setEnabled(!N32->isChecked());
    BitBtn1->setText(QStringLiteral("Y(X)"));
    if (mouseMode_ == 6)
        for (QToolButton* b : {RectSelect, SpeedButton112SA, SpeedButton11SA, Points})
            b->setChecked(false);
    // The stored placement comes back at every activation.
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

void TForm1::paintEvent(QPaintEvent* event) {
    QMainWindow::paintEvent(event);
    if (startupHintPending_ && showStartupHint_ && !startupHintQueued_) {
        // The hint window is modal: it opens once painting is over.
        startupHintQueued_ = true;
        QTimer::singleShot(0, this, [this] {
            THintForm hint(this);
            if (prompter_->run(&hint)) showStartupHint_ = !hint.dontShowAgain();
            startupHintPending_ = false;
        });
    }
}

void TForm1::closeEvent(QCloseEvent* event) {
    WriteSettings();
    if (table_->firstRowHasData() &&
        prompter_->question(this, message(Msg::SaveTableOnClose), false) == Answer::Yes)
        N49Click();
    if (PurgeClipboard1->isEnabled() &&
        prompter_->question(this, message(Msg::PurgeClipboardOnClose), false) == Answer::Yes)
        QApplication::clipboard()->clear();
    event->accept();
}

void TForm1::Exit3Click() {
    close();
}

// ---- window-wide switches

void TForm1::EnabledAll(bool enable) {
    for (QWidget* w : std::initializer_list<QWidget*>{
             ComboBoxSize, N_curve, RxSpinButton1, Panel2, PageControl1, SpeedButton6,
             SpeedButton12, SpeedButton15, BitBtn1, RxSpeedButton2, Image1})
        w->setEnabled(enable);
    Protokol->setEnabled(enable);
}

LongOperation::Hooks TForm1::longOperationHooks() {
    LongOperation::Hooks hooks;
    hooks.lock = [this](bool start) {
        Stop->setEnabled(start);
        EnabledAll(!start);
    };
    hooks.showProgress = [this](int maximum) {
        ProgressBar1->setMaximum(std::max(maximum, 1));
        ProgressBar1->setValue(0);
        ProgressBar1->setFixedHeight(maximum < 0 ? 0 : 10);
    };
    hooks.setProgress = [this](int position) { ProgressBar1->setValue(position); };
    hooks.stopRequested = [this] { return stopFlag_; };
    hooks.clearStop = [this] { stopFlag_ = false; };
    hooks.processEvents = [] { QCoreApplication::processEvents(); };
    return hooks;
}

void TForm1::StopClick() {
    stopFlag_ = true;
    Stop->setEnabled(false);
    ProgressBar1->setValue(0);
    ProgressBar1->setFixedHeight(0);
    EnabledAll(true);
}

// Tool tips: yellow, shown for the chosen time, and echoed in status panel 4.
bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (ComboBoxSize && watched == ComboBoxSize->lineEdit()) return measureKeyPress(key);
        // "," or "." typed into a corner field enters the locale's decimal separator.
        for (QLineEdit* field : cornerFields_)
            if (watched == field &&
                (key->text() == QLatin1String(",") || key->text() == QLatin1String("."))) {
                field->insert(QString(localeDecimalSeparator()));
                return true;
            }
    }
    if (event->type() == QEvent::MouseButtonDblClick && watched == RsRulerCorner1) {
        RsRulerCorner1DblClick();
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

bool TForm1::bringToFront() {
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

void TForm1::HintHidePClick() {
    hintTime_ = HintHideP->isChecked() ? 10000 : 2500;
}

void TForm1::PurgeClipboard1Click() {
    QApplication::clipboard()->clear();
    ClipbrdUpdate();
}

void TForm1::About1Click() {
    TAboutBox1 about(this);
    prompter_->run(&about);
}

void TForm1::Calculator1Click() {
    CalculatorDialog calculator(this);
    prompter_->run(&calculator);
}

} // namespace quorvex
