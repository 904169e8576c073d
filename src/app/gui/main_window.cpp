#include "app/gui/main_window.h"

#include "app/gui/application.h"
#include "components/image_view.h"
#include "components/widgets.h"
#include "grapher/gui/chart_view.h"
#include "image/view_scale.h"
#include "table/gui/table_grid_model.h"
#include "table/table.h"
#include "tools/gui/fix_coordinates_dialog.h"
#include "tools/gui/pencil_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace quorvex {

namespace {

QToolButton* toolButton(const char* name, Glyph glyph, const QString& hint,
                        bool checkable = false) {
    auto* b = named(new QToolButton, name);
    b->setIcon(glyphIcon(glyph));
    b->setToolTip(hint);
    b->setCheckable(checkable);
    b->setAutoRaise(true);
    return b;
}

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
    table_ = new Table(this);
    createToolBar();
    createPages();
    createStatusBar();
    createMenus();
    connectCommands();
    defineCommandRules();
    fixDialog_ = new FixCoordinatesDialog(this);
    pencilDialog_ = new PencilDialog(this);
    connect(pencilDialog_, &PencilDialog::colourRequested, this, &MainWindow::choosePencilColour);
    connect(pencilDialog_, &PencilDialog::pickToggled, this, [this](bool down) {
        mouseMode_ = down ? MouseMode::PickPencilColour : MouseMode::Pencil;
    });
    connect(pencilDialog_, &PencilDialog::activated, this, [this] {
        pencilTool_->setChecked(true);
        if (!pencilDialog_->picking()) mouseMode_ = MouseMode::Pencil;
    });
    connect(pencilDialog_, &PencilDialog::closed, this, [this] {
        pencilTool_->setChecked(false);
        mouseMode_ = MouseMode::Idle;
    });
    finishCreation();
}

MainWindow::~MainWindow() {
    Application::setErrorReporter(nullptr);
    qApp->removeEventFilter(this);
}

void MainWindow::createToolBar() {
    mainToolBar_ = named(new QToolBar(QStringLiteral("Main")), "ToolBar4");
    mainToolBar_->setMovable(false);
    addToolBar(Qt::TopToolBarArea, mainToolBar_);
    openButton_ = toolButton("SpeedButton6", Glyph::Open, QStringLiteral("Open Image file"));
    copyImageButton_ =
        toolButton("SpeedButton15", Glyph::Copy, QStringLiteral("Copy Image to Clipboard"));
    pasteImageButton_ =
        toolButton("SpeedButton12", Glyph::Paste, QStringLiteral("Paste Image from Clipboard"));
    calculatorButton_ =
        toolButton("RxSpeedButton2", Glyph::Calculator, QStringLiteral("Show calculator"));
    showGraphButton_ = named(new QPushButton(QStringLiteral("Y(X)")), "BitBtn1");
    showGraphButton_->setIcon(glyphIcon(Glyph::Graph));
    showGraphButton_->setToolTip(QStringLiteral("Display  Y(X) data from Table in Grapher"));
    stopButton_ = named(new QPushButton(QStringLiteral("Stop")), "Stop");
    stopButton_->setIcon(glyphIcon(Glyph::Stop));
    stopButton_->setToolTip(QStringLiteral("Stop a process"));
    stopButton_->setEnabled(false);
    curveColourSwatch_ = named(new ColourSwatch, "Image3");
    curveColourSwatch_->setToolTip(
        QStringLiteral("Curve color. Click button \"Define curve color\"\r\nfor do it (on the "
                       "Image). Or click here (or menu)\r\nto select color in the pallet."));
    curveSpinButton_ = named(new SpinButton, "RxSpinButton1");
    curveSpinButton_->setToolTip(QStringLiteral("Sets Table columns"));
    curveField_ = named(new QLineEdit(QStringLiteral("1")), "N_curve");
    curveField_->setToolTip(QStringLiteral("Curve's number: sets Table columns"));
    curveField_->setFixedWidth(36);
    formatButton_ =
        toolButton("RxSpeedButton6", Glyph::Format, QStringLiteral("Format of image map"));
    formatButton_->setPopupMode(QToolButton::InstantPopup);
    formatButton_->setEnabled(false);
    measureBox_ = named(new QComboBox, "ComboBoxSize");
    measureBox_->setEditable(true);
    for (int i = 0; i < kMeasureItems; ++i)
        measureBox_->addItem(measureItemText(i));
    measureBox_->setCurrentIndex(kRealSizeItem);
    measureBox_->setInsertPolicy(QComboBox::NoInsert);
    measureBox_->setToolTip(
        QStringLiteral("The measure of the Image map,\r\nby keyboard or select an item."));
    measureBox_->setEnabled(false);

    for (QWidget* w : std::initializer_list<QWidget*>{openButton_, copyImageButton_,
                                                      pasteImageButton_, calculatorButton_})
        mainToolBar_->addWidget(w);
    mainToolBar_->addSeparator();
    mainToolBar_->addWidget(showGraphButton_);
    mainToolBar_->addWidget(stopButton_);
    mainToolBar_->addSeparator();
    mainToolBar_->addWidget(curveColourSwatch_);
    mainToolBar_->addWidget(named(new QLabel(QStringLiteral(" curve No ")), "Label1"));
    mainToolBar_->addWidget(curveSpinButton_);
    mainToolBar_->addWidget(curveField_);
    mainToolBar_->addSeparator();
    mainToolBar_->addWidget(formatButton_);
    mainToolBar_->addWidget(measureBox_);
}

void MainWindow::createPages() {
    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    progressBar_ = named(new QProgressBar, "ProgressBar1");
    progressBar_->setTextVisible(false);
    progressBar_->setFixedHeight(0); // shown (10 pixels high) only during long operations
    layout->addWidget(progressBar_);
    pages_ = named(new QTabWidget, "PageControl1");
    digitizationPage_ = named(createDigitizationPage(), "TabSheet4");
    tablePage_ = named(createTablePage(), "TabSheet2");
    grapherPage_ = named(createGrapherPage(), "TabSheet1");
    pages_->addTab(digitizationPage_, QStringLiteral("Digitization"));
    pages_->addTab(tablePage_, QStringLiteral("Table"));
    pages_->addTab(grapherPage_, QStringLiteral("Grapher"));
    layout->addWidget(pages_);
    setCentralWidget(central);
}

QWidget* MainWindow::createDigitizationPage() {
    auto* page = new QWidget;
    auto* pageLayout = new QHBoxLayout(page);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    imageSplitter_ = redSplitter("RxSplitter1", Qt::Horizontal);
    pageLayout->addWidget(imageSplitter_);

    // Left: calibration panel, option pages, tools and the zoom panel.
    leftSplitter_ = redSplitter("RxSplitter2", Qt::Vertical);
    calibrationPanel_ = named(new QWidget, "Panel2");
    auto* grid = new QGridLayout(calibrationPanel_);
    const char* names[4] = {"Edit1", "Edit2", "Edit3", "Edit4"};
    const char* hints[4] = {"X of left bottom vertex of selected rectangle (in units of the graph)",
                            "Y of left bottom vertex of selected rectangle (in units of the graph)",
                            "X of right top vertex of selected rectangle (in units of the graph)",
                            "Y of right top  vertex of selected rectangle (in units of the graph)"};
    const char* labels[4] = {"X lb", "Y lb", "X rt", "Y rt"};
    for (int i = 0; i < 4; ++i) {
        cornerFields_[static_cast<std::size_t>(i)] =
            named(new QLineEdit(QStringLiteral("0")), names[i]);
        cornerFields_[static_cast<std::size_t>(i)]->setToolTip(QString::fromLatin1(hints[i]));
        cornerFields_[static_cast<std::size_t>(i)]->setEnabled(false);
        grid->addWidget(new QLabel(QString::fromLatin1(labels[i])), i / 2, (i % 2) * 2);
        grid->addWidget(cornerFields_[static_cast<std::size_t>(i)], i / 2, (i % 2) * 2 + 1);
    }
    xTransferBox_ = named(new QComboBox, "ComboBox2");
    xTransferBox_->addItems(
        {"X line", "X log10", "Log10(X)", "LnX", "Log2(X)", "expX", "1/X", "X^2", "SqrtX"});
    yTransferBox_ = named(new QComboBox, "ComboBox3");
    yTransferBox_->addItems(
        {"Y line", "Y log10", "Log10(Y)", "LnY", "Log2(Y)", "expY", "1/Y", "Y^2", "SqrtY"});
    grid->addWidget(xTransferBox_, 2, 1);
    grid->addWidget(yTransferBox_, 2, 3);
    selectAreaOnlyButton_ =
        toolButton("SelectOnly", Glyph::Rectangle,
                   QStringLiteral("Select only the area of automatic digitization"), true);
    selectAreaOnlyButton_->setEnabled(false);
    grid->addWidget(selectAreaOnlyButton_, 2, 0);

    optionPages_ = named(new QTabWidget, "PageControl2");
    generalOptions_ = named(new QWidget, "general");
    auto* generalLayout = new QGridLayout(generalOptions_);
    selfCorrectionBox_ = named(new QCheckBox(QStringLiteral("Self-correction")), "CheckBoxCorrect");
    selfCorrectionBox_->setToolTip(QStringLiteral("Searching of line and nidle of line"));
    correctionDepthBox_ = named(new QSpinBox, "Correct");
    correctionDepthBox_->setToolTip(
        QStringLiteral("The value of the self-correction (searching in Y)"));
    correctionDepthBox_->setRange(2, 30);
    correctionDepthBox_->setValue(15);
    markerSizeBox_ = named(new QSpinBox, "SpinEdit5");
    markerSizeBox_->setRange(1, 30);
    markerSizeBox_->setValue(3);
    generalLayout->addWidget(selfCorrectionBox_, 0, 0);
    generalLayout->addWidget(correctionDepthBox_, 0, 1);
    generalLayout->addWidget(new QLabel(QStringLiteral("Marker size")), 1, 0);
    generalLayout->addWidget(markerSizeBox_, 1, 1);
    autoOptions_ = named(new QWidget, "auto");
    auto* autoLayout = new QGridLayout(autoOptions_);
    stepButton_ = named(new QToolButton, "StepV");
    stepButton_->setText(QStringLiteral("step"));
    stepButton_->setPopupMode(QToolButton::InstantPopup);
    autoLayout->addWidget(stepButton_, 0, 0);
    stepButton_->setToolTip(
        QStringLiteral("Value of step on X in pixells\r\nor graph units (click)"));
    firstRowBox_ = named(new QSpinBox, "SpinEdit3");
    firstRowBox_->setRange(1, 100000);
    firstRowBox_->setValue(1);
    firstRowBox_->setToolTip(QStringLiteral("The first row in Table"));
    lastRowBox_ = named(new QSpinBox, "SpinEdit2");
    lastRowBox_->setRange(1, 100000);
    lastRowBox_->setValue(800);
    lastRowBox_->setToolTip(QStringLiteral("The last row in Table"));
    stepBox_ = named(new QSpinBox, "StepValue");
    stepBox_->setRange(1, 500);
    stepBox_->setValue(1);
    stepBox_->setToolTip(QStringLiteral("Value of step on X in pixells"));
    indentBox_ = named(new QSpinBox, "Border");
    indentBox_->setRange(0, 30);
    indentBox_->setToolTip(
        QStringLiteral("That in outcome of digitization the frame (of the axis) has not got"));
    autoLayout->addWidget(stepBox_, 0, 1);
    autoLayout->addWidget(new QLabel(QStringLiteral("from")), 1, 0);
    autoLayout->addWidget(firstRowBox_, 1, 1);
    autoLayout->addWidget(new QLabel(QStringLiteral("to")), 2, 0);
    autoLayout->addWidget(lastRowBox_, 2, 1);
    autoLayout->addWidget(new QLabel(QStringLiteral("Indent:")), 3, 0);
    autoLayout->addWidget(indentBox_, 3, 1);
    extraOptions_ = named(new QWidget, "AutoSemi");
    auto* extraLayout = new QGridLayout(extraOptions_);
    polyBezierBox_ = named(new QCheckBox(QStringLiteral("Poly Bezier for manual")), "Bezier");
    polyBezierBox_->setToolTip(
        QStringLiteral("Interpolation for manual input, then use automatic digitization"));
    oneValuedBox_ = named(new QCheckBox(QStringLiteral("One-valuedness")), "N32");
    oneValuedBox_->setChecked(true);
    thicknessBox_ = named(new QSpinBox, "SpinEdit4");
    thicknessBox_->setRange(1, 99);
    thicknessBox_->setValue(2);
    thicknessBox_->setToolTip(QStringLiteral("Curve thickness"));
    searchIntervalBox_ = named(new QDoubleSpinBox, "SearchInterval");
    searchIntervalBox_->setRange(0.1, 4.0);
    searchIntervalBox_->setSingleStep(0.1);
    searchIntervalBox_->setDecimals(1);
    searchIntervalBox_->setValue(1.0);
    searchIntervalBox_->setToolTip(
        QStringLiteral("Search interval between points = this_value*marker_size"));
    extraLayout->addWidget(new QLabel(QStringLiteral("Search interval")), 2, 0);
    extraLayout->addWidget(searchIntervalBox_, 2, 1);
    extraLayout->addWidget(polyBezierBox_, 0, 0, 1, 2);
    extraLayout->addWidget(oneValuedBox_, 1, 0);
    extraLayout->addWidget(thicknessBox_, 1, 1);
    optionPages_->addTab(generalOptions_, QStringLiteral("general"));
    optionPages_->addTab(autoOptions_, QStringLiteral("auto"));
    optionPages_->addTab(extraOptions_, QStringLiteral("extra"));

    toolsBar_ = named(new QToolBar, "SpeedBar1");
    rectangleTool_ = toolButton(
        "RectSelect", Glyph::Rectangle,
        QStringLiteral(
            "Fix coordinates:\r\nselect a rectangle by mouse and input\r\ncoordinates "
            "of left-bottom and right-top\r\ncorners of this rectangle in red input-fields"),
        true);
    colourPickTool_ = toolButton("Points", Glyph::Colour,
                                 QStringLiteral("Define \"Curve color\" on the image"), true);
    autoDigitizeButton_ =
        toolButton("BitBtn2", Glyph::Points,
                   QStringLiteral("Automatic digitization in defined rectangular area..."));
    searchTool_ = toolButton(
        "SpeedButton11SA", Glyph::Search,
        QStringLiteral(
            "Search in area: push left button of mouse\r\nand move the cursor along a curve"),
        true);
    manualInputTool_ = toolButton(
        "SpeedButton112SA", Glyph::Manual,
        QStringLiteral("Manual input: click on the Image in desired point,\r\nis better with "
                       "checked Self-correction,\r\nin order to undo the last input then "
                       "click\r\nof left mouse on the Image"),
        true);
    removeMarkersButton_ =
        toolButton("RxSpeedButton1", Glyph::Markers, QStringLiteral("Remove red markers"));
    curveColourButton_ =
        toolButton("ColorBtn", Glyph::Colour, QStringLiteral("Select curve colour from pallet..."));
    rotateTool_ = toolButton(
        "Rotate", Glyph::Rotate,
        QStringLiteral("Rotate: paint the line which will have to be horizontal after rotation"),
        true);
    pencilTool_ = toolButton("Pencil", Glyph::Pencil, QStringLiteral("Pencil (or eraser)"), true);
    for (QToolButton* b :
         {rectangleTool_, colourPickTool_, autoDigitizeButton_, searchTool_, manualInputTool_,
          removeMarkersButton_, curveColourButton_, rotateTool_, pencilTool_}) {
        QAction* place = toolsBar_->addWidget(b);
        // Marker removal and the palette button are hidden by default: the "Markers" question
        // and the swatch do the same. A tool bar shows or hides a widget through its action.
        if (b == removeMarkersButton_ || b == curveColourButton_) place->setVisible(false);
    }
    for (QToolButton* b : {rectangleTool_, colourPickTool_, autoDigitizeButton_, searchTool_,
                           manualInputTool_, rotateTool_, pencilTool_})
        b->setEnabled(false);

    auto* upper = new QWidget;
    auto* upperLayout = new QVBoxLayout(upper);
    upperLayout->setContentsMargins(2, 2, 2, 2);
    upperLayout->addWidget(calibrationPanel_);
    upperLayout->addWidget(optionPages_);
    upperLayout->addWidget(toolsBar_);
    upperLayout->addStretch();
    zoomPanel_ = named(new QWidget, "Panel8");
    zoomPanel_->setToolTip(QStringLiteral("Zoom container"));
    auto* zoomLayout = new QGridLayout(zoomPanel_);
    zoomLayout->setContentsMargins(2, 2, 2, 2);
    zoomToggleButton_ =
        toolButton("RxSpeedButton3", Glyph::Search, QStringLiteral("Show/hide Zoom"));
    zoomFactorBox_ = named(new QSpinBox, "Zoom");
    zoomFactorBox_->setRange(2, 10);
    zoomFactorBox_->setSingleStep(2);
    zoomFactorBox_->setValue(2);
    zoomFactorBox_->setToolTip(QStringLiteral("Zoom factor"));
    zoomPicture_ = named(new QLabel, "Image2");
    zoomPicture_->setFixedSize(174, 174);
    zoomPicture_->setFrameShape(QFrame::NoFrame);
    zoomPicture_->setToolTip(QStringLiteral("Drag witih mouse"));
    // The zoom image can be dragged out of its container and docked back.
    zoomDock_ = named(new QDockWidget(QStringLiteral("Zoom")), "ZoomDock");
    zoomDock_->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    zoomDock_->setWidget(zoomPicture_);
    zoomLayout->addWidget(zoomToggleButton_, 0, 0);
    zoomLayout->addWidget(zoomFactorBox_, 0, 1);
    zoomLayout->addWidget(zoomDock_, 1, 0, 1, 3);
    zoomLayout->setColumnStretch(2, 1);
    // The button stays where it is when the picture is hidden, so a second press finds it.
    zoomLayout->setRowStretch(2, 1);
    leftSplitter_->addWidget(upper);
    leftSplitter_->addWidget(zoomPanel_);
    imageSplitter_->addWidget(leftSplitter_);

    // Right: the image with its rulers in the scroll box.
    imageScrollArea_ = named(new QScrollArea, "ScrollBox1");
    auto* canvas = new QWidget;
    auto* canvasLayout = new QGridLayout(canvas);
    canvasLayout->setContentsMargins(0, 0, 0, 0);
    canvasLayout->setSpacing(0);
    rulerCorner_ = named(new QWidget, "RsRulerCorner1");
    rulerCorner_->setToolTip(QStringLiteral("pixel"));
    rulerCorner_->setFixedSize(25, 25);
    horizontalRuler_ = named(new Ruler(Qt::Horizontal), "RsRulerH");
    horizontalRuler_->setFixedHeight(25);
    verticalRuler_ = named(new Ruler(Qt::Vertical), "RsRulerV");
    verticalRuler_->setFixedWidth(25);
    imageView_ = named(new ImageView, "Image1");
    imageView_->setEnabled(false);
    canvasLayout->addWidget(rulerCorner_, 0, 0);
    canvasLayout->addWidget(horizontalRuler_, 0, 1);
    canvasLayout->addWidget(verticalRuler_, 1, 0);
    canvasLayout->addWidget(imageView_, 1, 1, Qt::AlignLeft | Qt::AlignTop);
    canvasLayout->setColumnStretch(2, 1);
    canvasLayout->setRowStretch(2, 1);
    imageScrollArea_->setWidget(canvas);
    imageScrollArea_->setWidgetResizable(true);
    imageScrollArea_->horizontalScrollBar()->setSingleStep(54);
    imageScrollArea_->verticalScrollBar()->setSingleStep(41);
    imageSplitter_->addWidget(imageScrollArea_);
    imageSplitter_->setStretchFactor(1, 1);
    return page;
}

QWidget* MainWindow::createTablePage() {
    auto* page = new QWidget;
    auto* pageLayout = new QVBoxLayout(page);
    tableGroup_ =
        named(new QGroupBox(QStringLiteral("Drag-and-dock with mouse here")), "GroupBox1");
    auto* boxLayout = new QVBoxLayout(tableGroup_);
    tableToolBar_ = named(new QToolBar, "ToolBar3");
    auto add = [this](const char* name, Glyph glyph, const char* hint) {
        QToolButton* b = toolButton(name, glyph, QString::fromLatin1(hint));
        tableToolBar_->addWidget(b);
        return b;
    };
    saveTableButton_ = add("SpeedButton16", Glyph::Save, "Save Table as text file");
    importButton_ = add("SpeedButton2", Glyph::Import,
                        "Import data from text file to Table.\r\nDelimiter must be TAB!");
    copyRangeButton_ = add("PasteButton", Glyph::Copy, "Copy to Clipboard...");
    spreadsheetButton_ = add("Excel2", Glyph::Spreadsheet, "Insert Table data into MS Excel");
    dataFormatButton_ = add("RxSpeedButton4", Glyph::DataFormat, "Data format...");
    calculateButton_ = add("SpeedButton1", Glyph::Calculate, "Calculate...");
    replaceButton_ = add("Repl", Glyph::Replace, "Replace...");
    sortButton_ = add("SpeedButton12Sort", Glyph::Sort, "Sorting on X");
    deleteRowsButton_ = add("SpeedButton13", Glyph::Delete, "Delete Rows...");
    redigitizeButton_ = add("Resc", Glyph::Rescale, "Re-digitize data in XY...");
    clearTableButton_ = add("ClTabl", Glyph::Clear, "Clear");
    clearTableButton_->setPopupMode(QToolButton::InstantPopup);
    tableToolBar_->addSeparator();
    tableToolBar_->addWidget(new QLabel(QStringLiteral(" Pairs ")));
    pairCountBox_ = named(new QSpinBox, "Rows");
    pairCountBox_->setRange(1, Table::kMaxPairs);
    pairCountBox_->setToolTip(QStringLiteral("Count of X-Y columns"));
    tableToolBar_->addWidget(pairCountBox_);
    tableToolBar_->addWidget(new QLabel(QStringLiteral(" Rows ")));
    rowCountBox_ = named(new QSpinBox, "SpinEdit1");
    rowCountBox_->setRange(1, Table::kMaxRows);
    rowCountBox_->setValue(Table::kStartRows);
    rowCountBox_->setToolTip(QStringLiteral("Row count"));
    tableToolBar_->addWidget(rowCountBox_);
    curveLabel_ = named(new QLabel(QStringLiteral("No1")), "Label4");
    tableToolBar_->addWidget(curveLabel_);

    tableView_ = named(new QTableView, "Tabl");
    tableModel_ = new TableGridModel(table_, this);
    tableView_->setModel(tableModel_);
    tableView_->verticalHeader()->setDefaultSectionSize(24);
    tableView_->verticalHeader()->setFixedWidth(42);
    tableView_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    tableView_->horizontalHeader()->setDefaultSectionSize(48);
    tableView_->setColumnWidth(0, 166);
    tableView_->setColumnWidth(1, 182);
    tableView_->setSelectionMode(QAbstractItemView::ContiguousSelection);
    tableView_->setEditTriggers(QAbstractItemView::DoubleClicked |
                                QAbstractItemView::EditKeyPressed |
                                QAbstractItemView::AnyKeyPressed);
    boxLayout->addWidget(tableToolBar_);
    boxLayout->addWidget(tableView_);
    pageLayout->addWidget(tableGroup_);
    return page;
}

QWidget* MainWindow::createGrapherPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* toolBar = named(new QToolBar, "ToolBar1");
    auto add = [&](const char* name, Glyph glyph, const QString& hint, bool checkable = false) {
        QToolButton* b = toolButton(name, glyph, hint, checkable);
        toolBar->addWidget(b);
        return b;
    };
    saveGraphButton_ = add("SpeedButton17", Glyph::Save, QStringLiteral("Save graph from Grapher"));
    grapherOptionsButton_ = add("RxSpeedButton5", Glyph::Options, QStringLiteral("Options"));
    grapherOptionsButton_->setPopupMode(QToolButton::InstantPopup);
    toolBar->addSeparator();
    printTextBox_ = named(new QCheckBox, "CheckBoxTextOut");
    printTextBox_->setToolTip(QStringLiteral("Include right text in printing"));
    printTextField_ = named(new QLineEdit(QStringLiteral("Y(X)")), "Edit5");
    printTextField_->setToolTip(QStringLiteral("Text for printing"));
    printTextField_->setEnabled(false);
    printTextField_->setMaximumWidth(160);
    toolBar->addWidget(printTextBox_);
    toolBar->addWidget(printTextField_);
    toolBar->addSeparator();
    removePointsButton_ = add("RemoveSeries", Glyph::Delete,
                              QStringLiteral("Value of the points with MouseClick (look StatusBar "
                                             "below),\r\nif press down the button then it will be "
                                             "deleted the point and its value in Table"),
                              true);
    movePointsButton_ = add("RxSpeedButton7", Glyph::Points,
                            QStringLiteral("Moving bad points with mouse.\r\nExecute the sorting "
                                           "of Table later."),
                            true);
    printGraphButton_ = add("ChartPrint", Glyph::Print, QStringLiteral("Print"));
    clearGraphButton_ = add("SpeedButton3", Glyph::Clear, QStringLiteral("Clear"));
    chartBackgroundButton_ =
        add("Chart_bg", Glyph::Open,
            QStringLiteral("If button down then Background - the image of graph,\r\nif up - no "
                           "background."),
            true);
    seriesColourSwatch_ = named(new ColourSwatch, "SeriesColor");
    seriesColourSwatch_->setColour(kRed);
    seriesColourSwatch_->setToolTip(QStringLiteral("Define here color of series Y(X)"));
    toolBar->addWidget(seriesColourSwatch_);
    chart_ = named(new ChartView, "Chart1");
    layout->addWidget(toolBar);
    layout->addWidget(chart_, 1);
    return page;
}

void MainWindow::createStatusBar() {
    auto* bar = named(new QStatusBar, "StatusBar");
    const int widths[5] = {70, 100, 100, 100, 50};
    for (int i = 0; i < 5; ++i) {
        auto* panel = new QLabel;
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        panel->setFrameShape(QFrame::Panel);
        panel->setFrameShadow(QFrame::Sunken);
        panels_[static_cast<std::size_t>(i)] = panel;
        if (i < 4) {
            panel->setFixedWidth(widths[i]);
            bar->addWidget(panel);
        } else {
            panel->setMinimumWidth(widths[i]);
            bar->addWidget(panel, 1);
        }
    }
    setStatusBar(bar);
}

void MainWindow::showStatus(const QString& text) {
    panels_[4]->setText(text);
}

QString MainWindow::statusText(int panel) const {
    return panel >= 0 && panel < 5 ? panels_[static_cast<std::size_t>(panel)]->text() : QString();
}

void MainWindow::setPanelWidths(int p0, int p1, int p2, int p3) {
    const int widths[4] = {p0, p1, p2, p3};
    for (int i = 0; i < 4; ++i)
        panels_[static_cast<std::size_t>(i)]->setFixedWidth(widths[i]);
}

} // namespace quorvex
