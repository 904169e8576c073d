#include "app/gui/dialogs.h"

#include "components/widgets.h"
#include "core/numbers.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <cmath>

namespace quorvex {

TAboutBox1::TAboutBox1(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutBox1"));
    setWindowTitle(QStringLiteral("About Quorvex"));
    auto* layout = new QVBoxLayout(this);
    auto* name = new QLabel(QStringLiteral("Quorvex"));
    QFont big = name->font();
    big.setPointSize(big.pointSize() * 2);
    big.setBold(true);
    name->setFont(big);
    layout->addWidget(name);
    layout->addWidget(new QLabel(QStringLiteral("Version  2.16")));
    layout->addWidget(
        new QLabel(QStringLiteral("Turns pictures of graphs into numbers: calibrate the axes, "
                                  "digitize the curves, save the data.")));
    auto* close = new QPushButton(QStringLiteral("Close"));
    close->setObjectName(QStringLiteral("OKButton"));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(close, 0, Qt::AlignRight);
}

THintForm::THintForm(QWidget* parent)
    : QDialog(parent), dontShow_(new QCheckBox(QStringLiteral("Don't show window in next time"))) {
    setObjectName(QStringLiteral("HintForm"));
    setWindowTitle(QStringLiteral("Above all..."));
    setWindowFlags(windowFlags() | Qt::WindowStaysOnTopHint);
    setStyleSheet(QStringLiteral("QDialog { background: #ffffc0; }"));
    auto* layout = new QGridLayout(this);
    const Glyph icons[3] = {Glyph::Open, Glyph::Rectangle, Glyph::Manual};
    for (int i = 0; i < 3; ++i) {
        auto* icon = new QLabel;
        icon->setPixmap(glyphIcon(icons[i]).pixmap(24, 24));
        layout->addWidget(icon, i, 0);
    }
    auto* text =
        new QLabel(QStringLiteral("Open a file with image of graph.\r\nPush down the button \"Fix "
                                  "coordinates\"\r\nSelect a rectangular area on "
                                  "the image.\r\nInput real coordinates of left-bottom and "
                                  "right-top\r\ncorners of this dash rectangle in the "
                                  "input fields.\r\nNow may begin to digitize your graph!"));
    layout->addWidget(text, 0, 1, 3, 1);
    dontShow_->setObjectName(QStringLiteral("CheckBox1"));
    layout->addWidget(dontShow_, 3, 0, 1, 2);
    auto* ok = new QPushButton(QStringLiteral("Ok"));
    ok->setObjectName(QStringLiteral("OKButton"));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(ok, 4, 1, Qt::AlignRight);
}

bool THintForm::dontShowAgain() const {
    return dontShow_->isChecked();
}

CalculatorDialog::CalculatorDialog(QWidget* parent)
    : QDialog(parent), display_(new QLineEdit(QStringLiteral("0"))) {
    setObjectName(QStringLiteral("RxCalculator1"));
    setWindowTitle(QStringLiteral("Calculator"));
    display_->setReadOnly(true);
    display_->setAlignment(Qt::AlignRight);
    display_->setObjectName(QStringLiteral("Display"));
    auto* grid = new QGridLayout(this);
    grid->addWidget(display_, 0, 0, 1, 4);
    const QString separator(localeDecimalSeparator());
    const QString keys[5][4] = {{"7", "8", "9", "/"},
                                {"4", "5", "6", "*"},
                                {"1", "2", "3", "-"},
                                {"0", separator, "=", "+"},
                                {"C", "", "", ""}};
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 4; ++c) {
            if (keys[r][c].isEmpty()) continue;
            auto* b = new QPushButton(keys[r][c]);
            b->setFocusPolicy(Qt::NoFocus);
            const QChar key = keys[r][c].at(0);
            connect(b, &QPushButton::clicked, this, [this, key] { press(key); });
            grid->addWidget(b, r + 1, c);
        }
}

QString CalculatorDialog::display() const {
    return display_->text();
}

void CalculatorDialog::applyPending() {
    const double value = parseDouble(display_->text());
    if (pending_ == QLatin1Char('+'))
        accumulator_ += value;
    else if (pending_ == QLatin1Char('-'))
        accumulator_ -= value;
    else if (pending_ == QLatin1Char('*'))
        accumulator_ *= value;
    else if (pending_ == QLatin1Char('/'))
        accumulator_ /= value;
    else
        accumulator_ = value;
}

void CalculatorDialog::press(QChar key) {
    const QChar separator = localeDecimalSeparator();
    key = typedNumericKey(key, separator);
    if (key.isDigit() || key == separator) {
        QString text = startNew_ ? QString() : display_->text();
        if (key == separator && text.contains(separator)) return;
        if (text == QLatin1String("0") && key != separator) text.clear();
        if (text.isEmpty() && key == separator) text = QStringLiteral("0");
        display_->setText(text + key);
        startNew_ = false;
    } else if (key == QLatin1Char('C') || key == QLatin1Char('c')) {
        accumulator_ = 0;
        pending_ = QChar();
        display_->setText(QStringLiteral("0"));
        startNew_ = true;
    } else if (QStringLiteral("+-*/=").contains(key)) {
        if (!startNew_ || pending_.isNull()) applyPending();
        display_->setText(std::isfinite(accumulator_) ? NumberText(accumulator_)
                                                      : QStringLiteral("Error"));
        pending_ = key == QLatin1Char('=') ? QChar() : key;
        startNew_ = true;
    }
}

void CalculatorDialog::keyPressEvent(QKeyEvent* event) {
    const QString text = event->text();
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        press(QLatin1Char('='));
    else if (event->key() == Qt::Key_Escape)
        QDialog::keyPressEvent(event);
    else if (!text.isEmpty())
        press(text.at(0));
}

TZastavka::TZastavka() : bar_(new QProgressBar(this)) {
    setObjectName(QStringLiteral("Zastavka"));
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setCursor(Qt::WaitCursor);
    // The picture: the program's name over a small chart with a digitized curve.
    QPixmap picture(504, 262);
    picture.fill(QColor(0xF8, 0xF8, 0xF0));
    {
        QPainter p(&picture);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(0xC0, 0xC0, 0xC0), 1));
        for (int x = 40; x < 480; x += 40)
            p.drawLine(x, 60, x, 240);
        for (int y = 60; y <= 240; y += 30)
            p.drawLine(40, y, 480, y);
        p.setPen(QPen(QColor(0x20, 0x40, 0xA0), 3));
        QPainterPath curve(QPointF(40, 220));
        curve.cubicTo(QPointF(160, 40), QPointF(300, 260), QPointF(480, 80));
        p.drawPath(curve);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xE0, 0x20, 0x20));
        for (double t = 0.05; t < 1; t += 0.1)
            p.drawEllipse(curve.pointAtPercent(t), 4, 4);
        QFont f = p.font();
        f.setPixelSize(36);
        f.setBold(true);
        p.setFont(f);
        p.setPen(QColor(0x20, 0x20, 0x40));
        p.drawText(QRect(0, 8, 504, 48), Qt::AlignCenter, QStringLiteral("Quorvex 2.16"));
    }
    auto* label = new QLabel(this);
    label->setPixmap(picture);
    label->setGeometry(0, 0, 504, 262);
    bar_->setRange(0, 100);
    bar_->setValue(0);
    bar_->setTextVisible(false);
    bar_->setGeometry(1, 262, 502, 8);
    setFixedSize(504, 270);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void TZastavka::advance(int amount) {
    bar_->setValue(std::min(100, bar_->value() + amount));
    repaint();
}

int TZastavka::progress() const {
    return bar_->value();
}

} // namespace quorvex
