#include "image/gui/scanner_dialog.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QVBoxLayout>

namespace quorvex {

ScannerSourceDialog::ScannerSourceDialog(const QList<ScannerDevice>& devices,
                                         const QString& current, QWidget* parent)
    : QDialog(parent), devices_(devices), list_(new QListWidget) {
    setObjectName(QStringLiteral("ScannerSource"));
    setWindowTitle(QStringLiteral("Select source"));
    list_->setObjectName(QStringLiteral("Sources"));
    for (const auto& d : devices_)
        list_->addItem(d.description + QStringLiteral("  [") + d.name + QLatin1Char(']'));
    int row = 0;
    for (int i = 0; i < devices_.size(); ++i)
        if (devices_[i].name == current) row = i;
    list_->setCurrentRow(row);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    layout->addWidget(buttons);
}

QString ScannerSourceDialog::chosenDevice() const {
    const int row = list_->currentRow();
    return row >= 0 && row < devices_.size() ? devices_[row].name : QString();
}

} // namespace quorvex
