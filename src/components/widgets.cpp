#include "components/widgets.h"

#include "core/numbers.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace quorvex {

namespace {
class DecimalKeyFilter : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const QString text = static_cast<QKeyEvent*>(event)->text();
        auto* field = qobject_cast<QLineEdit*>(watched);
        if (!field || text.size() != 1 ||
            (text != QLatin1String(",") && text != QLatin1String(".")))
            return false;
        field->insert(QString(typedNumericKey(text.at(0), localeDecimalSeparator())));
        return true;
    }
};
} // namespace

RadioBox radioBox(QObject* owner, const char* objectName, const QString& caption,
                  std::initializer_list<const char*> items, int columns, int checked) {
    auto* box = new QGroupBox(caption);
    box->setObjectName(QString::fromLatin1(objectName));
    auto* grid = new QGridLayout(box);
    auto* group = new QButtonGroup(owner);
    int id = 0;
    for (const char* item : items) {
        auto* button = new QRadioButton(QString::fromLatin1(item));
        group->addButton(button, id);
        button->setChecked(id == checked);
        grid->addWidget(button, id / columns, id % columns);
        ++id;
    }
    return {box, group};
}

void enterLocaleDecimalSeparator(QLineEdit* field) {
    field->installEventFilter(new DecimalKeyFilter(field));
}

SpinButton::SpinButton(QWidget* parent)
    : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {up_, down_}) {
        b->setFixedSize(18, 11);
        b->setAutoRaise(true);
        layout->addWidget(b);
    }
    up_->setObjectName(QStringLiteral("up"));
    down_->setObjectName(QStringLiteral("down"));
    connect(up_, &QToolButton::clicked, this, &SpinButton::upClicked);
    connect(down_, &QToolButton::clicked, this, &SpinButton::downClicked);
}

ColourSwatch::ColourSwatch(QWidget* parent) : QWidget(parent) {
    setFixedSize(22, 22);
    setCursor(Qt::PointingHandCursor);
}

void ColourSwatch::setColour(Colour colour) {
    colour_ = colour;
    update();
}

void ColourSwatch::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor::fromRgb(toQRgb(colour_)));
    p.setPen(Qt::darkGray);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

Ruler::Ruler(Qt::Orientation orientation, QWidget* parent)
    : QWidget(parent), orientation_(orientation) {}

void Ruler::setScale(double scale) {
    scale_ = std::max(0.01, scale);
    update();
}

void Ruler::setHairLine(int position) {
    if (position == hairLine_) return;
    hairLine_ = position;
    update();
}

void Ruler::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(0xF4, 0xF0, 0xD8));
    p.setPen(Qt::black);
    const bool horizontal = orientation_ == Qt::Horizontal;
    const int length = horizontal ? width() : height();
    const double step = 10 * scale_; // view pixels per 10 image pixels
    if (step < 2) return;
    QFont f = font();
    f.setPixelSize(8);
    p.setFont(f);
    const int depth = horizontal ? height() : width();
    for (int i = 0; i * step < length; ++i) {
        const int at = static_cast<int>(i * step);
        const int tick = i % 10 == 0 ? depth / 2 : (i % 5 == 0 ? depth / 3 : depth / 5);
        if (horizontal)
            p.drawLine(at, depth - tick, at, depth);
        else
            p.drawLine(depth - tick, at, depth, at);
        if (i % 10 == 0 && i > 0) {
            const QString label = QString::number(i * 10);
            if (horizontal)
                p.drawText(at + 2, 9, label);
            else {
                p.save();
                p.translate(9, at - 2);
                p.rotate(-90);
                p.drawText(0, 0, label);
                p.restore();
            }
        }
    }
    if (hairLine_ >= 0) {
        p.setPen(Qt::red);
        if (horizontal)
            p.drawLine(hairLine_, 0, hairLine_, depth);
        else
            p.drawLine(0, hairLine_, depth, hairLine_);
    }
}

QString calibratedFieldStyle() {
    return QStringLiteral("QLineEdit { background: #fec1c0; }");
}

QCursor markerCursor(int markerSize) {
    struct Shape {
        int radius;
        QPoint hotSpot;
    };
    const Shape shape = markerSize <= 6    ? Shape{5, {9, 9}}
                        : markerSize <= 12 ? Shape{8, {9, 9}}
                        : markerSize <= 20 ? Shape{11, {11, 12}}
                                           : Shape{15, {15, 15}};
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    {
        QPainter p(&pm);
        const QPoint c = shape.hotSpot;
        // Black lines with a white edge read on any picture.
        for (const auto& [colour, width] :
             {std::pair{QColor(Qt::white), 3}, std::pair{QColor(Qt::black), 1}}) {
            p.setPen(QPen(colour, width));
            p.drawLine(c.x() - shape.radius - 3, c.y(), c.x() + shape.radius + 3, c.y());
            p.drawLine(c.x(), c.y() - shape.radius - 3, c.x(), c.y() + shape.radius + 3);
            p.drawEllipse(c, shape.radius, shape.radius);
        }
    }
    return QCursor(pm, shape.hotSpot.x(), shape.hotSpot.y());
}

QIcon glyphIcon(Glyph glyph) {
    QPixmap pm(24, 24);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor ink(0x30, 0x40, 0x60), accent(0xC0, 0x30, 0x30), paper(0xFF, 0xFF, 0xF0);
    p.setPen(QPen(ink, 1.6));
    auto page = [&] {
        p.setBrush(paper);
        p.drawRect(QRectF(5, 3, 13, 17));
    };
    auto text = [&](const QString& t, const QColor& c) {
        QFont f;
        f.setPixelSize(t.size() > 2 ? 8 : 11);
        f.setBold(true);
        p.setFont(f);
        p.setPen(c);
        p.drawText(QRect(0, 0, 24, 24), Qt::AlignCenter, t);
    };
    switch (glyph) {
    case Glyph::Open:
        p.setBrush(QColor(0xF0, 0xC0, 0x50));
        p.drawRect(QRectF(3, 8, 18, 12));
        p.drawLine(QPointF(3, 8), QPointF(8, 5));
        p.drawLine(QPointF(8, 5), QPointF(12, 8));
        break;
    case Glyph::Copy:
        page();
        p.drawRect(QRectF(9, 7, 11, 14));
        break;
    case Glyph::Paste:
        p.setBrush(QColor(0xD0, 0xA0, 0x60));
        p.drawRect(QRectF(4, 5, 14, 16));
        p.setBrush(paper);
        p.drawRect(QRectF(10, 9, 10, 12));
        break;
    case Glyph::Calculator:
        p.setBrush(QColor(0xE0, 0xE0, 0xE0));
        p.drawRoundedRect(QRectF(5, 2, 14, 20), 2, 2);
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c)
                p.drawRect(QRectF(7.5 + c * 3.5, 9 + r * 4, 2, 2));
        p.drawRect(QRectF(7, 4, 10, 3));
        break;
    case Glyph::Stop:
        p.setBrush(accent);
        p.setPen(Qt::NoPen);
        p.drawEllipse(QRectF(3, 3, 18, 18));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(8, 8, 8, 8));
        break;
    case Glyph::Format:
        text(QStringLiteral("bit"), ink);
        break;
    case Glyph::Save:
        p.setBrush(QColor(0x50, 0x70, 0xB0));
        p.drawRect(QRectF(3, 3, 18, 18));
        p.setBrush(paper);
        p.drawRect(QRectF(7, 3, 10, 7));
        break;
    case Glyph::Import:
        page();
        p.setPen(QPen(accent, 2));
        p.drawLine(QPointF(12, 6), QPointF(12, 16));
        p.drawLine(QPointF(8, 12), QPointF(12, 16));
        p.drawLine(QPointF(16, 12), QPointF(12, 16));
        break;
    case Glyph::Clear:
        page();
        p.setPen(QPen(accent, 2));
        p.drawLine(QPointF(7, 6), QPointF(17, 18));
        p.drawLine(QPointF(17, 6), QPointF(7, 18));
        break;
    case Glyph::Sort:
        text(QStringLiteral("A\u2193"), ink);
        break;
    case Glyph::Delete:
        text(QStringLiteral("\u2212R"), accent);
        break;
    case Glyph::Calculate:
        text(QStringLiteral("f(x)"), ink);
        break;
    case Glyph::Replace:
        text(QStringLiteral(",\u2192."), ink);
        break;
    case Glyph::Spreadsheet:
        p.setBrush(QColor(0xD0, 0xF0, 0xD0));
        p.drawRect(QRectF(3, 4, 18, 16));
        for (int i = 1; i < 3; ++i)
            p.drawLine(QPointF(3 + 6 * i, 4), QPointF(3 + 6 * i, 20));
        for (int i = 1; i < 4; ++i)
            p.drawLine(QPointF(3, 4 + 4 * i), QPointF(21, 4 + 4 * i));
        break;
    case Glyph::DataFormat:
        text(QStringLiteral("1.5E"), ink);
        break;
    case Glyph::Rescale:
        text(QStringLiteral("XY"), accent);
        break;
    case Glyph::Print:
        p.setBrush(QColor(0xC0, 0xC0, 0xC0));
        p.drawRect(QRectF(3, 10, 18, 8));
        p.setBrush(paper);
        p.drawRect(QRectF(7, 3, 10, 8));
        p.drawRect(QRectF(7, 15, 10, 6));
        break;
    case Glyph::Options:
        text(QStringLiteral("\u2630"), ink);
        break;
    case Glyph::Rectangle:
        p.setPen(QPen(accent, 1.5, Qt::DashLine));
        p.drawRect(QRectF(4, 6, 16, 12));
        break;
    case Glyph::Points:
        p.setBrush(accent);
        p.setPen(Qt::NoPen);
        for (auto c : {QPointF(6, 17), QPointF(11, 10), QPointF(17, 6)})
            p.drawEllipse(c, 2.5, 2.5);
        break;
    case Glyph::Manual:
        p.drawLine(QPointF(12, 3), QPointF(12, 21));
        p.drawLine(QPointF(3, 12), QPointF(21, 12));
        p.setPen(QPen(accent, 1.6));
        p.drawEllipse(QPointF(12, 12), 4, 4);
        break;
    case Glyph::Search: {
        QPainterPath path(QPointF(3, 18));
        path.cubicTo(QPointF(8, 2), QPointF(14, 22), QPointF(21, 5));
        p.setPen(QPen(accent, 2));
        p.drawPath(path);
        break;
    }
    case Glyph::Colour: {
        const QColor colours[] = {Qt::red, Qt::green, Qt::blue, Qt::yellow};
        for (int i = 0; i < 4; ++i) {
            p.setBrush(colours[i]);
            p.drawRect(QRectF(4 + (i % 2) * 8, 4 + (i / 2) * 8, 8, 8));
        }
        break;
    }
    case Glyph::Rotate:
        p.drawArc(QRectF(4, 4, 16, 16), 30 * 16, 280 * 16);
        p.drawLine(QPointF(19, 6), QPointF(19, 11));
        p.drawLine(QPointF(19, 11), QPointF(14, 11));
        break;
    case Glyph::Pencil:
        p.setPen(QPen(ink, 3));
        p.drawLine(QPointF(5, 19), QPointF(18, 6));
        p.setPen(QPen(accent, 3));
        p.drawLine(QPointF(16, 8), QPointF(18, 6));
        break;
    case Glyph::Markers:
        p.setBrush(accent);
        p.drawEllipse(QPointF(12, 12), 6, 6);
        break;
    case Glyph::Fix:
        text(QStringLiteral("#"), accent);
        break;
    case Glyph::Graph:
        p.drawLine(QPointF(4, 3), QPointF(4, 20));
        p.drawLine(QPointF(4, 20), QPointF(21, 20));
        p.setPen(QPen(accent, 2));
        p.drawLine(QPointF(5, 17), QPointF(11, 9));
        p.drawLine(QPointF(11, 9), QPointF(20, 13));
        break;
    }
    return QIcon(pm);
}

QToolButton* glyphButton(const char* name, Glyph glyph, const QString& hint, bool checkable) {
    auto* b = named(new QToolButton, name);
    b->setIcon(glyphIcon(glyph));
    b->setToolTip(hint);
    b->setCheckable(checkable);
    b->setAutoRaise(true);
    return b;
}

} // namespace quorvex
