#include "table/gui/calculate_dialog.h"

#include "components/calculator_dialog.h"
#include "components/widgets.h"
#include "core/numbers.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace quorvex {

CalculateDialog::CalculateDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("OKBottomDlg"));
    setWindowTitle(QStringLiteral("Calculate"));
    auto* grid = new QGridLayout(this);
    columnBox = new QComboBox;
    columnBox->setObjectName(QStringLiteral("ComboBox1"));
    columnBox->addItems({QStringLiteral("X*"), QStringLiteral("Y*")});
    columnBox->setToolTip(QStringLiteral("For the current curve"));
    grid->addWidget(new QLabel(QStringLiteral("Column:")), 0, 0);
    grid->addWidget(columnBox, 0, 1, 1, 2);
    valueField = new QLineEdit(NumberText(1.0));
    valueField->setObjectName(QStringLiteral("RxCalcEdit1"));
    enterLocaleDecimalSeparator(valueField);
    calculatorButton = new QToolButton;
    calculatorButton->setIcon(glyphIcon(Glyph::Calculator));
    calculatorButton->setToolTip(QStringLiteral("Show calculator"));
    // The value can come from the calculator: what it shows when it is closed with OK.
    connect(calculatorButton, &QToolButton::clicked, this, [this] {
        CalculatorDialog calculator(this);
        for (QChar key : valueField->text())
            calculator.press(key);
        if (calculator.exec() == QDialog::Accepted) valueField->setText(calculator.display());
    });
    grid->addWidget(new QLabel(QStringLiteral("Value:")), 1, 0);
    grid->addWidget(valueField, 1, 1);
    grid->addWidget(calculatorButton, 1, 2);
    const RadioBox operations = radioBox(this, "RadioGroup1", QStringLiteral(" Operation "),
                                         {"multiply", "divide on", "add", "substract"}, 2);
    const RadioBox order = radioBox(this, "RadioGroup2", QStringLiteral(" What first "),
                                    {"column-value", "value-column"}, 2, 0);
    operationGroup = operations.group;
    orderGroup = order.group;
    grid->addWidget(operations.box, 2, 0, 1, 3);
    grid->addWidget(order.box, 3, 0, 1, 3);
    lagrangeBox = new QCheckBox(QStringLiteral("Lagrange interpolation  Y1(X1)-Y2(X2) - > Y3(X1)"));
    lagrangeBox->setObjectName(QStringLiteral("CheckBox1"));
    grid->addWidget(lagrangeBox, 4, 0, 1, 3);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QPushButton* ok = buttons->button(QDialogButtonBox::Ok);
    ok->setText(QStringLiteral("Ok"));
    ok->setObjectName(QStringLiteral("BitBtn1"));
    ok->setDefault(true);
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("BitBtn2"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    grid->addWidget(buttons, 5, 0, 1, 3);
}

bool CalculateDialog::onY() const {
    return columnBox->currentIndex() == 1;
}

std::optional<Arithmetic> CalculateDialog::operation() const {
    switch (operationGroup->checkedId()) {
    case 0:
        return Arithmetic::Multiply;
    case 1:
        return Arithmetic::Divide;
    case 2:
        return Arithmetic::Add;
    case 3:
        return Arithmetic::Subtract;
    default:
        return std::nullopt;
    }
}

bool CalculateDialog::valueFirst() const {
    return orderGroup->checkedId() == 1;
}

bool CalculateDialog::lagrange() const {
    return lagrangeBox->isChecked();
}

QString CalculateDialog::valueText() const {
    return valueField->text();
}

} // namespace quorvex
