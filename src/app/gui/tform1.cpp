#include "app/gui/tform1.h"

#include "components/image_view.h"
#include "components/widgets.h"
#include "image/view_scale.h"
#include "table/gui/table_grid_model.h"
#include "table/table.h"
#include "tools/gui/fix_coordinates_dialog.h"

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

template <typename W> W* named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

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

TForm1::TForm1(std::unique_ptr<Prompter> prompter, const QString& programPath, QWidget* parent)
    : QMainWindow(parent), prompter_(std::move(prompter)), programPath_(programPath),
      ini_(iniFilePath(programPath)), cfgPath_(digitizeCfgPath(programPath)) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(bareCaption());
    table_ = new Table(this);
    createToolBar();
    createPages();
    createStatusBar();
    createMenus();
    connectCommands();
    fixDialog_ = new TRectangleSize(this);
    FormCreate();
}

TForm1::~TForm1() {
    qApp->removeEventFilter(this);
}

void TForm1::createToolBar() {
    ToolBar4 = named(new QToolBar(QStringLiteral("Main")), "ToolBar4");
    ToolBar4->setMovable(false);
    addToolBar(Qt::TopToolBarArea, ToolBar4);
    SpeedButton6 = toolButton("SpeedButton6", Glyph::Open, QStringLiteral("Open Image file"));
    SpeedButton15 =
        toolButton("SpeedButton15", Glyph::Copy, QStringLiteral("Copy Image to Clipboard"));
    SpeedButton12 =
        toolButton("SpeedButton12", Glyph::Paste, QStringLiteral("Paste Image from Clipboard"));
    RxSpeedButton2 =
        toolButton("RxSpeedButton2", Glyph::Calculator, QStringLiteral("Show calculator"));
    BitBtn1 = named(new QPushButton(QStringLiteral("Y(X)")), "BitBtn1");
    BitBtn1->setIcon(glyphIcon(Glyph::Graph));
    BitBtn1->setToolTip(QStringLiteral("Display  Y(X) data from Table in Grapher"));
    Stop = named(new QPushButton(QStringLiteral("Stop")), "Stop");
    Stop->setIcon(glyphIcon(Glyph::Stop));
    Stop->setToolTip(QStringLiteral("Stop a process"));
    Stop->setEnabled(false);
    Image3 = named(new ColourSwatch, "Image3");
    Image3->setToolTip(QStringLiteral("Select curve colour from pallet..."));
    RxSpinButton1 = named(new SpinButton, "RxSpinButton1");
    RxSpinButton1->setToolTip(QStringLiteral("Sets Table columns"));
    N_curve = named(new QLineEdit(QStringLiteral("1")), "N_curve");
    N_curve->setToolTip(QStringLiteral("Curve's number: sets Table columns"));
    N_curve->setFixedWidth(36);
    RxSpeedButton6 =
        toolButton("RxSpeedButton6", Glyph::Format, QStringLiteral("Format of image map"));
    RxSpeedButton6->setPopupMode(QToolButton::InstantPopup);
    RxSpeedButton6->setEnabled(false);
    ComboBoxSize = named(new QComboBox, "ComboBoxSize");
    ComboBoxSize->setEditable(true);
    for (int i = 0; i < kMeasureItems; ++i)
        ComboBoxSize->addItem(measureItemText(i));
    ComboBoxSize->setCurrentIndex(kRealSizeItem);
    ComboBoxSize->setInsertPolicy(QComboBox::NoInsert);
    ComboBoxSize->setToolTip(
        QStringLiteral("The measure of the Image map,\r\nby keyboard or select an item."));
    ComboBoxSize->setEnabled(false);

    for (QWidget* w : std::initializer_list<QWidget*>{SpeedButton6, SpeedButton15, SpeedButton12,
                                                      RxSpeedButton2})
        ToolBar4->addWidget(w);
    ToolBar4->addSeparator();
    ToolBar4->addWidget(BitBtn1);
    ToolBar4->addWidget(Stop);
    ToolBar4->addSeparator();
    ToolBar4->addWidget(Image3);
    ToolBar4->addWidget(named(new QLabel(QStringLiteral(" curve No ")), "Label1"));
    ToolBar4->addWidget(RxSpinButton1);
    ToolBar4->addWidget(N_curve);
    ToolBar4->addSeparator();
    ToolBar4->addWidget(RxSpeedButton6);
    ToolBar4->addWidget(ComboBoxSize);
}

void TForm1::createPages() {
    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    ProgressBar1 = named(new QProgressBar, "ProgressBar1");
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setFixedHeight(0); // shown (10 pixels high) only during long operations
    layout->addWidget(ProgressBar1);
    PageControl1 = named(new QTabWidget, "PageControl1");
    TabSheet4 = named(createDigitizationPage(), "TabSheet4");
    TabSheet2 = named(createTablePage(), "TabSheet2");
    TabSheet1 = named(createGrapherPage(), "TabSheet1");
    PageControl1->addTab(TabSheet4, QStringLiteral("Digitization"));
    PageControl1->addTab(TabSheet2, QStringLiteral("Table"));
    PageControl1->addTab(TabSheet1, QStringLiteral("Grapher"));
    layout->addWidget(PageControl1);
    setCentralWidget(central);
}

QWidget* TForm1::createDigitizationPage() {
    auto* page = new QWidget;
    auto* pageLayout = new QHBoxLayout(page);
    pageLayout->setContentsMargins(0, 0, 0, 0);
    RxSplitter1 = redSplitter("RxSplitter1", Qt::Horizontal);
    pageLayout->addWidget(RxSplitter1);

    // Left: calibration panel, option pages, tools and the zoom panel.
    RxSplitter2 = redSplitter("RxSplitter2", Qt::Vertical);
    Panel2 = named(new QWidget, "Panel2");
    auto* grid = new QGridLayout(Panel2);
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
    ComboBox2 = named(new QComboBox, "ComboBox2");
    ComboBox2->addItems(
        {"X line", "X log10", "Log10(X)", "LnX", "Log2(X)", "expX", "1/X", "X^2", "SqrtX"});
    ComboBox3 = named(new QComboBox, "ComboBox3");
    ComboBox3->addItems(
        {"Y line", "Y log10", "Log10(Y)", "LnY", "Log2(Y)", "expY", "1/Y", "Y^2", "SqrtY"});
    grid->addWidget(ComboBox2, 2, 1);
    grid->addWidget(ComboBox3, 2, 3);
    SelectOnly = toolButton("SelectOnly", Glyph::Rectangle,
                            QStringLiteral("Select only the area of automatic digitization"), true);
    SelectOnly->setEnabled(false);
    grid->addWidget(SelectOnly, 2, 0);

    PageControl2 = named(new QTabWidget, "PageControl2");
    auto* general = named(new QWidget, "general");
    auto* generalLayout = new QGridLayout(general);
    CheckBoxCorrect = named(new QCheckBox(QStringLiteral("Self-correction")), "CheckBoxCorrect");
    CheckBoxCorrect->setToolTip(QStringLiteral("Searching of line and nidle of line"));
    Correct = named(new QSpinBox, "Correct");
    Correct->setToolTip(QStringLiteral("The value of the self-correction (searching in Y)"));
    Correct->setRange(2, 30);
    Correct->setValue(15);
    SpinEdit5 = named(new QSpinBox, "SpinEdit5");
    SpinEdit5->setRange(1, 30);
    SpinEdit5->setValue(3);
    generalLayout->addWidget(CheckBoxCorrect, 0, 0);
    generalLayout->addWidget(Correct, 0, 1);
    generalLayout->addWidget(new QLabel(QStringLiteral("Marker size")), 1, 0);
    generalLayout->addWidget(SpinEdit5, 1, 1);
    auto* autoPage = named(new QWidget, "auto");
    auto* autoLayout = new QGridLayout(autoPage);
    StepV = named(new QToolButton, "StepV");
    StepV->setText(QStringLiteral("step"));
    StepV->setPopupMode(QToolButton::InstantPopup);
    autoLayout->addWidget(StepV, 0, 0);
    StepV->setToolTip(QStringLiteral("Value of step on X in pixells\r\nor graph units (click)"));
    SpinEdit3 = named(new QSpinBox, "SpinEdit3");
    SpinEdit3->setRange(1, 100000);
    SpinEdit3->setValue(1);
    SpinEdit3->setToolTip(QStringLiteral("The first row in Table"));
    SpinEdit2 = named(new QSpinBox, "SpinEdit2");
    SpinEdit2->setRange(1, 100000);
    SpinEdit2->setValue(800);
    SpinEdit2->setToolTip(QStringLiteral("The last row in Table"));
    StepValue = named(new QSpinBox, "StepValue");
    StepValue->setRange(1, 500);
    StepValue->setValue(1);
    StepValue->setToolTip(QStringLiteral("Value of step on X in pixells"));
    Border = named(new QSpinBox, "Border");
    Border->setRange(0, 30);
    Border->setToolTip(
        QStringLiteral("That in outcome of digitization the frame (of the axis) has not got"));
    autoLayout->addWidget(StepValue, 0, 1);
    autoLayout->addWidget(new QLabel(QStringLiteral("from")), 1, 0);
    autoLayout->addWidget(SpinEdit3, 1, 1);
    autoLayout->addWidget(new QLabel(QStringLiteral("to")), 2, 0);
    autoLayout->addWidget(SpinEdit2, 2, 1);
    autoLayout->addWidget(new QLabel(QStringLiteral("Indent:")), 3, 0);
    autoLayout->addWidget(Border, 3, 1);
    auto* extra = named(new QWidget, "AutoSemi");
    auto* extraLayout = new QGridLayout(extra);
    Bezier = named(new QCheckBox(QStringLiteral("Poly Bezier for manual")), "Bezier");
    N32 = named(new QCheckBox(QStringLiteral("One-valuedness")), "N32");
    N32->setChecked(true);
    SpinEdit4 = named(new QSpinBox, "SpinEdit4");
    SpinEdit4->setRange(1, 99);
    SpinEdit4->setValue(2);
    SpinEdit4->setToolTip(QStringLiteral("Curve thickness"));
    SearchInterval = named(new QDoubleSpinBox, "SearchInterval");
    SearchInterval->setRange(0.1, 4.0);
    SearchInterval->setSingleStep(0.1);
    SearchInterval->setDecimals(1);
    SearchInterval->setValue(1.0);
    SearchInterval->setToolTip(
        QStringLiteral("Search interval between points = this_value*marker_size"));
    extraLayout->addWidget(new QLabel(QStringLiteral("Search interval")), 2, 0);
    extraLayout->addWidget(SearchInterval, 2, 1);
    extraLayout->addWidget(Bezier, 0, 0, 1, 2);
    extraLayout->addWidget(N32, 1, 0);
    extraLayout->addWidget(SpinEdit4, 1, 1);
    PageControl2->addTab(general, QStringLiteral("general"));
    PageControl2->addTab(autoPage, QStringLiteral("auto"));
    PageControl2->addTab(extra, QStringLiteral("extra"));

    SpeedBar1 = named(new QToolBar, "SpeedBar1");
    RectSelect = toolButton(
        "RectSelect", Glyph::Rectangle,
        QStringLiteral(
            "Fix coordinates:\r\nselect a rectangle by mouse and input\r\ncoordinates "
            "of left-bottom and right-top\r\ncorners of this rectangle in red input-fields"),
        true);
    Points = toolButton("Points", Glyph::Colour,
                        QStringLiteral("Select the curve colour on the image"), true);
    BitBtn2 = toolButton("BitBtn2", Glyph::Points,
                         QStringLiteral("Automatic digitization in defined rectangular area..."));
    SpeedButton11SA = toolButton(
        "SpeedButton11SA", Glyph::Search,
        QStringLiteral(
            "Search in area: push left button of mouse\r\nand move the cursor along a curve"),
        true);
    SpeedButton112SA = toolButton(
        "SpeedButton112SA", Glyph::Manual,
        QStringLiteral("Manual input: click on the Image in desired point,\r\nis better with "
                       "checked Self-correction,\r\nin order to undo the last input then "
                       "click\r\nof left mouse on the Image"),
        true);
    RxSpeedButton1 =
        toolButton("RxSpeedButton1", Glyph::Markers, QStringLiteral("Remove red markers"));
    RxSpeedButton1->setVisible(false);
    ColorBtn =
        toolButton("ColorBtn", Glyph::Colour, QStringLiteral("Select curve colour from pallet..."));
    Rotate = toolButton("Rotate", Glyph::Rotate,
                        QStringLiteral("Rotate the image along a drawn line"), true);
    Pencil = toolButton("Pencil", Glyph::Pencil, QStringLiteral("Pencil"), true);
    for (QToolButton* b : {RectSelect, Points, BitBtn2, SpeedButton11SA, SpeedButton112SA,
                           RxSpeedButton1, ColorBtn, Rotate, Pencil})
        SpeedBar1->addWidget(b);
    for (QToolButton* b :
         {RectSelect, Points, BitBtn2, SpeedButton11SA, SpeedButton112SA, Rotate, Pencil})
        b->setEnabled(false);

    auto* upper = new QWidget;
    auto* upperLayout = new QVBoxLayout(upper);
    upperLayout->setContentsMargins(2, 2, 2, 2);
    upperLayout->addWidget(Panel2);
    upperLayout->addWidget(PageControl2);
    upperLayout->addWidget(SpeedBar1);
    upperLayout->addStretch();
    Panel8 = named(new QWidget, "Panel8");
    Panel8->setToolTip(QStringLiteral("Zoom container"));
    auto* zoomLayout = new QGridLayout(Panel8);
    zoomLayout->setContentsMargins(2, 2, 2, 2);
    RxSpeedButton3 = toolButton("RxSpeedButton3", Glyph::Search, QStringLiteral("Show/hide Zoom"));
    Zoom = named(new QSpinBox, "Zoom");
    Zoom->setRange(2, 10);
    Zoom->setSingleStep(2);
    Zoom->setValue(2);
    Zoom->setToolTip(QStringLiteral("Zoom factor"));
    Image2 = named(new QLabel, "Image2");
    Image2->setFixedSize(174, 174);
    Image2->setFrameShape(QFrame::NoFrame);
    Image2->setToolTip(QStringLiteral("Drag witih mouse"));
    // The zoom image can be dragged out of its container and docked back.
    zoomDock_ = named(new QDockWidget(QStringLiteral("Zoom")), "ZoomDock");
    zoomDock_->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    zoomDock_->setWidget(Image2);
    zoomLayout->addWidget(RxSpeedButton3, 0, 0);
    zoomLayout->addWidget(Zoom, 0, 1);
    zoomLayout->addWidget(zoomDock_, 1, 0, 1, 3);
    zoomLayout->setColumnStretch(2, 1);
    RxSplitter2->addWidget(upper);
    RxSplitter2->addWidget(Panel8);
    RxSplitter1->addWidget(RxSplitter2);

    // Right: the image with its rulers in the scroll box.
    ScrollBox1 = named(new QScrollArea, "ScrollBox1");
    auto* canvas = new QWidget;
    auto* canvasLayout = new QGridLayout(canvas);
    canvasLayout->setContentsMargins(0, 0, 0, 0);
    canvasLayout->setSpacing(0);
    RsRulerCorner1 = named(new QWidget, "RsRulerCorner1");
    RsRulerCorner1->setToolTip(QStringLiteral("pixel"));
    RsRulerCorner1->setFixedSize(25, 25);
    RsRulerH = named(new Ruler(Qt::Horizontal), "RsRulerH");
    RsRulerH->setFixedHeight(25);
    RsRulerV = named(new Ruler(Qt::Vertical), "RsRulerV");
    RsRulerV->setFixedWidth(25);
    Image1 = named(new ImageView, "Image1");
    Image1->setEnabled(false);
    canvasLayout->addWidget(RsRulerCorner1, 0, 0);
    canvasLayout->addWidget(RsRulerH, 0, 1);
    canvasLayout->addWidget(RsRulerV, 1, 0);
    canvasLayout->addWidget(Image1, 1, 1, Qt::AlignLeft | Qt::AlignTop);
    canvasLayout->setColumnStretch(2, 1);
    canvasLayout->setRowStretch(2, 1);
    ScrollBox1->setWidget(canvas);
    ScrollBox1->setWidgetResizable(true);
    ScrollBox1->horizontalScrollBar()->setSingleStep(54);
    ScrollBox1->verticalScrollBar()->setSingleStep(41);
    RxSplitter1->addWidget(ScrollBox1);
    RxSplitter1->setStretchFactor(1, 1);
    return page;
}

QWidget* TForm1::createTablePage() {
    auto* page = new QWidget;
    auto* pageLayout = new QVBoxLayout(page);
    GroupBox1 = named(new QGroupBox(QStringLiteral("Drag-and-dock with mouse here")), "GroupBox1");
    auto* boxLayout = new QVBoxLayout(GroupBox1);
    ToolBar3 = named(new QToolBar, "ToolBar3");
    auto add = [this](const char* name, Glyph glyph, const char* hint) {
        QToolButton* b = toolButton(name, glyph, QString::fromLatin1(hint));
        ToolBar3->addWidget(b);
        return b;
    };
    tableDataButtons_ = {
        add("SpeedButton16", Glyph::Save, "Save Table as text file"),
    };
    add("SpeedButton2", Glyph::Import, "Open data file to Table");
    tableDataButtons_.push_back(add("PasteButton", Glyph::Copy, "Copy to Clipboard..."));
    tableDataButtons_.push_back(
        add("Excel2", Glyph::Spreadsheet, "Insert Table data into MS Excel"));
    tableDataButtons_.push_back(add("RxSpeedButton4", Glyph::DataFormat, "Data format..."));
    tableDataButtons_.push_back(add("SpeedButton1", Glyph::Calculate, "Calculate..."));
    tableDataButtons_.push_back(add("Repl", Glyph::Replace, "Replace..."));
    tableDataButtons_.push_back(add("SpeedButton12Sort", Glyph::Sort, "Sorting on X"));
    tableDataButtons_.push_back(add("SpeedButton13", Glyph::Delete, "Delete Rows..."));
    tableDataButtons_.push_back(add("Resc", Glyph::Rescale, "Re-digitize data in XY..."));
    ClTabl = add("ClTabl", Glyph::Clear, "Clear");
    ClTabl->setPopupMode(QToolButton::InstantPopup);
    tableDataButtons_.push_back(ClTabl);
    ToolBar3->addSeparator();
    ToolBar3->addWidget(new QLabel(QStringLiteral(" Pairs ")));
    Rows = named(new QSpinBox, "Rows");
    Rows->setRange(1, Table::kMaxPairs);
    Rows->setToolTip(QStringLiteral("Count of X-Y columns"));
    ToolBar3->addWidget(Rows);
    ToolBar3->addWidget(new QLabel(QStringLiteral(" Rows ")));
    SpinEdit1 = named(new QSpinBox, "SpinEdit1");
    SpinEdit1->setRange(1, Table::kMaxRows);
    SpinEdit1->setValue(Table::kStartRows);
    SpinEdit1->setToolTip(QStringLiteral("Row count"));
    ToolBar3->addWidget(SpinEdit1);
    Label4 = named(new QLabel(QStringLiteral("No1")), "Label4");
    ToolBar3->addWidget(Label4);

    Tabl = named(new QTableView, "Tabl");
    tableModel_ = new TableGridModel(table_, this);
    Tabl->setModel(tableModel_);
    Tabl->verticalHeader()->setDefaultSectionSize(24);
    Tabl->verticalHeader()->setFixedWidth(42);
    Tabl->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    Tabl->horizontalHeader()->setDefaultSectionSize(48);
    Tabl->setColumnWidth(0, 166);
    Tabl->setColumnWidth(1, 182);
    Tabl->setSelectionMode(QAbstractItemView::ContiguousSelection);
    Tabl->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                          QAbstractItemView::AnyKeyPressed);
    boxLayout->addWidget(ToolBar3);
    boxLayout->addWidget(Tabl);
    pageLayout->addWidget(GroupBox1);
    return page;
}

QWidget* TForm1::createGrapherPage() {
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* toolBar = named(new QToolBar, "ToolBar1");
    auto add = [&](const char* name, Glyph glyph, const char* hint) {
        QToolButton* b = toolButton(name, glyph, QString::fromLatin1(hint));
        toolBar->addWidget(b);
        return b;
    };
    RxSpeedButton5 = add("RxSpeedButton5", Glyph::Options, "Options");
    RxSpeedButton5->setPopupMode(QToolButton::InstantPopup);
    grapherDataButtons_ = {add("SpeedButton3", Glyph::Clear, "Clear"),
                           add("SpeedButton17", Glyph::Save, "Save graph from Grapher"),
                           add("ChartPrint", Glyph::Print, "Print")};
    Chart_bg = toolBar->addAction(glyphIcon(Glyph::Open), QStringLiteral("Background image"));
    Chart_bg->setObjectName(QStringLiteral("Chart_bg"));
    Chart_bg->setEnabled(false);
    Chart1 = named(new QLabel, "Chart1");
    layout->addWidget(toolBar);
    layout->addWidget(Chart1, 1);
    return page;
}

void TForm1::createStatusBar() {
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

void TForm1::showStatus(const QString& text) {
    panels_[4]->setText(text);
}

QString TForm1::statusText(int panel) const {
    return panel >= 0 && panel < 5 ? panels_[static_cast<std::size_t>(panel)]->text() : QString();
}

void TForm1::setPanelWidths(int p0, int p1, int p2, int p3) {
    const int widths[4] = {p0, p1, p2, p3};
    for (int i = 0; i < 4; ++i)
        panels_[static_cast<std::size_t>(i)]->setFixedWidth(widths[i]);
}

} // namespace quorvex
