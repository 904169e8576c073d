#include "table/gui/delete_rows_dialog.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QFormLayout>
#include <QPushButton>
#include <QSpinBox>

namespace quorvex {

DeleteRowsDialog::DeleteRowsDialog(std::function<int()> rowCount, QWidget* parent)
    : QDialog(parent), rowCount_(std::move(rowCount)) {
    setObjectName(QStringLiteral("delRow"));
    setWindowTitle(QStringLiteral("Delete Rows"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto* layout = new QFormLayout(this);
    fromBox = new QSpinBox;
    fromBox->setObjectName(QStringLiteral("SpinEdit1"));
    toBox = new QSpinBox;
    toBox->setObjectName(QStringLiteral("SpinEdit2"));
    for (QSpinBox* box : {fromBox, toBox}) {
        box->setMinimum(1);
        box->setValue(1);
    }
    limitToRowCount();
    layout->addRow(QStringLiteral("from"), fromBox);
    layout->addRow(QStringLiteral("to"), toBox);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("BitBtn1"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("BitBtn2"));
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        emit deleteRequested(fromBox->value(), toBox->value());
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addRow(buttons);
}

void DeleteRowsDialog::limitToRowCount() {
    const int rows = std::max(1, rowCount_ ? rowCount_() : 1);
    fromBox->setMaximum(rows);
    toBox->setMaximum(rows);
}

void DeleteRowsDialog::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) limitToRowCount();
}

} // namespace quorvex
