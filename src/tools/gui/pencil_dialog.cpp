#include "tools/gui/pencil_dialog.h"

#include "components/widgets.h"
#include "tools/pencil.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>

namespace quorvex {

PencilDialog::PencilDialog(QWidget* parent) : QDialog(parent, Qt::Tool | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("TFormPencil"));
    setWindowTitle(QStringLiteral("Pencil"));
    setModal(false);
    auto* grid = new QGridLayout(this);
    paletteButton = named(new QToolButton, "RxSpeedButton1");
    paletteButton->setIcon(glyphIcon(Glyph::Colour));
    paletteButton->setToolTip(QStringLiteral("Select color in palette"));
    swatch = named(new ColourSwatch, "Image");
    swatch->setColour(kBlack);
    swatch->setToolTip(QStringLiteral("Color under cursor"));
    sizeBox = named(new QSpinBox, "RxSpinEdit1");
    sizeBox->setRange(1, kMaxPencilSize);
    sizeBox->setValue(1);
    sizeBox->setToolTip(QStringLiteral("Size of Pencil in pixells"));
    pickButton = named(new QToolButton, "RxSpeedButton2");
    pickButton->setIcon(glyphIcon(Glyph::Points));
    pickButton->setCheckable(true);
    pickButton->setToolTip(QStringLiteral("Press down and click on the Image"));
    colourLabel = named(new QLabel(QStringLiteral("color")), "Label1");
    redLabel = named(new QLabel(QStringLiteral("R")), "Label2");
    greenLabel = named(new QLabel(QStringLiteral("G")), "Label3");
    blueLabel = named(new QLabel(QStringLiteral("B")), "Label4");
    closeButton = named(new QPushButton(QStringLiteral("&Close")), "BitBtn1");
    auto* sizeLabel = new QLabel(QStringLiteral("&Size:"));
    sizeLabel->setBuddy(sizeBox);
    grid->addWidget(paletteButton, 0, 0);
    grid->addWidget(swatch, 0, 1);
    grid->addWidget(pickButton, 0, 2);
    grid->addWidget(sizeLabel, 1, 0);
    grid->addWidget(sizeBox, 1, 1, 1, 2);
    grid->addWidget(colourLabel, 2, 0, 1, 3);
    grid->addWidget(redLabel, 3, 0);
    grid->addWidget(greenLabel, 3, 1);
    grid->addWidget(blueLabel, 3, 2);
    grid->addWidget(closeButton, 4, 0, 1, 3);
    connect(paletteButton, &QToolButton::clicked, this, &PencilDialog::colourRequested);
    connect(swatch, &ColourSwatch::clicked, this, &PencilDialog::colourRequested);
    connect(pickButton, &QToolButton::toggled, this, &PencilDialog::pickToggled);
    connect(closeButton, &QPushButton::clicked, this, &PencilDialog::reject);
}

void PencilDialog::setColour(Colour colour) {
    colour_ = colour;
    swatch->setColour(colour);
}

int PencilDialog::pencilSize() const {
    return sizeBox->value();
}

bool PencilDialog::picking() const {
    return pickButton->isChecked();
}

void PencilDialog::showPixel(Colour colour) {
    colourLabel->setText(colourText(colour));
    redLabel->setText(QStringLiteral("R=%1").arg(redOf(colour)));
    greenLabel->setText(QStringLiteral("G=%1").arg(greenOf(colour)));
    blueLabel->setText(QStringLiteral("B=%1").arg(blueOf(colour)));
}

void PencilDialog::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) emit activated();
}

// Every way of closing (the Close button, Escape, the window's close button) ends here.
void PencilDialog::reject() {
    QDialog::reject();
    emit closed();
}

} // namespace quorvex
