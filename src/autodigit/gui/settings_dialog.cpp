#include "autodigit/gui/settings_dialog.h"

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
template <typename W> W* named(W* w, const char* name) {
    w->setObjectName(QString::fromLatin1(name));
    return w;
}
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

TPixelFormat::TPixelFormat(Colour curveColour, QWidget* parent)
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
    RxSwitch1 = named(new QCheckBox(QStringLiteral("Color dispersion")), "RxSwitch1");
    cg->addWidget(RxSwitch1, 0, 0, 1, 2);
    cg->addWidget(named(new QLabel(QStringLiteral("If regime Color Dispersion is switched ON, then "
                                                  "time of digitization will be more long")),
                        "RxLabel1"),
                  0, 2, 1, 4);
    RxSpinEdit1 = spin("RxSpinEdit1", 0, 300, 0);
    RxSlider1 = named(new QSlider(Qt::Horizontal), "RxSlider1");
    RxSlider1->setRange(0, 300);
    RxSlider1->setToolTip(QStringLiteral("Interval of colour dispersion in hexadecimal system"));
    cg->addWidget(RxSpinEdit1, 1, 0);
    cg->addWidget(RxSlider1, 1, 1, 1, 5);
    Image1 = named(new QLabel, "Image1");
    Image1->setFixedSize(17, 57);
    Image1->setToolTip(QStringLiteral("Curve Color"));
    Image2 = named(new QLabel, "Image2");
    Image2->setFixedSize(300, 57);
    cg->addWidget(Image1, 2, 0);
    cg->addWidget(Image2, 2, 1, 1, 5);
    Label1 = named(new QLabel(QStringLiteral("Color")), "Label1");
    Label1->setToolTip(QStringLiteral("Color in hexadecimal number"));
    Label2 = named(new QLabel(QStringLiteral("R=")), "Label2");
    Label3 = named(new QLabel(QStringLiteral("G=")), "Label3");
    Label4 = named(new QLabel(QStringLiteral("B=")), "Label4");
    cg->addWidget(Label1, 3, 0);
    cg->addWidget(Label2, 3, 1);
    cg->addWidget(Label3, 3, 2);
    cg->addWidget(Label4, 3, 3);
    cg->addWidget(
        named(new QLabel(QStringLiteral("Interval relatively \"Curve color\" :")), "Label14"), 4, 0,
        1, 2);
    SpeedButton1 = named(new QToolButton, "SpeedButton1");
    SpeedButton1->setText(QStringLiteral("left (-)"));
    SpeedButton2 = named(new QToolButton, "SpeedButton2");
    SpeedButton2->setText(QStringLiteral("left/right (-/+)"));
    SpeedButton3 = named(new QToolButton, "SpeedButton3");
    SpeedButton3->setText(QStringLiteral("right (+)"));
    for (QToolButton* b : {SpeedButton1, SpeedButton2, SpeedButton3})
        b->setCheckable(true);
    SpeedButton2->setChecked(true);
    cg->addWidget(SpeedButton1, 4, 2);
    cg->addWidget(SpeedButton2, 4, 3);
    cg->addWidget(SpeedButton3, 4, 4);
    ProgressBar1 = named(new QProgressBar, "ProgressBar1");
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    cg->addWidget(ProgressBar1, 5, 0, 1, 6);
    CheckBox1 =
        named(new QCheckBox(QStringLiteral("Find the most close hue of Curve Color")), "CheckBox1");
    CheckBox1->setChecked(true);
    cg->addWidget(CheckBox1, 6, 0, 1, 6);
    pages->addTab(colour, QStringLiteral("Color"));

    // Brightness
    auto* bright = named(new QWidget, "TabSheet4");
    auto* bg = new QGridLayout(bright);
    bg->addWidget(named(new QLabel(QStringLiteral(
                            "For black color (and others with R=G=B) set a range of brightness:")),
                        "Label15"),
                  0, 0, 1, 4);
    RxSwitch4 = named(new QCheckBox(QStringLiteral("Brightness")), "RxSwitch4");
    RxSwitch4->setToolTip(QStringLiteral("On/off"));
    RxSpinEdit2 = spin("RxSpinEdit2", 0, 255, 0);
    RxSlider2 = named(new QSlider(Qt::Horizontal), "RxSlider2");
    RxSlider2->setRange(0, 255);
    RxSlider2->setSingleStep(25);
    RxSlider2->setPageStep(25);
    RxSlider2->setToolTip(QStringLiteral("Value of range of brightness:\r\nfrom black to gray"));
    Image3 = named(new QLabel, "Image3");
    Image3->setFixedSize(300, 20);
    {
        QPixmap greys(300, 20);
        QPainter p(&greys);
        for (int x = 0; x < 300; ++x) {
            const int v = x * 255 / 299;
            p.setPen(QColor(v, v, v));
            p.drawLine(x, 0, x, 19);
        }
        Image3->setPixmap(greys);
    }
    Label16 = named(new QLabel(QStringLiteral("Color")), "Label16");
    CheckBox2 = named(new QCheckBox(QStringLiteral(" ---> Black")), "CheckBox2");
    bg->addWidget(RxSwitch4, 1, 0);
    bg->addWidget(RxSpinEdit2, 1, 1);
    bg->addWidget(RxSlider2, 1, 2, 1, 2);
    bg->addWidget(Image3, 2, 0, 1, 4);
    bg->addWidget(Label16, 3, 0);
    bg->addWidget(CheckBox2, 4, 0, 1, 2);
    pages->addTab(bright, QStringLiteral("Brightness"));

    // Grid
    auto* gridPage = named(new QWidget, "TabSheet2");
    auto* gg = new QGridLayout(gridPage);
    gg->addWidget(named(new QLabel(QStringLiteral(
                            " You may switch on the searching of a grid on the Image of graph")),
                        "Label11"),
                  0, 0, 1, 4);
    RxSwitch2 = named(new QCheckBox(QStringLiteral("Search the grid")), "RxSwitch2");
    RxSwitch2->setToolTip(QStringLiteral("On/Off of automatic searching of grid"));
    gg->addWidget(RxSwitch2, 1, 0);
    searchGroup = named(new QGroupBox(QStringLiteral(" Searching factor   ")), "GroupBox1");
    auto* sgl = new QGridLayout(searchGroup);
    SpinEdit1 = spin("SpinEdit1", 3, 20, 5);
    SpinEdit2 = spin("SpinEdit2", 3, 20, 5);
    SpinEdit1->setToolTip(
        QStringLiteral("If this quantity of points has identical color with curve\r\nfor the one "
                       "value of  Y, then this datum Y is excluded"));
    SpinEdit2->setToolTip(
        QStringLiteral("If this quantity of points has identical color with curve\r\nfor the one "
                       "value of  X, then this datum X is excluded"));
    RxLabel2 = named(new QLabel(QStringLiteral("Help")), "RxLabel2");
    sgl->addWidget(new QLabel(QStringLiteral("for horizontal lines")), 0, 0);
    sgl->addWidget(SpinEdit1, 0, 1);
    sgl->addWidget(new QLabel(QStringLiteral("for vertical lines")), 1, 0);
    sgl->addWidget(SpinEdit2, 1, 1);
    sgl->addWidget(RxLabel2, 0, 2);
    widthGroup = named(new QGroupBox(QStringLiteral(" Width of lines of the grid  ")), "GroupBox2");
    auto* wgl = new QGridLayout(widthGroup);
    SpinEdit3 = spin("SpinEdit3", 1, 99, 3);
    SpinEdit4 = spin("SpinEdit4", 1, 99, 3);
    RxLabel3 = named(new QLabel(QStringLiteral("Help")), "RxLabel3");
    wgl->addWidget(SpinEdit3, 0, 0);
    wgl->addWidget(SpinEdit4, 0, 1);
    wgl->addWidget(RxLabel3, 0, 2);
    gg->addWidget(searchGroup, 2, 0, 1, 2);
    gg->addWidget(widthGroup, 2, 2, 1, 2);
    gg->addWidget(named(new QLabel(QStringLiteral(
                            "Set width of grid lines and its coordinates (at the most 20 lines):")),
                        "Label5"),
                  3, 0, 1, 4);
    RxSwitch3 = named(new QCheckBox(QStringLiteral("Typed grid lines")), "RxSwitch3");
    RxSwitch3->setToolTip(QStringLiteral("On/Off of taking into account of grid"));
    gg->addWidget(RxSwitch3, 4, 0);
    SpinEdit5 = spin("SpinEdit5", 1, 99, 3);
    SpinEdit6 = spin("SpinEdit6", 1, 99, 3);
    for (QSpinBox* w : {SpinEdit5, SpinEdit6}) {
        w->setToolTip(QStringLiteral("Width of grid-lines in pixells"));
        w->setMouseTracking(true);
        w->installEventFilter(this);
    }
    Edit1 = named(new QLineEdit, "Edit1");
    Edit1->setToolTip(QStringLiteral(
        "Type coordinates Y of horizontal lines (at the most 20 lines) through SPACE"));
    Edit2 = named(new QLineEdit, "Edit2");
    Edit2->setToolTip(QStringLiteral(
        "Type coordinates X of vertical lines (at the most 20 lines) through SPACE"));
    gg->addWidget(new QLabel(QStringLiteral("Horizontal lines:")), 5, 0);
    gg->addWidget(SpinEdit5, 5, 1);
    gg->addWidget(Edit1, 5, 2, 1, 2);
    gg->addWidget(new QLabel(QStringLiteral("Vertical lines:")), 6, 0);
    gg->addWidget(SpinEdit6, 6, 1);
    gg->addWidget(Edit2, 6, 2, 1, 2);
    Label10 = named(new QLabel, "Label10");
    gg->addWidget(Label10, 7, 0, 1, 4);
    pages->addTab(gridPage, QStringLiteral("Grid"));

    // Table
    auto* tablePage = named(new QWidget, "TabSheet3");
    auto* tl = new QVBoxLayout(tablePage);
    auto* box =
        named(new QGroupBox(QStringLiteral(" Add data  X-Y  into Table...  ")), "RadioGroup1");
    auto* bl = new QVBoxLayout(box);
    RadioGroup1 = new QButtonGroup(this);
    const char* starts[3] = {"From the first row", "At the end of existing data",
                             "As set in field \"from\" (tab \"auto\")"};
    for (int i = 0; i < 3; ++i) {
        auto* b = new QRadioButton(QString::fromLatin1(starts[i]));
        RadioGroup1->addButton(b, i);
        bl->addWidget(b);
    }
    RadioGroup1->button(0)->setChecked(true);
    tl->addWidget(box);
    pages->addTab(tablePage, QStringLiteral("Table"));

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
    connect(ok, &QPushButton::clicked, this, &TPixelFormat::RxSpeedButton1Click);
    connect(cancel, &QPushButton::clicked, this, &TPixelFormat::RxSpeedButton2Click);

    // Interlocks and read-outs.
    connect(RxSwitch1, &QCheckBox::toggled, this, &TPixelFormat::switchColour);
    connect(RxSwitch2, &QCheckBox::toggled, this, &TPixelFormat::switchGridSearch);
    connect(RxSwitch3, &QCheckBox::toggled, this, &TPixelFormat::switchTypedGrid);
    connect(RxSwitch4, &QCheckBox::toggled, this, &TPixelFormat::switchBrightness);
    connect(RxSlider1, &QSlider::valueChanged, this, [this](int v) {
        RxSpinEdit1->setValue(v);
        drawStrip();
    });
    connect(RxSpinEdit1, qOverload<int>(&QSpinBox::valueChanged), RxSlider1, &QSlider::setValue);
    for (QToolButton* b : {SpeedButton1, SpeedButton2, SpeedButton3})
        connect(b, &QToolButton::clicked, this, [this, b](bool down) {
            // At most one side is down; all may be up.
            if (down)
                for (QToolButton* other : {SpeedButton1, SpeedButton2, SpeedButton3})
                    if (other != b) other->setChecked(false);
            drawStrip();
        });
    connect(RxSlider2, &QSlider::valueChanged, RxSpinEdit2, &QSpinBox::setValue);
    connect(RxSpinEdit2, qOverload<int>(&QSpinBox::valueChanged), RxSlider2, &QSlider::setValue);
    for (QLabel* image : {Image1, Image2, Image3}) {
        image->setMouseTracking(true);
        image->installEventFilter(this);
    }
    for (QLabel* help : {RxLabel2, RxLabel3})
        help->installEventFilter(this);
    Edit1->installEventFilter(this);
    Edit2->installEventFilter(this);
    gridPage->setMouseTracking(true);
    gridPage->installEventFilter(this);
    switchColour(false);
    switchGridSearch(false);
    switchTypedGrid(false);
    switchBrightness(false);
}

void TPixelFormat::prepare(PixelFormat format) {
    imageBits_ = bitsPerPixel(format);
    const bool colourPage = imageBits_ >= 16;
    pages->widget(0)->setEnabled(colourPage);
    RxSwitch1->setEnabled(colourPage);
    RxSwitch4->setEnabled(imageBits_ != 1);
    const bool grey = isGrey(curve_);
    pages->widget(1)->setEnabled(grey);
    // The page shown first: brightness for a grey curve, else colour when it can be used, else
    // grid.
    pages->setCurrentIndex(grey ? 1 : (colourPage ? 0 : 2));
}

void TPixelFormat::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    RxSpinEdit1->setValue(0);
    RxSlider1->setValue(0);
    Image1->setPixmap(filled(Image1->size(), curve_));
}

IntervalSide TPixelFormat::side() const {
    if (SpeedButton1->isChecked()) return IntervalSide::Left;
    if (SpeedButton3->isChecked()) return IntervalSide::Right;
    return IntervalSide::Both; // all up: the interval stays on both sides
}

void TPixelFormat::switchColour(bool on) {
    for (QWidget* w : std::initializer_list<QWidget*>{RxSpinEdit1, RxSlider1, Image2, SpeedButton1,
                                                      SpeedButton2, SpeedButton3, CheckBox1})
        w->setEnabled(on);
    if (!on) return;
    CheckBox1->setChecked(true);
    RxSwitch2->setChecked(false);
    RxSwitch3->setChecked(false);
    RxSwitch4->setChecked(false);
}

void TPixelFormat::switchGridSearch(bool on) {
    searchGroup->setEnabled(on);
    widthGroup->setEnabled(on);
    gridSearchOn_ = on;
    if (on) {
        RxSwitch3->setChecked(false);
        RxSwitch1->setChecked(false);
        RxSwitch4->setChecked(false);
        RxSwitch1->setEnabled(false);
    } else if (!RxSwitch3->isChecked() && imageBits_ >= 16) {
        pages->widget(0)->setEnabled(true);
        RxSwitch1->setEnabled(true);
    }
}

void TPixelFormat::switchTypedGrid(bool on) {
    for (QWidget* w : std::initializer_list<QWidget*>{SpinEdit5, SpinEdit6, Edit1, Edit2})
        w->setEnabled(on);
    if (on) {
        RxSwitch2->setChecked(false);
        RxSwitch1->setChecked(false);
        RxSwitch4->setChecked(false);
        RxSwitch1->setEnabled(false);
    } else if (!RxSwitch2->isChecked() && imageBits_ >= 16) {
        pages->widget(0)->setEnabled(true);
        RxSwitch1->setEnabled(true);
    }
}

void TPixelFormat::switchBrightness(bool on) {
    for (QWidget* w : std::initializer_list<QWidget*>{RxSpinEdit2, RxSlider2, Image3})
        w->setEnabled(on);
    if (!on) return;
    RxSwitch2->setChecked(false);
    RxSwitch1->setChecked(false);
    RxSwitch3->setChecked(false);
    RxSpinEdit2->setValue(redOf(curve_));
}

void TPixelFormat::drawStrip() {
    Recognition r;
    r.curve = curve_;
    r.interval = RxSlider1->value();
    r.side = side();
    const std::int64_t lo = r.low(), hi = r.high();
    QPixmap strip(300, 57);
    strip.fill(palette().button().color());
    QPainter p(&strip);
    ProgressBar1->setMaximum(static_cast<int>(std::max<std::int64_t>(hi - lo, 1)));
    std::int64_t v = lo;
    do {
        // Values outside the colour range are drawn as the nearest colour.
        const Colour c = static_cast<Colour>(std::clamp<std::int64_t>(v, 0, 0xFFFFFF));
        p.setPen(QColor::fromRgb(toQRgb(c)));
        p.drawLine(static_cast<int>(v - lo), 0, static_cast<int>(v - lo), 56);
        ProgressBar1->setValue(static_cast<int>(v - lo));
        ++v;
    } while (v < hi);
    ProgressBar1->setValue(0);
    Image2->setPixmap(strip);
}

void TPixelFormat::showColour(Colour c) {
    QLabel* text = pages->currentIndex() == 1 ? Label16 : Label1;
    text->setText(colourText(c));
    Label2->setText(QStringLiteral("R=%1").arg(redOf(c)));
    Label3->setText(QStringLiteral("G=%1").arg(greenOf(c)));
    Label4->setText(QStringLiteral("B=%1").arg(blueOf(c)));
}

bool TPixelFormat::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove) {
        auto* label = qobject_cast<QLabel*>(watched);
        if (label && (label == Image1 || label == Image2 || label == Image3) &&
            !label->pixmap().isNull()) {
            const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
            const QImage image = label->pixmap().toImage();
            if (image.rect().contains(at)) showColour(fromQRgb(image.pixel(at)));
        }
        if (watched == SpinEdit5 || watched == SpinEdit6)
            Label10->setText(message(Msg::GridHelpLineWidth));
        if (watched == pages->widget(2)) Label10->clear();
    } else if (event->type() == QEvent::Enter) {
        if (watched == RxLabel2) Label10->setText(message(Msg::GridHelpManyValued));
        if (watched == RxLabel3) Label10->setText(message(Msg::GridHelpLineWidth));
    } else if (event->type() == QEvent::Leave) {
        if (watched == RxLabel2 || watched == RxLabel3) Label10->clear();
    } else if (event->type() == QEvent::KeyPress &&
               static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space) {
        if (watched == Edit1) ++spacePressesH_;
        if (watched == Edit2) ++spacePressesV_;
    }
    return QDialog::eventFilter(watched, event);
}

void TPixelFormat::RxSpeedButton1Click() {
    if (RxSwitch4->isChecked() && redOf(curve_) > RxSpinEdit2->value())
        if (inform) inform(message(Msg::BrightnessBelowColour));
    dispersionOn_ = RxSwitch1->isChecked();
    cancelled_ = false;
    gridSearchOn_ = RxSwitch2->isChecked();
    grid_ = GridSettings();
    grid_.typedOn = RxSwitch3->isChecked();
    grid_.searchOn = gridSearchOn_;
    if (grid_.typedOn) {
        grid_.lineWidthH = SpinEdit5->value();
        grid_.lineWidthV = SpinEdit6->value();
    }
    if (grid_.searchOn) {
        grid_.searchFactorH = SpinEdit1->value();
        grid_.searchFactorV = SpinEdit2->value();
        grid_.lineWidthH = SpinEdit3->value();
        grid_.lineWidthV = SpinEdit4->value();
    }
    accept();
}

void TPixelFormat::RxSpeedButton2Click() {
    dispersionOn_ = false;
    cancelled_ = true;
    reject();
}

Recognition TPixelFormat::recognition() const {
    Recognition r;
    r.curve = curve_;
    r.interval = RxSpinEdit1->value();
    r.side = side();
    r.brightnessMax = RxSpinEdit2->value();
    if (dispersionOn_)
        r.mode = CheckBox1->isChecked() ? RecognitionMode::ClosestHue : RecognitionMode::Interval;
    else if (RxSwitch4->isChecked())
        r.mode =
            CheckBox2->isChecked() ? RecognitionMode::TowardsBlack : RecognitionMode::Brightness;
    else
        r.mode = RecognitionMode::Exact;
    return r;
}

GridSettings TPixelFormat::grid() const {
    return grid_;
}
QString TPixelFormat::horizontalLinesText() const {
    return Edit1->text();
}
QString TPixelFormat::verticalLinesText() const {
    return Edit2->text();
}

TPixelFormat::TableStart TPixelFormat::tableStart() const {
    return static_cast<TableStart>(std::max(0, RadioGroup1->checkedId()));
}

} // namespace quorvex
