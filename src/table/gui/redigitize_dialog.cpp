#include "table/gui/redigitize_dialog.h"

#include "components/widgets.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

namespace quorvex {

RedigitizeDialog::RedigitizeDialog(Context context, QWidget* parent)
    : QDialog(parent), context_(std::move(context)) {
    setObjectName(QStringLiteral("Rescale"));
    setWindowTitle(QStringLiteral("Re-digitize"));
    auto* grid = new QGridLayout(this);
    auto* text = new QLabel(
        QStringLiteral("Use these specifications to rescale data (all rows) in X*-Y* columns (to "
                       "re-fix its).\r\nSet new coordinates for any two points (rows in the "
                       "Table)."));
    text->setObjectName(QStringLiteral("Label5"));
    text->setWordWrap(true);
    grid->addWidget(text, 0, 0, 1, 4);
    auto spin = [](const char* name) {
        auto* box = new QSpinBox;
        box->setObjectName(QString::fromLatin1(name));
        box->setRange(1, 10000);
        box->setValue(1);
        return box;
    };
    auto field = [](const char* name, const char* hint = nullptr) {
        auto* edit = new QLineEdit;
        edit->setObjectName(QString::fromLatin1(name));
        if (hint) {
            edit->setToolTip(QString::fromLatin1(hint));
            edit->setReadOnly(true);
        } else {
            enterLocaleDecimalSeparator(edit);
        }
        return edit;
    };
    firstRowBox = spin("SpinEdit1");
    secondRowBox = spin("SpinEdit2");
    firstReadout = field("Edit1", "A value in the cell");
    secondReadout = field("Edit3", "A value in the cell");
    newX1 = field("Edit2");
    newY1 = field("Edit5");
    newX2 = field("Edit4");
    newY2 = field("Edit6");
    xCaption = new QLabel;
    xCaption->setObjectName(QStringLiteral("Label3"));
    yCaption = new QLabel;
    yCaption->setObjectName(QStringLiteral("Label4"));
    scaleCaption = new QLabel;
    scaleCaption->setObjectName(QStringLiteral("Label6"));
    grid->addWidget(xCaption, 1, 2);
    grid->addWidget(yCaption, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("row 1:")), 2, 0);
    grid->addWidget(firstRowBox, 2, 1);
    grid->addWidget(newX1, 2, 2);
    grid->addWidget(newY1, 2, 3);
    grid->addWidget(firstReadout, 3, 1, 1, 3);
    grid->addWidget(new QLabel(QStringLiteral("row 2:")), 4, 0);
    grid->addWidget(secondRowBox, 4, 1);
    grid->addWidget(newX2, 4, 2);
    grid->addWidget(newY2, 4, 3);
    grid->addWidget(secondReadout, 5, 1, 1, 3);
    grid->addWidget(scaleCaption, 6, 0, 1, 4);
    rescaleButton = new QPushButton(QStringLiteral("Rescale"));
    rescaleButton->setObjectName(QStringLiteral("BitBtn1"));
    rescaleButton->setEnabled(false);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    buttons->addButton(rescaleButton, QDialogButtonBox::ActionRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(rescaleButton, &QPushButton::clicked, this, &RedigitizeDialog::rescaleRequested);
    grid->addWidget(buttons, 7, 0, 1, 4);
    connect(firstRowBox, qOverload<int>(&QSpinBox::valueChanged), this,
            &RedigitizeDialog::rowsChanged);
    connect(secondRowBox, qOverload<int>(&QSpinBox::valueChanged), this,
            &RedigitizeDialog::rowsChanged);
}

// The second row never lies above the first; Rescale needs two different rows.
void RedigitizeDialog::rowsChanged() {
    secondRowBox->setMinimum(firstRowBox->value());
    rescaleButton->setEnabled(firstRowBox->value() != secondRowBox->value());
    if (context_.readout) {
        firstReadout->setText(context_.readout(firstRowBox->value()));
        secondReadout->setText(context_.readout(secondRowBox->value()));
    }
}

void RedigitizeDialog::refresh() {
    const int n = context_.curve ? context_.curve() : 1;
    xCaption->setText(QStringLiteral("X%1").arg(n));
    yCaption->setText(QStringLiteral("Y%1").arg(n));
    if (context_.scales) scaleCaption->setText(context_.scales());
    rowsChanged();
}

void RedigitizeDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    refresh();
}

void RedigitizeDialog::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) refresh();
}

} // namespace quorvex
