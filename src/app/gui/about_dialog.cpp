#include "app/gui/about_dialog.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorvex {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
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

} // namespace quorvex
