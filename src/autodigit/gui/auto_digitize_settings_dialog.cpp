#include "autodigit/gui/auto_digitize_settings_dialog.h"

#include "components/widgets.h"
#include "core/messages.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace quorvex {

namespace {
QSpinBox* spin(const char* name, int low, int high, int value) {
    auto* s = named(new QSpinBox, name);
    s->setRange(low, high);
    s->setValue(value);
    return s;
}
QPixmap filled(QSize size, Colour c) {
    QPixmap pm(size);
    pm.fill(QColor::fromRgb(toQRgb(c)));
    return pm;
}
} // namespace

AutoDigitizeSettingsDialog::AutoDigitizeSettingsDialog(Colour curveColour, QWidget* parent)
    : QDialog(parent), curve_(curveColour) {
    setObjectName(QStringLiteral("PixelFormat"));
    setWindowTitle(QStringLiteral("Automatic Digitization settings"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowStaysOnTopHint);
    auto* layout = new QVBoxLayout(this);
    pages = named(new QTabWidget, "PageControl1");
    layout->addWidget(pages);

    // Color
    auto* colour = named(new QWidget, "TabSheet1");
    auto* cg = new QGridLayout(colour);
    colourIntervalSwitch = named(new QCheckBox(QStringLiteral("Color dispersion")), "RxSwitch1");
    cg->addWidget(colourIntervalSwitch, 0, 0, 1, 2);
    cg->addWidget(named(new QLabel(QStringLiteral("If regime Color Dispersion is switched ON, then "
                                                  "time of digitization will be more long")),
                        "RxLabel1"),
                  0, 2, 1, 4);
    intervalBox = spin("RxSpinEdit1", 0, 300, 0);
    intervalSlider = named(new QSlider(Qt::Horizontal), "RxSlider1");
    intervalSlider->setRange(0, 300);
    intervalSlider->setToolTip(
        QStringLiteral("Interval of colour dispersion in hexadecimal system"));
    cg->addWidget(intervalBox, 1, 0);
    cg->addWidget(intervalSlider, 1, 1, 1, 5);
    curveColourSwatch = named(new QLabel, "Image1");
    curveColourSwatch->setFixedSize(17, 57);
    curveColourSwatch->setToolTip(QStringLiteral("Curve Color"));
    intervalStrip = named(new QLabel, "Image2");
    intervalStrip->setFixedSize(300, 57);
    cg->addWidget(curveColourSwatch, 2, 0);
    cg->addWidget(intervalStrip, 2, 1, 1, 5);
    colourLabel = named(new QLabel(QStringLiteral("Color")), "Label1");
    colourLabel->setToolTip(QStringLiteral("Color in hexadecimal number"));
    redLabel = named(new QLabel(QStringLiteral("R=")), "Label2");
    greenLabel = named(new QLabel(QStringLiteral("G=")), "Label3");
    blueLabel = named(new QLabel(QStringLiteral("B=")), "Label4");
    cg->addWidget(colourLabel, 3, 0);
    cg->addWidget(redLabel, 3, 1);
    cg->addWidget(greenLabel, 3, 2);
    cg->addWidget(blueLabel, 3, 3);
    cg->addWidget(
        named(new QLabel(QStringLiteral("Interval relatively \"Curve color\" :")), "Label14"), 4, 0,
        1, 2);
    leftSideButton = named(new QToolButton, "SpeedButton1");
    leftSideButton->setText(QStringLiteral("left (-)"));
    bothSidesButton = named(new QToolButton, "SpeedButton2");
    bothSidesButton->setText(QStringLiteral("left/right (-/+)"));
    rightSideButton = named(new QToolButton, "SpeedButton3");
    rightSideButton->setText(QStringLiteral("right (+)"));
    for (QToolButton* b : {leftSideButton, bothSidesButton, rightSideButton})
        b->setCheckable(true);
    bothSidesButton->setChecked(true);
    cg->addWidget(leftSideButton, 4, 2);
    cg->addWidget(bothSidesButton, 4, 3);
    cg->addWidget(rightSideButton, 4, 4);
    stripProgress = named(new QProgressBar, "ProgressBar1");
    stripProgress->setRange(0, 100);
    stripProgress->setValue(0);
    cg->addWidget(stripProgress, 5, 0, 1, 6);
    closestHueBox =
        named(new QCheckBox(QStringLiteral("Find the most close hue of Curve Color")), "CheckBox1");
    closestHueBox->setChecked(true);
    cg->addWidget(closestHueBox, 6, 0, 1, 6);
    pages->addTab(colour, QStringLiteral("Color"));

    // Brightness
    auto* bright = named(new QWidget, "TabSheet4");
    auto* bg = new QGridLayout(bright);
    bg->addWidget(named(new QLabel(QStringLiteral(
                            "For black color (and others with R=G=B) set a range of brightness:")),
                        "Label15"),
                  0, 0, 1, 4);
    brightnessSwitch = named(new QCheckBox(QStringLiteral("Brightness")), "RxSwitch4");
    brightnessSwitch->setToolTip(QStringLiteral("On/off"));
    brightnessBox = spin("RxSpinEdit2", 0, 255, 0);
    brightnessSlider = named(new QSlider(Qt::Horizontal), "RxSlider2");
    brightnessSlider->setRange(0, 255);
    brightnessSlider->setSingleStep(25);
    brightnessSlider->setPageStep(25);
    brightnessSlider->setToolTip(
        QStringLiteral("Value of range of brightness:\r\nfrom black to gray"));
    greyScale = named(new QLabel, "Image3");
    greyScale->setFixedSize(300, 20);
    {
        QPixmap greys(300, 20);
        QPainter p(&greys);
        for (int x = 0; x < 300; ++x) {
            const int v = x * 255 / 299;
            p.setPen(QColor(v, v, v));
            p.drawLine(x, 0, x, 19);
        }
        greyScale->setPixmap(greys);
    }
    brightnessColourLabel = named(new QLabel(QStringLiteral("Color")), "Label16");
    towardsBlackBox = named(new QCheckBox(QStringLiteral(" ---> Black")), "CheckBox2");
    bg->addWidget(brightnessSwitch, 1, 0);
    bg->addWidget(brightnessBox, 1, 1);
    bg->addWidget(brightnessSlider, 1, 2, 1, 2);
    bg->addWidget(greyScale, 2, 0, 1, 4);
    brightnessRedLabel = named(new QLabel(QStringLiteral("R=")), "Label17");
    brightnessGreenLabel = named(new QLabel(QStringLiteral("G=")), "Label18");
    brightnessBlueLabel = named(new QLabel(QStringLiteral("B=")), "Label19");
    for (QLabel* l : {redLabel, greenLabel, blueLabel, brightnessRedLabel, brightnessGreenLabel,
                      brightnessBlueLabel})
        l->setToolTip(QStringLiteral("RGB value of a color"));
    bg->addWidget(brightnessColourLabel, 3, 0);
    bg->addWidget(brightnessRedLabel, 3, 1);
    bg->addWidget(brightnessGreenLabel, 3, 2);
    bg->addWidget(brightnessBlueLabel, 3, 3);
    bg->addWidget(towardsBlackBox, 4, 0, 1, 2);
    pages->addTab(bright, QStringLiteral("Brightness"));

    // Grid
    auto* gridPage = named(new QWidget, "TabSheet2");
    auto* gg = new QGridLayout(gridPage);
    gg->addWidget(named(new QLabel(QStringLiteral(
                            " You may switch on the searching of a grid on the Image of graph")),
                        "Label11"),
                  0, 0, 1, 4);
    gridSearchSwitch = named(new QCheckBox(QStringLiteral("Search the grid")), "RxSwitch2");
    gridSearchSwitch->setToolTip(QStringLiteral("On/Off of automatic searching of grid"));
    gg->addWidget(gridSearchSwitch, 1, 0);
    searchGroup = named(new QGroupBox(QStringLiteral(" Searching factor   ")), "GroupBox1");
    auto* sgl = new QGridLayout(searchGroup);
    searchFactorHBox = spin("SpinEdit1", 3, 20, 5);
    searchFactorVBox = spin("SpinEdit2", 3, 20, 5);
    searchFactorHBox->setToolTip(
        QStringLiteral("If this quantity of points has identical color with curve\r\nfor the one "
                       "value of  Y, then this datum Y is excluded"));
    searchFactorVBox->setToolTip(
        QStringLiteral("If this quantity of points has identical color with curve\r\nfor the one "
                       "value of  X, then this datum X is excluded"));
    searchFactorHelp = named(new QLabel(QStringLiteral("Help")), "RxLabel2");
    sgl->addWidget(new QLabel(QStringLiteral("for horizontal lines")), 0, 0);
    sgl->addWidget(searchFactorHBox, 0, 1);
    sgl->addWidget(new QLabel(QStringLiteral("for vertical lines")), 1, 0);
    sgl->addWidget(searchFactorVBox, 1, 1);
    sgl->addWidget(searchFactorHelp, 0, 2);
    widthGroup = named(new QGroupBox(QStringLiteral(" Width of lines of the grid  ")), "GroupBox2");
    auto* wgl = new QGridLayout(widthGroup);
    searchLineWidthHBox = spin("SpinEdit3", 1, 99, 3);
    searchLineWidthVBox = spin("SpinEdit4", 1, 99, 3);
    lineWidthHelp = named(new QLabel(QStringLiteral("Help")), "RxLabel3");
    wgl->addWidget(searchLineWidthHBox, 0, 0);
    wgl->addWidget(searchLineWidthVBox, 0, 1);
    wgl->addWidget(lineWidthHelp, 0, 2);
    gg->addWidget(searchGroup, 2, 0, 1, 2);
    gg->addWidget(widthGroup, 2, 2, 1, 2);
    gg->addWidget(named(new QLabel(QStringLiteral(
                            "Set width of grid lines and its coordinates (at the most 20 lines):")),
                        "Label5"),
                  3, 0, 1, 4);
    typedGridSwitch = named(new QCheckBox(QStringLiteral("Typed grid lines")), "RxSwitch3");
    typedGridSwitch->setToolTip(QStringLiteral("On/Off of taking into account of grid"));
    gg->addWidget(typedGridSwitch, 4, 0);
    typedLineWidthHBox = spin("SpinEdit5", 1, 99, 3);
    typedLineWidthVBox = spin("SpinEdit6", 1, 99, 3);
    for (QSpinBox* w : {typedLineWidthHBox, typedLineWidthVBox}) {
        w->setToolTip(QStringLiteral("Width of grid-lines in pixells"));
        w->setMouseTracking(true);
        w->installEventFilter(this);
    }
    horizontalLinesField = named(new QLineEdit, "Edit1");
    horizontalLinesField->setToolTip(QStringLiteral(
        "Type coordinates Y of horizontal lines (at the most 20 lines) through SPACE"));
    verticalLinesField = named(new QLineEdit, "Edit2");
    verticalLinesField->setToolTip(QStringLiteral(
        "Type coordinates X of vertical lines (at the most 20 lines) through SPACE"));
    gg->addWidget(new QLabel(QStringLiteral("Horizontal lines:")), 5, 0);
    gg->addWidget(typedLineWidthHBox, 5, 1);
    gg->addWidget(horizontalLinesField, 5, 2, 1, 2);
    gg->addWidget(new QLabel(QStringLiteral("Vertical lines:")), 6, 0);
    gg->addWidget(typedLineWidthVBox, 6, 1);
    gg->addWidget(verticalLinesField, 6, 2, 1, 2);
    gridHelpLabel = named(new QLabel, "Label10");
    gg->addWidget(gridHelpLabel, 7, 0, 1, 4);
    pages->addTab(gridPage, QStringLiteral("Grid"));

    // Table
    auto* tablePage = named(new QWidget, "TabSheet3");
    auto* tl = new QVBoxLayout(tablePage);
    auto* box =
        named(new QGroupBox(QStringLiteral(" Add data  X-Y  into Table...  ")), "RadioGroup1");
    auto* bl = new QVBoxLayout(box);
    tableStartGroup = new QButtonGroup(this);
    const char* starts[3] = {"From the first row", "At the end of existing data",
                             "As set in field \"from\" (tab \"auto\")"};
    for (int i = 0; i < 3; ++i) {
        auto* b = new QRadioButton(QString::fromLatin1(starts[i]));
        tableStartGroup->addButton(b, i);
        bl->addWidget(b);
    }
    tableStartGroup->button(0)->setChecked(true);
    tl->addWidget(box);
    pages->addTab(tablePage, QStringLiteral("Table"));

    // Colour distance
    auto* distancePage = named(new QWidget, "TabDistance");
    auto* dl = new QGridLayout(distancePage);
    distanceSwitch = named(new QCheckBox(QStringLiteral("&Colour distance")), "DistanceSwitch");
    distanceSwitch->setToolTip(QStringLiteral(
        "For anti-aliased and JPEG charts: a pixel belongs to the curve when its colour\r\nis "
        "within the tolerance of the curve colour (CIELAB distance)"));
    toleranceBox = spin("ToleranceBox", 0, 100, 25);
    toleranceBox->setToolTip(QStringLiteral("Largest colour distance of a curve pixel (0..100)"));
    toleranceSlider = named(new QSlider(Qt::Horizontal), "ToleranceSlider");
    toleranceSlider->setRange(0, 100);
    toleranceSlider->setValue(25);
    auto* toleranceLabel = new QLabel(QStringLiteral("&Tolerance:"));
    toleranceLabel->setBuddy(toleranceBox);
    subPixelBox = named(new QCheckBox(QStringLiteral("&Sub-pixel points")), "SubPixelBox");
    subPixelBox->setToolTip(
        QStringLiteral("Put each point at the weighted centre of the curve's run in its column"));
    dl->addWidget(distanceSwitch, 0, 0, 1, 3);
    dl->addWidget(toleranceLabel, 1, 0);
    dl->addWidget(toleranceBox, 1, 1);
    dl->addWidget(toleranceSlider, 1, 2);
    dl->addWidget(subPixelBox, 2, 0, 1, 3);
    dl->addWidget(
        new QLabel(QStringLiteral(
            "One run per column follows the curve; the anti-aliased edges count by how\r\nmuch "
            "of the pixel the curve covers. Manual input and search in area use it too.")),
        3, 0, 1, 3);
    dl->setRowStretch(4, 1);
    pages->addTab(distancePage, QStringLiteral("Distance"));

    // Vector paths
    auto* vectorPage = named(new QWidget, "TabVector");
    auto* vl = new QVBoxLayout(vectorPage);
    vectorSwitch = named(new QCheckBox(QStringLiteral("&Vector paths")), "VectorSwitch");
    vectorSwitch->setToolTip(QStringLiteral(
        "For PDF and SVG pictures: the points are read from the curve's own paths, exactly;\r\n"
        "a path counts as the curve when its colour is within the tolerance of the Distance page"));
    everyStepBox = named(new QCheckBox(QStringLiteral("Every &step along X (else every vertex)")),
                         "EveryStepBox");
    everyStepBox->setToolTip(QStringLiteral(
        "A point every step of the Step field along X, on the path, instead of every vertex"));
    vl->addWidget(vectorSwitch);
    vl->addWidget(everyStepBox);
    vl->addWidget(new QLabel(QStringLiteral(
        "Axes, grid and tick lines and the legend are left out; small closed shapes are\r\n"
        "markers and give their centres.")));
    vl->addStretch();
    pages->addTab(vectorPage, QStringLiteral("Vector"));

    auto* ok = named(new QPushButton(QStringLiteral("OK")), "RxSpeedButton1");
    auto* cancel = named(new QPushButton(QStringLiteral("Cancel")), "RxSpeedButton2");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    layout->addWidget(
        named(new QLabel(QStringLiteral(
                  "Either \"Color\" or \"Brightness\" or \"Grid\" \r\ntaking into account !!!")),
              "RxLabel4"));
    connect(ok, &QPushButton::clicked, this, &AutoDigitizeSettingsDialog::acceptSettings);
    connect(cancel, &QPushButton::clicked, this, &AutoDigitizeSettingsDialog::cancelSettings);

    // Interlocks and read-outs.
    connect(colourIntervalSwitch, &QCheckBox::toggled, this,
            &AutoDigitizeSettingsDialog::switchColour);
    connect(gridSearchSwitch, &QCheckBox::toggled, this,
            &AutoDigitizeSettingsDialog::switchGridSearch);
    connect(typedGridSwitch, &QCheckBox::toggled, this,
            &AutoDigitizeSettingsDialog::switchTypedGrid);
    connect(brightnessSwitch, &QCheckBox::toggled, this,
            &AutoDigitizeSettingsDialog::switchBrightness);
    connect(intervalSlider, &QSlider::valueChanged, this, [this](int v) {
        intervalBox->setValue(v);
        drawStrip();
    });
    connect(intervalBox, qOverload<int>(&QSpinBox::valueChanged), intervalSlider,
            &QSlider::setValue);
    for (QToolButton* b : {leftSideButton, bothSidesButton, rightSideButton})
        connect(b, &QToolButton::clicked, this, [this, b](bool down) {
            // At most one side is down; all may be up.
            if (down)
                for (QToolButton* other : {leftSideButton, bothSidesButton, rightSideButton})
                    if (other != b) other->setChecked(false);
            drawStrip();
        });
    connect(distanceSwitch, &QCheckBox::toggled, this, &AutoDigitizeSettingsDialog::switchDistance);
    connect(vectorSwitch, &QCheckBox::toggled, this, &AutoDigitizeSettingsDialog::switchVector);
    connect(toleranceSlider, &QSlider::valueChanged, toleranceBox, &QSpinBox::setValue);
    connect(toleranceBox, qOverload<int>(&QSpinBox::valueChanged), toleranceSlider,
            &QSlider::setValue);
    connect(brightnessSlider, &QSlider::valueChanged, brightnessBox, &QSpinBox::setValue);
    connect(brightnessBox, qOverload<int>(&QSpinBox::valueChanged), brightnessSlider,
            &QSlider::setValue);
    for (QLabel* image : {curveColourSwatch, intervalStrip, greyScale}) {
        image->setMouseTracking(true);
        image->installEventFilter(this);
    }
    for (QLabel* help : {searchFactorHelp, lineWidthHelp})
        help->installEventFilter(this);
    horizontalLinesField->installEventFilter(this);
    verticalLinesField->installEventFilter(this);
    gridPage->setMouseTracking(true);
    gridPage->installEventFilter(this);
    switchColour(false);
    switchGridSearch(false);
    switchTypedGrid(false);
    switchBrightness(false);
    switchDistance(false);
    switchVector(false);
    setVectorAvailable(false);
}

void AutoDigitizeSettingsDialog::setVectorAvailable(bool available) {
    vectorSwitch->setEnabled(available);
    if (!available) vectorSwitch->setChecked(false);
}

// Vector paths replace every raster recognition; the tolerance of the Distance page applies.
void AutoDigitizeSettingsDialog::switchVector(bool on) {
    everyStepBox->setEnabled(on);
    if (on) {
        distanceSwitch->setChecked(false);
        colourIntervalSwitch->setChecked(false);
        brightnessSwitch->setChecked(false);
    }
    const bool tolerance = on || distanceSwitch->isChecked();
    toleranceBox->setEnabled(tolerance);
    toleranceSlider->setEnabled(tolerance);
}

void AutoDigitizeSettingsDialog::setDistanceOptions(const DistanceOptions& options) {
    toleranceBox->setValue(options.tolerance);
    subPixelBox->setChecked(options.subPixel);
    distanceSwitch->setChecked(options.on);
    if (options.on) pages->setCurrentWidget(distanceSwitch->parentWidget());
}

void AutoDigitizeSettingsDialog::setScanChoices(const Recognition& r, const GridSettings& grid,
                                                const QString& horizontalLines,
                                                const QString& verticalLines) {
    // The switches first: each one turns the others off and presets its values.
    const bool interval =
        r.mode == RecognitionMode::Interval || r.mode == RecognitionMode::ClosestHue;
    const bool brightness =
        r.mode == RecognitionMode::Brightness || r.mode == RecognitionMode::TowardsBlack;
    distanceSwitch->setChecked(r.mode == RecognitionMode::Distance);
    if (vectorSwitch->isEnabled()) vectorSwitch->setChecked(r.mode == RecognitionMode::Vector);
    everyStepBox->setChecked(r.everyStep);
    if (colourIntervalSwitch->isEnabled()) colourIntervalSwitch->setChecked(interval);
    if (brightnessSwitch->isEnabled()) brightnessSwitch->setChecked(brightness);
    if (!interval) colourIntervalSwitch->setChecked(false);
    if (!brightness) brightnessSwitch->setChecked(false);
    closestHueBox->setChecked(r.mode == RecognitionMode::ClosestHue);
    towardsBlackBox->setChecked(r.mode == RecognitionMode::TowardsBlack);
    intervalBox->setValue(r.interval);
    (r.side == IntervalSide::Left    ? leftSideButton
     : r.side == IntervalSide::Right ? rightSideButton
                                     : bothSidesButton)
        ->setChecked(true);
    brightnessBox->setValue(r.brightnessMax);
    toleranceBox->setValue(r.tolerance);
    subPixelBox->setChecked(r.subPixel);
    if (r.mode == RecognitionMode::Distance)
        pages->setCurrentWidget(distanceSwitch->parentWidget());

    gridSearchSwitch->setChecked(grid.searchOn);
    typedGridSwitch->setChecked(grid.typedOn);
    if (grid.searchOn) {
        searchFactorHBox->setValue(grid.searchFactorH);
        searchFactorVBox->setValue(grid.searchFactorV);
        searchLineWidthHBox->setValue(grid.lineWidthH);
        searchLineWidthVBox->setValue(grid.lineWidthV);
    }
    if (grid.typedOn) {
        typedLineWidthHBox->setValue(grid.lineWidthH);
        typedLineWidthVBox->setValue(grid.lineWidthV);
    }
    horizontalLinesField->setText(horizontalLines);
    verticalLinesField->setText(verticalLines);
    // The counters start at 1 (one word before any space).
    const auto words = [](const QString& text) {
        return std::max(1, int(text.split(QLatin1Char(' '), Qt::SkipEmptyParts).size()));
    };
    spacePressesH_ = words(horizontalLines);
    spacePressesV_ = words(verticalLines);
}

DistanceOptions AutoDigitizeSettingsDialog::distanceOptions() const {
    return {distanceSwitch->isChecked(), toleranceBox->value(), subPixelBox->isChecked()};
}

// Distance recognition replaces the colour interval and brightness; grid lines still apply.
void AutoDigitizeSettingsDialog::switchDistance(bool on) {
    subPixelBox->setEnabled(on);
    const bool tolerance = on || vectorSwitch->isChecked();
    toleranceBox->setEnabled(tolerance);
    toleranceSlider->setEnabled(tolerance);
    if (!on) return;
    vectorSwitch->setChecked(false);
    colourIntervalSwitch->setChecked(false);
    brightnessSwitch->setChecked(false);
}

void AutoDigitizeSettingsDialog::prepare(PixelFormat format) {
    // Colour intervals need a raster of 16, 24 or 32 bits per pixel.
    colourPageUsable_ = format == PixelFormat::Bit16 || format == PixelFormat::Bit24 ||
                        format == PixelFormat::Bit32;
    const bool colourPage = colourPageUsable_;
    pages->widget(0)->setEnabled(colourPage);
    colourIntervalSwitch->setEnabled(colourPage);
    brightnessSwitch->setEnabled(format != PixelFormat::Bit1);
    const bool grey = isGrey(curve_);
    pages->widget(1)->setEnabled(grey);
    // The page shown first: brightness for a grey curve, else colour when it can be used, else
    // grid.
    pages->setCurrentIndex(grey ? 1 : (colourPage ? 0 : 2));
}

void AutoDigitizeSettingsDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    intervalBox->setValue(0);
    intervalSlider->setValue(0);
    curveColourSwatch->setPixmap(filled(curveColourSwatch->size(), curve_));
}

IntervalSide AutoDigitizeSettingsDialog::side() const {
    if (leftSideButton->isChecked()) return IntervalSide::Left;
    if (rightSideButton->isChecked()) return IntervalSide::Right;
    return IntervalSide::Both; // all up: the interval stays on both sides
}

void AutoDigitizeSettingsDialog::switchColour(bool on) {
    for (QWidget* w :
         std::initializer_list<QWidget*>{intervalBox, intervalSlider, intervalStrip, leftSideButton,
                                         bothSidesButton, rightSideButton, closestHueBox})
        w->setEnabled(on);
    if (!on) return;
    distanceSwitch->setChecked(false);
    vectorSwitch->setChecked(false);
    closestHueBox->setChecked(true);
    gridSearchSwitch->setChecked(false);
    typedGridSwitch->setChecked(false);
    brightnessSwitch->setChecked(false);
}

void AutoDigitizeSettingsDialog::switchGridSearch(bool on) {
    searchGroup->setEnabled(on);
    widthGroup->setEnabled(on);
    gridSearchOn_ = on;
    if (on) {
        typedGridSwitch->setChecked(false);
        colourIntervalSwitch->setChecked(false);
        brightnessSwitch->setChecked(false);
        colourIntervalSwitch->setEnabled(false);
    } else if (!typedGridSwitch->isChecked() && colourPageUsable_) {
        pages->widget(0)->setEnabled(true);
        colourIntervalSwitch->setEnabled(true);
    }
}

void AutoDigitizeSettingsDialog::switchTypedGrid(bool on) {
    for (QWidget* w : std::initializer_list<QWidget*>{typedLineWidthHBox, typedLineWidthVBox,
                                                      horizontalLinesField, verticalLinesField})
        w->setEnabled(on);
    if (on) {
        gridSearchSwitch->setChecked(false);
        colourIntervalSwitch->setChecked(false);
        brightnessSwitch->setChecked(false);
        colourIntervalSwitch->setEnabled(false);
    } else if (!gridSearchSwitch->isChecked() && colourPageUsable_) {
        pages->widget(0)->setEnabled(true);
        colourIntervalSwitch->setEnabled(true);
    }
}

void AutoDigitizeSettingsDialog::switchBrightness(bool on) {
    for (QWidget* w : std::initializer_list<QWidget*>{brightnessBox, brightnessSlider, greyScale})
        w->setEnabled(on);
    if (!on) return;
    distanceSwitch->setChecked(false);
    vectorSwitch->setChecked(false);
    gridSearchSwitch->setChecked(false);
    colourIntervalSwitch->setChecked(false);
    typedGridSwitch->setChecked(false);
    brightnessBox->setValue(redOf(curve_));
}

void AutoDigitizeSettingsDialog::drawStrip() {
    Recognition r;
    r.curve = curve_;
    r.interval = intervalSlider->value();
    r.side = side();
    const std::int64_t lo = r.low(), hi = r.high();
    QPixmap strip(300, 57);
    strip.fill(palette().button().color());
    QPainter p(&strip);
    stripProgress->setMaximum(static_cast<int>(std::max<std::int64_t>(hi - lo, 1)));
    std::int64_t v = lo;
    do {
        // Values outside the colour range are drawn as the nearest colour.
        const Colour c = static_cast<Colour>(std::clamp<std::int64_t>(v, 0, 0xFFFFFF));
        p.setPen(QColor::fromRgb(toQRgb(c)));
        p.drawLine(static_cast<int>(v - lo), 0, static_cast<int>(v - lo), 56);
        stripProgress->setValue(static_cast<int>(v - lo));
        ++v;
    } while (v < hi);
    stripProgress->setValue(0);
    intervalStrip->setPixmap(strip);
}

void AutoDigitizeSettingsDialog::showColour(Colour c) {
    const bool brightness = pages->currentIndex() == 1;
    (brightness ? brightnessColourLabel : colourLabel)->setText(colourText(c));
    (brightness ? brightnessRedLabel : redLabel)->setText(QStringLiteral("R=%1").arg(redOf(c)));
    (brightness ? brightnessGreenLabel : greenLabel)
        ->setText(QStringLiteral("G=%1").arg(greenOf(c)));
    (brightness ? brightnessBlueLabel : blueLabel)->setText(QStringLiteral("B=%1").arg(blueOf(c)));
}

bool AutoDigitizeSettingsDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove) {
        auto* label = qobject_cast<QLabel*>(watched);
        if (label && (label == curveColourSwatch || label == intervalStrip || label == greyScale) &&
            !label->pixmap().isNull()) {
            const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
            const QImage image = label->pixmap().toImage();
            if (image.rect().contains(at)) showColour(fromQRgb(image.pixel(at)));
        }
        if (watched == typedLineWidthHBox || watched == typedLineWidthVBox)
            gridHelpLabel->setText(message(Msg::GridHelpLineWidth));
        if (watched == pages->widget(2)) gridHelpLabel->clear();
    } else if (event->type() == QEvent::Enter) {
        if (watched == searchFactorHelp) gridHelpLabel->setText(message(Msg::GridHelpManyValued));
        if (watched == lineWidthHelp) gridHelpLabel->setText(message(Msg::GridHelpLineWidth));
    } else if (event->type() == QEvent::Leave) {
        if (watched == searchFactorHelp || watched == lineWidthHelp) gridHelpLabel->clear();
    } else if (event->type() == QEvent::KeyPress &&
               static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space) {
        if (watched == horizontalLinesField) ++spacePressesH_;
        if (watched == verticalLinesField) ++spacePressesV_;
    }
    return QDialog::eventFilter(watched, event);
}

void AutoDigitizeSettingsDialog::acceptSettings() {
    if (brightnessSwitch->isChecked() && redOf(curve_) > brightnessBox->value())
        if (inform) inform(message(Msg::BrightnessBelowColour));
    dispersionOn_ = colourIntervalSwitch->isChecked();
    cancelled_ = false;
    gridSearchOn_ = gridSearchSwitch->isChecked();
    grid_ = GridSettings();
    grid_.typedOn = typedGridSwitch->isChecked();
    grid_.searchOn = gridSearchOn_;
    if (grid_.typedOn) {
        grid_.lineWidthH = typedLineWidthHBox->value();
        grid_.lineWidthV = typedLineWidthVBox->value();
    }
    if (grid_.searchOn) {
        grid_.searchFactorH = searchFactorHBox->value();
        grid_.searchFactorV = searchFactorVBox->value();
        grid_.lineWidthH = searchLineWidthHBox->value();
        grid_.lineWidthV = searchLineWidthVBox->value();
    }
    accept();
}

void AutoDigitizeSettingsDialog::cancelSettings() {
    dispersionOn_ = false;
    cancelled_ = true;
    reject();
}

Recognition AutoDigitizeSettingsDialog::recognition() const {
    Recognition r;
    r.curve = curve_;
    r.interval = intervalBox->value();
    r.side = side();
    r.brightnessMax = brightnessBox->value();
    r.tolerance = toleranceBox->value();
    r.subPixel = subPixelBox->isChecked();
    r.everyStep = everyStepBox->isChecked();
    if (vectorSwitch->isChecked())
        r.mode = RecognitionMode::Vector;
    else if (distanceSwitch->isChecked())
        r.mode = RecognitionMode::Distance;
    else if (dispersionOn_)
        r.mode =
            closestHueBox->isChecked() ? RecognitionMode::ClosestHue : RecognitionMode::Interval;
    else if (brightnessSwitch->isChecked())
        r.mode = towardsBlackBox->isChecked() ? RecognitionMode::TowardsBlack
                                              : RecognitionMode::Brightness;
    else
        r.mode = RecognitionMode::Exact;
    return r;
}

GridSettings AutoDigitizeSettingsDialog::grid() const {
    return grid_;
}
QString AutoDigitizeSettingsDialog::horizontalLinesText() const {
    return horizontalLinesField->text();
}
QString AutoDigitizeSettingsDialog::verticalLinesText() const {
    return verticalLinesField->text();
}

AutoDigitizeSettingsDialog::TableStart AutoDigitizeSettingsDialog::tableStart() const {
    return static_cast<TableStart>(std::max(0, tableStartGroup->checkedId()));
}

} // namespace quorvex
