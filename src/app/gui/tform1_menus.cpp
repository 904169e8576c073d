// The menu bar of the main window, its pop-up menus and the connections of every command.
#include "app/gui/tform1.h"

#include "components/image_view.h"
#include "components/widgets.h"
#include "core/messages.h"
#include "image/pixel_format.h"
#include "table/table.h"

#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>

namespace quorvex {

QAction* TForm1::addAction(QMenu* menu, const QString& name, const QString& caption) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    return action;
}

void TForm1::createMenus() {
    Protokol = menuBar();
    Protokol->setObjectName(QStringLiteral("Protokol"));
    auto separator = [](QMenu* m, const char* name) {
        m->addSeparator()->setObjectName(QString::fromLatin1(name));
    };
    auto disabled = [](QAction* a) {
        a->setEnabled(false);
        return a;
    };
    auto checked = [](QAction* a, bool on = true) {
        a->setCheckable(true);
        a->setChecked(on);
        return a;
    };

    fileMenu_ = Protokol->addMenu(QStringLiteral("File"));
    N34 = addAction(fileMenu_, "N34", "Open graph Image...");
    N34->setShortcut(QKeySequence::Open);
    N40 = disabled(addAction(fileMenu_, "N40", "Purge Image"));
    Reloadtheimagefile1 =
        disabled(addAction(fileMenu_, "Reloadtheimagefile1", "Reload Image file"));
    separator(fileMenu_, "N8");
    SaveImage1 = disabled(addAction(fileMenu_, "SaveImage1", "Save graph Image..."));
    N49 = disabled(addAction(fileMenu_, "N49", "Save data from Table..."));
    N50 = addAction(fileMenu_, "N50", "Open data file to Table...");
    N91 = disabled(addAction(fileMenu_, "N91", "Save graph from Grapher... "));
    separator(fileMenu_, "N39");
    SelectScaner = addAction(fileMenu_, "SelectScaner", "Select TWAIN source...");
    Scan = addAction(fileMenu_, "Scan", "Acquire...");
    separator(fileMenu_, "N9");
    pf4 = checked(addAction(fileMenu_, "pf4", "White-black Image into colored one"));
    NewTable = checked(addAction(fileMenu_, "NewTable", "For new Image clear Table and Grapher"));
    separator(fileMenu_, "N19");
    Exit3 = addAction(fileMenu_, "Exit3", "Exit");
    Exit3->setShortcut(QKeySequence::Quit);
    recentSeparator_ = fileMenu_->addSeparator();
    for (int i = 0; i < 4; ++i) {
        recentEntries_[static_cast<std::size_t>(i)] = fileMenu_->addAction(QString());
        recentEntries_[static_cast<std::size_t>(i)]->setObjectName(
            QStringLiteral("RecentFile%1").arg(i + 1));
    }

    QMenu* digitization = Protokol->addMenu(QStringLiteral("Digitization"));
    UndoPoint1 = disabled(addAction(digitization, "UndoPoint1", "Undo input of the latest point"));
    UndoAuto = addAction(digitization, "UndoAuto", "Undo digitization");
    separator(digitization, "N28");
    CopytheimagetoClipboard1 =
        disabled(addAction(digitization, "CopytheimagetoClipboard1", "Copy Image to Clipboard"));
    PastefromClipboard1 =
        disabled(addAction(digitization, "PastefromClipboard1", "Paste Image from Clipboard..."));
    separator(digitization, "N4");
    Fixcoord = disabled(addAction(digitization, "Fixcoord", "Fix coordinates"));
    N43 = addAction(digitization, "N43", "Select curve colour from pallet...");
    separator(digitization, "N29");
    Auto1 = disabled(checked(addAction(digitization, "Auto1", "Auto-size"), false));
    N37 = disabled(checked(addAction(digitization, "N37", "Real size (100%)")));
    separator(digitization, "N36");
    N10Mark = checked(addAction(digitization, "N10Mark", "Markers"));
    N10Mark->setToolTip(QStringLiteral("Mark a digitezed points with color"));
    MarkerClor = addAction(digitization, "MarkerClor", "Select marker colour from pallet...");
    separator(digitization, "N30");
    Rotatebackgroundimagecolor1 = addAction(digitization, "Rotatebackgroundimagecolor1",
                                            "Select rotate background image colour...");
    Rotate90 = disabled(addAction(digitization, "Rotate90", "Rotate 90 degrees"));
    separator(digitization, "N44");
    ShowZoom1 = addAction(digitization, "ShowZoom1", "Show Zoom");
    HideZoom1 = addAction(digitization, "HideZoom1", "Hide Zoom");

    QMenu* tableMenu = Protokol->addMenu(QStringLiteral("Table"));
    ShowTable1 = addAction(tableMenu, "ShowTable1", "Show Table");
    separator(tableMenu, "N7");
    Rescale1 = disabled(addAction(tableMenu, "Rescale1", "Re-digitize data XY..."));
    separator(tableMenu, "N2");
    TableintoExcel1 = disabled(addAction(tableMenu, "TableintoExcel1", "Table into Excel"));
    ColumninClipboard1 =
        disabled(addAction(tableMenu, "ColumninClipboard1", "Copy to Clipboard..."));
    separator(tableMenu, "N48");
    Calculate1 = disabled(addAction(tableMenu, "Calculate1", "Calculate..."));
    Dataformat1 = disabled(addAction(tableMenu, "Dataformat1", "Data format..."));
    N1 = disabled(addAction(tableMenu, "N1", "Replace..."));
    X1 = disabled(addAction(tableMenu, "X1", "Sorting on X"));
    separator(tableMenu, "N5");
    N42 = disabled(addAction(tableMenu, "N42", "Delete rows..."));
    Clear1 = disabled(addAction(tableMenu, "Clear1", "Clear all columns"));

    QMenu* grapher = Protokol->addMenu(QStringLiteral("Grapher"));
    QMenu* graph = grapher->addMenu(QStringLiteral("Graph"));
    graph->menuAction()->setObjectName(QStringLiteral("N21"));
    auto* style = new QActionGroup(this);
    N22 = checked(addAction(graph, "N22", "Symbol"));
    N23 = checked(addAction(graph, "N23", "Line"), false);
    style->addAction(N22);
    style->addAction(N23);
    separator(graph, "N35");
    addAction(graph, "N38", "Sorting on X");
    addAction(grapher, "N17", "Increase symbol size");
    addAction(grapher, "N18", "Decrease symbol size");
    addAction(grapher, "MG_Auto", "Auto-size");
    checked(addAction(grapher, "MG_Grid", "Grid"));
    separator(grapher, "N12");
    addAction(grapher, "MG_log", "Logarithmic scale X (log10)");
    addAction(grapher, "MG_logY", "Logarithmic scale Y (log10)");
    separator(grapher, "N15");
    MG_clear = disabled(addAction(grapher, "MG_clear", "Clear"));
    N45 = disabled(addAction(grapher, "N45", "Print"));
    separator(grapher, "N25");
    addAction(grapher, "Edit", "Options...");

    QMenu* commands = Protokol->addMenu(QStringLiteral("Commands"));
    YX1 = disabled(addAction(commands, "YX1", "Y(X)"));
    separator(commands, "N31");
    DefaultM = addAction(commands, "DefaultM", "Load default options");
    interfaceOptions = addAction(commands, "interfaceOptions", "Interface options...");
    separator(commands, "N41");
    Calculator1 = addAction(commands, "Calculator1", "Calculator");
    separator(commands, "N52");
    PurgeClipboard1 = addAction(commands, "PurgeClipboard1", "Purge Clipboard");

    QMenu* help = Protokol->addMenu(QStringLiteral("Help"));
    Help2 = addAction(help, "Help2", "Help");
    HintHideP = checked(addAction(help, "HintHideP", "Show hints during to 10s"));
    separator(help, "N3");
    About1 = addAction(help, "About1", "About Quorvex...");

    // Pop-up menus of tool buttons.
    RxPopupMenu1 = new QMenu(this);
    RxPopupMenu1->setObjectName(QStringLiteral("RxPopupMenu1"));
    formatGroup_ = new QActionGroup(this);
    formatGroup_->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    const char* formatNames[8] = {"N1bit1",  "N4bit1",  "N8bit1",  "N15bit1",
                                  "N16bit1", "N24bit1", "N32bit1", "gray1"};
    const char* formatCaptions[8] = {"1 bit",  "4 bit",  "8 bit",  "15 bit",
                                     "16 bit", "24 bit", "32 bit", "gray"};
    for (int i = 0; i < 8; ++i) {
        QAction* a = checked(addAction(RxPopupMenu1, formatNames[i], formatCaptions[i]), false);
        formatGroup_->addAction(a);
        formatItems_[static_cast<std::size_t>(i)] = a;
    }
    RxSpeedButton6->setMenu(RxPopupMenu1);

    // The Grapher's options drop-down repeats the chart commands of the Grapher menu.
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    QMenu* gr = PopupMenu1->addMenu(QStringLiteral("Graph"));
    gr->menuAction()->setObjectName(QStringLiteral("Gr"));
    auto* popupStyle = new QActionGroup(this);
    popupStyle->addAction(checked(addAction(gr, "N10", "Symbol")));
    popupStyle->addAction(checked(addAction(gr, "N20", "Line"), false));
    gr->addSeparator();
    addAction(gr, "N27", "Sorting on X");
    addAction(PopupMenu1, "N14", "Increase symbol size");
    addAction(PopupMenu1, "N13", "Decrease symbol size");
    addAction(PopupMenu1, "PM_Auto", "Auto-size");
    checked(addAction(PopupMenu1, "PM_Grid", "Grid"));
    PopupMenu1->addSeparator();
    addAction(PopupMenu1, "PM_log", "Logarithmic scale X (log10)");
    addAction(PopupMenu1, "PM_logY", "Logarithmic scale Y (log10)");
    PopupMenu1->addSeparator();
    addAction(PopupMenu1, "PM_clear", "Clear");
    addAction(PopupMenu1, "N51", "Print");
    PopupMenu1->addSeparator();
    addAction(PopupMenu1, "Edit6", "Options...");
    RxSpeedButton5->setMenu(PopupMenu1);

    // The step button's drop-down shows the step in graph units.
    PopupStep = new QMenu(this);
    PopupStep->setObjectName(QStringLiteral("PopupStep"));
    N110 = addAction(PopupStep, "N110", "0");
    StepV->setMenu(PopupStep);

    // Opened by the image's mouse handling.
    Undo = new QMenu(this);
    Undo->setObjectName(QStringLiteral("Undo"));
    UndoPoint = disabled(addAction(Undo, "UndoPoint", "Undo input of the latest point"));
    UndoAutoP = addAction(Undo, "UndoAutoP", "Undo digitization");

    PopupMenuTable = new QMenu(this);
    PopupMenuTable->setObjectName(QStringLiteral("PopupMenuTable"));
    ClearAll = addAction(PopupMenuTable, "ClearAll", "Clear all columns");
    Clear2 = addAction(PopupMenuTable, "Clear2", "Clear columns XN,YN only");
    ClTabl->setMenu(PopupMenuTable);
}

void TForm1::connectCommands() {
    connect(N34, &QAction::triggered, this, &TForm1::N34Click);
    connect(SpeedButton6, &QToolButton::clicked, this, &TForm1::N34Click);
    for (int i = 0; i < 4; ++i)
        connect(recentEntries_[static_cast<std::size_t>(i)], &QAction::triggered, this,
                [this, i] { ReopenRecent(i + 1); });
    connect(Reloadtheimagefile1, &QAction::triggered, this, &TForm1::Reloadtheimagefile1Click);
    connect(N40, &QAction::triggered, this, &TForm1::N40Click);
    connect(SaveImage1, &QAction::triggered, this, &TForm1::SaveImage1Click);
    connect(SelectScaner, &QAction::triggered, this, &TForm1::SelectScanerClick);
    connect(Scan, &QAction::triggered, this, &TForm1::ScanClick);
    connect(pf4, &QAction::triggered, this, &TForm1::pf4Click);
    connect(NewTable, &QAction::triggered, this, &TForm1::NewTableClick);
    connect(Exit3, &QAction::triggered, this, &TForm1::Exit3Click);
    connect(CopytheimagetoClipboard1, &QAction::triggered, this, &TForm1::CopyToClipboardClick);
    connect(SpeedButton15, &QToolButton::clicked, this, &TForm1::CopyToClipboardClick);
    connect(PastefromClipboard1, &QAction::triggered, this, &TForm1::ClipbrdExecute);
    connect(SpeedButton12, &QToolButton::clicked, this, &TForm1::ClipbrdExecute);
    for (int i = 0; i < 7; ++i)
        connect(formatItems_[static_cast<std::size_t>(i)], &QAction::triggered, this,
                [this, f = kMenuFormats[i]] { formatMenuClick(f); });
    connect(formatItems_[7], &QAction::triggered, this, &TForm1::gray1Click);
    connect(ShowTable1, &QAction::triggered, this, &TForm1::ShowTable1Click);
    connect(RxSpinButton1, &SpinButton::upClicked, this, &TForm1::NextCurveClick);
    connect(RxSpinButton1, &SpinButton::downClicked, this, &TForm1::PreviousCurveClick);
    connect(PopupMenuTable, &QMenu::aboutToShow, this, &TForm1::PrepareClearMenu);
    connect(ClearAll, &QAction::triggered, this, &TForm1::ClearAllClick);
    connect(Clear1, &QAction::triggered, this, &TForm1::ClearAllClick);
    connect(Clear2, &QAction::triggered, this, &TForm1::Clear2Click);
    connect(DefaultM, &QAction::triggered, this, &TForm1::DefaultMClick);
    connect(interfaceOptions, &QAction::triggered, this, &TForm1::interfaceOptionsClick);
    connect(Help2, &QAction::triggered, this, &TForm1::Help2Click);
    connect(PurgeClipboard1, &QAction::triggered, this, &TForm1::PurgeClipboard1Click);
    connect(HintHideP, &QAction::triggered, this, &TForm1::HintHidePClick);
    connect(About1, &QAction::triggered, this, &TForm1::About1Click);
    connect(Calculator1, &QAction::triggered, this, &TForm1::Calculator1Click);
    connect(RxSpeedButton2, &QToolButton::clicked, this, &TForm1::Calculator1Click);
    connect(Stop, &QPushButton::clicked, this, &TForm1::StopClick);

    // The Table's controls and the Table follow each other.
    connect(Rows, qOverload<int>(&QSpinBox::valueChanged), table_, &Table::setPairCount);
    connect(table_, &Table::pairCountChanged, Rows, &QSpinBox::setValue);
    connect(SpinEdit1, qOverload<int>(&QSpinBox::valueChanged), table_, &Table::setRowCount);
    connect(table_, &Table::rowCountChanged, SpinEdit1, &QSpinBox::setValue);
    connect(N_curve, &QLineEdit::textChanged, table_, &Table::setCurveText);
    connect(table_, &Table::curveTextChanged, this, [this](const QString& text) {
        if (N_curve->text() != text) N_curve->setText(text);
        Label4->setText(table_->curveLabel());
    });
    connect(table_, &Table::curveSwitched, this, &TForm1::releaseDigitizingTools);
    connect(table_, &Table::dataAvailable, this, [this] { setDataCommandsEnabled(true); });
    connect(CheckBoxCorrect, &QCheckBox::clicked, this, &TForm1::CheckBoxCorrectClick);
    connect(Bezier, &QCheckBox::clicked, this, &TForm1::BezierClick);
    connect(SpinEdit5, qOverload<int>(&QSpinBox::valueChanged), this, &TForm1::SpinEdit5Change);
    connect(Zoom, qOverload<int>(&QSpinBox::valueChanged), this,
            [this](int factor) { zoomFactor_ = factor; });

    // The image and its tools.
    connect(Image1, &ImageView::mousePressed, this, &TForm1::Image1MouseDown);
    connect(Image1, &ImageView::mouseMoved, this, &TForm1::Image1MouseMove);
    connect(Image1, &ImageView::mouseReleased, this, &TForm1::Image1MouseUp);
    for (QToolButton* b : {RectSelect, Points, SpeedButton11SA, SpeedButton112SA, Rotate, Pencil})
        connect(b, &QToolButton::toggled, this,
                [this, b](bool down) { toolButtonToggled(b, down); });
    connect(RectSelect, &QToolButton::clicked, this, &TForm1::RectSelectClick);
    connect(Points, &QToolButton::clicked, this, &TForm1::PointsClick);
    connect(SpeedButton112SA, &QToolButton::clicked, this, &TForm1::SpeedButton112SAClick);
    connect(SpeedButton11SA, &QToolButton::clicked, this, &TForm1::SpeedButton11SAClick);
    connect(BitBtn2, &QToolButton::clicked, this, &TForm1::BitBtn2Click);
    connect(SpinEdit3, qOverload<int>(&QSpinBox::valueChanged), this, &TForm1::SpinEdit3Change);
    connect(SpinEdit2, qOverload<int>(&QSpinBox::valueChanged), this, &TForm1::SpinEdit2Change);
    connect(StepValue, qOverload<int>(&QSpinBox::valueChanged), this, &TForm1::StepValueChange);
    connect(N32, &QCheckBox::clicked, this, &TForm1::N32Click);
    connect(N110, &QAction::triggered, this, &TForm1::N110Click);
    connect(cornerFields_[0], &QLineEdit::textChanged, this, &TForm1::refreshStepCaption);
    connect(cornerFields_[2], &QLineEdit::textChanged, this, &TForm1::refreshStepCaption);
    connect(N10Mark, &QAction::triggered, this, &TForm1::N10MarkClick);
    connect(RxSpeedButton1, &QToolButton::clicked, this, &TForm1::removeMarkers);
    for (QAction* a : {UndoPoint, UndoPoint1})
        connect(a, &QAction::triggered, this, &TForm1::UndoPointClick);
    for (QAction* a : {UndoAuto, UndoAutoP})
        connect(a, &QAction::triggered, this, &TForm1::UndoDigitizationClick);
    connect(Fixcoord, &QAction::triggered, this, [this] { FixCoordinates(false); });
    connect(MarkerClor, &QAction::triggered, this, &TForm1::MarkerClorClick);
    connect(N43, &QAction::triggered, this, &TForm1::N43Click);
    connect(ColorBtn, &QToolButton::clicked, this, &TForm1::N43Click);
    connect(Image3, &ColourSwatch::clicked, this, &TForm1::N43Click);

    // The view.
    connect(N37, &QAction::triggered, this, &TForm1::N37Click);
    connect(Auto1, &QAction::triggered, this, &TForm1::Auto1Click);
    connect(ComboBoxSize, qOverload<int>(&QComboBox::activated), this, &TForm1::ComboBoxSizeSelect);
    ComboBoxSize->lineEdit()->installEventFilter(this);
    connect(zoomDock_, &QDockWidget::topLevelChanged, this, [this](bool floating) {
        if (floating) showStatus(message(Msg::ZoomDragging));
    });
    connect(ShowZoom1, &QAction::triggered, this, &TForm1::ShowZoom1Click);
    connect(HideZoom1, &QAction::triggered, this, &TForm1::HideZoom1Click);
    connect(RxSpeedButton3, &QToolButton::clicked, this, [this] {
        if (zoomActive_)
            HideZoom1Click();
        else
            ShowZoom1Click();
    });
    connect(RsRulerH, &Ruler::doubleClicked, this, &TForm1::RsRulerCorner1DblClick);
    connect(RsRulerV, &Ruler::doubleClicked, this, &TForm1::RsRulerCorner1DblClick);
    RsRulerCorner1->installEventFilter(this);
    for (QLineEdit* f : cornerFields_)
        f->installEventFilter(this);

    // Text data files.
    connect(N49, &QAction::triggered, this, &TForm1::N49Click);
    connect(N50, &QAction::triggered, this, &TForm1::N50Click);
    for (QWidget* w : tableDataButtons_)
        if (w->objectName() == QLatin1String("SpeedButton16"))
            connect(static_cast<QToolButton*>(w), &QToolButton::clicked, this, &TForm1::N49Click);
    if (auto* importButton = ToolBar3->findChild<QToolButton*>(QStringLiteral("SpeedButton2")))
        connect(importButton, &QToolButton::clicked, this, &TForm1::N50Click);
    connect(PageControl1, &QTabWidget::currentChanged, this, [this](int index) {
        if (index != PageControl1->indexOf(TabSheet4))
            for (int i = 0; i < 4; ++i)
                panels_[static_cast<std::size_t>(i)]->clear();
    });
    // Idle update of the clipboard commands.
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this, &TForm1::ClipbrdUpdate);
}

} // namespace quorvex
