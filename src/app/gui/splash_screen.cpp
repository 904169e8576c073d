#include "app/gui/splash_screen.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QScreen>

namespace quorvex {

SplashScreen::SplashScreen() : bar_(new QProgressBar(this)) {
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

void SplashScreen::advance(int amount) {
    bar_->setValue(std::min(100, bar_->value() + amount));
    repaint();
}

int SplashScreen::progress() const {
    return bar_->value();
}

} // namespace quorvex
