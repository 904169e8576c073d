#include "app/gui/main_window.h"

#include "app/gui/application.h"
#include "app/gui/command_registry.h"
#include "app/gui/program_commands.h"
#include "app/gui/startup_hint_window.h"
#include "app/gui/status_panels.h"
#include "autodigit/gui/auto_digitize_controller.h"
#include "autodigit/gui/scan_options_panel.h"
#include "components/widgets.h"
#include "core/messages.h"
#include "exchange/gui/data_files.h"
#include "exchange/gui/project_files.h"
#include "grapher/gui/grapher_page.h"
#include "image/gui/image_page.h"
#include "image/gui/picture_commands.h"
#include "table/gui/history_commands.h"
#include "table/gui/table_page.h"
#include "table/table.h"
#include "tools/gui/calibration_panel.h"
#include "tools/gui/editing_tools.h"
#include "tools/gui/manual_input_tool.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDialog>
#include <QFileInfo>
#include <QHelpEvent>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolTip>
#include <QVBoxLayout>

namespace quorvex {

namespace {
// The splitters between the panels are red, so the user sees what can be dragged.
QSplitter* redSplitter(const char* name, Qt::Orientation orientation) {
    auto* s = named(new QSplitter(orientation), name);
    s->setHandleWidth(4);
    s->setStyleSheet(QStringLiteral("QSplitter::handle { background: #e02020; }"));
    return s;
}
} // namespace

MainWindow::MainWindow(std::unique_ptr<Prompter> prompter, const QString& programPath,
                       QWidget* parent)
    : QMainWindow(parent), prompter_(std::move(prompter)), programPath_(programPath),
      ini_(iniFilePath(programPath)), cfgPath_(digitizeCfgPath(programPath)) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(bareCaption());
    // Errors that escape a handler are shown as message boxes of this window.
    Application::setErrorReporter(
        [this](const QString& text) { prompter_->information(this, text, true); });
    session_.programFolder = QFileInfo(programPath_).absolutePath();
    commands_ = new CommandRegistry(session_, this);
    createParts();
    assemble();
    // The dialogs the parts keep come after the pages among the window's children, as a
    // search by name (tests, help topics) expects the window's own controls first.
    for (QDialog* dialog : findChildren<QDialog*>(QString(), Qt::FindDirectChildrenOnly)) {
        const Qt::WindowFlags flags = dialog->windowFlags();
        dialog->setParent(nullptr);
        dialog->setParent(this, flags);
    }
    connectWindow();
    commands_->buildLayout(menuBar());
    menuBar()->setObjectName(QStringLiteral("Protokol"));

    picture_->readRecentFiles();
    setMessageLanguage(localeDefaultLanguage(systemLanguageCode()));
    showLanguageTexts();
    session_.table().setRowCount(Table::kStartRows);
    session_.setCurveColour(kBlack);
    QPalette tips = QToolTip::palette();
    tips.setColor(QPalette::ToolTipBase, QColor(0xFF, 0xFF, 0x00));
    tips.setColor(QPalette::ToolTipText, Qt::black);
    QToolTip::setPalette(tips);
    qApp->installEventFilter(this);
    applySettingsAtStart();
    // Whatever the settings held, the commands follow the session's state from the start.
    commands_->updateStates();
}

MainWindow::~MainWindow() {
    Application::setErrorReporter(nullptr);
    qApp->removeEventFilter(this);
}

// The parts, in the order in which they hear of the mouse on the picture.
void MainWindow::createParts() {
    const PartContext context{session_,   *commands_,
                              *prompter_, ini_,
                              this,       [this](QDialog* dialog) { return runDialog(dialog); }};
    status_ = new StatusPanels(context);
    picture_ = new PictureCommands(context);
    imagePage_ = new ImagePage(context);
    calibration_ = new CalibrationPanel(context);
    options_ = new ScanOptionsPanel(context);
    manualInput_ = new ManualInputTool(context);
    autoDigitize_ = new AutoDigitizeController(context);
    editing_ = new EditingTools(context);
    tablePage_ = new TablePage(context);
    new HistoryCommands(context);
    dataFiles_ = new DataFiles(context);
    projectFiles_ = new ProjectFiles(context);
    grapherPage_ = new GrapherPage(context);
    program_ = new ProgramCommands(context, programPath_);
    // The window's own commands: its settings and its end.
    QAction* exitItem = commands_->addAction("Exit3", QStringLiteral("Exit"));
    exitItem->setShortcut(QKeySequence::Quit);
    connect(exitItem, &QAction::triggered, this, &QWidget::close);
    connect(commands_->addAction("DefaultM", QStringLiteral("Load default options")),
            &QAction::triggered, this, &MainWindow::loadDefaultOptions);
    connect(commands_->addAction("interfaceOptions", QStringLiteral("Interface options...")),
            &QAction::triggered, this, &MainWindow::showInterfaceOptions);
    longHintsAction_ =
        commands_->addAction("HintHideP", QStringLiteral("Show hints during to 10s"));
    longHintsAction_->setCheckable(true);
    longHintsAction_->setChecked(true);
    connect(longHintsAction_, &QAction::triggered, this, &MainWindow::hintTimeToggled);
}

// The tool bars, the pages and the status bar, with the parts' widgets in them.
void MainWindow::assemble() {
    mainToolBar_ = new QToolBar(QStringLiteral("Main"));
    mainToolBar_->setMovable(false);
    addToolBar(Qt::TopToolBarArea, mainToolBar_);
    commands_->addToolBar("ToolBar4", mainToolBar_);
    stopButton_ = new QPushButton(QStringLiteral("Stop"));
    stopButton_->setIcon(glyphIcon(Glyph::Stop));
    stopButton_->setToolTip(QStringLiteral("Stop a process"));
    stopButton_->setEnabled(false);
    commands_->addWidget("Stop", stopButton_);
    toolsBar_ = new QToolBar;
    commands_->addToolBar("SpeedBar1", toolsBar_);

    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    progressBar_ = named(new QProgressBar, "ProgressBar1");
    progressBar_->setTextVisible(false);
    progressBar_->setFixedHeight(0); // shown (10 pixels high) only during long operations
    layout->addWidget(progressBar_);
    pages_ = named(new QTabWidget, "PageControl1");

    // The digitization page: calibration, options, tools and zoom on the left, the picture on
    // the right.
    digitizationPage_ = named(new QWidget, "TabSheet4");
    auto* pageLayout = new QHBoxLayout(digitizationPage_);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    QSplitter* imageSplitter = redSplitter("RxSplitter1", Qt::Horizontal);
    pageLayout->addWidget(imageSplitter);
    QSplitter* leftSplitter = redSplitter("RxSplitter2", Qt::Vertical);
    auto* upper = new QWidget;
    auto* upperLayout = new QVBoxLayout(upper);
    upperLayout->setContentsMargins(2, 2, 2, 2);
    upperLayout->addWidget(calibration_->panel());
    upperLayout->addWidget(options_->pages());
    upperLayout->addWidget(toolsBar_);
    upperLayout->addStretch();
    leftSplitter->addWidget(upper);
    leftSplitter->addWidget(imagePage_->zoomPanel());
    imageSplitter->addWidget(leftSplitter);
    imageSplitter->addWidget(imagePage_->imageArea());
    imageSplitter->setStretchFactor(1, 1);

    pages_->addTab(digitizationPage_, QStringLiteral("Digitization"));
    pages_->addTab(named(tablePage_->page(), "TabSheet2"), QStringLiteral("Table"));
    pages_->addTab(named(grapherPage_->page(), "TabSheet1"), QStringLiteral("Grapher"));
    layout->addWidget(pages_);
    setCentralWidget(central);
    setStatusBar(status_->bar());
}

void MainWindow::connectWindow() {
    connect(stopButton_, &QPushButton::clicked, &session_, &DigitizingSession::requestStop);
    connect(&session_, &DigitizingSession::stopAvailable, stopButton_, &QPushButton::setEnabled);
    connect(&session_, &DigitizingSession::lockChanged, this, [this](bool locked) {
        pages_->setEnabled(!locked);
        menuBar()->setEnabled(!locked);
    });
    connect(&session_, &DigitizingSession::progressRangeChanged, this, [this](int maximum) {
        progressBar_->setMaximum(std::max(maximum, 1));
        progressBar_->setValue(0);
        progressBar_->setFixedHeight(maximum < 0 ? 0 : 10);
    });
    connect(&session_, &DigitizingSession::progressChanged, progressBar_, &QProgressBar::setValue);
    connect(&session_, &DigitizingSession::pageRequested, this, [this](WindowPage page) {
        pages_->setCurrentWidget(page == WindowPage::Digitization ? digitizationPage_
                                 : page == WindowPage::Table      ? tablePage_->page()
                                                                  : grapherPage_->page());
    });
    connect(pages_, &QTabWidget::currentChanged, this, [this](int index) {
        if (index != pages_->indexOf(digitizationPage_)) status_->clearReadouts();
    });
}

QString MainWindow::statusText(int panel) const {
    return status_->text(panel);
}

bool MainWindow::openImageFile(const QString& path, ImageReader reader) {
    if (path.endsWith(QLatin1String(".qvx"), Qt::CaseInsensitive))
        return projectFiles_->openProjectFile(path);
    return picture_->openImageFile(path, reader);
}

QString MainWindow::helpTopicFor(const QWidget* focus) const {
    return program_->helpTopicFor(focus);
}

// ---- activation, first paint, closing

void MainWindow::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isActiveWindow() || applyingPlacement_)
        return;
    session_.windowActivated();
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
    // A project with changes not saved is asked about first; its Table is in the project.
    const bool inProject = !projectFiles_->projectPath().isEmpty();
    if (!session_.mayReplaceWork()) {
        event->ignore();
        return;
    }
    saveSettings();
    if (!inProject && session_.table().firstRowHasData() &&
        prompter_->question(this, message(Msg::SaveTableOnClose), false) == Answer::Yes)
        commands_->run(QStringLiteral("data.saveTable"));
    if (commands_->action("PurgeClipboard1")->isEnabled() &&
        prompter_->question(this, message(Msg::PurgeClipboardOnClose), false) == Answer::Yes)
        QApplication::clipboard()->clear();
    event->accept();
}

// Tool tips: yellow, shown for the chosen time, and echoed in status panel 4.
bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->window() == this && !widget->toolTip().isEmpty()) {
            auto* help = static_cast<QHelpEvent*>(event);
            session_.showStatus(widget->toolTip());
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
    if (!path.isEmpty() && (QApplication::activeModalWidget() || session_.interfaceLocked()))
        return false;
    if (!bringToFront()) return false;
    if (!path.isEmpty())
        QTimer::singleShot(0, this, [this, path] { openImageFile(path, readerForPath(path)); });
    return true;
}

void MainWindow::hintTimeToggled() {
    hintTime_ = longHintsAction_->isChecked() ? 10000 : 2500;
}

void MainWindow::showLanguageTexts() {
    commands_->action("SaveSpreadsheet")->setText(message(Msg::SaveSpreadsheetItem));
    commands_->action("SaveProfile")->setText(message(Msg::ProfileSaveItem));
    commands_->action("LoadProfile")->setText(message(Msg::ProfileLoadItem));
    commands_->action("OpenProject")->setText(message(Msg::ProjectOpenItem));
    commands_->action("SaveProject")->setText(message(Msg::ProjectSaveItem));
    commands_->action("SaveProjectAs")->setText(message(Msg::ProjectSaveAsItem));
    // The parts whose captions name a state (Undo ‹name›) follow on the state signal.
    session_.commandStatesChanged();
}

} // namespace quorvex
