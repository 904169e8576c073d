#include "table/gui/replace_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace quorvex {

ReplaceDialog::ReplaceDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Replace"));
    setWindowTitle(QStringLiteral("Replace"));
    auto* grid = new QGridLayout(this);
    fromBox = new QComboBox;
    fromBox->setObjectName(QStringLiteral("ComboBox1"));
    fromBox->addItems({QStringLiteral(", (comma)"), QStringLiteral(". (point)")});
    toBox = new QComboBox;
    toBox->setObjectName(QStringLiteral("ComboBox2"));
    toBox->addItems({QStringLiteral(". (point)"), QStringLiteral(", (comma)")});
    columnBox = new QComboBox;
    columnBox->setObjectName(QStringLiteral("ComboBox3"));
    columnBox->addItems({QStringLiteral("X"), QStringLiteral("Y")});
    grid->addWidget(new QLabel(QStringLiteral("Replace all:")), 0, 0);
    grid->addWidget(fromBox, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("on")), 1, 0);
    grid->addWidget(toBox, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("in")), 2, 0);
    grid->addWidget(columnBox, 2, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Ok"));
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("BitBtn1"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("BitBtn2"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    grid->addWidget(buttons, 3, 0, 1, 2);
}

void ReplaceDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    for (QComboBox* box : {fromBox, toBox, columnBox})
        box->setCurrentIndex(0);
}

QChar ReplaceDialog::from() const {
    return fromBox->currentIndex() == 0 ? QLatin1Char(',') : QLatin1Char('.');
}

QChar ReplaceDialog::to() const {
    return toBox->currentIndex() == 0 ? QLatin1Char('.') : QLatin1Char(',');
}

bool ReplaceDialog::inX() const {
    return columnBox->currentIndex() == 0;
}

} // namespace quorvex
