// "Interface options" and the help viewer.
#include "app/gui/interface_options_dialog.h"
#include "app/gui/main_window.h"
#include "autodigit/gui/auto_digitize_settings_dialog.h"

#include "components/image_view.h"
#include "components/widgets.h"
#include "core/round.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

namespace quorvex {

void MainWindow::showInterfaceOptions() {
    InterfaceState s;
    s.language = messageLanguage();
    s.showStartupHint = showStartupHint_;
    s.hintsTenSeconds = longHintsAction_->isChecked();
    s.hintsCaption = longHintsAction_->text();
    s.statusBarHeight = statusBar()->height();
    s.widthFactor = panels_[0]->width() / 70.0;
    s.autoResizePanels = autoResizePanels_;
    s.rulersShown = !horizontalRuler_->isHidden();
    s.hairLines = hairLinesFlag_;

    InterfaceActions a;
    a.showRulers = [this](bool on) {
        if (!on) return hideRulers();
        for (QWidget* w :
             std::initializer_list<QWidget*>{horizontalRuler_, verticalRuler_, rulerCorner_}) {
            w->setVisible(true);
            w->setEnabled(true);
        }
        rulersFlag_ = true;
        updateRulers(28);
    };
    a.hairLines = [this](bool on) { hairLinesFlag_ = on; };
    a.startupHint = [this](bool on) { showStartupHint_ = on; };
    a.apply = [this](const InterfaceState& state) {
        const double f = state.widthFactor;
        setPanelWidths(Round(f * 70), Round(f * 100), Round(f * 100), Round(f * 100));
        statusBar()->setFixedHeight(state.statusBarHeight);
        longHintsAction_->setChecked(state.hintsTenSeconds);
        hintTimeToggled();
        setMessageLanguage(state.language);
        showLanguageTexts();
        rulersFlag_ = state.rulersShown;
        hairLinesFlag_ = state.hairLines;
        if (!rulersFlag_) hideRulers();
        ini_.writeString(ini::kApplication, ini::kLanguage, languageIniText(state.language));
        ini_.writeBool(ini::kImage, ini::kShowRulers, rulersFlag_);
        ini_.writeBool(ini::kImage, ini::kHairLines, hairLinesFlag_);
        saveIni();
        updateUndoActions();
    };
    a.writeSettings = [this] { saveSettings(); };
    a.loadDefaults = [this] { loadDefaultOptions(); };
    a.autoResizeOnClose = [this](bool on) { autoResizePanels_ = on; };
    InterfaceOptionsDialog dialog(s, a, this);
    runDialog(&dialog);
}

QString MainWindow::helpFile() const {
    const QString name = messageLanguage() == Language::Russian ? QStringLiteral("QUORVEX21R.HLP")
                                                                : QStringLiteral("QUORVEX21E.HLP");
    return programDataFile(programPath_, name);
}

QString MainWindow::helpTopicFor(const QWidget* focus) const {
    const auto within = [focus](std::initializer_list<const QWidget*> areas) {
        for (const QWidget* area : areas)
            if (focus && area && (area == focus || area->isAncestorOf(focus))) return true;
        return false;
    };
    if (within({cornerFields_[0], cornerFields_[1], cornerFields_[2], cornerFields_[3],
                xTransferBox_, yTransferBox_, rectangleTool_}))
        return QStringLiteral("calibration");
    if (within({autoOptions_, autoDigitizeButton_, colourPickTool_, curveColourButton_}) ||
        qobject_cast<const AutoDigitizeSettingsDialog*>(focus ? focus->window() : nullptr))
        return QStringLiteral("auto");
    if (within({generalOptions_, extraOptions_, manualInputTool_, searchTool_}))
        return QStringLiteral("manual");
    if (within({tablePage_})) return QStringLiteral("table");
    if (within({grapherPage_})) return QStringLiteral("grapher");
    if (within({imageView_, rotateTool_, pencilTool_, zoomToggleButton_}))
        return QStringLiteral("image");
    if (qobject_cast<const InterfaceOptionsDialog*>(focus ? focus->window() : nullptr))
        return QStringLiteral("topic5");
    return QStringLiteral("topic4");
}

void MainWindow::showHelp() {
    const QString topic = helpTopicFor(QApplication::focusWidget());
    const QString path = helpFile();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        prompter_->information(this, message(Msg::HelpFileMissing).arg(path), true);
        return;
    }
    QDialog viewer(this);
    viewer.setObjectName(QStringLiteral("HelpViewer"));
    viewer.setWindowTitle(QStringLiteral("Quorvex - Help"));
    auto* layout = new QVBoxLayout(&viewer);
    auto* browser = new QTextBrowser;
    browser->setObjectName(QStringLiteral("HelpText"));
    browser->setHtml(QString::fromUtf8(file.readAll()));
    browser->scrollToAnchor(topic);
    layout->addWidget(browser);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &viewer, &QDialog::reject);
    layout->addWidget(buttons);
    viewer.resize(640, 480);
    runDialog(&viewer);
}

} // namespace quorvex
