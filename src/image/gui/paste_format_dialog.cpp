#include "image/gui/paste_format_dialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace quorvex {

PasteFormatDialog::PasteFormatDialog(QWidget* parent)
    : QDialog(parent), group_(new QButtonGroup(this)) {
    setObjectName(QStringLiteral("Form7"));
    setWindowTitle(QStringLiteral("Pixel format of Image"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral(
        "Note that a switching of Color Dispersion is possible only for 15bit and more")));
    auto* box = new QGroupBox(QStringLiteral("Define color format  "));
    box->setObjectName(QStringLiteral("RadioGroup1"));
    auto* grid = new QGridLayout(box);
    const char* items[9] = {"1 bit",  "4 bit",  "8 bit",     "15 bit",    "16 bit",
                            "24 bit", "32 bit", "Grayscale", "no changes"};
    for (int i = 0; i < 9; ++i) {
        auto* button = new QRadioButton(QString::fromLatin1(items[i]));
        button->setObjectName(QStringLiteral("Choice%1").arg(i));
        group_->addButton(button, i);
        grid->addWidget(button, i % 5, i / 5);
    }
    group_->button(NoChanges)->setChecked(true);
    layout->addWidget(box);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("BitBtn1"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    setFixedSize(sizeHint());
}

int PasteFormatDialog::choice() const {
    return group_->checkedId();
}

void PasteFormatDialog::setChoice(int choice) {
    if (auto* b = group_->button(choice)) b->setChecked(true);
}

} // namespace quorvex
