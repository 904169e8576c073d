#include "app/gui/startup_hint_window.h"

#include "components/widgets.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace quorvex {

StartupHintWindow::StartupHintWindow(QWidget* parent)
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

bool StartupHintWindow::dontShowAgain() const {
    return dontShow_->isChecked();
}

} // namespace quorvex
